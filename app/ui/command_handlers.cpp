#include "app/ui/command_handlers.h"

#include "app/ui/main_window.h"
#include "competitors/ui/import_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "print/printed_lists.h"
#include "ranking/ui/overall_ranking_dialog.h"
#include "ranking/ui/round_ranking_dialog.h"
#include "rounds/ui/flight_sheet_range_dialog.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "rounds/ui/weighing_dialog.h"
#include "scoring/ui/score_list_dialog.h"

#include <QApplication>

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

// A print stays in hand from its print dialog to its job's end.
bool printInHand = false;

// The window's runner, refusing a print asked for while another one is in
// hand: the job frame only refuses once that job has started, not while its
// print dialog is open.
PrintRunner onePrintAtATime(MainWindow& window)
{
    return [&window](QWidget* owner, const PrintDocument& document) {
        if (printInHand || printJobRunning())
            return;
        printInHand = true;
        struct Release {
            ~Release() { printInHand = false; }
        } release;
        window.printRunner()(owner, document);
    };
}

// The round preparation dialog asks for prints while it stays open: the
// print dialog goes over it, not behind it.
QWidget* printOwner(MainWindow& window)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : &window;
}

void installRoundPrints(MainWindow& window)
{
    window.setCommandHandler(CommandAction::FlightSheets, [](MainWindow& w, int) {
        const std::optional<FlightSheetRange> range = runFlightSheetRangeDialog(w.contest(), &w);
        if (!range)
            return;
        onePrintAtATime(w)(&w, [&w, range](PrintEngine& engine) {
            return printFlightSheets(w.contest(), engine, range->firstNumber, range->lastNumber);
        });
    });
    window.setCommandHandler(CommandAction::Weighing, [](MainWindow& w, int) {
        runWeighingDialog(w.contest(), w.drawSession(), onePrintAtATime(w), &w);
    });
    // Sent by the round preparation dialog, for its current round; the
    // parameter is the task.
    window.setCommandHandler(CommandAction::PrintStartLists, [](MainWindow& w, int task) {
        onePrintAtATime(w)(printOwner(w), [&w, task](PrintEngine& engine) {
            return printStartList(w.contest(), engine, w.contest().currentRound, task);
        });
    });
    window.setCommandHandler(CommandAction::PrintRoundSheet, [](MainWindow& w, int) {
        onePrintAtATime(w)(printOwner(w), [&w](PrintEngine& engine) {
            return printRoundSheet(w.contest(), engine, w.contest().currentRound);
        });
    });
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

void installRankings(MainWindow& window)
{
    window.setCommandHandler(CommandAction::RankingByRound,
                             [](MainWindow& w, int) { runRoundRanking(w.contest(), onePrintAtATime(w), &w); });
    window.setCommandHandler(CommandAction::RankingOverall, [](MainWindow& w, int) {
        const RankingMode mode = w.settings().rankingMode == 1 ? RankingMode::Final : RankingMode::Chosen;
        runOverallRanking(w.contest(), mode, w.fileChooser(), onePrintAtATime(w), &w);
    });
}

} // namespace

void installCommandHandlers(MainWindow& window)
{
    installRegistration(window);
    installRoundPrints(window);
    installRoundPreparation(window);
    installScoreEntry(window);
    installRankings(window);
}

} // namespace r7t::ui
