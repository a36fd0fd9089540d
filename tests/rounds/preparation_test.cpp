#include "rounds/preparation.h"
#include "rounds/weighing.h"

#include "support/contest_builder.h"

#include <gtest/gtest.h>

using namespace r7t;
using r7t::fixtures::addPilot;

namespace {

struct Member {
    int32_t number;
    int32_t frequency;
};

// A drawn round: the same groups for both tasks, tow pilots by group.
void addRound(Contest& c, int round, const std::vector<std::vector<Member>>& groups,
              const std::vector<int32_t>& towPilots = {})
{
    for (int task = kTaskSpeed; task <= kTaskDuration; ++task) {
        int position = 0;
        for (size_t g = 0; g < groups.size(); ++g) {
            StartGroup* tow = c.newGroup();
            tow->id = 10 * static_cast<int32_t>(g + 1);
            tow->round = round;
            tow->task = task;
            tow->count = 1;
            tow->slots[0].pilotNumber = g < towPilots.size() ? towPilots[g] : kNoTowPilot;
            if (const Pilot* t = c.findPilot(tow->slots[0].pilotNumber))
                tow->slots[0].frequency = t->frequency1;
            tow->slots[0].filled = 99;
            StartGroup* members = c.newGroup();
            members->id = tow->id + 1;
            members->round = round;
            members->task = task;
            members->count = static_cast<int32_t>(groups[g].size());
            for (size_t s = 0; s < groups[g].size(); ++s) {
                GroupSlot& slot = members->slots[s];
                slot.pilotNumber = groups[g][s].number;
                slot.frequency = groups[g][s].frequency;
                slot.flightOrder = ++position;
                slot.filled = 99;
            }
        }
    }
    c.groupCount[round] = static_cast<int32_t>(groups.size());
}

Contest& sixCompetitors(Contest& c)
{
    const int32_t f[] = {35010, 35050, 35090, 35130, 35170, 35210};
    for (int n = 1; n <= 6; ++n)
        addPilot(c, n, {.name = "Pilote " + std::to_string(n), .frequency1 = f[n - 1]});
    return c;
}

GroupSlot& slotOf(Contest& c, int round, int32_t number, int task = kTaskDuration)
{
    SlotRef s = c.findGroupOf(round, number, task);
    EXPECT_TRUE(s);
    return s.group->slots[s.slot];
}

} // namespace

TEST(WatchMarks, ConsecutiveGroupsCloserThan20kHzShareALetter)
{
    for (int32_t gap : {15, 5}) {
        Contest c;
        sixCompetitors(c);
        // Competitor 3 ends group 1, competitor 4 opens group 2, gap kHz apart.
        addRound(c, 1, {{{1, 35010}, {2, 35050}, {3, 35090}}, {{4, 35090 + gap}, {5, 35170}, {6, 35210}}});
        auto lines = updateRoundList(c, 1, kTaskDuration);
        EXPECT_EQ(slotOf(c, 1, 3).watchLetters.raw(), "a ");
        EXPECT_EQ(slotOf(c, 1, 4).watchLetters.raw(), "A ");
        EXPECT_EQ(slotOf(c, 1, 3).watchLevel, 0);
        EXPECT_EQ(slotOf(c, 1, 4).watchLevel, gap < 10 ? 2 : 1);
        ASSERT_EQ(lines.size(), 9u);
        EXPECT_EQ(lines[4].text, "03 - 35.090\t(03) - Pilote 3   \t<---  a ");
        EXPECT_EQ(lines[4].mark, LineMark::Vide);
        EXPECT_EQ(lines[6].mark, gap < 10 ? LineMark::FeuRouge : LineMark::FeuOrange);
        EXPECT_EQ(lines[7].text, "05 - 35.170\t(05) - Pilote 5   ");
    }
}

