#include "app/ui/main_window.h"

#include "text/strings.h"
#include "widgets/about_dialog.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"
#include "app/ui/status_display.h"
#include "app/ui/command_handlers.h"
#include "contest/opening.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace r7t::ui {

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, int id, bool enabled)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(controlName(id));
    action->setProperty("commandId", id);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    return action;
}

MainWindow::MainWindow(Contest& contest, FileChooser& files, QWidget* parent)
    : DesignWindow(parent)
    , contest_(contest)
    , files_(files)
    , display_(new StatusDisplay(contest, this))
    , backupTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("Orvel_R7T"));
    setWindowTitle(QStringLiteral("Orvel_R7T"));
    setWindowIcon(programIcon());
    setCentralWidget(display_);
    buildMenuBar();

    pilotsPopup_ = buildPopup(kPilotsPopup.data(), kPilotsPopup.size());
    roundsPopup_ = buildPopup(kRoundsPopup.data(), kRoundsPopup.size());
    rankingsPopup_ = buildPopup(kRankingsPopup.data(), kRankingsPopup.size());

    backupTimer_->setObjectName(QStringLiteral("timer99"));
    backupTimer_->setInterval(kBackupPeriodMs);
    // The backup also runs while a dialog is open: it holds the contest as
    // it stands at that moment.
    connect(backupTimer_, &QTimer::timeout, this, [this] { MajSauvegarde(contest_); });

    connect(display_, &StatusDisplay::buttonClicked, this, [this](int id) { runCommand(id); });
    setCountersRedraw([this] { redrawCounters(); });
    printRunner_ = [this](QWidget* owner, const PrintDocument& document) {
        runPrintJob(owner, QString::fromStdString(fileTitleOf(contest_.filePath)), document);
    };
    installCommandHandlers(*this);
    placeAtHome();
}

MainWindow::~MainWindow() { setCountersRedraw({}); }

void MainWindow::buildMenuBar()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    addCommand(file, QStringLiteral("&Sauvegarde"), cmd::SaveCopy);
    addCommand(file, QStringLiteral("&Quitter"), cmd::Quit);

    QMenu* pilots = bar->addMenu(QStringLiteral("&Pilotes"));
    addCommand(pilots, QStringLiteral("&Concurrents"), cmd::Competitors);
    addCommand(pilots, QStringLiteral("&Importer..."), cmd::Import);
    pilots->addSeparator();
    addCommand(pilots, QStringLiteral("&Remorqueurs"), cmd::TowPilots);

    QMenu* rounds = bar->addMenu(QStringLiteral("&Manches"));
    addCommand(rounds, QStringLiteral("&Préparation"), cmd::Preparation);
    addCommand(rounds, QStringLiteral("P&esées"), cmd::Weighing);
    addCommand(rounds, QStringLiteral("&Scores"), cmd::Scores);

    QMenu* rankings = bar->addMenu(QStringLiteral("&Classements"));
    addCommand(rankings, QStringLiteral("&Par manche"), cmd::RankingByRound);
    addCommand(rankings, QStringLiteral("&Intermédiaire"), cmd::RankingChosen);
    addCommand(rankings, QStringLiteral("&Final"), cmd::RankingFinal);

    // Only French texts exist: the other languages are shown greyed.
    QMenu* language = bar->addMenu(QStringLiteral("&Langue"));
    addCommand(language, QStringLiteral("Utiliser le français comme langue principale"), cmd::About);
    addCommand(language, QStringLiteral("Use english as the main language"), 116, false);
    addCommand(language, QStringLiteral("Deutsh als standardspratche verwenden"), 117, false);
    addCommand(language, QStringLiteral("Usa l'italiano come lingua principale"), 118, false);
    addCommand(language, QStringLiteral("Usar espanol coma idioma principal"), 119, false);

    QMenu* help = bar->addMenu(QStringLiteral("&Aide"));
    addCommand(help, QStringLiteral("A propos..."), cmd::About);
    addCommand(help, QStringLiteral("Aide Orvel_R7T"), cmd::Help);
}

