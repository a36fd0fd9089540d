#include "rounds/draw.h"

#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/reference_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace r7t;
using r7t::fixtures::addPilot;

namespace {

// --- Contests ---

// The radios met on a field: 35 MHz, 40/41 MHz and 72 MHz channels 10 kHz
// apart, and 2.4 GHz for about half of the pilots.
int32_t realisticFrequency(std::mt19937& rng)
{
    const int band = static_cast<int>(rng() % 20);
    if (band < 9)
        return k24GHzFrequency;
    if (band < 14)
        return 35010 + 10 * static_cast<int32_t>(rng() % 20);
    if (band < 16) {
        static const int32_t channels40[] = {40665, 40675, 40685, 40695};
        return rng() % 3 ? 41000 + 10 * static_cast<int32_t>(rng() % 21) : channels40[rng() % 4];
    }
    return 72210 + 10 * static_cast<int32_t>(rng() % 29);
}

// A crowded field has most radios on a few 35 MHz channels, which makes the
// draw go down the levels and, in round 1, exchange frequencies.
void buildField(Contest& c, int competitors, int towPilots, uint32_t seed, bool crowded = false)
{
    std::mt19937 rng(seed);
    const int channels = 3 + static_cast<int>(rng() % 20);
    for (int n = 1; n <= competitors; ++n) {
        int32_t f1 = realisticFrequency(rng);
        int32_t f2 = rng() % 3 ? realisticFrequency(rng) : 0;
        if (crowded) {
            f1 = rng() % 5 ? 35010 + 10 * static_cast<int32_t>(rng() % channels) : k24GHzFrequency;
            f2 = rng() % 2 ? 72210 + 10 * static_cast<int32_t>(rng() % 29) : 0;
        }
        addPilot(c, n, {.frequency1 = f1, .frequency2 = f2 == f1 ? 0 : f2});
    }
    for (int t = 0; t < towPilots; ++t)
        addPilot(c, kFirstTowPilot + t,
                 {.frequency1 = rng() % 2 ? k24GHzFrequency : 41000 + 10 * static_cast<int32_t>(rng() % 21)});
}

// As the preparation's acceptance leaves it.
void accept(Contest& c, int round)
{
    c.roundPrepared[round] = 1;
    c.lastPreparedRound = std::max(c.lastPreparedRound, round);
}

std::function<uint64_t()> fixedSeed(uint64_t seed)
{
    return [seed] { return seed; };
}

const StartGroup* record(const Contest& c, int round, int id, int task)
{
    for (const StartGroup& g : c.groups)
        if (g.round == round && g.id == id && g.task == task)
            return &g;
    return nullptr;
}

int recordsOf(const Contest& c, int round)
{
    return static_cast<int>(std::count_if(c.groups.begin(), c.groups.end(),
                                          [&](const StartGroup& g) { return g.round == round; }));
}

struct PilotState {
    int32_t f1, f2, exchanged;
    bool operator==(const PilotState&) const = default;
};
std::map<int32_t, PilotState> pilotStates(const Contest& c)
{
    std::map<int32_t, PilotState> states;
    for (const Pilot& p : c.pilots)
        states[p.number] = {p.frequency1, p.frequency2, p.exchanged};
    return states;
}

// --- The rules a drawn round must satisfy, checked from the records alone ---

struct Expected {
    std::set<int32_t> participants;
    int level = 0; // level of the task's successful run
    bool copied = false; // duration records copied from speed ones
    std::set<int32_t> notFirst; // competitors that may not open the task
};

// The pseudo-frequencies a run gives the 2.4 GHz radios of the contest as
// it stands: tow pilots, then participants (frequency 1, then 2).
std::map<std::pair<int32_t, int>, int32_t> pseudoFrequencies(const Contest& c)
{
    std::map<int32_t, const Pilot*> byNumber;
    for (const Pilot& p : c.pilots)
        byNumber.emplace(p.number, &p);
    std::map<std::pair<int32_t, int>, int32_t> pseudo;
    int32_t next = k24GHzFrequency;
    for (auto [number, p] : byNumber)
        if (number > 100 && p->frequency1 >= k24GHzFrequency)
            pseudo[{number, 1}] = next += 20;
    for (auto [number, p] : byNumber)
        if (number < 100 && p->participation > 0) {
            if (p->frequency1 >= k24GHzFrequency)
                pseudo[{number, 1}] = next += 20;
            if (p->frequency2 >= k24GHzFrequency)
                pseudo[{number, 2}] = next += 20;
        }
    return pseudo;
}

void checkTask(const Contest& c, int round, int task, const Expected& expected, bool exactPseudo)
{
    SCOPED_TRACE(testing::Message() << "round " << round << " task " << task << " level " << expected.level);
    const std::vector<int> layout = groupLayout(static_cast<int>(expected.participants.size()));
    const int groups = static_cast<int>(layout.size());
    ASSERT_EQ(c.groupCount[round], groups);
    ASSERT_EQ(recordsOf(c, round), 4 * groups);
    ASSERT_GE(expected.level, 1);
    const auto pseudo = pseudoFrequencies(c);

    struct Flyer {
        int32_t frequency;
        int group, rank, position;
    };
    std::vector<Flyer> flyers;
    std::vector<int32_t> towNumbers(static_cast<size_t>(groups) + 1), towFrequencies(static_cast<size_t>(groups) + 1);
    std::multiset<int32_t> seen;
    std::set<int32_t> pseudoUsed;
    for (int g = 1; g <= groups; ++g) {
        const StartGroup* tow = record(c, round, 10 * g, task);
        const StartGroup* members = record(c, round, 10 * g + 1, task);
        ASSERT_TRUE(tow && members) << "group " << g;
        ASSERT_EQ(tow->count, 1);
        ASSERT_EQ(members->count, layout[static_cast<size_t>(g) - 1]);
        if (g > 1) {
            ASSERT_LE(members->count, layout[static_cast<size_t>(g) - 2]) << "groups of 4 come first";
        }
        const int32_t drawnMark = expected.copied ? 0 : 99;
        const GroupSlot& towSlot = tow->slots[0];
        EXPECT_EQ(towSlot.filled, drawnMark);
        towNumbers[static_cast<size_t>(g)] = towSlot.pilotNumber;
        towFrequencies[static_cast<size_t>(g)] = towSlot.frequency;
        if (towSlot.pilotNumber == kNoTowPilot) {
            EXPECT_EQ(towSlot.frequency, 0);
        } else {
            const Pilot* t = c.findPilot(towSlot.pilotNumber);
            ASSERT_TRUE(t && t->number > 100) << towSlot.pilotNumber;
            if (t->frequency1 >= k24GHzFrequency)
                EXPECT_EQ(towSlot.frequency, pseudo.at({t->number, 1}));
            else
                EXPECT_EQ(towSlot.frequency, t->frequency1);
        }
        for (int s = 0; s < members->count; ++s) {
            const GroupSlot& slot = members->slots[static_cast<size_t>(s)];
            const int position = static_cast<int>(flyers.size()) + 1;
            EXPECT_EQ(slot.flightOrder, position);
            EXPECT_EQ(slot.filled, drawnMark);
            seen.insert(slot.pilotNumber);
            const Pilot* p = c.findPilot(slot.pilotNumber);
            ASSERT_TRUE(p && p->number < 100) << slot.pilotNumber;
            // The frequency flown at draw time: later round-1 exchanges (of
            // the duration draw) leave the speed slot on the former one.
            int32_t flown = p->frequency1;
            int which = 1;
            if (slot.onFrequency2 != p->exchanged) {
                EXPECT_TRUE(round == 1 && task == kTaskSpeed && slot.onFrequency2 == 0)
                    << "slot flag " << slot.onFrequency2 << " of " << p->number;
                flown = p->frequency2;
                which = 2;
            }
            if (flown >= k24GHzFrequency) {
                EXPECT_GT(slot.frequency, k24GHzFrequency);
                EXPECT_EQ((slot.frequency - k24GHzFrequency) % 20, 0);
                EXPECT_TRUE(pseudoUsed.insert(slot.frequency).second) << "pseudo-frequency given twice";
                if (exactPseudo && which == 1) {
                    EXPECT_EQ(slot.frequency, pseudo.at({p->number, 1}));
                }
            } else {
                EXPECT_EQ(slot.frequency, flown) << p->number;
            }
            flyers.push_back({slot.frequency, g, s, position});
        }
        for (int s = members->count; s < kSlotsPerGroup; ++s)
            EXPECT_EQ(members->slots[static_cast<size_t>(s)], GroupSlot{});
    }
    EXPECT_EQ(std::set<int32_t>(seen.begin(), seen.end()), expected.participants);
    EXPECT_EQ(seen.size(), expected.participants.size()) << "a competitor placed twice";
    EXPECT_FALSE(expected.notFirst.count(record(c, round, 11, task)->slots[0].pilotNumber))
        << "the previous round's opener opens again";

    // Separation between radios, pair by pair.
    const int level = expected.level;
    for (const Flyer& a : flyers)
        for (const Flyer& b : flyers) {
            if (a.position >= b.position)
                continue;
            const int64_t gap = std::llabs(int64_t(a.frequency) - b.frequency);
            int64_t needed = 0;
            if (a.group == b.group)
                needed = 20;
            else if (a.group + 1 == b.group && level <= 5)
                needed = a.rank < level - 1 ? 10 : 20;
            else if (a.group + 1 == b.group)
                needed = a.position >= b.position - 3 ? 10 : 0;
            EXPECT_GE(gap, needed) << "positions " << a.position << " and " << b.position;
        }

    // Tow pilots.
    std::vector<int32_t> registeredTows;
    for (const Pilot& p : c.pilots)
        if (p.number > 100)
            registeredTows.push_back(p.number);
    for (int g = 1; g <= groups; ++g) {
        const auto acceptable = [&](int32_t t) {
            for (const Flyer& f : flyers) {
                const int64_t gap = std::llabs(int64_t(t) - f.frequency);
                if ((f.group == g || (f.group == g - 1 && level == 1)) && gap < 20)
                    return false;
            }
            return !(g > 1 && towNumbers[static_cast<size_t>(g) - 1] != kNoTowPilot &&
                     std::llabs(int64_t(t) - towFrequencies[static_cast<size_t>(g) - 1]) < 20);
        };
        if (towNumbers[static_cast<size_t>(g)] != kNoTowPilot) {
            EXPECT_TRUE(acceptable(towFrequencies[static_cast<size_t>(g)])) << "tow of group " << g;
        } else if (!expected.copied) {
            // 1000 failed picks: practically no acceptable tow pilot existed.
            // (Tow pilots get their pseudo-frequencies first, so exactly.)
            for (int32_t number : registeredTows) {
                const Pilot* t = c.findPilot(number);
                const int32_t f = t->frequency1 >= k24GHzFrequency ? pseudo.at({number, 1}) : t->frequency1;
                EXPECT_FALSE(acceptable(f)) << "group " << g << " left without " << number;
            }
        }
    }
}

void checkDrawnRound(const Contest& c, int round, const std::set<int32_t>& participants, const DrawTrace& trace,
                     bool sameStarts, const std::array<int32_t, 2>& previousOpeners)
{
    std::set<int32_t> notFirst;
    if (round >= 2)
        notFirst = {previousOpeners[0], sameStarts ? previousOpeners[0] : previousOpeners[1]};
    // Exact pseudo-frequencies hold when no exchange came after the run.
    bool speedExact = true;
    for (int g = 1; g <= c.groupCount[round]; ++g)
        for (const GroupSlot& s : record(c, round, 10 * g + 1, kTaskSpeed)->slots)
            if (s.pilotNumber && s.onFrequency2 != c.findPilot(s.pilotNumber)->exchanged)
                speedExact = false;
    checkTask(c, round, kTaskSpeed, {participants, trace.speedLevel, false, notFirst}, speedExact);
    checkTask(c, round, kTaskDuration, {participants, trace.durationLevel, sameStarts, notFirst}, !sameStarts);
    if (sameStarts)
        for (int g = 1; g <= c.groupCount[round]; ++g)
            for (int id : {10 * g, 10 * g + 1}) {
                StartGroup speed = *record(c, round, id, kTaskSpeed);
                StartGroup duration = *record(c, round, id, kTaskDuration);
                for (GroupSlot& s : speed.slots)
                    s.filled = 0; // the drawn mark is not copied
                speed.task = kTaskDuration;
                EXPECT_EQ(duration, speed) << "group record " << id;
            }
}

// A failed draw leaves no group of the round; in round 1 every exchange is
// undone, later rounds exchange nothing.
void checkImpossible(const Contest& c, int round, const std::map<int32_t, PilotState>& before)
{
    EXPECT_EQ(recordsOf(c, round), 0);
    EXPECT_EQ(c.groupCount[round], 0);
    for (const Pilot& p : c.pilots) {
        const PilotState& was = before.at(p.number);
        if (round == 1) {
            EXPECT_EQ(p.exchanged, 0);
        }
        if (round > 1 || !was.exchanged) {
            EXPECT_EQ((PilotState{p.frequency1, p.frequency2, p.exchanged}), was) << p.number;
        }
    }
}

} // namespace

