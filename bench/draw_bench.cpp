// The start-group draw of a round (LancerTirage, speed and duration):
// (a) the largest realistic field: 98 competitors on 35, 40/41 and 72 MHz
//     channels and 2.4 GHz, 10 tow pilots; goal under 1 ms;
// (b) the worst case: 98 competitors on one channel, each with a different
//     spare, 8000 attempts, round 1: every level fails after five rescues
//     (six runs per level); goal under 1 s, with exactly the result of the
//     straightforward passes of the reference draw, which
//     BM_DrawWorstCaseStraightforward measures once and compares.
#include "contest/contest_file.h"
#include "rounds/draw.h"
#include "support/contest_builder.h"
#include "support/reference_draw.h"

#include <benchmark/benchmark.h>

using namespace r7t;
using r7t::fixtures::addPilot;

namespace {

void realisticField(Contest& c)
{
    RandomSource pick(2026);
    for (int n = 1; n <= 98; ++n) {
        int32_t f = k24GHzFrequency;
        switch (pick.Aleatoire(20)) {
        case 9: case 10: case 11: case 12: case 13:
            f = 35010 + 10 * pick.Aleatoire(20);
            break;
        case 14:
            f = 40665 + 10 * pick.Aleatoire(4);
            break;
        case 15:
            f = 41000 + 10 * pick.Aleatoire(21);
            break;
        case 16: case 17: case 18: case 19:
            f = 72210 + 10 * pick.Aleatoire(29);
            break;
        default:
            break;
        }
        addPilot(c, n, {.frequency1 = f, .frequency2 = pick.Aleatoire(3) ? 0 : 41000 + 10 * pick.Aleatoire(21)});
    }
    for (int t = 0; t < 10; ++t)
        addPilot(c, kFirstTowPilot + t, {.frequency1 = t % 2 ? k24GHzFrequency : 41000 + 40 * t});
}

void worstField(Contest& c)
{
    for (int n = 1; n <= 98; ++n)
        addPilot(c, n, {.frequency1 = 35010, .frequency2 = 35010 + n});
    for (int t = 0; t < 10; ++t)
        addPilot(c, kFirstTowPilot + t, {.frequency1 = 41000 + 20 * t});
}

void drawRealistic(benchmark::State& state, int round)
{
    Contest c;
    realisticField(c);
    DrawSettings settings;
    RandomSource random;
    if (round == 2) {
        LancerTirage(c, 1, settings, random, [] { return 1; });
        c.roundPrepared[1] = 1;
    }
    uint64_t seed = 1000;
    int levels = 0;
    for (auto _ : state) {
        ++seed;
        DrawTrace trace;
        if (LancerTirage(c, round, settings, random, [seed] { return seed; }, &trace) !=
            DrawStatus::Drawn) {
            state.SkipWithError("draw failed");
            break;
        }
        levels += trace.speedLevel + trace.durationLevel;
        state.PauseTiming();
        c.groups.remove_if([&](const StartGroup& g) { return g.round == round; });
        c.groupCount[round] = 0;
        c.undoExchanges();
        state.ResumeTiming();
    }
    state.counters["mean_level"] = benchmark::Counter(levels / 2.0, benchmark::Counter::kAvgIterations);
}

void BM_DrawRealisticRound1(benchmark::State& state) { drawRealistic(state, 1); }
void BM_DrawRealisticRound2(benchmark::State& state) { drawRealistic(state, 2); }
BENCHMARK(BM_DrawRealisticRound1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawRealisticRound2)->Unit(benchmark::kMicrosecond);

struct WorstOutcome {
    DrawStatus status{};
    uint64_t state = 0;
    std::vector<uint8_t> file;
    int runs = 0;
};

// LancerTirage, or the reference draw.
using Draw = DrawStatus (*)(Contest&, int, DrawSettings&, RandomSource&, const std::function<uint64_t()>&,
                            DrawTrace*);

WorstOutcome drawWorst(Draw draw)
{
    Contest c;
    worstField(c);
    DrawSettings settings;
    settings.attempts = kMaxAttempts;
    RandomSource random;
    DrawTrace trace;
    WorstOutcome out;
    out.status = draw(c, 1, settings, random, [] { return 1733580000; }, &trace);
    out.state = random.state();
    out.file = serializeContest(c);
    out.runs = trace.speedRuns;
    return out;
}

void BM_DrawWorstCase(benchmark::State& state)
{
    WorstOutcome out;
    for (auto _ : state)
        out = drawWorst(LancerTirage);
    if (out.status != DrawStatus::Impossible)
        state.SkipWithError("the worst case was drawn");
    state.counters["runs"] = out.runs;
}
BENCHMARK(BM_DrawWorstCase)->Unit(benchmark::kMillisecond);

void BM_DrawWorstCaseStraightforward(benchmark::State& state)
{
    WorstOutcome slow;
    for (auto _ : state)
        slow = drawWorst(fixtures::referenceDraw);
    const WorstOutcome fast = drawWorst(LancerTirage);
    const bool same = slow.status == fast.status && slow.state == fast.state && slow.file == fast.file &&
                      slow.runs == fast.runs;
    if (!same)
        state.SkipWithError("the fast draw differs from the straightforward one");
    state.counters["same_as_fast"] = same;
}
BENCHMARK(BM_DrawWorstCaseStraightforward)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
