// Printing the final ranking of the largest contest (98 competitors, 40
// complete rounds): to a PDF file as r7t print does (goal: under 1 s), and
// on the recording device to show the engine's own share.
#include "print/printed_rankings.h"
#include "print/recording_device.h"
#include "print/ui/pdf_device.h"
#include "ranking/ranking.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

using namespace r7t;

namespace {

Contest& largest() { return fixtures::largestContest(); }

// From the open ranking to the PDF file on disk.
void BM_FinalRankingToPdf(benchmark::State& state)
{
    const PrintApplication application;
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    fixtures::TempDir dir;
    const std::string path = dir.file("classement.pdf");
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<PrintDevice> device = makePdfDevice(path);
        PrintEngine engine(*device);
        if (ImprimeClassement(c, engine, ranking) != PrintOutcome::Printed) {
            state.SkipWithError("ranking not printed");
            break;
        }
        pages = engine.pagesStarted();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_FinalRankingToPdf)->Unit(benchmark::kMillisecond);

// The whole r7t path: ranking opened, then printed.
void BM_OpenAndPrintFinalRanking(benchmark::State& state)
{
    const PrintApplication application;
    Contest& c = largest();
    fixtures::TempDir dir;
    const std::string path = dir.file("classement.pdf");
    for (auto _ : state) {
        OverallRanking ranking;
        openFinalRanking(c, ranking);
        std::unique_ptr<PrintDevice> device = makePdfDevice(path);
        PrintEngine engine(*device);
        benchmark::DoNotOptimize(ImprimeClassement(c, engine, ranking));
    }
}
BENCHMARK(BM_OpenAndPrintFinalRanking)->Unit(benchmark::kMillisecond);

void BM_FinalRankingRecorded(benchmark::State& state)
{
    Contest& c = largest();
    OverallRanking ranking;
    openFinalRanking(c, ranking);
    for (auto _ : state) {
        RecordingDevice device;
        PrintEngine engine(device);
        benchmark::DoNotOptimize(ImprimeClassement(c, engine, ranking));
        benchmark::DoNotOptimize(device.events.data());
    }
}
BENCHMARK(BM_FinalRankingRecorded)->Unit(benchmark::kMillisecond);

} // namespace
