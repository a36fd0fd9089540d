#include "support/cli_run.h"
#include "ranking/ranking.h"

#include "cli/command.h"
#include "contest/contest_file.h"
#include "ranking/ranking_lines.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::ScoredContest;

namespace {

// Competitors 1..count, each round one or more groups of them, speed only
// (durations void), so a round total is the speed points: the speed time
// of competitor n in round r is given by time(r, n).
template <typename Time>
void speedOnlyContest(ScoredContest& s, int count, int rounds, Time time)
{
    for (int n = 1; n <= count; ++n)
        s.competitor(n);
    for (int r = 1; r <= rounds; ++r) {
        std::vector<std::vector<int>> groups;
        for (int n = 1; n <= count; ++n) {
            if ((n - 1) % 4 == 0)
                groups.emplace_back();
            groups.back().push_back(n);
        }
        s.round(r, groups);
        for (int n = 1; n <= count; ++n)
            s.flight(r, n, time(r, n), 0).durationVoid = 1;
    }
    s.evaluate();
}

int discardedCount(const OverallRanking& ranking, int number)
{
    int count = 0;
    for (int r = 1; r <= ranking.lastRound; ++r)
        count += ranking.score(number, r).discarded;
    return count;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(RoundRanking, LinesSortedByTotalWithTiesInGroupOrder)
{
    ScoredContest s;
    for (int n : {3, 7, 12, 20})
        s.competitor(n);
    s.round(1, {{3, 7}, {12, 20}});
    s.flight(1, 3, 400, 300);
    FlightResult& seven = s.flight(1, 7, 250, 300);
    seven.landingTarget = 1;
    seven.glider = 2;
    s.flight(1, 12, 400, 300); // ties with 3, later group
    s.flight(1, 20, 0, 0).durationVoid = 1;
    s.reflight(1, 20, 100);
    s.evaluate();

    const std::vector<std::string> lines = roundRankingLines(rankRound(s.contest, 1));
    const std::vector<std::string> expected = {
        "Rg\t N°\tVitesse\t(G) Durée\t\tTotal",
        "  1\t 7 |\t25.0\t1000.00 |\t(1) 5.00\t1000.00 |\t2000.00  PL2",
        "  2\t12 |\t40.0\t 625.00 |\t(2) 5.00\t1000.00 |\t1625.00  PL1",
        "  3\t 3 |\t40.0\t 625.00 |\t(1) 5.00\t 937.00 |\t1562.00  PL1",
        "  4\t20 |\t 0.0\t   0.00 |\t(2) 1.40\t1000.00 |\t1000.00  PL1",
    };
    // 12 leads its own group: 1625 comes before 3's 1562.
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(roundRankingLineNumber(lines[2]), 12);

    // Equal totals keep group and slot order: 3 landing on target now
    // scores 1000 + 625, as 12 does in the next group.
    s.slot(1, 3).result->landingTarget = 1;
    const std::vector<RoundScore> tied = rankRound(s.contest, 1);
    ASSERT_EQ(tied.size(), 4u);
    EXPECT_EQ(tied[0].number, 7);
    EXPECT_EQ(tied[1].number, 3);
    EXPECT_EQ(tied[2].number, 12);
    EXPECT_EQ(tied[1].total, tied[2].total);
}

TEST(OverallRanking, FinalDiscardCountsFollowTheCompleteRounds)
{
    EXPECT_EQ(finalDiscardCount(1), 0);
    EXPECT_EQ(finalDiscardCount(4), 1);
    EXPECT_EQ(finalDiscardCount(8), 2);
    EXPECT_EQ(finalDiscardCount(40), 3);
    for (auto [rounds, discards] : {std::pair{2, 0}, {3, 1}, {5, 2}, {9, 3}}) {
        ScoredContest s;
        speedOnlyContest(s, 3, rounds, [](int r, int n) { return 200 + (r * 7 + n * 13) % 50; });
        OverallRanking ranking;
        ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
        EXPECT_EQ(ranking.selectedCount, rounds);
        EXPECT_EQ(ranking.discardCount, discards) << rounds << " rounds";
        for (int n = 1; n <= 3; ++n) {
            EXPECT_EQ(discardedCount(ranking, n), discards);
            // The discarded rounds are the lowest ones.
            float lowestKept = 1e9f, highestDropped = 0.0f;
            for (int r = 1; r <= rounds; ++r) {
                const RoundScore& sc = ranking.score(n, r);
                if (sc.discarded)
                    highestDropped = std::max(highestDropped, sc.total);
                else
                    lowestKept = std::min(lowestKept, sc.total);
            }
            EXPECT_LE(highestDropped, lowestKept);
        }
    }
}

TEST(OverallRanking, DiscardChangesRecomputeTotalsByNumber)
{
    // Competitor 1 scores 900, 700, 1000; competitor 2 1000, 1000, 750.
    ScoredContest s;
    speedOnlyContest(s, 2, 3, [](int r, int n) {
        const int times[3][2] = {{300, 270}, {300, 210}, {300, 400}};
        return times[r - 1][n - 1];
    });
    s.competitor(5, "Absent"); // registered, flew nothing
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    ASSERT_EQ(ranking.discardCount, 1);
    EXPECT_EQ(ranking.score(1, 2).discarded, 1);
    EXPECT_EQ(ranking.score(1, 1).discarded + ranking.score(1, 3).discarded, 0);
    ASSERT_EQ(ranking.totals.size(), 6u);
    EXPECT_EQ(ranking.totals[0].number, 2);
    EXPECT_EQ(ranking.totals[0].total, 2000.0f);
    EXPECT_EQ(ranking.totals[1].number, 1);
    EXPECT_EQ(ranking.totals[1].total, 1900.0f);
    EXPECT_EQ(ranking.totals[5].number, 5); // registered: listed with 0, after the
    EXPECT_EQ(ranking.totals[5].total, 0.0f); // empty entries of lower numbers

    auto numbersInOrder = [&] {
        std::vector<int> numbers;
        for (const RankedEntry& e : overallOrder(s.contest, ranking))
            numbers.push_back(e.number);
        return numbers;
    };
    EXPECT_EQ(changeDiscardCount(ranking, 0), 0);
    EXPECT_EQ(ranking.totals[0].number, 2);
    EXPECT_EQ(ranking.totals[0].total, 2750.0f);
    EXPECT_EQ(ranking.totals[1].total, 2600.0f);
    EXPECT_EQ(numbersInOrder(), (std::vector<int>{2, 1, 5}));
    EXPECT_EQ(discardedCount(ranking, 1), 0);
    // Above K - 1 the count is capped; every competitor stays listed once.
    EXPECT_EQ(changeDiscardCount(ranking, 7), 2);
    EXPECT_EQ(ranking.totals[0].total, 1000.0f);
    EXPECT_EQ(ranking.totals[1].total, 1000.0f);
    EXPECT_EQ(numbersInOrder(), (std::vector<int>{1, 2, 5})); // equal totals: number order
    EXPECT_EQ(changeDiscardCount(ranking, -4), 0);
}

TEST(OverallRanking, ChosenRoundsDiscardCapAndZeroTotals)
{
    ScoredContest s;
    speedOnlyContest(s, 3, 4, [](int r, int n) { return 200 + 10 * ((r + n) % 3); });
    s.competitor(9);
    OverallRanking ranking;
    ASSERT_EQ(openChosenRanking(s.contest, ranking, {1, 3}, 3, false), RankingStatus::Ok);
    EXPECT_EQ(ranking.selectedCount, 2);
    EXPECT_EQ(ranking.discardCount, 1); // D >= a is capped at a - 1
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(discardedCount(ranking, n), 1);
        EXPECT_EQ(ranking.score(n, 2).discarded, 0);
        EXPECT_EQ(ranking.score(n, 4).discarded, 0);
    }
    std::vector<RankedEntry> order = overallOrder(s.contest, ranking);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order.back().number, 9);
    EXPECT_EQ(order.back().rank, 4);