TEST(WatchMarks, LettersRunOnAndAFullSlotDropsFurtherMarks)
{
    Contest c;
    for (int n = 1; n <= 8; ++n)
        addPilot(c, n, {.name = "P" + std::to_string(n), .frequency1 = 35010});
    // Everybody on one channel: every pair of neighbours is marked.
    addRound(c, 1, {{{1, 35010}, {2, 35010}, {3, 35010}, {4, 35010}}, {{5, 35010}, {6, 35010}, {7, 35010}, {8, 35010}}});
    computeWatchMarks(c, 1, kTaskSpeed);
    GroupSlot& first = slotOf(c, 1, 1, kTaskSpeed);
    EXPECT_EQ(first.watchLetters.raw(), "a b c "); // pairs with 2, 3, 4; 5..8 dropped
    EXPECT_EQ(slotOf(c, 1, 2, kTaskSpeed).watchLetters.raw(), "A h i ");
    EXPECT_EQ(first.filled, 99);                   // nothing else in the slot overwritten
    EXPECT_EQ(first.flightOrder, 1);
    EXPECT_EQ(slotOf(c, 1, 5, kTaskSpeed).watchLevel, 2);
    // The duration list of the same round is not touched by the speed list.
    EXPECT_TRUE(slotOf(c, 1, 1, kTaskDuration).watchLetters.empty());

    // Rebuilding starts again from empty texts: the same result.
    computeWatchMarks(c, 1, kTaskSpeed);
    EXPECT_EQ(first.watchLetters.raw(), "a b c ");
}

TEST(RoundLists, HeadersNameTheTowPilotOrAwaitOne)
{
    Contest c;
    sixCompetitors(c);
    addPilot(c, 101, {.name = "Remorqueur avec un nom bien trop long", .frequency1 = 41000});
    addRound(c, 2, {{{1, 35010}, {2, 35050}, {3, 35090}}, {{4, 35130}, {5, 35170}, {6, 35210}}}, {101});
    Pilot* exchanged = c.findPilot(2);
    exchanged->exchanged = 1;
    slotOf(c, 2, 5).onFrequency2 = 1;

    auto speed = updateRoundList(c, 2, kTaskSpeed);
    EXPECT_EQ(speed[0].text, "");
    EXPECT_EQ(speed[1].text, " Groupe 1 Vitesse ( R : Remorqueur avec un n - 41.000 ) ");
    EXPECT_EQ(speed[1].mark, LineMark::Pause);
    EXPECT_EQ(speed[3].text, "02 - 35.050.F2\t(02) - Pilote 2   "); // speed list: the pilot's flag
    EXPECT_EQ(speed[5].text, " Groupe 2 Vitesse ( R : à déterminer -  ) ");
    EXPECT_EQ(speed[7].text, "05 - 35.170\t(05) - Pilote 5   ");

    auto duration = updateRoundList(c, 2, kTaskDuration);
    EXPECT_EQ(duration[1].text, " Groupe 1 Durée ( R : Remorqueur avec un n - 41.000 ) ");
    EXPECT_EQ(duration[3].text, "02 - 35.050\t(02) - Pilote 2   ");  // duration list: the slot's flag
    EXPECT_EQ(duration[7].text, "05 - 35.170.F2\t(05) - Pilote 5   ");

    // The speed list leaves out slots without the drawn mark.
    slotOf(c, 2, 6, kTaskSpeed).filled = 0;
    EXPECT_EQ(updateRoundList(c, 2, kTaskSpeed).size(), 8u);
}

TEST(RoundLists, MissingPilotRaisesTheFault)
{
    Contest c;
    sixCompetitors(c);
    addRound(c, 1, {{{1, 35010}, {2, 35050}, {3, 35090}}, {{4, 35130}, {5, 35170}, {77, 35210}}});
    updateRoundList(c, 1, kTaskDuration);
    EXPECT_EQ(c.fault().value_or(""), "FINDPILOTE");
}

