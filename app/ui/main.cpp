// orvel_r7t: the contest program.
#include "app/ui/program.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too: under French settings
    // "%.2f" would write a comma in every ranking, sheet and file.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("orvel_r7t"));
    std::vector<std::string> arguments;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        arguments.push_back(args[i].toStdString());
    return r7t::ui::runContestProgram(app, arguments);
}
