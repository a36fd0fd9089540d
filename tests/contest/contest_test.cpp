#include "contest/contest.h"

#include "support/contest_builder.h"

#include <gtest/gtest.h>

using namespace r7t;
using r7t::fixtures::addPilot;

namespace {

FlightResult* addResult(Contest& c, int32_t round, int32_t number, int32_t isReflight)
{
    FlightResult* r = c.newResult();
    r->round = round;
    r->number = number;
    r->isReflight = isReflight;
    return r;
}

StartGroup* addGroup(Contest& c, int32_t round, int32_t id, int32_t task, std::initializer_list<int32_t> members)
{
    StartGroup* g = c.newGroup();
    g->round = round;
    g->id = id;
    g->task = task;
    g->count = static_cast<int32_t>(members.size());
    int s = 0;
    for (int32_t n : members)
        g->slots[s++].pilotNumber = n;
    return g;
}

} // namespace

TEST(Contest, StartsInItsInitialState)
{
    Contest c;
    EXPECT_EQ(c.fileTag, 81245);
    EXPECT_FLOAT_EQ(c.bestSpeedTime, 1000.0f);
    EXPECT_EQ(c.next24GHz, 2400000);
    EXPECT_FALSE(c.isOpen);
    EXPECT_TRUE(c.pilots.empty() && c.groups.empty() && c.results.empty() && c.extras.empty());
}

TEST(Contest, NewRecordsAreZeroFilledAndAppendedInOrder)
{
    Contest c;
    Pilot* p = c.addPilot(5);
    EXPECT_EQ(p->participation, 99);
    EXPECT_EQ(p->number, 5);
    EXPECT_TRUE(p->name.empty());
    addPilot(c, 3);
    EXPECT_EQ(c.pilots.front().number, 5);
    EXPECT_EQ(c.pilots.back().number, 3);
    StartGroup* g = c.newGroup();
    EXPECT_EQ(*g, StartGroup{});
    EXPECT_EQ(*c.newResult(), FlightResult{});
    EXPECT_EQ(*c.newExtra(), ExtraRecord{});
}

TEST(Contest, ExhaustedMemoryAppendsNothingAndRaisesTheAlert)
{
    Contest c;
    std::vector<int> alerts;
    c.setAlertHandler([&](int n) { alerts.push_back(n); });
    c.failNextAllocationForTest();
    EXPECT_EQ(c.addPilot(1), nullptr);
    EXPECT_TRUE(c.pilots.empty());
    c.failNextAllocationForTest();
    EXPECT_EQ(c.newResult(), nullptr);
    EXPECT_TRUE(c.results.empty());
    EXPECT_EQ(alerts, (std::vector<int>{402, 402}));
    EXPECT_EQ(c.competitorCount(), 0); // nothing counted for the failed creation
    EXPECT_NE(c.addPilot(1), nullptr); // the next creation works again
}

TEST(Contest, RemovingTheOnlyRecordLeavesAnEmptyList)
{
    Contest c;
    addPilot(c, 7);
    c.removePilot(7);
    EXPECT_TRUE(c.pilots.empty());
    addPilot(c, 8);
    EXPECT_EQ(&c.pilots.front(), &c.pilots.back());
    c.removePilot(99); // no match: unchanged
    EXPECT_EQ(c.pilots.size(), 1u);
}

TEST(Contest, RemoveTakesOnlyTheFirstMatchAndKeepsTheOthersInOrder)
{
    Contest c;
    addGroup(c, 1, 10, 1, {101});
    addGroup(c, 1, 11, 1, {1, 2, 3});
    addGroup(c, 1, 10, 2, {102});
    addGroup(c, 1, 10, 1, {103}); // duplicate key (a damaged file may hold one)
    c.removeGroup(1, 10, 1);
    ASSERT_EQ(c.groups.size(), 3u);
    EXPECT_EQ(c.groups.front().id, 11);
    EXPECT_EQ(c.groups.back().slots[0].pilotNumber, 103);
}