// --- Generator ---

TEST(Random, FollowsTheLinearCongruentialRule)
{
    RandomSource r(0);
    EXPECT_EQ(r.nextValue(), 0u);
    EXPECT_EQ(r.nextValue(), 5540u);
    EXPECT_EQ(r.nextValue(), 221838220u);
    EXPECT_EQ(r.nextValue(), 695693412u);
    r.nextValue();
    EXPECT_EQ(r.nextValue(), 822182988u); // bit 63 of the state is not part of X
    r.seed(1733580000);
    EXPECT_EQ(r.Aleatoire(1000000), 486334225 % 1000000);
    EXPECT_EQ(r.Aleatoire(0), 0); // n = 0 still advances
    EXPECT_EQ(r.Aleatoire(7), static_cast<int>(917336688u % 7));
    EXPECT_EQ(r.state(), 13163303112437826703ull);
    r.seed(1733580000);
    r.skip(1000);
    EXPECT_EQ(r.state(), 14816367627197572280ull);
    for (uint64_t count : {0ull, 1ull, 201ull, 12345ull}) {
        RandomSource one(987654321), jump(987654321);
        for (uint64_t i = 0; i < count; ++i)
            one.nextValue();
        jump.skip(count);
        EXPECT_EQ(one.state(), jump.state()) << count;
    }
}

