// Printing on the largest contest (98 competitors, 90 tow pilots, 40
// complete rounds): the final ranking to a PDF file as r7t print does (goal:
// under 1 s), and on the recording device to show the engine's own share;
// each list and sheet of the main window's print commands to a PDF file
// (goal: under 1 s each).
#include "print/printed_lists.h"
#include "print/printed_rankings.h"
#include "print/recording_device.h"
#include "print/ui/pdf_device.h"
#include "ranking/ranking.h"
#include "rounds/weighing.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

using namespace r7t;

namespace {

Contest& largest() { return fixtures::largestContest(); }

// One document, from the engine's start to the PDF file on disk.
void printToPdf(benchmark::State& state, const std::function<PrintOutcome(Contest&, PrintEngine&)>& document)
{
    const PrintApplication application;
    Contest& c = largest();
    fixtures::TempDir dir;
    const std::string path = dir.file("document.pdf");
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<PrintDevice> device = makePdfDevice(path);
        PrintEngine engine(*device);
        if (document(c, engine) != PrintOutcome::Printed) {
            state.SkipWithError("nothing printed");
            break;
        }
        pages = engine.pagesStarted();
    }
    state.counters["pages"] = pages;
}

// From the open ranking to the PDF file on disk.
void BM_FinalRankingToPdf(benchmark::State& state)
{
    OverallRanking ranking;
    openFinalRanking(largest(), ranking);
    printToPdf(state, [&ranking](Contest& c, PrintEngine& e) { return ImprimeClassement(c, e, ranking); });
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

void BM_CompetitorListToPdf(benchmark::State& state)
{
    printToPdf(state, [](Contest& c, PrintEngine& e) { return printPilotList(c, e, PilotListKind::Competitors); });
}
BENCHMARK(BM_CompetitorListToPdf)->Unit(benchmark::kMillisecond);

void BM_FlightSheetsToPdf(benchmark::State& state)
{
    printToPdf(state, [](Contest& c, PrintEngine& e) { return printFlightSheets(c, e, 1, 98); });
}
BENCHMARK(BM_FlightSheetsToPdf)->Unit(benchmark::kMillisecond);

void BM_StartListToPdf(benchmark::State& state)
{
    const int task = static_cast<int>(state.range(0));
    printToPdf(state, [task](Contest& c, PrintEngine& e) { return printStartList(c, e, 40, task); });
}
BENCHMARK(BM_StartListToPdf)->Arg(kTaskSpeed)->Arg(kTaskDuration)->Unit(benchmark::kMillisecond);

void BM_RoundSheetToPdf(benchmark::State& state)
{
    printToPdf(state, [](Contest& c, PrintEngine& e) { return printRoundSheet(c, e, 40); });
}
BENCHMARK(BM_RoundSheetToPdf)->Unit(benchmark::kMillisecond);

void BM_WeighingSheetToPdf(benchmark::State& state)
{
    RandomSource random(1);
    TiragePesees(largest(), 40, random);
    printToPdf(state, [](Contest& c, PrintEngine& e) { return printWeighingSheet(c, e, 40); });
}
BENCHMARK(BM_WeighingSheetToPdf)->Unit(benchmark::kMillisecond);

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
