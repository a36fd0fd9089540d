// Load and save of the largest contest: 98 competitors, 90 tow pilots,
// 40 rounds of 25 groups, every result entered, some re-flights; and the
// commands on hostile files, which must take time linear in their size.
#include "contest/contest_file.h"
#include "contest/file_lock.h"
#include "rounds/preparation.h"
#include "support/cli_run.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <benchmark/benchmark.h>

#include <vector>

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

// --- Hostile files ---

using fixtures::appendGroup;

// Round 1 of 12 competitors, then groups 4 to 4003 of it, both tasks, tow
// and competitors records: 16,012 records, and a result linked from each
// competitor slot of the duration groups (12,012 results); the group count
// as a loader that took every group would set it.
void buildSixteenThousandGroups(Contest& c)
{
    fixtures::buildContest(c, {12, 3, 1, 0});
    for (int32_t g = 4; g <= 4003; ++g)
        for (int32_t task : {kTaskSpeed, kTaskDuration}) {
            appendGroup(c, towRecordId(g), 1, task, {101});
            StartGroup& members = appendGroup(c, competitorRecordId(g), 1, task, {1, 2, 3});
            if (task == kTaskDuration)
                for (int s = 0; s < 3; ++s) {
                    FlightResult* r = c.newResult();
                    r->round = 1;
                    r->number = members.slots[s].pilotNumber;
                    members.slots[s].result = r;
                }
        }
    c.groupCount[1] = 4003;
}

// "Supprimer" of the round on the contest in memory, as the dialog does it:
// every record of the round goes in one pass over each list.
void BM_DeleteRoundOfSixteenThousandGroups(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto c = std::make_unique<Contest>();
        buildSixteenThousandGroups(*c);
        state.ResumeTiming();
        deleteRound(*c, 1);
        if (!c->groups.empty() || !c->results.empty()) {
            state.SkipWithError("round not deleted");
            break;
        }
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteRoundOfSixteenThousandGroups)->Unit(benchmark::kMillisecond);

struct HostileFiles {
    fixtures::TempDir dir;
    std::string groups = dir.file("groups.r7s");        // 16,012 groups
    std::string hugeGroup = dir.file("huge_group.r7s"); // one group 214748364
    std::string unregistered = dir.file("unregistered.r7s");
    std::string groupBytes;
    std::string hugeGroupBytes;
    HostileFiles()
    {
        {
            Contest c;
            buildSixteenThousandGroups(c);
            fixtures::saveContestFile(c, groups);
            groupBytes = fixtures::readFile(groups);
        }
        {
            Contest c;
            fixtures::buildContest(c);
            appendGroup(c, 2147483641, 1, kTaskDuration, {1, 2, 3});
            fixtures::saveContestFile(c, hugeGroup);
            hugeGroupBytes = fixtures::readFile(hugeGroup);
        }
        {
            Contest c;
            fixtures::buildContest(c);
            for (int32_t n = 1; n <= 98; n += 7)
                c.removePilot(n);
            fixtures::saveContestFile(c, unregistered);
        }
    }
};

HostileFiles& hostile()
{
    static HostileFiles files;
    return files;
}

// False, the benchmark marked failed, when the command did not end as expected.
bool expectExit(benchmark::State& state, const fixtures::CliRun& run, int exit)
{
    if (run.exit == exit)
        return true;
    state.SkipWithError(run.err.c_str());
    return false;
}

// A command that changes the file, run on it as bytes hold it: the file is
// written back before each run, outside the timing.
void runOnFileAsWritten(benchmark::State& state, const std::string& path, const std::string& bytes,
                        const std::vector<std::string>& args)
{
    for (auto _ : state) {
        state.PauseTiming();
        fixtures::writeFile(path, bytes);
        state.ResumeTiming();
        if (!expectExit(state, fixtures::runCli(args), 0))
            break;
    }
}

// r7t delete-round on the file of 16,012 groups (3.4 MB): load, the round
// deleted, save.
void BM_CliDeleteRoundOfSixteenThousandGroups(benchmark::State& state)
{
    HostileFiles& files = hostile();
    runOnFileAsWritten(state, files.groups, files.groupBytes, {"delete-round", files.groups, "1", "--yes"});
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files.groupBytes.size()));
}
BENCHMARK(BM_CliDeleteRoundOfSixteenThousandGroups)->Unit(benchmark::kMillisecond);

// r7t scores, score and delete-round on the largest contest with one more
// start group, of id 2147483641.
void BM_CliScoresWithAHugeGroupId(benchmark::State& state)
{
    for (auto _ : state)
        if (!expectExit(state, fixtures::runCli({"scores", hostile().hugeGroup, "1"}), 0))
            break;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * hostile().hugeGroupBytes.size()));
}
BENCHMARK(BM_CliScoresWithAHugeGroupId)->Unit(benchmark::kMillisecond);

void BM_CliScoreWithAHugeGroupId(benchmark::State& state)
{
    fixtures::TempDir dir;
    const std::string path = dir.file("c.r7s");
    runOnFileAsWritten(state, path, hostile().hugeGroupBytes, {"score", path, "1", "5", "--speed", "25.0"});
}
BENCHMARK(BM_CliScoreWithAHugeGroupId)->Unit(benchmark::kMillisecond);

void BM_CliDeleteRoundWithAHugeGroupId(benchmark::State& state)
{
    fixtures::TempDir dir;
    const std::string path = dir.file("c.r7s");
    runOnFileAsWritten(state, path, hostile().hugeGroupBytes, {"delete-round", path, "1", "--yes"});
}
BENCHMARK(BM_CliDeleteRoundWithAHugeGroupId)->Unit(benchmark::kMillisecond);

// r7t scores on the largest contest with 14 placed competitors no longer
// registered: refused.
void BM_CliScoresWithUnregisteredCompetitors(benchmark::State& state)
{
    for (auto _ : state)
        if (!expectExit(state, fixtures::runCli({"scores", hostile().unregistered, "1"}), 1))
            break;
}
BENCHMARK(BM_CliScoresWithUnregisteredCompetitors)->Unit(benchmark::kMillisecond);

} // namespace