QMenu* MainWindow::buildPopup(const PopupItem* items, size_t count)
{
    auto* menu = new QMenu(this);
    // Labels in the GUI font on small screens, else in the fixed system font.
    menu->setFont(resources().scale.width <= 800 ? QApplication::font()
                                                 : QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (size_t i = 0; i < count; ++i) {
        if (items[i].label == 0) {
            menu->addSeparator();
            continue;
        }
        addCommand(menu, controlString(items[i].label), items[i].command);
    }
    return menu;
}

QMenu* MainWindow::popup(int buttonId) const
{
    switch (buttonId) {
    case cmd::PilotsPopup: return pilotsPopup_;
    case cmd::RoundsPopup: return roundsPopup_;
    case cmd::RankingsPopup: return rankingsPopup_;
    default: return nullptr;
    }
}

void MainWindow::showPopup(QMenu* menu)
{
    // Centred horizontally on the mouse.
    const QPoint at = QCursor::pos() - QPoint(menu->sizeHint().width() / 2, 0);
    menu->exec(at);
}

void MainWindow::setCommandHandler(CommandAction action, CommandHandler handler)
{
    handlers_[action] = std::move(handler);
}

void MainWindow::runCommand(int id, int parameter)
{
    if (ending_)
        return;
    const CommandCheck check = checkCommand(contest_, id);
    if (check.refused()) {
        MessDlg(this, check.refusal, kModeAlert);
        return;
    }
    applyCommandSettings(contest_, settings_, id);
    switch (check.action) {
    case CommandAction::None: return;
    case CommandAction::Quit: quit(); return;
    case CommandAction::SaveCopy: saveCopy(); break;
    case CommandAction::About: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case CommandAction::Help: openHelp(this, 0); break;
    case CommandAction::Beep: QApplication::beep(); break;
    case CommandAction::PilotsPopup:
    case CommandAction::RoundsPopup:
    case CommandAction::RankingsPopup: showPopup(popup(id)); return;
    default: {
        // The dialogs of the later subsystems; until one is registered the
        // command has checked its precondition and does nothing more.
        auto it = handlers_.find(check.action);
        if (it == handlers_.end() || !it->second)
            return;
        it->second(*this, parameter);
        break;
    }
    }
    afterCommand();
}

void MainWindow::afterCommand()
{
    if (ending_)
        return;
    display_->update();
    display_->focusTitle();
}

SaveOutcome MainWindow::saveContest() { return ui::saveContest(this, contest_); }

void MainWindow::saveCopy()
{
    const QString path = files_.chooseSaveFile(this, controlString(42), display_->fileTitle());
    if (path.isEmpty())
        return;
    // The copy is written to the chosen file; the contest goes on being
    // saved to its own file, and its backup does not move.
    const SaveOutcome saved = saveContestTo(contest_, path.toStdString());
    if (saved.status == SaveStatus::Failed)
        MessDlg(this, tableText(saveFailedText(saved)), kModeAlert);
}

void MainWindow::quit()
{
    const SaveOutcome saved = MajFichier(contest_);
    if (saved.status == SaveStatus::Failed && MessDlg(this, tableText(quitUnsavedText(saved)), kModeQuestion) == 0)
        return;
    closeHelp();
    ending_ = true;
    stopPlacing();
    backupTimer_->stop();
    close();
    Q_EMIT programEnded();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window is "&Quitter": save, then end (unless the user
    // keeps the program after a failed save).
    if (!ending_)
        runCommand(cmd::Quit);
    event->setAccepted(ending_);
}

void MainWindow::startContest()
{
    display_->setFileTitle(QString::fromStdString(fileTitleOf(contest_.filePath)));
    display_->fieldsFromHeader();
    backupTimer_->start();
    display_->focusTitle();
}

void MainWindow::setBackupPeriod(int milliseconds)
{
    backupTimer_->setInterval(milliseconds);
}

void MainWindow::redrawCounters() { display_->redrawCounters(); }

} // namespace r7t::ui