// --- Layout and the frequency tests ---

TEST(GroupLayout, FoursFirstThenThrees)
{
    EXPECT_TRUE(groupLayout(5).empty());
    EXPECT_TRUE(groupLayout(0).empty());
    EXPECT_EQ(groupLayout(6), (std::vector<int>{3, 3}));
    EXPECT_EQ(groupLayout(7), (std::vector<int>{4, 3}));
    EXPECT_EQ(groupLayout(8), (std::vector<int>{4, 4}));
    EXPECT_EQ(groupLayout(9), (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(groupLayout(10), (std::vector<int>{4, 3, 3}));
    EXPECT_EQ(groupLayout(11), (std::vector<int>{4, 4, 3}));
    EXPECT_EQ(groupLayout(12), (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(groupLayout(13), (std::vector<int>{4, 3, 3, 3}));
    const std::vector<int> largest = groupLayout(98);
    EXPECT_EQ(largest.size(), 25u);
    EXPECT_EQ(std::count(largest.begin(), largest.end(), 4), 23);
}

TEST(Compatibility, OwnGroupNeedsTwentyKilohertz)
{
    FlightSequence seq({4, 3});
    seq.setFrequency(1, 35010);
    for (int level = 1; level <= 6; ++level) {
        EXPECT_TRUE(CompatibleConcurrent(seq, 35030, 2, level));
        EXPECT_FALSE(CompatibleConcurrent(seq, 35029, 2, level));
        EXPECT_FALSE(CompatibleConcurrent(seq, 34991, 2, level));
    }
    seq.setFrequency(2, 2400020);
    seq.setFrequency(3, 2400040);
    EXPECT_TRUE(CompatibleConcurrent(seq, 2400060, 4, 1)); // 2.4 GHz radios share a group
    EXPECT_FALSE(CompatibleConcurrent(seq, 35010, 8, 1));  // no position 8
    EXPECT_FALSE(CompatibleConcurrent(seq, 35010, 0, 1));
}

TEST(Compatibility, LevelsRelaxThePreviousGroup)
{
    FlightSequence seq({4, 4});
    const int32_t previous[] = {35000, 35100, 35200, 35300};
    for (int p = 1; p <= 4; ++p)
        seq.setFrequency(p, previous[p - 1]);
    // 10 kHz from the k-th flyer of the previous group passes from level k+1.
    for (int k = 1; k <= 4; ++k)
        for (int level = 1; level <= 5; ++level)
            EXPECT_EQ(CompatibleConcurrent(seq, previous[k - 1] + 10, 5, level), level > k) << k << " " << level;
    EXPECT_FALSE(CompatibleConcurrent(seq, 35305, 5, 5));
    EXPECT_FALSE(CompatibleConcurrent(seq, 35305, 5, 6));
    // Level 6: the third of a group keeps 10 kHz from the last one only.
    seq.setFrequency(5, 35500);
    seq.setFrequency(6, 35600);
    EXPECT_TRUE(CompatibleConcurrent(seq, 35205, 7, 6));
    EXPECT_FALSE(CompatibleConcurrent(seq, 35205, 7, 5));
    EXPECT_FALSE(CompatibleConcurrent(seq, 35305, 7, 6));
    seq.setFrequency(7, 35700);
    EXPECT_TRUE(CompatibleConcurrent(seq, 35300, 8, 6)); // the fourth: none
}

TEST(Compatibility, TowPilots)
{
    FlightSequence seq({3, 3});
    const int32_t freqs[] = {35010, 35050, 35090, 41000, 41040, 41080};
    for (int p = 1; p <= 6; ++p)
        seq.setFrequency(p, freqs[p - 1]);
    EXPECT_TRUE(CompatibleRemorqueur(seq, 35070, 1, 1));
    EXPECT_FALSE(CompatibleRemorqueur(seq, 35071, 1, 1));
    EXPECT_FALSE(CompatibleRemorqueur(seq, 35100, 2, 1)); // previous members at level 1
    EXPECT_TRUE(CompatibleRemorqueur(seq, 35100, 2, 2));
    seq.setTow(1, 35110);
    EXPECT_FALSE(CompatibleRemorqueur(seq, 35110, 2, 2)); // never two groups in a row
    EXPECT_TRUE(CompatibleRemorqueur(seq, 35130, 2, 2));
    seq.clearTow(1);
    EXPECT_TRUE(CompatibleRemorqueur(seq, 35110, 2, 2));
}

// --- Whole draws ---

// Many contests of 6 to 98 competitors on realistic or crowded radios, 0, 1,
// 3 or 10 tow pilots, three rounds each with some withdrawals and some same
// starts: every drawn round obeys the rules of its level, and every level
// is met.
TEST(Draw, ManySeededRoundsObeyTheRules)
{
    int drawn = 0, impossible = 0, exchanges = 0;
    std::set<int> levels;
    for (uint32_t seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Contest c;
        const int competitors = 6 + static_cast<int>(seed * 37 % 93);
        const int towPilots = std::array{0, 1, 3, 10}[seed / 2 % 4];
        const bool crowded = seed % 2 == 0;
        buildField(c, competitors, towPilots, seed, crowded);
        std::mt19937 rng(seed);
        DrawSettings settings;
        settings.attempts = crowded ? 400 : kMaxAttempts; // keeps failing levels short
        RandomSource random;
        for (int round = 1; round <= 3; ++round) {
            for (Pilot& p : c.pilots)
                if (p.number < 100)
                    p.participation = competitors > 8 && rng() % 12 == 0 ? 0 : kParticipating;
            settings.sameStartOrder = rng() % 4 == 0;
            std::set<int32_t> participants;
            for (const Pilot& p : c.pilots)
                if (p.number < 100 && p.participation > 0)
                    participants.insert(p.number);
            const auto before = pilotStates(c);
            const auto openers = round >= 2 ? std::array{record(c, round - 1, 11, kTaskSpeed)->slots[0].pilotNumber,
                                                         record(c, round - 1, 11, kTaskDuration)->slots[0].pilotNumber}
                                            : settings.openers;
            DrawTrace trace;
            const DrawStatus status =
                LancerTirage(c, round, settings, random, fixedSeed(seed * 1000 + round), &trace);
            if (participants.size() < 6) {
                EXPECT_EQ(status, DrawStatus::TooFewParticipants);
                break;
            }
            if (status == DrawStatus::Impossible) {
                ++impossible;
                checkImpossible(c, round, before);
                break;
            }
            ASSERT_EQ(status, DrawStatus::Drawn);
            ++drawn;
            levels.insert({trace.speedLevel, trace.durationLevel});
            for (const Pilot& p : c.pilots)
                exchanges += round == 1 && p.exchanged;
            EXPECT_EQ(c.roundPrepared[round], 0);
            if (round >= 2) {
                EXPECT_EQ(pilotStates(c), before); // exchanges only in round 1
            }
            checkDrawnRound(c, round, participants, trace, settings.sameStartOrder, openers);
            accept(c, round);
            if (HasFailure())
                return;
        }
    }
    EXPECT_GT(drawn, 300) << impossible << " impossible";
    EXPECT_GT(impossible, 0);
    EXPECT_GT(exchanges, 0);
    EXPECT_EQ(levels, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

// Refused draws change nothing: fewer than 6 participants, a round already
// holding groups, a round beyond 40.
TEST(Draw, RefusalsChangeNothing)
{
    Contest c;
    buildField(c, 7, 2, 3);
    c.findPilot(2)->participation = 0;
    c.findPilot(5)->participation = 0;
    auto file = serializeContest(c);
    DrawSettings settings;
    settings.attempts = -5;
    RandomSource random(11);
    int seeded = 0;
    EXPECT_EQ(LancerTirage(c, 1, settings, random, [&] { return ++seeded; }), DrawStatus::TooFewParticipants);
    EXPECT_EQ(serializeContest(c), file);
    EXPECT_EQ(c.groupCount[1], 0);
    EXPECT_EQ(seeded, 0);
    EXPECT_EQ(random.state(), 11u);
    EXPECT_EQ(settings.attempts, -5);

    c.findPilot(2)->participation = kParticipating;
    settings.attempts = kMaxAttempts;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(1)), DrawStatus::Drawn);
    file = serializeContest(c);
    EXPECT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(2)), DrawStatus::Impossible);
    EXPECT_EQ(LancerTirage(c, 41, settings, random, fixedSeed(2)), DrawStatus::Impossible);
    EXPECT_EQ(serializeContest(c), file);
}

TEST(Draw, OpenersOfTheLastRoundNeverOpenAgain)
{
    for (uint64_t seed = 0; seed < 40; ++seed) {
        Contest c;
        for (int n = 1; n <= 6; ++n)
            addPilot(c, n, {.frequency1 = k24GHzFrequency});
        DrawSettings settings;
        RandomSource random;
        ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(seed)), DrawStatus::Drawn);
        accept(c, 1);
        const int32_t speed = record(c, 1, 11, kTaskSpeed)->slots[0].pilotNumber;
        const int32_t duration = record(c, 1, 11, kTaskDuration)->slots[0].pilotNumber;
        ASSERT_EQ(LancerTirage(c, 2, settings, random, fixedSeed(seed + 1000)), DrawStatus::Drawn);
        EXPECT_EQ(settings.openers, (std::array{speed, duration}));
        for (int task : {kTaskSpeed, kTaskDuration}) {
            const int32_t first = record(c, 2, 11, task)->slots[0].pilotNumber;
            EXPECT_NE(first, speed);
            EXPECT_NE(first, duration);
        }
    }
}

