#include "inspection/ui/program.h"

#include "inspection/ui/inspection_common.h"
#include "inspection/ui/inspection_window.h"
#include "inspection/ui/opening_dialog.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"
#include "widgets/qt_translation.h"
#include "widgets/single_instance.h"

#include <QApplication>

namespace r7t::ui {

QString inspectionInstanceName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("Orvel_ctrl-") + user;
}

int runInspectionProgram(QApplication& app)
{
    SingleInstance instance(inspectionInstanceName());
    if (!instance.claim())
        return 0; // the running program came to the front

    installQtFrench();
    initInspectionResources(screenScale());
    QApplication::setWindowIcon(programIcon());

    Inspection inspection;
    installInspectionHandlers(inspection);
    PlatformFileChooser files;
    files.setFilter(FileChooser::kContestFilter, QStringLiteral("ctr"));
    InspectionWindow window(inspection);

    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        if (window.isVisible())
            bringToFront(&window);
        else
            bringToFront(QApplication::activeModalWidget());
    });

    const QStringList arguments = app.arguments();
    const bool opened = arguments.size() > 1 ? openInspectionArgument(inspection, arguments.at(1))
                                             : runInspectionOpening(inspection, files, nullptr);
    if (!opened)
        return 0; // nothing was written

    window.startInspection();
    QObject::connect(&window, &InspectionWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // The desktop session ending: the file is written as on quitting.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&inspection] { MajFichier(inspection); });
    window.showOnScreen();
    const int code = QApplication::exec();
    return code;
}

} // namespace r7t::ui
