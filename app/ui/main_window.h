// The contest program's main window: menu bar "MainMenu", the status
// display with its fields and buttons, the three popup menus, the command
// dispatch (runCommand) and the backup timer 99.
#pragma once

#include "app/commands.h"
#include "contest/contest.h"
#include "contest/contest_file.h"
#include "print/ui/print_job.h"
#include "rounds/draw.h"
#include "widgets/contest_window.h"
#include "widgets/design_window.h"

#include <functional>
#include <map>

class QAction;
class QMenu;
class QTimer;

namespace r7t::ui {

class FileChooser;
class StatusDisplay;

class MainWindow : public DesignWindow {
    Q_OBJECT
public:
    // What a command does once its precondition holds: the dialogs and
    // prints of the later subsystems register here; the parameter is the
    // command's second parameter (the task of command 124).
    using CommandHandler = std::function<void(MainWindow& window, int parameter)>;

    static constexpr int kBackupPeriodMs = 300000;

    MainWindow(Contest& contest, FileChooser& files, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Once a contest is open: the file name, the fields from its header and
    // the backup timer.
    void startContest();

    void runCommand(int id, int parameter = 0);
    void setCommandHandler(CommandAction action, CommandHandler handler);

    // redrawCounters: the lower status box is drawn again.
    void redrawCounters();

    // MajFichier with the alert naming the file when it fails.
    SaveOutcome saveContest();

    void setBackupPeriod(int milliseconds);
    QTimer* backupTimer() const { return backupTimer_; }

    Contest& contest() { return contest_; }
    CommandSettings& settings() { return settings_; }
    StatusDisplay* statusDisplay() const { return display_; }
    FileChooser& fileChooser() { return files_; }
    // The draws' settings and generator for this run of the program.
    DrawSession& drawSession() { return drawSession_; }
    // How the print commands and the dialogs' "Imprimer" run their jobs:
    // the print dialog and the job frame, or a recording device in tests.
    const PrintRunner& printRunner() const { return printRunner_; }
    void setPrintRunner(PrintRunner runner) { printRunner_ = std::move(runner); }

    // The popup menu of button 200, 202 or 203.
    QMenu* popup(int buttonId) const;

Q_SIGNALS:
    // Command 102 went through: the program ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenuBar();
    QAction* addCommand(QMenu* menu, const QString& text, int id, bool enabled = true);
    QMenu* buildPopup(const PopupItem* items, size_t count);
    void showPopup(QMenu* menu);
    void saveCopy();
    void quit();
    void afterCommand();

    Contest& contest_;
    FileChooser& files_;
    CommandSettings settings_;
    StatusDisplay* display_;
    QTimer* backupTimer_;
    QMenu* pilotsPopup_;
    QMenu* roundsPopup_;
    QMenu* rankingsPopup_;
    std::map<CommandAction, CommandHandler> handlers_;
    DrawSession drawSession_;
    PrintRunner printRunner_;
    bool ending_ = false;
};

} // namespace r7t::ui