TEST(Draw, SameStartsCopyTheSpeedGroups)
{
    Contest c;
    buildField(c, 30, 4, 9);
    DrawSettings settings;
    settings.sameStartOrder = true;
    RandomSource random;
    DrawTrace trace;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(5), &trace), DrawStatus::Drawn);
    EXPECT_EQ(trace.durationRuns, 0);
    std::set<int32_t> everyone;
    for (int n = 1; n <= 30; ++n)
        everyone.insert(n);
    checkDrawnRound(c, 1, everyone, trace, true, settings.openers);
    // The duration slots keep the drawn mark CalculeEquipes gave them: none.
    EXPECT_EQ(record(c, 1, 11, kTaskDuration)->slots[0].filled, 0);
    EXPECT_EQ(record(c, 1, 11, kTaskSpeed)->slots[0].filled, 99);
    accept(c, 1);
    // Both openers then come from the speed groups.
    const int32_t speedOpener = record(c, 1, 11, kTaskSpeed)->slots[0].pilotNumber;
    ASSERT_EQ(LancerTirage(c, 2, settings, random, fixedSeed(6)), DrawStatus::Drawn);
    EXPECT_EQ(settings.openers, (std::array{speedOpener, speedOpener}));
}

TEST(Draw, TowPilots)
{
    Contest c;
    for (int n = 1; n <= 22; ++n)
        addPilot(c, n, {.frequency1 = 35010 + 20 * (n % 9)});
    DrawSettings settings;
    RandomSource random;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(3)), DrawStatus::Drawn);
    for (int g = 1; g <= c.groupCount[1]; ++g)
        for (int task : {kTaskSpeed, kTaskDuration}) {
            EXPECT_EQ(record(c, 1, 10 * g, task)->slots[0].pilotNumber, kNoTowPilot);
            EXPECT_EQ(record(c, 1, 10 * g, task)->slots[0].frequency, 0);
        }

    // One tow pilot on 2.4 GHz fits every group but never two in a row.
    Contest single;
    for (int n = 1; n <= 22; ++n)
        addPilot(single, n, {.frequency1 = 35010 + 20 * (n % 9)});
    addPilot(single, 101, {.frequency1 = k24GHzFrequency});
    ASSERT_EQ(LancerTirage(single, 1, settings, random, fixedSeed(3)), DrawStatus::Drawn);
    for (int g = 1; g <= single.groupCount[1]; ++g)
        for (int task : {kTaskSpeed, kTaskDuration}) {
            const GroupSlot& tow = record(single, 1, 10 * g, task)->slots[0];
            EXPECT_EQ(tow.pilotNumber, g % 2 ? 101 : kNoTowPilot) << g;
            EXPECT_EQ(tow.frequency, g % 2 ? 2400020 : 0);
        }
}

