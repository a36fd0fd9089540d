#include "widgets/help_window.h"

#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace r7t::ui {

namespace {

QString& folderOverride()
{
    static QString folder;
    return folder;
}

QPointer<HelpWindow>& theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

HelpWindow::HelpWindow(const QString& folder)
    : QWidget(nullptr, Qt::Window)
    , folder_(folder)
    , browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide Orvel_R7T"));
    setWindowIcon(programIcon());
    browser_->setSearchPaths({folder_});
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 600);
}

bool HelpWindow::showPage(const QString& fileName)
{
    const QString path = QDir(folder_).filePath(fileName);
    if (!QFileInfo(path).isReadable())
        return false;
    browser_->setSource(QUrl::fromLocalFile(path));
    return true;
}

QString HelpWindow::currentPage() const { return browser_->source().fileName(); }

QString helpFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help"));
}

void setHelpFolder(const QString& folder) { folderOverride() = folder; }

QString helpPageName(int topic)
{
    return topic == 0 ? QStringLiteral("index.html") : QStringLiteral("sujet_%1.html").arg(topic);
}

bool openHelp(QWidget* owner, int topic)
{
    const QString folder = helpFolder();
    const QString page = helpPageName(topic);
    if (!QFileInfo(QDir(folder).filePath(page)).isReadable()) {
        MessDlg(owner, kMessageHelpMissing, kModeAlert);
        return false;
    }
    QPointer<HelpWindow>& window = theWindow();
    if (window && window->property("folder").toString() != folder)
        delete window.data();
    if (!window) {
        window = new HelpWindow(folder);
        window->setProperty("folder", folder);
    }
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void closeHelp()
{
    // The user's close box only hides the window; quitting removes it.
    delete theWindow().data();
}

HelpWindow* helpWindow() { return theWindow().data(); }

} // namespace r7t::ui
