// Load and save of the largest contest: 98 competitors, 90 tow pilots,
// 40 rounds of 25 groups, every result entered, some re-flights.
#include "contest/contest_file.h"
#include "contest/file_lock.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

using namespace r7t;

namespace {

struct LargestFile {
    fixtures::TempDir dir;
    std::string path = dir.file("largest.r7s");
    size_t size = 0;
    LargestFile()
    {
        Contest c;
        fixtures::buildContest(c);
        c.setPath(path);
        c.isOpen = true;
        MajFichier(c);
        size = serializeContest(c).size();
    }
};

LargestFile& largest()
{
    static LargestFile file;
    return file;
}

void BM_SaveLargestContest(benchmark::State& state)
{
    Contest c;
    fixtures::buildContest(c);
    c.setPath(largest().dir.file("saved.r7s"));
    c.isOpen = true;
    for (auto _ : state) {
        SaveOutcome saved = MajFichier(c);
        if (!saved.ok())
            state.SkipWithError(saved.error.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * largest().size));
}
BENCHMARK(BM_SaveLargestContest)->Unit(benchmark::kMillisecond);

void BM_LoadLargestContest(benchmark::State& state)
{
    for (auto _ : state) {
        Contest c;
        c.setPath(largest().path);
        c.isOpen = true;
        LoadOutcome loaded = RepriseFic(c);
        if (loaded.status != LoadStatus::Loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(c.results.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * largest().size));
}
BENCHMARK(BM_LoadLargestContest)->Unit(benchmark::kMillisecond);

void BM_SerializeLargestContest(benchmark::State& state)
{
    Contest c;
    fixtures::buildContest(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(serializeContest(c));
}
BENCHMARK(BM_SerializeLargestContest)->Unit(benchmark::kMillisecond);

// What a writing command adds to its load and save: taking the lock (and
// writing its holder) and letting it go. The lock file does not depend on
// the contest's size.
void BM_LockLargestContest(benchmark::State& state)
{
    for (auto _ : state) {
        FileLock lock = FileLock::take(largest().path, LockHolder::Command);
        if (!lock.held())
            state.SkipWithError("lock not taken");
    }
}
BENCHMARK(BM_LockLargestContest)->Unit(benchmark::kMicrosecond);

} // namespace
