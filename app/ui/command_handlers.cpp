#include "app/ui/command_handlers.h"

#include "app/ui/main_window.h"
#include "competitors/ui/import_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "scoring/ui/score_list_dialog.h"

namespace r7t::ui {

namespace {

void installRegistration(MainWindow& window)
{
    window.setCommandHandler(CommandAction::PilotList, [](MainWindow& w, int) {
        runPilotList(w.contest(), w.settings().editCompetitors ? PersonKind::Competitor : PersonKind::TowPilot,
                     w.fileChooser(), &w, w.printRunner());
    });
    window.setCommandHandler(CommandAction::Import,
                             [](MainWindow& w, int) { runImportDialog(w.contest(), w.fileChooser(), &w); });
}

void installRoundPreparation(MainWindow& window)
{
    window.setCommandHandler(CommandAction::Preparation, [](MainWindow& w, int) {
        runRoundPreparation(w.contest(), w.drawSession(), [&w](int command, int task) { w.runCommand(command, task); },
                            &w);
    });
}

void installScoreEntry(MainWindow& window)
{
    window.setCommandHandler(CommandAction::Scores, [](MainWindow& w, int) { runScoreList(w.contest(), &w); });
}

} // namespace

void installCommandHandlers(MainWindow& window)
{
    installRegistration(window);
    installRoundPreparation(window);
    installScoreEntry(window);
}

} // namespace r7t::ui