// Competitors 1..4 share 35.010 in three groups of 3: no order exists until
// the rescue gives the two with a spare their spare.
TEST(Draw, RoundOneRescueExchangesTheMostConflicting)
{
    Contest c;
    addPilot(c, 1, {.frequency1 = 35010});
    addPilot(c, 2, {.frequency1 = 35010});
    addPilot(c, 3, {.frequency1 = 35010, .frequency2 = 72230});
    addPilot(c, 4, {.frequency1 = 35010, .frequency2 = 72270});
    addPilot(c, 5, {.frequency1 = 41000, .frequency2 = 41100}); // a spare, but no conflict
    addPilot(c, 6, {.frequency1 = 40665});
    addPilot(c, 7, {.frequency1 = 35100});
    addPilot(c, 8, {.frequency1 = 35150});
    addPilot(c, 9, {.frequency1 = k24GHzFrequency});
    DrawSettings settings;
    RandomSource random;
    DrawTrace trace;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(8), &trace), DrawStatus::Drawn);
    EXPECT_GE(trace.speedRuns, 2);
    const auto states = pilotStates(c);
    EXPECT_EQ(states.at(3), (PilotState{72230, 35010, 1}));
    EXPECT_EQ(states.at(4), (PilotState{72270, 35010, 1}));
    EXPECT_EQ(states.at(5), (PilotState{41000, 41100, 0}));
    for (int task : {kTaskSpeed, kTaskDuration})
        for (int n = 1; n <= 9; ++n) {
            const SlotRef slot = c.findGroupOf(1, n, task);
            ASSERT_TRUE(slot);
            EXPECT_EQ(slot.group->slots[slot.slot].onFrequency2, n == 3 || n == 4 ? 1 : 0) << n;
        }
    checkDrawnRound(c, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}, trace, false, settings.openers);

    // In round 2 nobody is exchanged: the same field without spares fails.
    Contest later;
    for (int n = 1; n <= 4; ++n)
        addPilot(later, n, {.frequency1 = 35010, .frequency2 = 72200 + 40 * n});
    for (int n = 5; n <= 9; ++n)
        addPilot(later, n, {.frequency1 = 41000 + 40 * n});
    later.roundPrepared[1] = 1;
    const auto before = pilotStates(later);
    EXPECT_EQ(LancerTirage(later, 2, settings, random, fixedSeed(8)), DrawStatus::Impossible);
    checkImpossible(later, 2, before);
}