TEST(Contest, FindResultReturnsTheLaterOfTwoRecords)
{
    Contest c;
    addResult(c, 1, 4, 0);
    FlightResult* later = addResult(c, 1, 4, 0);
    FlightResult* reflight = addResult(c, 1, 4, 1);
    EXPECT_EQ(c.findResult(1, 4, 0), later);
    EXPECT_EQ(c.findResult(1, 4, 1), reflight);
    EXPECT_EQ(c.findResult(2, 4, 0), nullptr);
}

TEST(Contest, RemoveResultClearsEveryLinkToIt)
{
    Contest c;
    StartGroup* g = addGroup(c, 1, 11, 2, {1, 2, 3});
    FlightResult* first = addResult(c, 1, 2, 0);
    FlightResult* again = addResult(c, 1, 2, 1);
    g->slots[1].result = first;
    g->slots[1].reflight = again;
    c.removeResult(1, 2, 1);
    EXPECT_EQ(g->slots[1].reflight, nullptr);
    EXPECT_EQ(g->slots[1].result, first);
    c.removeResult(1, 2, 0);
    EXPECT_EQ(g->slots[1].result, nullptr);
    EXPECT_TRUE(c.results.empty());
}

TEST(Contest, FindsGroupsAndPilotsOrRaisesTheFault)
{
    Contest c;
    addPilot(c, 12);
    StartGroup* g = addGroup(c, 2, 21, 2, {5, 12, 9, 0});
    g->count = 3; // slot 3 is not used
    std::vector<std::string> faults;
    c.setFaultHandler([&](const std::string& tag) { faults.push_back(tag); });

    EXPECT_NE(c.findPilot(12, Report::Yes), nullptr);
    EXPECT_EQ(c.findPilot(13, Report::No), nullptr);
    EXPECT_TRUE(faults.empty());
    EXPECT_EQ(c.findPilot(13, Report::Yes), nullptr);
    EXPECT_EQ(c.findGroup(2, 21, 2), g);
    EXPECT_EQ(c.findGroup(2, 21, 1), nullptr);
    EXPECT_EQ(faults, (std::vector<std::string>{"FINDPILOTE", "FINDEQUIPE"}));
    EXPECT_EQ(c.fault().value_or(""), "FINDPILOTE"); // the first one stays
    c.clearFault();
    EXPECT_FALSE(c.fault());

    SlotRef found = c.findGroupOf(2, 9, 2);
    EXPECT_EQ(found.group, g);
    EXPECT_EQ(found.slot, 2);
    EXPECT_FALSE(c.findGroupOf(2, 0, 2)); // only used slots count
    EXPECT_FALSE(c.findGroupOf(2, 9, 1));
}

TEST(Contest, CountsPresentAndPlacedCompetitors)
{
    Contest c;
    for (int n : {1, 2, 4, 6})
        addPilot(c, n);
    addPilot(c, 101);
    c.findPilot(4)->participation = 0;
    EXPECT_EQ(c.participantCount(), 3);

    addGroup(c, 1, 11, 1, {1, 2, 4});
    addGroup(c, 1, 10, 1, {101});
    addGroup(c, 1, 11, 2, {2, 6, 1});
    addGroup(c, 2, 11, 2, {6});
    EXPECT_EQ(c.placedCount(1), 4);
    EXPECT_EQ(c.placedCount(2), 1);
    EXPECT_EQ(c.placedCount(3), 0);
}

