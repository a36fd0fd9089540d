// Makes the screenshots of the installer into a folder: the background with
// each of its dialogs (scripts/screenshots runs it under Xvfb).
#include "installer/ui/installer_window.h"
#include "widgets/drawing_resources.h"
#include "widgets/qt_translation.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <cstdio>

using namespace r7t::installer;
using namespace r7t::installer::ui;

namespace {

void shoot(QDialog& dialog, const QString& folder, const QString& name)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        std::fprintf(stderr, "%s was not shown\n", qPrintable(name));
    QTest::qWait(300);
    const QString path = QDir(folder).filePath(name + ".png");
    if (QGuiApplication::primaryScreen()->grabWindow(0).save(path))
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    dialog.hide();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    r7t::ui::installQtFrench();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    r7t::ui::initResources(r7t::ui::ScreenScale{screen.width(), screen.height()});

    Places places = platformPlaces({"/home/directeur", "", false});
    InstallerWindow window(".", places);
    window.setGeometry(0, 0, screen.width(), screen.height());
    window.showMaximized();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not shown\n");

    FolderChoiceDialog choice(QString::fromStdString(places.defaultDestination), {});
    shoot(choice, folder, "install_quelrep");
    ErrorDialog error(QStringLiteral("Erreur de recopie de fichier"), QStringLiteral("help/index.html"));
    shoot(error, folder, "install_erreur");
    SuccessDialog success(QStringLiteral("Documents"));
    shoot(success, folder, "install_toutok");
    return 0;
}
