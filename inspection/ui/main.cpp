// orvel_ctrl: the glider inspection program.
#include "inspection/ui/program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvel_ctrl"));
    return r7t::ui::runInspectionProgram(app);
}
