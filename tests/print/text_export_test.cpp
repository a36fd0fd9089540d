#include "support/cli_run.h"
#include "print/text_export.h"

#include "cli/command.h"
#include "contest/contest_file.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <sys/stat.h>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::ScoredContest;

namespace {

// Three rounds of competitors 1, 2 (not classified) and 3, and 4 who flew
// nothing. Final ranking: one round discarded; 3 leads with 4000, 1 has
// 3960, 2 has 3400, 4 has 0; 1 and 3 share the best speed, 24.0 s.
void smallContest(ScoredContest& s)
{
    Contest& c = s.contest;
    c.header.title.assignUtf8("Coupe d'été");
    c.header.place.assignUtf8("Vinon");
    c.header.date.assignUtf8("12/06/2026");
    s.competitor(1, "Jean Dupont", "12345");
    s.competitor(2, "Zoé Martinez", "nc-77"); // a to z upper-cased, é kept
    s.competitor(3, "Luc Petit", "L3");
    s.competitor(4, "Absent", "A4");

    s.round(1, {{1, 2, 3}});
    s.flight(1, 1, 240, 480).landingTarget = 1;
    s.flight(1, 2, 300, 300).glider = 2;
    FlightResult& three = s.flight(1, 3, 0, 400);
    three.speedLoss = 1;
    three.landingBeyond100 = 1;

    s.round(2, {{1, 2, 3}});
    s.flight(2, 1, 260, 0).durationVoid = 1;
    s.flight(2, 2, 250, 200).glider = 2;
    s.reflight(2, 2, 420).landingTarget = 1;
    s.flight(2, 3, 250, 400);

    s.round(3, {{3, 1, 2}});
    s.flight(3, 3, 240, 300);
    s.flight(3, 1, 250, 300);
    s.flight(3, 2, 280, 150).durationLoss = 1;
    s.evaluate();
}

std::string bytes(const std::optional<std::string>& text) { return text.value_or("<none>"); }

const std::string kEquals = std::string(74, '=') + "\r\n";
const std::string kHyphens = std::string(74, '-') + "\r\n";
// Windows-1252: e acute is E9, the degree sign B0.
const std::string kColumns = "     Vit.  P\xE9nV  Pts V    |  (G) Dur\xE9" "e     Att.  P\xE9nD   Pts D  |  Total \r\n";

} // namespace