// 25 competitors share 35.010 among 10 groups: one rescue of at most 20,
// the first 20 in number order, leaves 5 that fit in separate groups.
TEST(Draw, RescueTakesAtMostTwenty)
{
    Contest c;
    for (int n = 1; n <= 25; ++n)
        addPilot(c, n, {.frequency1 = 35010, .frequency2 = k24GHzFrequency});
    for (int n = 26; n <= 40; ++n)
        addPilot(c, n, {.frequency1 = k24GHzFrequency, .frequency2 = 72210});
    DrawSettings settings;
    RandomSource random;
    DrawTrace trace;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(12), &trace), DrawStatus::Drawn);
    EXPECT_EQ(trace.speedLevel, 1);
    EXPECT_EQ(trace.speedRuns, 2);
    for (const Pilot& p : c.pilots)
        EXPECT_EQ(p.exchanged, p.number <= 20 ? 1 : 0) << p.number;
}

TEST(Draw, FailedRoundOneUndoesItsExchanges)
{
    Contest c;
    for (int n = 1; n <= 4; ++n)
        addPilot(c, n, {.frequency1 = 35010, .frequency2 = 35015}); // the spare is no better
    for (int n = 5; n <= 9; ++n)
        addPilot(c, n, {.frequency1 = 41000 + 40 * n});
    c.findPilot(6)->frequency2 = 72250;
    const auto before = pilotStates(c);
    DrawSettings settings;
    RandomSource random;
    EXPECT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(8)), DrawStatus::Impossible);
    checkImpossible(c, 1, before);
    EXPECT_EQ(pilotStates(c), before);
    EXPECT_EQ(c.groupCount[1], 0);
    EXPECT_TRUE(c.groups.empty());
}

