#include "print/printed_rankings.h"

#include "support/print_fixture.h"
#include "support/scored_contest.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace r7t;
using namespace r7t::fixtures;

using Texts = std::vector<std::string>;

namespace {

// Round 1: 1 has 2000 points, 4 has 1550, 2 (void speed) and 3 (not
// classified) 1000 each. Round 2: 1, 2 and 3 fly, 4 does not.
void twoRounds(ScoredContest& s)
{
    setHeader(s.contest);
    s.competitor(1, "Jean Dupont", "L1");
    s.competitor(2, "Zoé Martin", "L2");
    s.competitor(3, "Luc Petit", "nc-3");
    s.competitor(4, "Abel Roux", "L4");
    s.round(1, {{1, 2, 3, 4}});
    s.flight(1, 1, 200, 480);
    s.flight(1, 2, 0, 480);
    s.flight(1, 3, 400, 240);
    s.flight(1, 4, 250, 360).glider = 2;
    s.round(2, {{1, 2, 3}});
    s.flight(2, 1, 200, 300);
    s.flight(2, 2, 250, 480).landingBeyond100 = 1;
    s.flight(2, 3, 300, 400);
    s.evaluate();
}

// The texts of the line at y on page 1.
Texts line(const RecordingDevice& device, int y) { return textsAt(device, 1, y); }

} // namespace

TEST(FlightTexts, ColumnsOfAFlight)
{
    FlightResult f;
    f.speedTime = 234;
    f.durationTime = 425;
    f.landingTarget = 1;
    f.glider = 2;
    RoundScore score;
    score.group = 2;
    score.durationResult = &f;
    FlightTexts t = flightTexts(score);
    EXPECT_EQ(t.speed, "23 s 4");
    EXPECT_EQ(t.duration, "(2) 7 mn 05");
    EXPECT_EQ(t.landing, "+20");
    EXPECT_EQ(t.glider, "pl2");
    EXPECT_EQ(t.speedPenalty, "");
    EXPECT_EQ(t.durationPenalty, "");

    f.speedLoss = 1;
    f.landingBeyond100 = 1;
    f.durationLoss = 1;
    score.reflightUsed = 1;
    t = flightTexts(score);
    EXPECT_EQ(t.speedPenalty, "- 200");
    EXPECT_EQ(t.durationPenalty, "- 400");
    EXPECT_EQ(t.duration, "(2) 7 mn 05 (R)");
    f.speedVoid = 1;
    f.durationVoid = 1;
    t = flightTexts(score);
    EXPECT_EQ(t.speed, "non valide");
    EXPECT_EQ(t.speedPenalty, "");
    EXPECT_EQ(t.duration, "non valide");

    const FlightTexts none = flightTexts(RoundScore{});
    EXPECT_EQ(none.speed, "non valide");
    EXPECT_EQ(none.duration, "non valide");
    EXPECT_EQ(none.landing + none.speedPenalty + none.durationPenalty + none.glider, "");
}