    ASSERT_EQ(openChosenRanking(s.contest, ranking, {2}, 0, true), RankingStatus::Ok);
    order = overallOrder(s.contest, ranking);
    EXPECT_EQ(order.size(), 3u); // 9 hidden
    // Round 2 only: competitor 1 (time 200) leads.
    EXPECT_EQ(ranking.score(1, 2).total, 1000.0f);
    EXPECT_EQ(ranking.score(1, 1).total, 0.0f); // unselected rounds stay empty

    EXPECT_EQ(openChosenRanking(s.contest, ranking, {}, 0, false), RankingStatus::NoRoundSelected);
    EXPECT_EQ(openChosenRanking(s.contest, ranking, {5}, 0, false), RankingStatus::RoundNotComplete);
    s.contest.removeResult(3, 2, 0);
    s.evaluate();
    EXPECT_EQ(openChosenRanking(s.contest, ranking, {3}, 0, false), RankingStatus::RoundNotComplete);

    ScoredContest empty;
    empty.competitor(1);
    empty.round(1, {{1}});
    empty.evaluate();
    EXPECT_EQ(openFinalRanking(empty.contest, ranking), RankingStatus::NoCompleteRound);
}

TEST(OverallRanking, NotClassifiedCompetitorsTakeNoRank)
{
    ScoredContest s;
    speedOnlyContest(s, 6, 3, [](int, int n) { return 200 + 10 * n; });
    s.contest.findPilot(2)->licence.assignUtf8("N C9");   // classified
    s.contest.findPilot(4)->licence.assignUtf8("nc-123"); // not classified
    s.contest.findPilot(5)->licence.assignUtf8("NC");     // not classified
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    auto check = [&] {
        const std::vector<RankedEntry> order = overallOrder(s.contest, ranking);
        ASSERT_EQ(order.size(), 6u);
        const int ranks[6] = {1, 2, 3, 0, 0, 4};
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(order[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(order[i].rank, ranks[i]);
        }
        const std::vector<std::string> lines = overallRankingLines(s.contest, ranking);
        EXPECT_EQ(lines[4].substr(0, 7), "NC   4 ");
        EXPECT_EQ(lines[6].substr(0, 7), " 4   6 ");
        EXPECT_EQ(overallRankingLineNumber(lines[4]), 4);
        EXPECT_EQ(overallRankingLineNumber(lines[6]), 6);
    };
    check();
    changeDiscardCount(ranking, 0);
    check();
}

TEST(OverallRanking, ListShowsAtMostTwentyFourRounds)
{
    ScoredContest s;
    speedOnlyContest(s, 2, 25, [](int, int n) { return n == 1 ? 250 : 500; });
    std::string heading24 = "Rg  N°    TOTAL  ";
    std::string line24 = " 1   1 |  24000.00 |";
    for (int r = 1; r <= 24; ++r) {
        heading24 += stringPrintf("    M %2i ", r);
        line24 += " 1000.00 ";
    }
    heading24 += "    ....";
    line24 += " ....";

    OverallRanking ranking;
    std::vector<int32_t> rounds;
    for (int r = 1; r <= 23; ++r)
        rounds.push_back(r);
    ASSERT_EQ(openChosenRanking(s.contest, ranking, rounds, 0, false), RankingStatus::Ok);
    std::vector<std::string> lines = overallRankingLines(s.contest, ranking);
    EXPECT_EQ(lines[0].find("...."), std::string::npos);
    EXPECT_EQ(lines[1].size(), 20u + 23u * 9u);

    rounds.push_back(24);
    ASSERT_EQ(openChosenRanking(s.contest, ranking, rounds, 0, false), RankingStatus::Ok);
    lines = overallRankingLines(s.contest, ranking);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], heading24);
    EXPECT_EQ(lines[1], line24);
    EXPECT_EQ(lines[2].substr(0, 29), " 2   2 |  12000.00 |  500.00 ");

    // With 25 rounds the columns and endings are the same; the total counts
    // all 25 rounds, three of them discarded.
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    lines = overallRankingLines(s.contest, ranking);
    EXPECT_EQ(lines[0], heading24);
    EXPECT_EQ(lines[1].substr(0, 20), " 1   1 |  22000.00 |");
    EXPECT_EQ(lines[1].size(), line24.size());
    EXPECT_EQ(lines[1].substr(lines[1].size() - 5), " ....");
    EXPECT_EQ(discardedCount(ranking, 1), 3);
    // The discarded rounds (equal totals: the latest ones) show in brackets.
    EXPECT_NE(lines[1].find("(1000.00)"), std::string::npos);
}