// Without attempts no pass runs: the levels fail at once, though each run of
// round 1 still exchanges. Each cluster of k+1 competitors on one channel has
// the conflict count k, so each rescue takes one cluster: ten runs nest.
TEST(Draw, NoAttemptsFailAtOnceAndTheRescueNestsTenRuns)
{
    Contest c;
    int number = 0;
    for (int cluster = 1; cluster <= 12; ++cluster)
        for (int member = 0; member <= cluster; ++member)
            addPilot(c, ++number, {.frequency1 = 35000 + 100 * cluster, .frequency2 = k24GHzFrequency});
    ASSERT_EQ(number, 90);
    const auto before = pilotStates(c);
    for (int attempts : {0, 3, -7}) {
        DrawSettings settings;
        settings.attempts = attempts;
        ASSERT_FALSE(CalculeEquipes(c, 1).empty());
        RandomSource random(99);
        DrawRun run(c, 1, settings, random);
        EXPECT_EQ(run.TirageDeparts(1, kTaskSpeed), 0);
        EXPECT_EQ(run.nesting(), 10);
        EXPECT_EQ(random.state(), 99u); // not one number drawn
        int exchanged = 0;
        for (const Pilot& p : c.pilots)
            exchanged += p.exchanged;
        EXPECT_EQ(exchanged, 13 + 12 + 11 + 10 + 9 + 8 + 7 + 6 + 5 + 4); // the ten largest clusters
        EXPECT_EQ(c.findPilot(1)->exchanged, 0);                        // cluster of 2
        EXPECT_EQ(c.findPilot(90)->exchanged, 1);                       // cluster of 13
        EXPECT_EQ(c.findPilot(90)->frequency1, k24GHzFrequency);
        c.undoExchanges();
        c.groups.clear();
        c.groupCount[1] = 0;

        DrawTrace trace;
        EXPECT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(4), &trace), DrawStatus::Impossible);
        EXPECT_EQ(trace.speedRuns, 60);
        EXPECT_EQ(settings.attempts, std::max(attempts, 0));
        EXPECT_EQ(random.state(), 4u);
        checkImpossible(c, 1, before);
        EXPECT_EQ(pilotStates(c), before);
    }
}

TEST(Draw, MissingRecordsRaiseTheFaultAndStop)
{
    Contest c;
    for (int n = 1; n <= 10; ++n)
        addPilot(c, n, {.frequency1 = k24GHzFrequency});
    DrawSettings settings;
    RandomSource random(1);
    DrawRun run(c, 1, settings, random);
    EXPECT_EQ(run.TirageDeparts(1, kTaskSpeed), 0);
    ASSERT_TRUE(c.fault());
    EXPECT_EQ(*c.fault(), "FINDEQUIPE");
    EXPECT_TRUE(run.faulted());
    const uint64_t state = random.state();
    EXPECT_EQ(run.TirageDeparts(2, kTaskSpeed), 0);
    EXPECT_EQ(random.state(), state);

    // Memory exhausted while creating the groups: alert 402, nothing left.
    Contest full;
    buildField(full, 10, 1, 2);
    std::vector<int> alerts;
    full.setAlertHandler([&](int n) { alerts.push_back(n); });
    full.failNextAllocationForTest();
    EXPECT_EQ(LancerTirage(full, 1, settings, random, fixedSeed(1)), DrawStatus::Impossible);
    EXPECT_EQ(alerts, std::vector<int>{402});
    EXPECT_TRUE(full.groups.empty());
    EXPECT_EQ(full.groupCount[1], 0);
    EXPECT_FALSE(full.fault());
}