TEST(Contest, CountsFollowEveryCreationAndRemoval)
{
    Contest c;
    for (int n : {3, 100, 101, 57, 190, 0, -4})
        addPilot(c, n);
    EXPECT_EQ(c.competitorCount(), 2); // 100, 0 and -4 are neither kind
    EXPECT_EQ(c.towPilotCount(), 2);
    EXPECT_EQ(c.highestCompetitorNumber(), 57);
    c.removePilot(57);
    EXPECT_EQ(c.competitorCount(), 1);
    EXPECT_EQ(c.highestCompetitorNumber(), 3);
    c.removePilot(190);
    c.removePilot(100);
    c.removePilot(58); // absent: nothing changes
    EXPECT_EQ(c.towPilotCount(), 1);
    EXPECT_EQ(c.competitorCount(), 1);
    c.removePilot(3);
    EXPECT_EQ(c.highestCompetitorNumber(), 0);
    c.addPilot(12);
    c.clearRecords();
    EXPECT_EQ(c.competitorCount() + c.towPilotCount() + c.highestCompetitorNumber(), 0);
}

TEST(Contest, NumberKinds)
{
    EXPECT_FALSE(isCompetitorNumber(0));
    EXPECT_TRUE(isCompetitorNumber(1));
    EXPECT_TRUE(isCompetitorNumber(99));
    EXPECT_FALSE(isCompetitorNumber(100));
    EXPECT_FALSE(isTowPilotNumber(100));
    EXPECT_TRUE(isTowPilotNumber(101));
}

TEST(Contest, FreeNumberGivesTheLowestFreeNumber)
{
    Contest c;
    for (int n : {1, 2, 4})
        addPilot(c, n);
    EXPECT_EQ(c.freeNumber(false), 3);
    EXPECT_EQ(c.freeNumber(true), 101);
    for (int n = 1; n <= 90; ++n)
        if (!c.findPilot(n))
            addPilot(c, n);
    addPilot(c, 95); // above 90: not given by entry
    EXPECT_EQ(c.freeNumber(false), 0);
    for (int n = 101; n <= 190; ++n)
        addPilot(c, n);
    EXPECT_EQ(c.freeNumber(true), 0);
}

TEST(Contest, CompleteRoundsText)
{
    Contest c;
    c.updateCompleteRounds();
    EXPECT_EQ(c.completeRoundsText, "-");
    EXPECT_EQ(c.completeRoundCount, 0);
    c.roundComplete[1] = c.roundComplete[2] = c.roundComplete[4] = 1;
    c.roundComplete[40] = 1;
    c.updateCompleteRounds();
    EXPECT_EQ(c.completeRoundsText, "-1-2-4-40-");
    EXPECT_EQ(c.completeRoundCount, 4);
    EXPECT_EQ(c.lastCompleteRound, 40);
}

TEST(Contest, BackupPathReplacesTheExtensionOfTheFileNameOnly)
{
    EXPECT_EQ(backupPathFor("/data/R7T_06_12_26.r7s"), "/data/R7T_06_12_26.bak");
    EXPECT_EQ(backupPathFor("/data/concours"), "/data/concours.bak");
    EXPECT_EQ(backupPathFor("/data/v1.2/concours"), "/data/v1.2/concours.bak");
    EXPECT_EQ(backupPathFor("C:\\Concours.2026\\finale"), "C:\\Concours.2026\\finale.bak");
    EXPECT_EQ(backupPathFor("a.b.r7s"), "a.b.bak");
    Contest c;
    c.setPath("/x/y.r7s");
    EXPECT_EQ(c.backupPath, "/x/y.bak");
}

TEST(Contest, PasswordKeepsTwelveCharactersAndMatchesExactly)
{
    Contest c;
    setPassword(c, "abcdefghijklmno"); // 15 typed
    EXPECT_EQ(c.password.raw(), "abcdefghijkl");
    EXPECT_TRUE(passwordMatches(c, "abcdefghijklmno"));
    EXPECT_TRUE(passwordMatches(c, "abcdefghijkl"));
    EXPECT_FALSE(passwordMatches(c, "ABCDEFGHIJKL"));
    EXPECT_FALSE(passwordMatches(c, "abcdefghijk"));
    setPassword(c, "été");
    EXPECT_EQ(c.password.raw(), "\xE9t\xE9");
    EXPECT_TRUE(passwordMatches(c, "été"));
    setPassword(c, "");
    EXPECT_TRUE(c.password.empty());
}
