#include "scoring/score_rules.h"

#include "support/scored_contest.h"

#include <gtest/gtest.h>

using namespace r7t;
using r7t::fixtures::ScoredContest;

namespace {

const RoundScore& scoreOf(const std::vector<RoundScore>& scores, int number)
{
    for (const RoundScore& s : scores)
        if (s.number == number)
            return s;
    ADD_FAILURE() << "no score for " << number;
    static const RoundScore none;
    return none;
}

FlightResult flightOf(int seconds, bool onTarget = false)
{
    FlightResult f;
    f.durationTime = seconds;
    f.landingTarget = onTarget;
    return f;
}

} // namespace

TEST(ScoreRules, WorkedExampleWithTheReflightOfSeven)
{
    ScoredContest s;
    for (int n : {3, 7, 12})
        s.competitor(n);
    s.round(1, {{3, 7, 12}});
    s.flight(1, 3, 250, 300).landingTarget = 1;
    s.flight(1, 7, 400, 500);
    FlightResult& twelve = s.flight(1, 12, 0, 480);
    twelve.landingTarget = 1;
    twelve.durationLoss = 1;

    std::vector<RoundScore> scores = CalculManche(s.contest, 1);
    ASSERT_EQ(scores.size(), 3u);
    EXPECT_EQ(s.contest.roundComplete[1], 1);
    EXPECT_EQ(s.contest.findGroup(1, 11, kTaskDuration)->bestDuration, 500);
    const float expected[3][3] = {{640, 1000, 1640}, {920, 625, 1545}, {800, 0, 800}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(scores[i].round, 1);
        EXPECT_EQ(scores[i].group, 1);
        EXPECT_EQ(scores[i].position, static_cast<int>(i));
        EXPECT_EQ(scores[i].durationPoints, expected[i][0]) << scores[i].number;
        EXPECT_EQ(scores[i].speedPoints, expected[i][1]) << scores[i].number;
        EXPECT_EQ(scores[i].total, expected[i][2]) << scores[i].number;
        EXPECT_EQ(scores[i].reflightUsed, 0);
    }

    FlightResult& again = s.reflight(1, 7, 420);
    again.landingTarget = 1;
    scores = CalculManche(s.contest, 1);
    EXPECT_EQ(s.contest.findGroup(1, 11, kTaskDuration)->bestDurationReflight, 440);
    const RoundScore& seven = scoreOf(scores, 7);
    EXPECT_EQ(seven.durationPoints, 1000.0f);
    EXPECT_EQ(seven.reflightUsed, 1);
    EXPECT_EQ(seven.durationResult, &again);
    EXPECT_EQ(seven.total, 1625.0f);
    // The others are untouched by 7's re-flight.
    EXPECT_EQ(scoreOf(scores, 3).total, 1640.0f);
    EXPECT_EQ(scoreOf(scores, 12).durationPoints, 800.0f);
}

TEST(ScoreRules, DurationScoresAndPenalties)
{
    EXPECT_EQ(ScoreDuree(flightOf(480, true)), 500);
    EXPECT_EQ(ScoreDuree(flightOf(481)), 479);
    EXPECT_EQ(ScoreDuree(flightOf(900)), 60);
    EXPECT_EQ(ScoreDuree(flightOf(300)), 300); // grade 2: nothing added or taken
    EXPECT_EQ(ScoreDuree(flightOf(1000)), -40); // a long re-flight
    FlightResult voided = flightOf(400, true);
    voided.durationVoid = 1;
    EXPECT_EQ(ScoreDuree(voided), 0);

    // 150 points landed beyond 100 m: 0, not -50.
    FlightResult beyond = flightOf(150);
    beyond.landingBeyond100 = 1;
    EXPECT_EQ(PointsDuree(beyond, 1000), 0);
    FlightResult both = flightOf(480, true);
    both.landingBeyond100 = 1;
    both.durationLoss = 1;
    EXPECT_EQ(PointsDuree(both, 500), 600);
    // Integer arithmetic, truncated: 300 x 1000 / 479 = 626.3...
    EXPECT_EQ(PointsDuree(flightOf(300), 479), 626);
    // A bonus of 20 on a best score of 500 is worth 40 points.
    EXPECT_EQ(PointsDuree(flightOf(300, true), 500) - PointsDuree(flightOf(300), 500), 40);
    EXPECT_EQ(PointsDuree(flightOf(300), 0), 0);
    voided.landingBeyond100 = 1;
    EXPECT_EQ(PointsDuree(voided, 500), 0);
    EXPECT_EQ(PointsDuree(flightOf(1000), 500), 0); // negative score floors at 0
}