TEST(RoundPreparation, AcceptRefuseAndDelete)
{
    Contest c;
    sixCompetitors(c);
    const std::vector<std::vector<Member>> groups = {{{1, 35010}, {2, 35050}, {3, 35090}},
                                                     {{4, 35130}, {5, 35170}, {6, 35210}}};
    EXPECT_EQ(nextFreeRound(c), 1);
    for (int r = 1; r <= 3; ++r) {
        addRound(c, r, groups);
        acceptRound(c, r);
    }
    EXPECT_EQ(c.lastPreparedRound, 3);
    EXPECT_EQ(nextFreeRound(c), 4);

    // Results of round 2, one with a re-flight, and round 2 complete.
    for (int32_t n : {1, 4}) {
        FlightResult* r = c.newResult();
        r->round = 2;
        r->number = n;
        slotOf(c, 2, n).result = r;
    }
    FlightResult* again = c.newResult();
    again->round = 2;
    again->number = 4;
    again->isReflight = 1;
    slotOf(c, 2, 4).reflight = again;
    c.roundHasScores[2] = c.roundComplete[2] = 1;
    c.findPilot(3)->exchanged = 1;

    deleteRound(c, 2);
    EXPECT_EQ(c.roundPrepared[2], 0);
    EXPECT_EQ(c.roundHasScores[2], 0);
    EXPECT_EQ(c.groupCount[2], 0);
    EXPECT_TRUE(c.results.empty());
    EXPECT_EQ(c.groups.size(), 16u);
    EXPECT_EQ(c.completeRoundsText, "-");
    EXPECT_EQ(c.lastPreparedRound, 3);
    EXPECT_EQ(c.currentRound, 3);
    EXPECT_EQ(c.findPilot(3)->exchanged, 1); // deleting keeps exchanges
    EXPECT_EQ(nextFreeRound(c), 2);

    deleteRound(c, 3);
    EXPECT_EQ(c.lastPreparedRound, 1);

    auto menu = roundsMenu(c);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].id, 1001);
    EXPECT_EQ(menu[0].text, "Manche 1");
    EXPECT_TRUE(menu[1].separator);
    EXPECT_EQ(menu[2].id, 1000);
    EXPECT_EQ(menu[2].text, "Nouvelle");
}

TEST(RoundPreparation, RefusingRoundOneRestoresExchangedFrequencies)
{
    Contest c;
    sixCompetitors(c);
    Pilot* p = c.findPilot(2);
    p->frequency2 = 40665;
    std::swap(p->frequency1, p->frequency2); // exchanged by the draw
    p->exchanged = 1;
    addRound(c, 1, {{{1, 35010}, {2, 40665}, {3, 35090}}, {{4, 35130}, {5, 35170}, {6, 35210}}});
    refuseRound(c, 1);
    EXPECT_TRUE(c.groups.empty());
    EXPECT_EQ(c.groupCount[1], 0);
    EXPECT_EQ(p->frequency1, 35050);
    EXPECT_EQ(p->frequency2, 40665);
    EXPECT_EQ(p->exchanged, 0);
    EXPECT_EQ(c.currentRound, 0);

    // A refused later round leaves exchanges alone.
    p->exchanged = 1;
    addRound(c, 1, {{{1, 35010}, {2, 35050}, {3, 35090}}, {{4, 35130}, {5, 35170}, {6, 35210}}});
    acceptRound(c, 1);
    addRound(c, 2, {{{1, 35010}, {2, 35050}, {3, 35090}}, {{4, 35130}, {5, 35170}, {6, 35210}}});
    refuseRound(c, 2);
    EXPECT_EQ(p->exchanged, 1);
    EXPECT_EQ(c.currentRound, 1);
    EXPECT_EQ(c.groups.size(), 8u);
}

