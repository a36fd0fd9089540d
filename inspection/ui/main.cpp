// orvel_ctrl: the glider inspection program.
#include "inspection/ui/program.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too: under French settings
    // "%.2f" would write a comma in every ranking, sheet and file.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("orvel_ctrl"));
    return r7t::ui::runInspectionProgram(app);
}