TEST(TextExport, FinalRankingFileByteForByte)
{
    ScoredContest s;
    smallContest(s);
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    ASSERT_EQ(kColumns.size(), 74u);

    const std::string expected =
        "Classement  final\r\n"
        "R7T V3 - Coupe d'\xE9t\xE9 - Vinon - 12/06/2026\r\n" +
        kEquals +
        "Rang : 1 - LUC PETIT - Dossard : 3 - Licence : L3\r\n\r\n" + kColumns + kHyphens +
        //  r  Vit.    PénV     Pts V      |  (G) Durée       Att.    PénD        Pts D      | Total       gl
        "m 1" "  ----" "      " "  " "   0.00" "  |" "  (1) 6.40    " "      " "  -200" "  " " 600.00" " | " "( 600.00)" "  " "pl1\r\n"
        "m 2" "  25.0" "      " "  " "1000.00" "  |" "  (1) 6.40    " "      " "      " "  " "1000.00" " | " " 2000.00 " "  " "pl1\r\n"
        "m 3" "  24.0" "      " "  " "1000.00" "  |" "  (1) 5.00    " "      " "      " "  " "1000.00" " | " " 2000.00 " "  " "pl1\r\n"
        "     Total : 4000.00 points   100.0 %\r\n\r\n" +
        kEquals +
        "Rang : 2 - JEAN DUPONT - Dossard : 1 - Licence : 12345\r\n\r\n" + kColumns + kHyphens +
        "m 1" "  24.0" "      " "  " "1000.00" "  |" "  (1) 8.00    " "   +20" "      " "  " "1000.00" " | " " 2000.00 " "  " "pl1\r\n"
        "m 2" "  26.0" "      " "  " " 961.54" "  |" "      ----    " "      " "      " "  " "   0.00" " | " "( 961.54)" "  " "pl1\r\n"
        "m 3" "  25.0" "      " "  " " 960.00" "  |" "  (1) 5.00    " "      " "      " "  " "1000.00" " | " " 1960.00 " "  " "pl1\r\n"
        "     Total : 3960.00 points    99.0 %\r\n\r\n" +
        kEquals +
        "Rang : NC - ZO\xE9 MARTINEZ - Dossard : 2 - Licence : nc-77\r\n\r\n" + kColumns + kHyphens +
        "m 1" "  30.0" "      " "  " " 800.00" "  |" "  (1) 5.00    " "      " "      " "  " " 600.00" " | " " 1400.00 " "  " "pl2\r\n"
        "m 2" "  25.0" "      " "  " "1000.00" "  |" "  (1) 7.00 (R)" "   +20" "      " "  " "1000.00" " | " " 2000.00 " "  " "pl2\r\n"
        "m 3" "  28.0" "      " "  " " 857.14" "  |" "  (1) 2.30    " "      " "  -200" "  " " 300.00" " | " "(1157.14)" "  " "pl1\r\n"
        "     Total : 3400.00 points    85.0 %\r\n\r\n" +
        kEquals +
        "Rang : 3 - ABSENT - Dossard : 4 - Licence : A4\r\n\r\n" + kColumns + kHyphens +
        "m 1" "  ----" "      " "  " "   0.00" "  |" "      ----    " "      " "      " "  " "   0.00" " | " "    0.00 " "  " "\r\n"
        "m 2" "  ----" "      " "  " "   0.00" "  |" "      ----    " "      " "      " "  " "   0.00" " | " "    0.00 " "  " "\r\n"
        "m 3" "  ----" "      " "  " "   0.00" "  |" "      ----    " "      " "      " "  " "   0.00" " | " "(   0.00)" "  " "\r\n"
        "     Total :    0.00 points     0.0 %\r\n\r\n" +
        kEquals +
        "Meilleure vitesse : 24,0 s par n\xB0 1 - Jean Dupont\r\n"
        "Meilleure vitesse : 24,0 s par n\xB0 3 - Luc Petit\r\n";
    EXPECT_EQ(bytes(exportText(s.contest, ranking)), expected);
}

TEST(TextExport, IntermediateRankingLeavesOutRoundsAndZeroTotals)
{
    ScoredContest s;
    smallContest(s);
    OverallRanking ranking;
    ASSERT_EQ(openChosenRanking(s.contest, ranking, {3, 1}, 0, true), RankingStatus::Ok);
    const std::string text = bytes(exportText(s.contest, ranking));
    EXPECT_EQ(text.substr(0, 27), "Classement  interm\xE9" "diaire\r\n");
    EXPECT_EQ(text.find("m 2"), std::string::npos);
    EXPECT_EQ(text.find("ABSENT"), std::string::npos);
    // Rounds 1 and 3 only: 1 leads with 3960, 3 has 2600.
    EXPECT_NE(text.find("Rang : 1 - JEAN DUPONT"), std::string::npos);
    EXPECT_NE(text.find("     Total : 2600.00 points    65.7 %\r\n"), std::string::npos);
    EXPECT_NE(text.find("Rang : 2 - LUC PETIT"), std::string::npos);

    // With the zero totals, 4 comes last and takes the next rank after NC.
    ASSERT_EQ(openChosenRanking(s.contest, ranking, {3, 1}, 0, false), RankingStatus::Ok);
    const std::string all = bytes(exportText(s.contest, ranking));
    EXPECT_LT(all.find("Rang : NC - ZO"), all.find("Rang : 3 - ABSENT"));
}