TEST(OverallRanking, BestSpeedHolders)
{
    ScoredContest s;
    for (int n = 1; n <= 4; ++n)
        s.competitor(n);
    s.round(1, {{1, 2, 3, 4}});
    s.round(2, {{1, 2, 3, 4}});
    s.flight(1, 1, 200, 300);
    s.flight(1, 2, 200, 300);
    s.reflight(1, 2, 310); // carries the same speed time
    s.flight(1, 3, 199, 300).speedVoid = 1; // a void flight never counts
    s.flight(1, 4, 0, 300);
    for (int n = 1; n <= 4; ++n)
        s.flight(2, n, 190, 300);
    s.evaluate();
    OverallRanking ranking;
    ASSERT_EQ(openChosenRanking(s.contest, ranking, {1}, 0, false), RankingStatus::Ok);
    EXPECT_EQ(ranking.bestSpeed, 200);
    EXPECT_EQ(bestSpeedLines(s.contest, ranking),
              (std::vector<std::string>{"Meilleure vitesse : 20,0 s par n° 1 - Pilote 1",
                                        "Meilleure vitesse : 20,0 s par n° 2 - Pilote 2"}));
    EXPECT_EQ(bestSpeedText(s.contest, ranking),
              "Meilleure vitesse : 20,0 s par n° 1 - Pilote 1\r\nMeilleure vitesse : 20,0 s par n° 2 - Pilote 2\r\n");

    // More than 20 holders: the first 20 in record order.
    ScoredContest many;
    for (int n = 1; n <= 24; ++n)
        many.competitor(n);
    many.round(1, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}, {17, 18, 19, 20}, {21, 22, 23, 24}});
    for (int n = 24; n >= 1; --n)
        many.flight(1, n, 255, 300);
    many.evaluate();
    ASSERT_EQ(openFinalRanking(many.contest, ranking), RankingStatus::Ok);
    EXPECT_EQ(ranking.bestSpeed, 255);
    for (size_t i = 0; i < 20; ++i)
        EXPECT_EQ(ranking.bestSpeedHolders[i], 24 - static_cast<int>(i));
    EXPECT_EQ(bestSpeedLines(many.contest, ranking).size(), 20u);
    EXPECT_EQ(bestSpeedLines(many.contest, ranking)[0], "Meilleure vitesse : 25,5 s par n° 24 - Pilote 24");
}

