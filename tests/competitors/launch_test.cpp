#include "competitors/frequency_change.h"
#include "competitors/launch.h"
#include "competitors/pilot_entry.h"

#include "support/contest_builder.h"

#include <gtest/gtest.h>

using namespace r7t;
using r7t::fixtures::addPilot;

TEST(Launch, ChoicesSetParticipationAndSettings)
{
    Contest c;
    for (int32_t n : {3, 1, 2, 4, 101})
        addPilot(c, n, {.name = "X", .frequency1 = 35010});
    c.findPilot(4)->participation = 0; // withdrawn at the previous draw
    c.findPilot(101)->participation = 7;
    LaunchSettings s = applyLaunchChoices(c, {{2, 55}, "120", true});
    EXPECT_EQ(c.findPilot(1)->participation, 99);
    EXPECT_EQ(c.findPilot(2)->participation, 0);
    EXPECT_EQ(c.findPilot(3)->participation, 99);
    EXPECT_EQ(c.findPilot(4)->participation, 99);
    EXPECT_EQ(c.findPilot(101)->participation, 7); // tow pilots are not in the list
    EXPECT_EQ(s.attempts, 120);
    EXPECT_TRUE(s.sameStartOrder);

    struct Case {
        const char* text;
        int attempts;
    };
    for (const Case& k : {Case{"8000", 8000}, {"8001", 8000}, {"99999999", 8000}, {"1234567890", 8000},
                          {"-5", 0}, {"abc", 0}, {"", 0}, {" 42x", 42}, {"3", 3}, {"+12", 12}})
        EXPECT_EQ(applyLaunchChoices(c, {{}, k.text, false}).attempts, k.attempts) << k.text;
    EXPECT_FALSE(applyLaunchChoices(c, {}).sameStartOrder);
}

TEST(Launch, LinesInNumberOrderWithWithdrawnSelected)
{
    Contest c;
    addPilot(c, 12, {.name = "DURAND", .frequency1 = 35010});
    addPilot(c, 3, {.name = "MARTIN-DE-LA-GRANDE-VALLEE", .frequency1 = 35010});
    addPilot(c, 101, {.name = "REMORQUEUR", .frequency1 = 35010});
    c.findPilot(12)->participation = 0;
    auto lines = launchLines(c);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].text, " 03  - MARTIN-DE-LA-GRANDE-VALLEE");
    EXPECT_FALSE(lines[0].selected);
    EXPECT_EQ(lines[1].text, " 12  - DURAND              ");
    EXPECT_TRUE(lines[1].selected);
}

namespace {

// Rounds 1..5 prepared, scores in rounds 1..3 only.
void fiveRoundsScoredToThree(Contest& c)
{
    fixtures::buildContest(c, {12, 3, 5, 0});
    for (int r = 4; r <= 5; ++r) {
        c.roundHasScores[r] = 0;
        c.roundComplete[r] = 0;
        c.results.remove_if([&](const FlightResult& res) { return res.round == r; });
        for (StartGroup& g : c.groups)
            for (GroupSlot& s : g.slots)
                if (g.round == r)
                    s.result = s.reflight = nullptr;
    }
    c.updateCompleteRounds();
}

size_t groupsOfRound(const Contest& c, int round)
{
    size_t n = 0;
    for (const StartGroup& g : c.groups)
        n += g.round == round;
    return n;
}

} // namespace

TEST(FrequencyChange, CancelsFromTheChosenRoundOnly)
{
    Contest c;
    fiveRoundsScoredToThree(c);
    ASSERT_EQ(c.lastPreparedRound, 5);
    EXPECT_EQ(firstCancellableRound(c), 4);
    const size_t round3Groups = groupsOfRound(c, 3);

    FrequencyChangeOutcome refused = cancelRoundsFrom(c, 3);
    EXPECT_EQ(refused.status, FrequencyChangeStatus::RoundAlreadyFlown);
    EXPECT_EQ(refused.firstCancellable, 4);
    EXPECT_EQ(c.lastPreparedRound, 5);
    EXPECT_GT(groupsOfRound(c, 5), 0u);
    EXPECT_EQ(cancelRoundsFrom(c, "abc").status, FrequencyChangeStatus::RoundAlreadyFlown);

    c.currentRound = 5;
    FrequencyChangeOutcome done = cancelRoundsFrom(c, "4");
    EXPECT_EQ(done.status, FrequencyChangeStatus::Done);
    EXPECT_EQ(done.cancelledRounds, (std::vector<int>{4, 5}));
    EXPECT_EQ(c.lastPreparedRound, 3);
    EXPECT_EQ(c.currentRound, 0);
    EXPECT_EQ(groupsOfRound(c, 4) + groupsOfRound(c, 5), 0u);
    EXPECT_EQ(groupsOfRound(c, 3), round3Groups);
    for (int r = 4; r <= 5; ++r)
        EXPECT_EQ(c.roundPrepared[r] + c.groupCount[r] + c.roundHasScores[r] + c.roundComplete[r], 0) << r;
    EXPECT_EQ(c.roundPrepared[3], 1);

    // Nothing left from round 6 on: accepted, nothing cancelled.
    EXPECT_TRUE(cancelRoundsFrom(c, 6).cancelledRounds.empty());
    EXPECT_EQ(c.lastPreparedRound, 3);
}

TEST(FrequencyChange, WithoutScoresCancelsEverythingAndClearsExchangesInPlace)
{
    Contest c;
    fixtures::buildContest(c, {12, 3, 2, 0});
    c.results.clear();
    for (StartGroup& g : c.groups)
        for (GroupSlot& s : g.slots)
            s.result = s.reflight = nullptr;
    c.roundHasScores.fill(0);
    c.roundComplete.fill(0);
    c.updateCompleteRounds();
    Pilot* p = c.findPilot(4);
    p->frequency2 = 72210;
    std::swap(p->frequency1, p->frequency2);
    p->exchanged = 1;
    const int32_t flown = p->frequency1;

    EXPECT_EQ(firstCancellableRound(c), 1);
    FrequencyChangeOutcome done = cancelRoundsFrom(c, 1);
    EXPECT_EQ(done.cancelledRounds, (std::vector<int>{1, 2}));
    EXPECT_TRUE(c.groups.empty());
    EXPECT_EQ(c.lastPreparedRound, 0);
    EXPECT_EQ(p->exchanged, 0);
    EXPECT_EQ(p->frequency1, flown); // not exchanged back
}

TEST(FrequencyChange, PersonFormFollowUpClearsTheFlagAndStoresRegisteredOrder)
{
    Contest c;
    fiveRoundsScoredToThree(c);
    Pilot* p = c.findPilot(2);
    p->frequency1 = 40685; // flown: registered frequency 2
    p->frequency2 = 35010; // registered frequency 1
    p->exchanged = 1;
    PersonForm form = personForm(*p); // filled when the form opens
    ASSERT_EQ(cancelRoundsFrom(c, 4).status, FrequencyChangeStatus::Done);
    afterFrequencyChange(c, 2);
    EXPECT_EQ(p->exchanged, 0);
    form.frequency2 = "72.21";
    ASSERT_TRUE(modifyPerson(c, 2, form, true).ok());
    EXPECT_EQ(p->frequency1, 35010);
    EXPECT_EQ(p->frequency2, 72210);
    // Rounds 1..3 are still prepared: without the frequency change the lock holds.
    form = personForm(*p);
    form.frequency2 = "72.23";
    EXPECT_EQ(modifyPerson(c, 2, form).status, EntryStatus::FrequencyLocked);
}