TEST(ScoreRules, VoidGroupLoneReflightAndSecondWave)
{
    ScoredContest s;
    for (int n = 1; n <= 7; ++n)
        s.competitor(n);
    s.round(1, {{1, 2, 3}, {4, 5, 6, 7}});
    for (int n = 1; n <= 3; ++n)
        s.flight(1, n, 300 + n, 400).durationVoid = 1;
    s.flight(1, 4, 200, 300).speedWave2 = 1; // alone in the second wave
    s.flight(1, 5, 250, 400);
    s.flight(1, 6, 250, 350);
    s.flight(1, 7, 250, 420).landingTarget = 1;
    s.reflight(1, 6, 380); // the group's only re-flight

    std::vector<RoundScore> scores = CalculManche(s.contest, 1);
    ASSERT_EQ(scores.size(), 7u);
    EXPECT_EQ(s.contest.findGroup(1, 11, kTaskDuration)->bestDuration, 0);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(scoreOf(scores, n).durationPoints, 0.0f);
    // Wave 1's best is 250 (competitor 1's 301 is slower): 250 x 1000 / 301.
    EXPECT_EQ(scoreOf(scores, 1).speedPoints, static_cast<float>(250.0 * 1000 / 301));
    EXPECT_EQ(scoreOf(scores, 4).speedPoints, 1000.0f);
    EXPECT_EQ(scoreOf(scores, 5).speedPoints, 1000.0f);

    const RoundScore& six = scoreOf(scores, 6);
    EXPECT_EQ(s.contest.findGroup(1, 21, kTaskDuration)->bestDurationReflight, 380);
    EXPECT_EQ(six.durationPoints, 1000.0f);
    EXPECT_EQ(six.reflightUsed, 1);
    EXPECT_EQ(six.group, 2);
    EXPECT_EQ(six.position, 2);
    // Group 2's best first flight is 7's 440.
    EXPECT_EQ(scoreOf(scores, 5).durationPoints, 909.0f);
}

TEST(ScoreRules, ReflightTieKeepsTheFirstFlight)
{
    ScoredContest s;
    for (int n : {1, 2, 3})
        s.competitor(n);
    s.round(1, {{1, 2, 3}});
    s.flight(1, 1, 300, 400);
    s.flight(1, 2, 300, 200);
    s.flight(1, 3, 300, 300);
    s.reflight(1, 1, 300);
    s.reflight(1, 2, 150); // 150 / 300 = 500, as 200 / 400
    std::vector<RoundScore> scores = CalculManche(s.contest, 1);
    EXPECT_EQ(scoreOf(scores, 2).durationPoints, 500.0f);
    EXPECT_EQ(scoreOf(scores, 2).reflightUsed, 0);
    EXPECT_EQ(scoreOf(scores, 2).durationResult, s.slot(1, 2).result);
    EXPECT_EQ(scoreOf(scores, 1).reflightUsed, 0);
}

