#include "app/ui/program.h"

#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "app/ui/main_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"
#include "widgets/qt_translation.h"
#include "widgets/single_instance.h"
#include "contest/contest_file.h"
#include "contest/opening.h"
#include "contest/ui/opening_dialog.h"

#include <QApplication>

namespace r7t::ui {

int runContestProgram(QApplication& app, const std::vector<std::string>& arguments)
{
    SingleInstance instance;
    if (!instance.claim())
        return 0; // the running program came to the front

    installQtFrench();
    initResources(screenScale());
    QApplication::setWindowIcon(programIcon());

    Contest contest;
    installContestHandlers(contest);
    PlatformFileChooser files;
    MainWindow window(contest, files);

    // A later start brings this one to the front: the main window once it
    // shows, the opening dialogs before.
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        if (window.isVisible())
            bringToFront(&window);
        else
            bringToFront(QApplication::activeModalWidget());
    });

    const std::string path = contestPathFromArguments(arguments);
    const bool opened =
        path.empty() ? runOpeningDialog(contest, files, nullptr) : openFromCommandLine(contest, path, &window);
    if (contest.fault())
        return kFaultExitCode;
    if (!opened)
        return 0; // nothing was written

    window.startContest();
    QObject::connect(&window, &MainWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // The desktop session ending: the contest is saved as on quitting.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&contest] { MajFichier(contest); });
    window.showOnScreen();
    return QApplication::exec();
}

} // namespace r7t::ui
