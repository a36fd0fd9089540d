// install_r7t: installs the contest program from the folder it is started in.
#include "installer/ui/installer_window.h"
#include "widgets/drawing_resources.h"
#include "widgets/qt_translation.h"

#include <QApplication>

#include <clocale>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library too: under French settings
    // "%.2f" would write a comma in every ranking, sheet and file.
    std::setlocale(LC_NUMERIC, "C");
    r7t::ui::installQtFrench();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    r7t::ui::initResources(r7t::ui::ScreenScale{screen.width(), screen.height()});

    using namespace r7t::installer;
    ui::InstallerWindow window(QCoreApplication::applicationDirPath().toStdString(),
                               platformPlaces(currentEnvironment()));
    window.setGeometry(0, 0, screen.width(), screen.height());
    window.showMaximized();
    QTimer::singleShot(0, &window, [&window] { window.runInstallation(); });
    return app.exec();
}