// A draw runs the passes of the run its maker makes, or the reference below
// would prove nothing: passes that never place anyone fail every level of a
// field the draw's own passes draw at once.
TEST(Draw, TheMadeRunBringsItsOwnPasses)
{
    struct PlacingNobody : DrawRun {
        using DrawRun::DrawRun;
        int* passes = nullptr;
        bool placementPass(int) override
        {
            ++*passes;
            return false;
        }
        int pickTow(int, int) override { return -1; }
    };
    Contest c;
    for (int n = 1; n <= 10; ++n)
        addPilot(c, n, {.frequency1 = k24GHzFrequency}); // no spare: nothing to exchange
    DrawSettings settings;
    settings.attempts = 8; // two passes a run
    RandomSource random;
    ASSERT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(3)), DrawStatus::Drawn);
    c.groups.clear();
    c.groupCount[1] = 0;

    int passes = 0;
    const DrawRunMaker placingNobody = [&](Contest& contest, int round, const DrawSettings& s, RandomSource& source) {
        auto run = std::make_unique<PlacingNobody>(contest, round, s, source);
        run->passes = &passes;
        return std::unique_ptr<DrawRun>(std::move(run));
    };
    DrawTrace trace;
    EXPECT_EQ(LancerTirage(c, 1, settings, random, fixedSeed(3), &trace, placingNobody), DrawStatus::Impossible);
    EXPECT_EQ(trace.speedRuns, kDrawLevels);
    EXPECT_EQ(passes, 2 * kDrawLevels);
    EXPECT_TRUE(c.groups.empty());
}

// The draw's fast passes must draw exactly what the straightforward ones of
// the reference draw: same groups, frequencies, exchanges, generator state.
TEST(Draw, FastAndStraightforwardDrawTheSame)
{
    struct Case {
        int competitors, towPilots, attempts;
        bool oneChannel, crowded;
    };
    std::vector<Case> cases;
    for (int i = 0; i < 16; ++i)
        cases.push_back({6 + (i * 41) % 93, std::array{0, 1, 2, 10}[i % 4], 8000, false, false});
    for (int i = 0; i < 24; ++i)
        cases.push_back({6 + (i * 29) % 93, std::array{0, 1, 2, 10}[i % 4], 400, false, true});
    // Everyone on one channel, each with a different spare: every level fails
    // (fewer attempts than the real worst case to keep the test short).
    cases.push_back({98, 10, 40, true, false});
    cases.push_back({60, 1, 200, true, false});
    cases.push_back({30, 0, 400, true, false});
    uint32_t seed = 0;
    for (const Case& k : cases) {
        ++seed;
        SCOPED_TRACE(testing::Message() << k.competitors << " competitors, seed " << seed);
        Contest results[2];
        std::array<DrawStatus, 2> status{};
        std::array<uint64_t, 2> state{};
        std::array<DrawTrace, 2> traces{};
        std::array<DrawSettings, 2> settings{};
        for (int m = 0; m < 2; ++m) {
            Contest& c = results[m];
            if (k.oneChannel) {
                for (int n = 1; n <= k.competitors; ++n)
                    addPilot(c, n, {.frequency1 = 35010, .frequency2 = 35010 + n});
                for (int t = 0; t < k.towPilots; ++t)
                    addPilot(c, 101 + t, {.frequency1 = 35050 + 25 * t});
            } else {
                buildField(c, k.competitors, k.towPilots, seed, k.crowded);
            }
            settings[m].attempts = k.attempts;
            RandomSource random;
            for (int round = 1; round <= 2; ++round) {
                const auto seedOf = fixedSeed(seed * 7 + round);
                status[m] = m ? fixtures::referenceDraw(c, round, settings[m], random, seedOf, &traces[m])
                              : LancerTirage(c, round, settings[m], random, seedOf, &traces[m]);
                if (status[m] != DrawStatus::Drawn)
                    break;
                accept(c, round);
            }
            state[m] = random.state();
        }
        EXPECT_EQ(status[0], status[1]);
        EXPECT_EQ(state[0], state[1]);
        EXPECT_EQ(traces[0].speedRuns, traces[1].speedRuns);
        EXPECT_EQ(traces[0].speedLevel, traces[1].speedLevel);
        EXPECT_EQ(traces[0].durationLevel, traces[1].durationLevel);
        EXPECT_EQ(settings[0].openers, settings[1].openers);
        EXPECT_EQ(results[0].next24GHz, results[1].next24GHz);
        EXPECT_EQ(serializeContest(results[0]), serializeContest(results[1]));
        if (k.oneChannel && k.competitors == 98) {
            EXPECT_EQ(status[0], DrawStatus::Impossible);
        }
    }
}
