#include "widgets/help_window.h"

#include "text/strings.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
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
    , closeButton_(new QPushButton(QStringLiteral("Fermer"), this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide Orvel_R7T"));
    setWindowIcon(programIcon());
    // Closing the help never ends the program, even when no other window shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_->setSearchPaths({folder_});
    browser_->setOpenExternalLinks(true);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    browser_->setFocus();
    resize(760, 600);
}

void HelpWindow::followModal()
{
    followPending_ = false;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this || (modal && !modal->windowHandle()))
        modal = nullptr;
    const bool placed = windowHandle() && windowType() == (modal ? Qt::Dialog : Qt::Window) &&
                        windowHandle()->transientParent() == (modal ? modal->windowHandle() : nullptr);
    if (placed && followed_ == modal)
        return;

    if (followed_) {
        disconnect(followed_, nullptr, this, nullptr);
        if (followed_->windowHandle())
            disconnect(followed_->windowHandle(), nullptr, this, nullptr);
    }
    followed_ = modal;
    const bool wasVisible = isVisible();
    const QPoint position = pos();
    // The window manager reads the transient parent when the window shows.
    hide();
    if (modal) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    } else {
        setWindowFlags(Qt::Window);
    }
    winId();
    windowHandle()->setTransientParent(modal ? modal->windowHandle() : nullptr);
    if (modal) {
        // When the dialog ends, the help follows the next one, or stands alone.
        connect(modal->windowHandle(), &QWindow::visibleChanged, this, [this](bool visible) {
            if (!visible)
                scheduleFollow();
        });
        connect(modal, &QObject::destroyed, this, &HelpWindow::scheduleFollow);
    }
    if (wasVisible) {
        move(position);
        show();
    }
}

void HelpWindow::scheduleFollow()
{
    if (followPending_)
        return;
    followPending_ = true;
    QTimer::singleShot(0, this, &HelpWindow::followModal);
}

bool HelpWindow::event(QEvent* event)
{
    // A modal dialog opened after the help: the help goes above it.
    if (event->type() == QEvent::WindowBlocked)
        scheduleFollow();
    return QWidget::event(event);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
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
    window->followModal();
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

QPushButton* addHelpButton(QWidget* dialog, int id, const DialogUnits& units, int x, int y, int width, int height,
                           int topic)
{
    QPushButton* button = addButton(dialog, id, QStringLiteral("?"), units, x, y, width, height);
    button->setAccessibleName(QStringLiteral("Aide"));
    const auto show = [dialog, topic] { openHelp(dialog, topic); };
    QObject::connect(button, &QPushButton::clicked, dialog, show);
    QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated, dialog, show);
    return button;
}

} // namespace r7t::ui