TEST(ImprimeManche, NineCompetitorsInRankingOrderFourLinesEach)
{
    ScoredContest s;
    setHeader(s.contest);
    for (int n = 1; n <= 9; ++n)
        s.competitor(n, "pilote " + std::to_string(n), "L" + std::to_string(n));
    s.round(1, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    for (int n = 1; n <= 9; ++n)
        s.flight(1, n, 200 + 10 * n, 200 + 20 * n);
    s.contest.findResult(1, 4, 0)->speedVoid = 1;
    s.contest.findResult(1, 4, 0)->speedTime = 0;
    s.reflight(1, 5, 420);
    s.evaluate();
    const std::vector<RoundScore> sorted = rankRound(s.contest, 1);
    ASSERT_EQ(sorted.size(), 9u);

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeManche(s.contest, engine, 1, sorted), PrintOutcome::Printed);
    EXPECT_EQ(device.pages, 1);
    EXPECT_EQ(line(device, 2 * kLine), (Texts{"Résultats   -   Manche 1"}));
    EXPECT_EQ(line(device, 4 * kLine), (Texts{"R7T V3 - Coupe d'été - Vinon - 12/06/2026"}));

    int bigNumbers = 0;
    for (size_t p = 0; p < sorted.size(); ++p) {
        const int top = (6 + 4 * static_cast<int>(p)) * kLine;
        const RoundScore& score = sorted[p];
        const Texts competitor = line(device, top);
        ASSERT_EQ(competitor.size(), 3u);
        EXPECT_EQ(competitor[0], std::to_string(p + 1));
        EXPECT_EQ(competitor[1], std::to_string(score.number));
        EXPECT_EQ(competitor[2], "PILOTE " + std::to_string(score.number) + " - L" + std::to_string(score.number));
        EXPECT_EQ(line(device, top + kLine),
                  (Texts{"Vitesse", "Pénal V", "Points V", "(Gr) Durée", "Atterro.", "Pénal D", "Points D", "Total"}));
        const Texts result = line(device, top + 2 * kLine);
        EXPECT_EQ(result.back(), stringPrintf("%7.2f     pl1", double(score.total)));
        for (const PrintEvent& e : device.texts(1))
            if (e.y == top && e.x == 15 * kUnit && e.font == (DeviceFont{"ARIAL", -200, 700}))
                ++bigNumbers;
    }
    EXPECT_EQ(bigNumbers, 9);
    // 36 body lines: the last record's rules lie on line 41.
    EXPECT_EQ(device.lines().back().y, 41 * kLine + 62);

    auto resultOf = [&](int number) {
        for (size_t p = 0; p < sorted.size(); ++p)
            if (sorted[p].number == number)
                return line(device, (8 + 4 * static_cast<int>(p)) * kLine);
        return Texts{};
    };
    const Texts voidSpeed = resultOf(4);
    EXPECT_EQ(voidSpeed[0], "non valide");
    EXPECT_EQ(voidSpeed[1], "   0.00");
    const Texts reflown = resultOf(5);
    EXPECT_EQ(reflown[2], "(2) 7 mn 00 (R)");
    // The speed column at 24 column units.
    for (const PrintEvent& e : device.texts(1))
        if (e.text == "non valide") {
            EXPECT_EQ(e.x, 24 * kUnit);
        }
}

TEST(ImprimeClassement, RanksPercentagesNotClassifiedAndDiscards)
{
    ScoredContest s;
    twoRounds(s);
    OverallRanking chosen;
    ASSERT_EQ(openChosenRanking(s.contest, chosen, {1}, 0, false), RankingStatus::Ok);

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeClassement(s.contest, engine, chosen), PrintOutcome::Printed);
    EXPECT_EQ(line(device, 2 * kLine), (Texts{"Classement  intermédiaire - 1 manches"}));
    // Five lines a competitor (one round): lines 6, 11, 16, 21.
    EXPECT_EQ(line(device, 6 * kLine), (Texts{"1", "1", "JEAN DUPONT - L1"}));
    EXPECT_EQ(line(device, 9 * kLine), (Texts{"2000.00 points", "100.0 %"}));
    EXPECT_EQ(device.findText("2000.00 points")->font, (DeviceFont{"ARIAL", -120, 700}));
    // The percentage in the Total column, at 91 column units (plus the margin).
    EXPECT_EQ(device.findText("100.0 %")->x, 101 * kUnit);
    EXPECT_EQ(line(device, 11 * kLine), (Texts{"2", "4", "ABEL ROUX - L4"}));
    EXPECT_EQ(line(device, 14 * kLine), (Texts{"1550.00 points", " 77.5 %"}));
    // 2 and 3 share 1000 points: 3 is not classified and takes no rank.
    Texts third = line(device, 16 * kLine);
    Texts fourth = line(device, 21 * kLine);
    if (third[1] == "3")
        std::swap(third, fourth);
    // Accented letters in upper case too.
    EXPECT_EQ(third, (Texts{"3", "2", "ZOÉ MARTIN - L2"}));
    EXPECT_EQ(fourth, (Texts{"NC", "3", "LUC PETIT - nc-3"}));
    EXPECT_EQ(line(device, 19 * kLine), (Texts{"1000.00 points", " 50.0 %"}));
    // The round line: "m1" in the small bold font at 15 column units.
    const Texts round = line(device, 8 * kLine + 10);
    EXPECT_EQ(round, (Texts{"   m1"}));
    EXPECT_EQ(line(device, 8 * kLine),
              (Texts{"20 s 0", "1000.00", "(1) 8 mn 00", "1000.00 ", " 2000.00      pl1"}));
    // Best speed: 1 holds 20.0 s in round 1, drawn whole at the margin.
    const PrintEvent* best = device.findText("Meilleure vitesse : 20,0 s par n° 1 - Jean Dupont");
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->x, 10 * kUnit);
    EXPECT_EQ(best->y, 26 * kLine);
    EXPECT_EQ(best->font, engine.bodyFont());
}

