// The windows on the largest contests, offscreen. Registration (90
// competitors, 10 tow pilots): opening the list with its lines, "MODIFIER"
// and "INSCRIRE" with the save of the file, an import of 98 lines with its
// save. Rounds (98 competitors, 40 rounds): opening the preparation on the
// last round, switching rounds, and a new round's draw to its lists. Scores
// (98 competitors, 40 rounds): opening the score list on a round, "Valider"
// with its save, and the change of round with the evaluation of the round
// left. Rankings (98 competitors, 40 rounds, 3 discards): the final
// ranking opening with its lines, "O.K." on a new discard count, the round
// ranking on a round, and the text export with its atomic write.
#include "competitors/import.h"
#include "competitors/ui/person_form_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "contest/contest_file.h"
#include "print/text_export.h"
#include "ranking/ui/overall_ranking_dialog.h"
#include "ranking/ui/round_ranking_dialog.h"
#include "rounds/preparation.h"
#include "scoring/score_rules.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "scoring/ui/score_entry_dialog.h"
#include "scoring/ui/score_list_dialog.h"
#include "support/contest_builder.h"
#include "support/screenshots.h"
#include "support/temp_dir.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <fstream>

using namespace r7t;
using namespace r7t::ui;

namespace {


struct Registered {
    fixtures::TempDir dir;
    Contest contest;
    Registered()
    {
        fixtures::buildContest(contest, {90, 10, 0, 0});
        fixtures::saveContestFile(contest, dir.file("concours.r7s"));
    }
};

void BM_PilotListOpens(benchmark::State& state)
{
    Registered r;
    fixtures::NoFiles files;
    for (auto _ : state) {
        PilotListDialog list(r.contest, PersonKind::Competitor, files);
        list.show();
        QApplication::processEvents(); // laid out and painted
        benchmark::DoNotOptimize(list.list()->count());
    }
}
BENCHMARK(BM_PilotListOpens)->Unit(benchmark::kMillisecond);

// "MODIFIER" on an open form: the checks, the record and the atomic save.
void BM_ModifyAndSave(benchmark::State& state)
{
    Registered r;
    PersonFormDialog form(r.contest, PersonKind::Competitor, 45);
    auto* name = form.findChild<QLineEdit*>(controlName(544));
    auto* confirm = form.findChild<QPushButton*>(controlName(538));
    int i = 0;
    for (auto _ : state) {
        name->setText(QStringLiteral("Pilote %1").arg(++i % 2));
        confirm->click();
    }
}
BENCHMARK(BM_ModifyAndSave)->Unit(benchmark::kMillisecond);

// "INSCRIRE" of the 90th competitor with its save; the person is removed
// again outside the timing.
void BM_RegisterAndSave(benchmark::State& state)
{
    Registered r;
    for (auto _ : state) {
        state.PauseTiming();
        r.contest.removePilot(90);
        PersonFormDialog form(r.contest, PersonKind::Competitor, 0);
        form.findChild<QLineEdit*>(controlName(544))->setText(QStringLiteral("Nouveau"));
        form.findChild<QLineEdit*>(controlName(550))->setText(QStringLiteral("35.05"));
        auto* confirm = form.findChild<QPushButton*>(controlName(538));
        state.ResumeTiming();
        confirm->click();
    }
}
BENCHMARK(BM_RegisterAndSave)->Unit(benchmark::kMillisecond);

// 98 lines checked, imported and saved into an empty contest.
void BM_Import98LinesAndSave(benchmark::State& state)
{
    fixtures::TempDir dir;
    const std::string file = dir.file("inscrits.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "N°\tNom\tFréq 1\tFréq 2\tLicence\tClub\tN° club\tPays\tRemarque\r\n";
        for (int n = 1; n <= 98; ++n)
            out << n << "\tPILOTE " << n << "\t35." << (10 + n) << "0\t40.685\tL" << n << "\tClub " << n
                << "\t" << 100 + n << "\tFrance\tplaneur rouge\r\n";
    }
    for (auto _ : state) {
        state.PauseTiming();
        Contest contest;
        fixtures::saveContestFile(contest, dir.file("concours.r7s"));
        state.ResumeTiming();
        const ImportOutcome outcome = importCompetitorsFromFile(contest, file);
        if (outcome.imported != 98)
            state.SkipWithError("the import refused lines");
        MajFichier(contest);
    }
}
BENCHMARK(BM_Import98LinesAndSave)->Unit(benchmark::kMillisecond);

void BM_PreparationOpensOnTheLastRound(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    DrawSession session;
    for (auto _ : state) {
        RoundPreparationDialog dialog(contest, session, {});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.durationList()->count());
    }
}
BENCHMARK(BM_PreparationOpensOnTheLastRound)->Unit(benchmark::kMillisecond);