namespace {

Contest& roundOf(Contest& c, int competitors)
{
    std::vector<std::vector<Member>> groups(1);
    for (int n = 1; n <= competitors; ++n) {
        addPilot(c, n, {.name = "Pilote " + std::to_string(n), .frequency1 = 35000 + 20 * n});
        if (groups.back().size() == 4)
            groups.emplace_back();
        groups.back().push_back({n, 35000 + 20 * n});
    }
    addRound(c, 1, groups);
    acceptRound(c, 1);
    return c;
}

int marksOf(Contest& c, int round)
{
    int marks = 0;
    for (const StartGroup& g : c.groups)
        if (g.round == round && g.id % 10 == 1)
            for (int s = 0; s < g.usedSlots(); ++s)
                marks += g.slots[s].weighingMark >= 1;
    return marks;
}

} // namespace

TEST(Weighing, OneCompetitorInFiveRoundedUp)
{
    for (auto [competitors, expected] : {std::pair{5, 1}, {10, 2}, {11, 3}, {98, 20}}) {
        Contest c;
        roundOf(c, competitors);
        RandomSource random(20261207);
        WeighingResult first = TiragePesees(c, 1, random);
        EXPECT_TRUE(first.drawn);
        EXPECT_EQ(marksOf(c, 1), expected) << competitors;
        EXPECT_TRUE(weighingDrawMade(c, 1));
        // Every slot of the round now carries a mark: -1 or the task's mark.
        for (const StartGroup& g : c.groups) {
            if (g.id % 10 != 1)
                continue;
            for (const GroupSlot& s : g.slots)
                EXPECT_TRUE(s.weighingMark == -1 || s.weighingMark == (g.task == kTaskSpeed ? 1 : 2));
        }
        EXPECT_EQ(first.lines.front(), "");
        EXPECT_GE(first.lines.size(), 1u + (expected + 1) / 2);
        EXPECT_TRUE(std::is_sorted(first.lines.begin(), first.lines.end()));
    }
}

TEST(Weighing, TheDrawIsMadeOncePerRound)
{
    Contest c;
    roundOf(c, 40);
    RandomSource random(7);
    WeighingResult first = TiragePesees(c, 1, random);
    const uint64_t state = random.state();
    WeighingResult again = TiragePesees(c, 1, random);
    EXPECT_FALSE(again.drawn);
    EXPECT_EQ(again.lines, first.lines);
    EXPECT_EQ(random.state(), state); // no number drawn the second time
}

TEST(Weighing, LinesShowBothTasksOfOneCompetitor)
{
    Contest c;
    roundOf(c, 6);
    // The draw already made: competitor 4 weighed after both flights.
    for (StartGroup& g : c.groups)
        for (GroupSlot& s : g.slots)
            s.weighingMark = -1;
    slotOf(c, 1, 4, kTaskSpeed).weighingMark = 1;
    slotOf(c, 1, 4, kTaskDuration).weighingMark = 2;
    slotOf(c, 1, 2, kTaskDuration).weighingMark = 2;
    slotOf(c, 1, 6, kTaskSpeed).weighingMark = 1;
    RandomSource random(1);
    WeighingResult shown = TiragePesees(c, 1, random);
    EXPECT_FALSE(shown.drawn);
    ASSERT_EQ(shown.lines.size(), 4u);
    // number "%2i ", name "%-20s", the speed column, the duration column,
    // joined by two spaces.
    EXPECT_EQ(shown.lines[1], std::string(" 2 ") + "  " + "Pilote 2            " + "  " + "         " + "  " + "Durée ");
    EXPECT_EQ(shown.lines[2], std::string(" 4 ") + "  " + "Pilote 4            " + "  " + " Vitesse " + "  " + "Durée ");
    EXPECT_EQ(shown.lines[3], std::string(" 6 ") + "  " + "Pilote 6            " + "  " + " Vitesse " + "  ");
}

TEST(FlightSheets, RangeEndsNoEarlierThanItStarts)
{
    auto range = flightSheetRange("12", "5");
    EXPECT_EQ(range.firstNumber, 12);
    EXPECT_EQ(range.lastNumber, 12);
    range = flightSheetRange("1", "1234");
    EXPECT_EQ(range.lastNumber, 123);
}