TEST(ImprimeClassement, FinalWithADiscardAndARoundNotFlown)
{
    ScoredContest s;
    twoRounds(s);
    OverallRanking final;
    ASSERT_EQ(openFinalRanking(s.contest, final), RankingStatus::Ok);
    ASSERT_EQ(changeDiscardCount(final, 1), 1);

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeClassement(s.contest, engine, final), PrintOutcome::Printed);
    EXPECT_EQ(line(device, 2 * kLine), (Texts{"Classement  final - 2 manches"}));
    // Four's second round: not flown, both times "non valide", no glider,
    // its zero total discarded.
    bool found = false;
    for (const PrintEvent& e : device.texts(1))
        if (cp1252ToUtf8(e.text) == "ABEL ROUX - L4") {
            const int m2 = e.y + 3 * kLine;
            EXPECT_EQ(line(device, m2), (Texts{"non valide", "   0.00", "non valide", "   0.00 ", "(   0.00)     "}));
            EXPECT_EQ(line(device, m2 + 10), (Texts{"   m2"}));
            found = true;
        }
    EXPECT_TRUE(found);
    // Every competitor has exactly one round in brackets.
    int bracketed = 0;
    for (const PrintEvent& e : device.texts(1))
        bracketed += e.text.front() == '(' && e.text.find(')') != std::string::npos && e.text.size() > 12;
    EXPECT_EQ(bracketed, 4);
    EXPECT_EQ(device.drawnOffPage, 0);
}

TEST(ImprimeClassement, ZeroTotalsLeftOutWithTheOption)
{
    ScoredContest s;
    twoRounds(s);
    OverallRanking zero;
    ASSERT_EQ(openChosenRanking(s.contest, zero, {2}, 0, true), RankingStatus::Ok);
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeClassement(s.contest, engine, zero), PrintOutcome::Printed);
    EXPECT_EQ(device.findText("ABEL ROUX - L4"), nullptr);
    EXPECT_NE(device.findText("JEAN DUPONT - L1"), nullptr);
}

TEST(ImprimeClassement, ManyRoundsPutOneCompetitorAPageWithoutOverflow)
{
    ScoredContest s;
    setHeader(s.contest);
    for (int n = 1; n <= 6; ++n)
        s.competitor(n);
    for (int r = 1; r <= 40; ++r) {
        s.round(r, {{1, 2, 3}, {4, 5, 6}});
        for (int n = 1; n <= 6; ++n)
            s.flight(r, n, 200 + n, 300 + n);
    }
    s.evaluate();
    OverallRanking final;
    ASSERT_EQ(openFinalRanking(s.contest, final), RankingStatus::Ok);
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeClassement(s.contest, engine, final), PrintOutcome::Printed);
    // 44 lines a block from line 6 against the threshold 60 - 4 - 40;
    // the 20 best-speed lines on a last page.
    EXPECT_EQ(device.pages, 7);
    EXPECT_EQ(device.texts(7).size(), 2u + 20u);
    for (const PrintEvent& e : device.texts())
        EXPECT_LT(e.y, 60 * kLine);
    EXPECT_EQ(device.drawnOffPage, 0);
}

TEST(ImprimeClassement, ALongNameIsShortenedAndTheLicenceKept)
{
    ScoredContest s;
    twoRounds(s);
    s.contest.findPilot(1)->name.assignUtf8("Wüstenhöfer " + std::string(19, 'W'));
    s.contest.findPilot(1)->licence.assignUtf8("123456789012345");
    OverallRanking chosen;
    ASSERT_EQ(openChosenRanking(s.contest, chosen, {1}, 0, false), RankingStatus::Ok);
    RecordingDevice device(3600); // the rules end at 3200
    PrintEngine engine(device);
    ASSERT_EQ(ImprimeClassement(s.contest, engine, chosen), PrintOutcome::Printed);
    const Texts competitor = line(device, 6 * kLine);
    ASSERT_EQ(competitor.size(), 3u);
    EXPECT_EQ(competitor[2].rfind("WÜSTENHÖFER WWW", 0), 0u) << competitor[2];
    EXPECT_EQ(competitor[2].substr(competitor[2].size() - 18), " - 123456789012345");
    const PrintEvent* drawn = device.findText(competitor[2]);
    ASSERT_NE(drawn, nullptr);
    EXPECT_LE(drawn->x + device.textWidth(drawn->text), 3200 - 20);
}
