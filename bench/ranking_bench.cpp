// Rankings and the text export of the largest contest: 98 competitors,
// 40 complete rounds (final ranking: 3 rounds discarded).
#include "print/text_export.h"
#include "ranking/results_page.h"
#include "ranking/ranking.h"
#include "ranking/ranking_lines.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

using namespace r7t;

namespace {

Contest& largest() { return fixtures::largestContest(); }

// Points of every round, totals with discards, order and best speed.
void BM_FinalRanking(benchmark::State& state)
{
    Contest& c = largest();
    for (auto _ : state) {
        OverallRanking ranking;
        if (openFinalRanking(c, ranking) != RankingStatus::Ok || ranking.discardCount != 3) {
            state.SkipWithError("final ranking refused");
            break;
        }
        benchmark::DoNotOptimize(ranking.totals.data());
    }
}
BENCHMARK(BM_FinalRanking)->Unit(benchmark::kMillisecond);

// The final ranking as the list shows it.
void BM_FinalRankingLines(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    for (auto _ : state) {
        std::vector<std::string> lines = overallRankingLines(c, ranking);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_FinalRankingLines)->Unit(benchmark::kMillisecond);

// A new discard count: totals and order only.
void BM_ChangeDiscardCount(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    int discard = 0;
    for (auto _ : state) {
        changeDiscardCount(ranking, discard);
        discard = (discard + 1) % 4;
        benchmark::DoNotOptimize(ranking.totals.data());
    }
}
BENCHMARK(BM_ChangeDiscardCount)->Unit(benchmark::kMicrosecond);

void BM_RoundRanking(benchmark::State& state)
{
    Contest& c = largest();
    for (auto _ : state) {
        std::vector<std::string> lines = roundRankingLines(rankRound(c, 40));
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_RoundRanking)->Unit(benchmark::kMicrosecond);

// The export's bytes from an open final ranking.
void BM_ExportText(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    size_t size = 0;
    for (auto _ : state) {
        std::optional<std::string> text = exportText(c, ranking);
        size = text ? text->size() : 0;
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

// The same written to a file (atomic replacement, flushed to disk).
void BM_ExportFile(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    fixtures::TempDir dir;
    const std::string path = dir.file("classement.txt");
    for (auto _ : state) {
        ExportOutcome written = ExportTexte(c, ranking, path);
        if (!written.ok) {
            state.SkipWithError(written.error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_ExportFile)->Unit(benchmark::kMillisecond);

// The results page of the final ranking (the goal: under 50 ms, under 2 MB).
void BM_ResultsPage(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    size_t size = 0;
    for (auto _ : state) {
        const std::string page = resultsPage(c, ranking, "07/12/2026 à 18:00");
        size = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ResultsPage)->Unit(benchmark::kMillisecond);

// The spreadsheet file of the final ranking (the goal: under 20 ms).
void BM_ResultsSheet(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    for (auto _ : state)
        benchmark::DoNotOptimize(resultsSheet(c, ranking).size());
}
BENCHMARK(BM_ResultsSheet)->Unit(benchmark::kMillisecond);

} // namespace