TEST(OverallRanking, DetailOfOneCompetitor)
{
    ScoredContest s;
    for (int n = 1; n <= 3; ++n)
        s.competitor(n, n == 3 ? "Zoé Dernière" : "");
    for (int r = 1; r <= 3; ++r)
        s.round(r, r == 2 ? std::vector<std::vector<int>>{{1, 2}} : std::vector<std::vector<int>>{{1, 2, 3}});
    s.flight(1, 1, 250, 300).landingTarget = 1;
    FlightResult& first = s.flight(1, 2, 0, 400);
    first.speedLoss = 1;
    first.landingBeyond100 = 1;
    first.durationLoss = 1;
    s.flight(1, 3, 500, 100);
    s.flight(2, 1, 250, 300);
    s.flight(2, 2, 300, 200).glider = 2;
    s.flight(3, 1, 250, 300);
    s.flight(3, 2, 250, 0).durationVoid = 1;
    s.flight(3, 3, 400, 100);
    FlightResult& again = s.reflight(3, 3, 400);
    again.landingTarget = 1;
    s.evaluate();
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    ASSERT_EQ(ranking.discardCount, 1);

    // 3 did not fly round 2 and is last: still named with his total.
    EXPECT_EQ(overallOrder(s.contest, ranking).back().number, 3);
    EXPECT_EQ(detailTitle(s.contest, ranking, 3), "Zoé Dernière - 2375.00 pts");
    const std::vector<std::string> three = detailLines(ranking, 3);
    ASSERT_EQ(three.size(), 4u);
    EXPECT_EQ(three[0], "     Vit.  PénV  Pts V      (G) Durée     Att.  PénD  Pts D   |  Total  ");
    EXPECT_EQ(three[1], "m 1  50.0    -    500.00    (1) 1.40        -     -    250.00 |   750.00  PL1");
    EXPECT_EQ(three[2], "m 2  ----           0.00        --------                 0.00 | (   0.00) PL1");
    EXPECT_EQ(three[3], "m 3  40.0    -    625.00    (1) 6.40 (R)   +20    -   1000.00 |  1625.00  PL1");

    const std::vector<std::string> two = detailLines(ranking, 2);
    EXPECT_EQ(two[1], "m 1  ----    -      0.00    (1) 6.40        -   -400   600.00 | ( 600.00) PL1");
    EXPECT_EQ(two[2], "m 2  30.0    -    833.33    (1) 3.20        -     -    666.00 |  1499.33  PL2");
    EXPECT_EQ(two[3], "m 3  25.0    -   1000.00        --------    -     -      0.00 |  1000.00  PL1");
}