TEST(TextExport, LeaderWithoutPointsAndMissingHolder)
{
    ScoredContest s;
    s.competitor(1);
    s.competitor(2);
    s.round(1, {{1, 2}});
    for (int n : {1, 2})
        s.flight(1, n, 0, 0).durationVoid = 1;
    s.evaluate();
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    const std::string text = bytes(exportText(s.contest, ranking));
    EXPECT_NE(text.find("     Total :    0.00 points     0.0 %\r\n"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("Meilleure"), std::string::npos);

    // A best-speed holder whose pilot record is gone: the fault report, no file.
    ScoredContest gone;
    smallContest(gone);
    ASSERT_EQ(openFinalRanking(gone.contest, ranking), RankingStatus::Ok);
    gone.contest.removePilot(1);
    EXPECT_FALSE(exportText(gone.contest, ranking).has_value());
    EXPECT_EQ(gone.contest.fault().value_or(""), "FINDPILOTE");
    fixtures::TempDir dir;
    EXPECT_FALSE(ExportTexte(gone.contest, ranking, dir.file("x.txt")).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.txt")));
}

TEST(TextExport, ProposedPath)
{
    EXPECT_EQ(exportPathFor("/data/R7T_12_06_2026.r7s"), "/data/R7T_12_06_2026.txt");
    EXPECT_EQ(exportPathFor("/data/concours"), "/data/concours.txt");
    EXPECT_EQ(exportPathFor("/data/v1.2/concours"), "/data/v1.2/concours.txt");
    EXPECT_EQ(exportPathFor("a.b.r7s"), "a.b.txt");
}

TEST(TextExport, CommandWritesReplacesOnlyWithForceAndReportsFailures)
{
    fixtures::TempDir dir;
    const std::string path = dir.file("coupe.r7s");
    ScoredContest s;
    smallContest(s);
    fixtures::saveContestFile(s.contest, path);
    OverallRanking ranking;
    ASSERT_EQ(openFinalRanking(s.contest, ranking), RankingStatus::Ok);
    const std::string expected = bytes(exportText(s.contest, ranking));

    // Default: beside the contest file.
    CliRun written = runCli({"export", path, "--final"});
    ASSERT_EQ(written.exit, 0) << written.err;
    EXPECT_EQ(fixtures::readFile(dir.file("coupe.txt")), expected);

    // An existing file is replaced only with --force.
    CliRun refused = runCli({"export", path, "--rounds", "1", "-o", dir.file("coupe.txt")});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find("existe déjà"), std::string::npos);
    EXPECT_EQ(fixtures::readFile(dir.file("coupe.txt")), expected);
    CliRun forced = runCli({"export", path, "--rounds", "1", "-o", dir.file("coupe.txt"), "--force"});
    ASSERT_EQ(forced.exit, 0) << forced.err;
    EXPECT_NE(fixtures::readFile(dir.file("coupe.txt")).find("interm\xE9" "diaire"), std::string::npos);

    // To standard output, the same bytes.
    CliRun out = runCli({"export", path, "--final", "-o", "-"});
    ASSERT_EQ(out.exit, 0) << out.err;
    EXPECT_EQ(out.out, expected);
    EXPECT_EQ(runCli({"export", path, "--final", "--output", "-"}).out, expected);

    // Failed writes are reported.
    CliRun missing = runCli({"export", path, "--final", "-o", dir.file("nulle/part.txt")});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_NE(missing.err.find("écriture impossible"), std::string::npos);
    ::chmod(dir.file("coupe.txt").c_str(), 0444);
    CliRun readOnly = runCli({"export", path, "--final", "-o", dir.file("coupe.txt"), "--force"});
    EXPECT_EQ(readOnly.exit, 1);
    EXPECT_NE(readOnly.err.find("lecture seule"), std::string::npos);

    EXPECT_EQ(runCli({"export", path, "-o"}).exit, 2);
    EXPECT_EQ(runCli({"export", path, "--final", "-o"}).exit, 2);
}