TEST(ScoreRules, CompletenessOfResultsAndRounds)
{
    ScoredContest s;
    for (int n : {1, 2, 3, 4})
        s.competitor(n);
    s.round(1, {{1, 2}, {3, 4}});
    // Only group 1 is entered, and 2 without a duration yet.
    FlightResult& one = s.flight(1, 1, 300, 400);
    FlightResult& two = s.flight(1, 2, 280, 0);
    two.landingTarget = 1;
    EXPECT_EQ(ScoreComplet(s.contest, one, 1, 1), 1);
    EXPECT_EQ(ScoreComplet(s.contest, two, 1, 2), 0);
    EvalManche(s.contest, 1);
    EXPECT_EQ(s.contest.roundHasScores[1], 1);
    EXPECT_EQ(s.contest.roundComplete[1], 0);
    EXPECT_EQ(s.contest.bestSpeedTime, 300.0f); // only complete results count
    // An incomplete group keeps its references.
    EXPECT_EQ(s.contest.findGroup(1, 11, kTaskDuration)->bestDuration, 0);

    // A re-flight granted but not yet timed leaves 2 incomplete; once timed,
    // it completes the interrupted first flight.
    two.hasReflight = 1;
    FlightResult& again = s.reflight(1, 2, 0);
    EXPECT_EQ(ScoreComplet(s.contest, two, 1, 2), 0);
    again.durationTime = 200;
    EXPECT_EQ(ScoreComplet(s.contest, two, 1, 2), 1);
    // A granted re-flight whose record is gone completes nothing.
    FlightResult orphan = two;
    orphan.number = 4;
    EXPECT_EQ(ScoreComplet(s.contest, orphan, 1, 4), 0);
    {
        // Nor does a timed first flight stand for a re-flight granted after it.
        ScoredContest t;
        t.competitor(1);
        t.round(1, {{1}});
        FlightResult& first = t.flight(1, 1, 300, 400);
        FlightResult& notYet = t.reflight(1, 1, 0);
        EXPECT_EQ(ScoreComplet(t.contest, first, 1, 1), 0);
        notYet.durationTime = 350;
        EXPECT_EQ(ScoreComplet(t.contest, first, 1, 1), 1);
    }

    s.flight(1, 3, 290, 300);
    s.flight(1, 4, 0, 0).durationVoid = 1;
    EvalManche(s.contest, 1);
    EXPECT_EQ(s.contest.roundComplete[1], 1);
    EXPECT_EQ(s.contest.bestSpeedTime, 280.0f);

    // 2 gets the better of 1000 for the re-flight and 20 x 1000 / 400 = 50.
    std::vector<RoundScore> scores = CalculManche(s.contest, 1);
    EXPECT_EQ(scoreOf(scores, 2).durationPoints, 1000.0f);
    EXPECT_EQ(scoreOf(scores, 2).reflightUsed, 1);
    EXPECT_EQ(scoreOf(scores, 4).durationPoints, 0.0f);
    EXPECT_EQ(scoreOf(scores, 4).speedPoints, 0.0f);

    // The best speed time is never raised.
    two.speedTime = 500;
    EvalManche(s.contest, 1);
    EXPECT_EQ(s.contest.bestSpeedTime, 280.0f);

    // A missing first flight makes the round incomplete again.
    s.contest.removeResult(1, 3, 0);
    EvalManche(s.contest, 1);
    EXPECT_EQ(s.contest.roundComplete[1], 0);
    // Round without any result: nothing entered.
    s.round(2, {{1, 2, 3, 4}});
    EvalManche(s.contest, 2);
    EXPECT_EQ(s.contest.roundHasScores[2], 0);
    EXPECT_EQ(s.contest.roundComplete[2], 0);
}

TEST(ScoreRules, TrialMarksChangeNothingAndSpeedLossVoids)
{
    ScoredContest s;
    for (int n : {1, 2})
        s.competitor(n);
    s.round(1, {{1, 2}});
    FlightResult& one = s.flight(1, 1, 250, 400);
    FlightResult& two = s.flight(1, 2, 0, 300);
    two.speedLoss = 1; // the entry voids a speed flight that lost an element
    const std::vector<RoundScore> before = CalculManche(s.contest, 1);
    one.speedTrial = 1;
    one.durationTrial = 1;
    const std::vector<RoundScore> after = CalculManche(s.contest, 1);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i].total, after[i].total);
    EXPECT_EQ(scoreOf(after, 1).speedPoints, 1000.0f); // equal to the reference
    EXPECT_EQ(scoreOf(after, 2).speedPoints, 0.0f);
}