TEST(RankingCommands, PrintTheListsOfTheLoadedContest)
{
    fixtures::TempDir dir;
    const std::string path = dir.file("concours.r7s");
    {
        ScoredContest s;
        speedOnlyContest(s, 5, 4, [](int r, int n) { return 200 + 17 * ((r * n) % 5); });
        s.contest.findPilot(3)->licence.assignUtf8("NC3");
        fixtures::saveContestFile(s.contest, path);
    }
    Contest loaded;
    loaded.setPath(path);
    ASSERT_EQ(RepriseFic(loaded).status, LoadStatus::Loaded);

    CliRun round = runCli({"ranking", path, "--round", "2"});
    ASSERT_EQ(round.exit, 0) << round.err;
    EXPECT_EQ(round.out, joined(roundRankingLines(rankRound(loaded, 2))));

    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(loaded, ranking), RankingStatus::Ok);
    CliRun final = runCli({"ranking", path, "--final"});
    ASSERT_EQ(final.exit, 0) << final.err;
    std::vector<std::string> expected = overallRankingLines(loaded, ranking);
    for (const std::string& line : bestSpeedLines(loaded, ranking))
        expected.push_back(line);
    EXPECT_EQ(final.out, joined(expected));
    EXPECT_NE(final.out.find("NC   3 |"), std::string::npos);
    EXPECT_NE(final.out.find("Meilleure vitesse : 20,0 s par n° "), std::string::npos);

    CliRun detail = runCli({"detail", path, "3", "--final", "--discard", "0"});
    ASSERT_EQ(detail.exit, 0) << detail.err;
    changeDiscardCount(ranking, 0);
    std::vector<std::string> detailExpected = {detailTitle(loaded, ranking, 3)};
    for (const std::string& line : detailLines(ranking, 3))
        detailExpected.push_back(line);
    EXPECT_EQ(detail.out, joined(detailExpected));

    CliRun chosen = runCli({"ranking", path, "--rounds", "4,2", "--discard", "5", "--no-zero"});
    ASSERT_EQ(chosen.exit, 0) << chosen.err;
    EXPECT_NE(chosen.out.find("    M  2     M  4 \n"), std::string::npos);
    EXPECT_NE(chosen.err.find("ramené à 1"), std::string::npos);

    // Refusals and usage errors.
    EXPECT_EQ(runCli({"ranking", path, "--round", "5"}).exit, 1);
    EXPECT_EQ(runCli({"ranking", path, "--rounds", "1,5"}).exit, 1);
    EXPECT_EQ(runCli({"ranking", path}).exit, 2);
    EXPECT_EQ(runCli({"ranking", path, "--final", "--rounds", "1"}).exit, 2);
    EXPECT_EQ(runCli({"ranking", path, "--final", "--no-zero"}).exit, 2);
    EXPECT_EQ(runCli({"ranking", path, "--rounds", "1,x"}).exit, 2);
    EXPECT_EQ(runCli({"ranking", path, "--final", "--discard", "deux"}).exit, 2);
    EXPECT_EQ(runCli({"ranking", path, "--final", "--discard", "-1"}).exit, 2);
    EXPECT_EQ(runCli({"export", path, "--rounds", "2,-1", "-o", "-"}).exit, 2);
    EXPECT_EQ(runCli({"detail", path, "42", "--final"}).exit, 1);
    EXPECT_EQ(runCli({"detail", path, "--final"}).exit, 2);

    // No complete round: string 420.
    const std::string fresh = dir.file("vide.r7s");
    {
        ScoredContest s;
        s.competitor(1);
        s.round(1, {{1}});
        s.evaluate();
        fixtures::saveContestFile(s.contest, fresh);
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ranking", fresh, "--round", "1"}, {"ranking", fresh, "--final"},
          {"detail", fresh, "1", "--rounds", "1"}, {"export", fresh, "--final", "-o", "-"}}) {
        CliRun refused = runCli(args);
        EXPECT_EQ(refused.exit, 1) << args[0];
        EXPECT_NE(refused.err.find("Aucune manche complètement saisie !"), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
}