void BM_PreparationSwitchesRounds(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    DrawSession session;
    RoundPreparationDialog dialog(contest, session, {});
    dialog.show();
    int round = 0;
    for (auto _ : state) {
        dialog.roundsMenuChosen(kRoundMenuBase + 1 + round++ % kMaxRounds);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PreparationSwitchesRounds)->Unit(benchmark::kMillisecond);

// "Nouvelle" after the launch dialog: the draw of round 40 on the realistic
// mix of the largest contest, then both lists built; the round is taken back
// outside the timing.
void BM_NewRoundToItsLists(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    DrawSession session;
    deleteRound(contest, 40);
    for (auto _ : state) {
        const DrawStatus status = LancerTirage(contest, 40, session.settings, session.random, {});
        if (status != DrawStatus::Drawn)
            state.SkipWithError("the draw failed");
        benchmark::DoNotOptimize(updateRoundList(contest, 40, kTaskSpeed).size());
        benchmark::DoNotOptimize(updateRoundList(contest, 40, kTaskDuration).size());
        state.PauseTiming();
        refuseRound(contest, 40);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewRoundToItsLists)->Unit(benchmark::kMillisecond);

// Every round complete: the list opens on the last one, 98 lines.
void BM_ScoreListOpens(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    for (auto _ : state) {
        ScoreListDialog list(contest);
        list.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.list()->count());
    }
}
BENCHMARK(BM_ScoreListOpens)->Unit(benchmark::kMillisecond);

// "Valider" on an open entry: the fields read, the record written, its
// completeness and the atomic save of the 1.1 MB file.
void BM_ScoreValidateAndSave(benchmark::State& state)
{
    fixtures::TempDir dir;
    Contest contest;
    fixtures::buildContest(contest);
    fixtures::saveContestFile(contest, dir.file("concours.r7s"));
    ScoreEntryDialog entry(contest, 40, 45);
    auto* speed = entry.findChild<QLineEdit*>(controlName(612));
    auto* validate = entry.findChild<QPushButton*>(controlName(608));
    int i = 0;
    for (auto _ : state) {
        speed->setText(QStringLiteral("25.%1").arg(++i % 10));
        validate->click();
        if (entry.end() != EntryEnd::Validated)
            state.SkipWithError("the entry was refused");
    }
}
BENCHMARK(BM_ScoreValidateAndSave)->Unit(benchmark::kMillisecond);

// A round chosen in the round menu: the round left is evaluated, the list
// filled with the new one's 98 lines.
void BM_ScoreListChangesRound(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    ScoreListDialog list(contest);
    list.show();
    int round = 0;
    for (auto _ : state) {
        list.chooseRound(1 + round++ % kMaxRounds);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScoreListChangesRound)->Unit(benchmark::kMillisecond);

// The evaluation alone, of a round of 25 groups.
void BM_RoundEvaluation(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    int round = 0;
    for (auto _ : state)
        EvalManche(contest, 1 + round++ % kMaxRounds);
}
BENCHMARK(BM_RoundEvaluation)->Unit(benchmark::kMicrosecond);

// "Classement final": the ranking computed, the dialog opened and its 99
// lines and best speed shown.
void BM_FinalRankingOpens(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    fixtures::NoFiles files;
    for (auto _ : state) {
        OverallRanking ranking;
        openFinalRanking(contest, ranking);
        OverallRankingDialog dialog(contest, std::move(ranking), files, {});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.list()->count());
    }
}
BENCHMARK(BM_FinalRankingOpens)->Unit(benchmark::kMillisecond);

// "O.K." after a new discard count: totals, order and the list again.
void BM_FinalRankingDiscardChange(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    fixtures::NoFiles files;
    OverallRanking ranking;
    openFinalRanking(contest, ranking);
    OverallRankingDialog dialog(contest, std::move(ranking), files, {});
    dialog.show();
    auto* discard = dialog.findChild<QLineEdit*>(controlName(646));
    int i = 0;
    for (auto _ : state) {
        discard->setText(QString::number(1 + i++ % 5));
        dialog.applyDiscard();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FinalRankingDiscardChange)->Unit(benchmark::kMillisecond);

// A round chosen in "CLASSE": its points, order and 98 lines.
void BM_RoundRankingShowsARound(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    RoundRankingDialog dialog(contest, {});
    dialog.show();
    int round = 0;
    for (auto _ : state) {
        dialog.showRound(1 + round++ % kMaxRounds);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RoundRankingShowsARound)->Unit(benchmark::kMillisecond);

// "Fichier texte" once its file is chosen: the text and its atomic write.
void BM_TextExportWritten(benchmark::State& state)
{
    Contest& contest = fixtures::largestContest();
    fixtures::TempDir dir;
    OverallRanking ranking;
    openFinalRanking(contest, ranking);
    const std::string path = dir.file("classement.txt");
    for (auto _ : state)
        if (!ExportTexte(contest, ranking, path).ok)
            state.SkipWithError("the export failed");
}
BENCHMARK(BM_TextExportWritten)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initResources(screenScale());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
