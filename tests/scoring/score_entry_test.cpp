#include "support/cli_run.h"
#include "cli/command.h"
#include "contest/contest_file.h"
#include "scoring/score_entry.h"
#include "scoring/score_list.h"
#include "scoring/time_formats.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;

namespace {

// Two rounds of seven competitors (groups of 4 and 3): round 1 complete,
// round 2 drawn with no result yet.
void buildTwoRounds(Contest& c)
{
    fixtures::buildContest(c, {7, 2, 2, 0});
    for (StartGroup& g : c.groups)
        if (g.round == 2)
            for (GroupSlot& s : g.slots)
                s.result = s.reflight = nullptr;
    c.results.remove_if([](const FlightResult& r) { return r.round == 2; });
    c.roundComplete[2] = 0;
    c.roundHasScores[2] = 0;
    c.updateCompleteRounds();
}

int countResults(const Contest& c, int round, int number, int isReflight)
{
    int n = 0;
    for (const FlightResult& r : c.results)
        n += r.round == round && r.number == number && r.isReflight == isReflight;
    return n;
}

ScoreEntryFields goodFields()
{
    ScoreEntryFields f;
    f.speedText = "25.0";
    f.durationText = "5.00";
    return f;
}

ScoreEntry open(Contest& c, int round, int number)
{
    ScoreEntry e;
    EXPECT_EQ(openScoreEntry(c, round, number, false, e), EntryOpenStatus::Opened);
    return e;
}

LineMark stateOf(Contest& c, int round, int number)
{
    for (const ScoreListLine& l : scoreListLines(c, round))
        if (l.number == number)
            return l.line.mark;
    ADD_FAILURE() << "no line for " << number;
    return LineMark::Pause;
}

} // namespace

TEST(TimeFormats, SpeedTextsAreReadInDoublePrecision)
{
    EXPECT_EQ(LitVitesse("23,4"), 234); // an extended product would truncate to 233
    EXPECT_EQ(LitVitesse("23.4"), 234);
    EXPECT_EQ(LitVitesse("100"), 1000);
    EXPECT_EQ(LitVitesse("100.1"), 1001);
    EXPECT_EQ(LitVitesse("9.9"), 99);
    EXPECT_EQ(LitVitesse("-25.5"), 255);
    EXPECT_EQ(LitVitesse(" 12.34x"), 123);
    EXPECT_EQ(LitVitesse("12.36"), 123); // truncated, never rounded up
    EXPECT_EQ(LitVitesse("12.39"), 123);
    EXPECT_EQ(LitVitesse("1,2,3"), 12);
    EXPECT_EQ(LitVitesse(""), 0);
    EXPECT_EQ(LitVitesse("abc"), 0);
    EXPECT_EQ(LitVitesse("nan"), 0);
    EXPECT_EQ(LitVitesse("1e300"), INT32_MAX);
    EXPECT_EQ(LitVitesse("inf"), INT32_MAX);
}

TEST(TimeFormats, DurationTextsAndDisplays)
{
    EXPECT_EQ(LitDuree("7.05"), 425);
    EXPECT_EQ(LitDuree("7.5"), 425);
    EXPECT_EQ(LitDuree("7,50"), 470);
    EXPECT_EQ(LitDuree("8"), 480);
    EXPECT_EQ(LitDuree("15.00"), 900);
    EXPECT_EQ(LitDuree("15.01"), 901);
    EXPECT_EQ(LitDuree("1.75"), 135); // seconds are not limited to 59
    EXPECT_EQ(LitDuree("-2.10"), 130);
    EXPECT_EQ(LitDuree("0.-5"), 5);
    EXPECT_EQ(LitDuree(""), 0);
    EXPECT_EQ(LitDuree("x.30"), 30);
    EXPECT_EQ(LitDuree("99999999999"), INT32_MAX);

    EXPECT_EQ(FormatVitesse(234), "23.4");
    EXPECT_EQ(FormatVitesse(1000), "100.0");
    EXPECT_EQ(FormatVitesse(5), "0.5");
    EXPECT_EQ(FormatDuree(309), "5.09"); // the text export's too
    EXPECT_EQ(FormatDuree(425), "7.05");
    EXPECT_EQ(FormatDuree(-5), "0.-5"); // as printf, for a damaged file's value
    EXPECT_EQ(FormatDuree(900), "15.00");
    EXPECT_EQ(FormatDuree(6000), "100.00");
    for (int t : {0, 99, 234, 1000})
        EXPECT_EQ(LitVitesse(FormatVitesse(t)), t);
    for (int t : {0, 59, 425, 900, 6000})
        EXPECT_EQ(LitDuree(FormatDuree(t)), t);
}

TEST(ScoreEntry, ValiderAcceptsAndRefusesTheTimesOfTheDialog)
{
    Contest c;
    buildTwoRounds(c);
    ScoreEntry e = open(c, 2, 3);
    ASSERT_TRUE(e.isNew);
    EXPECT_FALSE(e.offersDelete());

    ScoreEntryFields f = goodFields();
    f.speedText = "100";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::nullopt);
    EXPECT_EQ(e.result->speedTime, 1000);
    EXPECT_EQ(e.result->complete, 1);

    f.speedText = "100.1";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::optional<std::string>("Valeur saisie incorrecte"));
    EXPECT_EQ(e.result->speedTime, 1001); // the record keeps what was written
    EXPECT_EQ(e.result->complete, 0);

    f.speedText = "9.9";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::optional<std::string>("Valeur saisie incorrecte"));
    f.speedVoid = true;
    f.wave2 = true;
    EXPECT_EQ(validateScoreEntry(c, e, f), std::nullopt);
    EXPECT_EQ(e.result->speedVoid, 1);
    EXPECT_EQ(e.result->speedTime, 0);
    EXPECT_EQ(e.result->speedWave2, 0); // "Vol nul " clears "Vague 2"

    f = goodFields();
    f.speedText = "23,4";
    f.speedLoss = true;
    f.speedTrial = true;
    EXPECT_EQ(validateScoreEntry(c, e, f), std::nullopt);
    EXPECT_EQ(e.result->speedVoid, 1);
    EXPECT_EQ(e.result->speedTime, 0);
    EXPECT_EQ(e.result->speedLoss, 1);
    EXPECT_EQ(e.result->speedTrial, 1);

    f = goodFields();
    f.durationText = "15.00";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::nullopt);
    EXPECT_EQ(e.result->durationTime, 900);
    f.durationText = "15.01";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::optional<std::string>("Valeur saisie incorrecte"));
    EXPECT_EQ(stateOf(c, 2, 3), LineMark::FeuTempo);

    f = goodFields();
    f.durationText = "";
    EXPECT_EQ(validateScoreEntry(c, e, f), std::nullopt); // accepted, but incomplete
    EXPECT_EQ(e.result->complete, 0);
    EXPECT_EQ(stateOf(c, 2, 3), LineMark::FeuTempo);
}

TEST(ScoreEntry, ValiderWritesEveryFieldOfTheFirstFlight)
{
    Contest c;
    buildTwoRounds(c);
    ScoreEntry e = open(c, 2, 5);
    ScoreEntryFields f = goodFields();
    f.speedText = "31,7";
    f.wave2 = true;
    f.durationText = "6.40";
    f.durationTrial = true;
    f.landing = kLandingBeyond100;
    f.durationLoss = true;
    f.glider = 2;
    ASSERT_EQ(validateScoreEntry(c, e, f), std::nullopt);

    FlightResult expected;
    expected.number = 5;
    expected.round = 2;
    expected.complete = 1;
    expected.speedTime = 317;
    expected.speedWave2 = 1;
    expected.durationTime = 400;
    expected.durationTrial = 1;
    expected.landingBeyond100 = 1;
    expected.durationLoss = 1;
    expected.glider = 2;
    EXPECT_EQ(*e.result, expected);
    SlotRef linked = c.findGroupOf(2, 5, kTaskDuration);
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked.group->slots[static_cast<size_t>(linked.slot)].result, e.result);

    // Reopening shows what was stored; a void duration keeps its loss mark.
    ScoreEntry again = open(c, 2, 5);
    EXPECT_FALSE(again.isNew);
    EXPECT_TRUE(again.offersDelete());
    ScoreEntryFields shown = shownFields(again);
    EXPECT_EQ(shown.speedText, "31.7");
    EXPECT_EQ(shown.durationText, "6.40");
    EXPECT_EQ(shown.landing, kLandingBeyond100);
    EXPECT_TRUE(shown.wave2 && shown.durationLoss && shown.durationTrial);
    EXPECT_EQ(shown.glider, 2);
    shown.durationVoid = true;
    shown.durationLoss = false;
    ASSERT_EQ(validateScoreEntry(c, again, shown), std::nullopt);
    EXPECT_EQ(again.result->durationVoid, 1);
    EXPECT_EQ(again.result->durationTime, 0);
    EXPECT_EQ(again.result->landingBeyond100, 0);
    EXPECT_EQ(again.result->durationLoss, 1);
    EXPECT_EQ(shownFields(open(c, 2, 5)).durationText, "");

    ScoreEntry ranking;
    ASSERT_EQ(openScoreEntry(c, 2, 5, true, ranking), EntryOpenStatus::Opened);
    EXPECT_FALSE(ranking.offersDelete());
}

TEST(ScoreEntry, RevolBoxCreatesAndRemovesTheReflight)
{
    Contest c;
    buildTwoRounds(c);
    ScoreEntry e = open(c, 2, 4);
    GroupSlot& slot = e.group->slots[static_cast<size_t>(e.slot)];

    ASSERT_TRUE(tickReflight(c, e));
    ASSERT_NE(e.reflight, nullptr);
    EXPECT_EQ(slot.reflight, e.reflight);
    EXPECT_EQ(e.result->hasReflight, 1);
    EXPECT_EQ(e.reflight->isReflight, 1);
    EXPECT_EQ(e.reflight->landingTarget, 1);
    EXPECT_EQ(e.reflight->number, 4);
    EXPECT_EQ(e.reflight->round, 2);

    ReflightFields rf;
    rf.durationText = "15.01"; // above the first flight's limit, fine for a re-flight
    rf.landing = kLandingOffTarget;
    EXPECT_EQ(validateReflight(*e.reflight, rf), std::nullopt);
    EXPECT_EQ(e.reflight->durationTime, 901);
    EXPECT_EQ(e.reflight->landingTarget, 0);
    rf.durationText = "100.01";
    EXPECT_EQ(validateReflight(*e.reflight, rf), std::optional<std::string>("Valeur saisie incorrecte !"));
    EXPECT_EQ(e.reflight->durationTime, 6001);
    rf.durationText = "100.00";
    EXPECT_EQ(validateReflight(*e.reflight, rf), std::nullopt);

    // A first flight without duration is completed by its re-flight, which
    // takes a copy of the speed part.
    ScoreEntryFields f = goodFields();
    f.durationText = "";
    f.speedText = "42.1";
    f.glider = 2;
    ASSERT_EQ(validateScoreEntry(c, e, f), std::nullopt);
    EXPECT_EQ(e.result->hasReflight, 1);
    EXPECT_EQ(e.reflight->speedTime, 421);
    EXPECT_EQ(e.reflight->glider, 2);
    EXPECT_EQ(e.result->complete, 1);
    EXPECT_EQ(stateOf(c, 2, 4), LineMark::FeuVert);

    ScoreEntry again = open(c, 2, 4);
    EXPECT_TRUE(again.reflightTicked);
    EXPECT_EQ(again.reflight, slot.reflight);
    EXPECT_EQ(shownReflightFields(*again.reflight).durationText, "100.00");

    // Validating the duration as void leaves the re-flight linked but unused;
    // ticking the box again starts a fresh re-flight, never a second record.
    f.durationVoid = true;
    ASSERT_EQ(validateScoreEntry(c, again, f), std::nullopt);
    EXPECT_EQ(again.result->hasReflight, 0);
    EXPECT_NE(slot.reflight, nullptr);
    ScoreEntry third = open(c, 2, 4);
    EXPECT_FALSE(third.reflightTicked);
    ASSERT_TRUE(tickReflight(c, third));
    EXPECT_EQ(countResults(c, 2, 4, 1), 1);
    EXPECT_EQ(third.reflight->durationTime, 0);

    untickReflight(c, third);
    EXPECT_EQ(countResults(c, 2, 4, 1), 0);
    EXPECT_EQ(slot.reflight, nullptr);
    EXPECT_EQ(third.result->hasReflight, 0);

    // Out of memory when ticking changes nothing.
    c.failNextAllocationForTest();
    EXPECT_FALSE(tickReflight(c, third));
    EXPECT_FALSE(third.reflightTicked);
    EXPECT_EQ(third.result->hasReflight, 0);
}

TEST(ScoreEntry, AbandonAndEffacer)
{
    Contest c;
    buildTwoRounds(c);
    const size_t before = c.results.size();
    ScoreEntry e = open(c, 2, 6);
    GroupSlot& slot = e.group->slots[static_cast<size_t>(e.slot)];
    ASSERT_TRUE(tickReflight(c, e));
    EXPECT_EQ(c.results.size(), before + 2);
    abandonScoreEntry(c, e);
    EXPECT_EQ(c.results.size(), before);
    EXPECT_EQ(slot.result, nullptr);
    EXPECT_EQ(slot.reflight, nullptr);
    EXPECT_EQ(stateOf(c, 2, 6), LineMark::Vide);

    // An existing result keeps its stored values on "Abandon".
    ScoreEntry first = open(c, 2, 6);
    ASSERT_TRUE(tickReflight(c, first));
    ASSERT_EQ(validateScoreEntry(c, first, goodFields()), std::nullopt);
    const FlightResult stored = *first.result;
    ScoreEntry second = open(c, 2, 6);
    abandonScoreEntry(c, second);
    EXPECT_EQ(*c.findResult(2, 6, 0), stored);
    EXPECT_NE(slot.reflight, nullptr);

    ScoreEntry del = open(c, 2, 6);
    EXPECT_EQ(deleteScoreQuestion(del),
              "Suppression du score de " + c.findPilot(6)->name.utf8() + " pour la manche 2.\rC'est sûr ?");
    deleteScore(c, del);
    EXPECT_EQ(slot.result, nullptr);
    EXPECT_EQ(slot.reflight, nullptr);
    EXPECT_EQ(countResults(c, 2, 6, 0) + countResults(c, 2, 6, 1), 0);
    EXPECT_EQ(c.results.size(), before);

    // A new first flight carries its key at once, so a save at any moment
    // writes a loadable file.
    ScoreEntry fresh = open(c, 2, 7);
    EXPECT_EQ(fresh.result->round, 2);
    EXPECT_EQ(fresh.result->number, 7);

    c.failNextAllocationForTest();
    ScoreEntry none;
    EXPECT_EQ(openScoreEntry(c, 2, 1, false, none), EntryOpenStatus::OutOfMemory);
    EXPECT_EQ(openScoreEntry(c, 2, 42, false, none), EntryOpenStatus::NotPlaced);
    EXPECT_EQ(openScoreEntry(c, 9, 1, false, none), EntryOpenStatus::NotPlaced);
}

TEST(ScoreList, LinesStatesAndOpeningRound)
{
    Contest c;
    buildTwoRounds(c);
    std::vector<ScoreListLine> lines = scoreListLines(c, 2);
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(lines[i].line.mark, LineMark::Vide);
        EXPECT_EQ(numberOfLine(lines[i].line.text), lines[i].number);
    }
    EXPECT_EQ(lines[0].line.text, " 01 - " + c.findPilot(1)->name.utf8());
    for (const ScoreListLine& l : scoreListLines(c, 1))
        EXPECT_EQ(l.line.mark, LineMark::FeuVert);

    EXPECT_EQ(scoreListRound(c), 2);
    c.roundComplete[2] = 1;
    EXPECT_EQ(scoreListRound(c), 2); // all complete: the last prepared round
    c.roundComplete[1] = 0;
    EXPECT_EQ(scoreListRound(c), 1);
    Contest empty;
    EXPECT_EQ(scoreListRound(empty), 0);
    EXPECT_TRUE(scoreListLines(empty, 1).empty());
    EXPECT_FALSE(empty.fault().has_value());

    // A pilot missing from the list is a fault, not a crash.
    c.removePilot(3);
    EXPECT_EQ(scoreListLines(c, 2).size(), 6u);
    EXPECT_EQ(c.fault().value_or(""), "FINDPILOTE");
}

TEST(ScoreCli, ScoreAndScoresOnAFile)
{
    fixtures::TempDir dir;
    Contest c;
    buildTwoRounds(c);
    fixtures::saveContestFile(c, dir.file("c.r7s"));
    const std::string path = c.filePath;
    const std::string name3 = c.findPilot(3)->name.utf8();

    CliRun list = runCli({"scores", path});
    ASSERT_EQ(list.exit, 0) << list.err;
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "Manche 2");
    EXPECT_NE(list.out.find("VIDE\t 03 - " + name3 + "\n"), std::string::npos);
    EXPECT_NE(runCli({"scores", path, "1"}).out.find("FEUVERT\t 03 - "), std::string::npos);

    const std::string original = fixtures::readFile(path);
    CliRun refused = runCli({"score", path, "2", "3", "--speed", "100.1", "--duration", "5.00"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find("Valeur saisie incorrecte\n"), std::string::npos);
    EXPECT_EQ(fixtures::readFile(path), original);
    CliRun refusedReflight =
        runCli({"score", path, "2", "3", "--speed", "25", "--duration", "5.00", "--reflight", "100.01"});
    EXPECT_EQ(refusedReflight.exit, 1);
    EXPECT_NE(refusedReflight.err.find("Valeur saisie incorrecte !"), std::string::npos);
    EXPECT_EQ(fixtures::readFile(path), original);

    CliRun stored = runCli({"score", path, "2", "3", "--speed", "23,4", "--duration", "7.05", "--landing", "3",
                         "--glider", "2", "--reflight", "15.01"});
    ASSERT_EQ(stored.exit, 0) << stored.err;
    EXPECT_EQ(stored.out, "FEUVERT\t 03 - " + name3 +
                              "\nVitesse : 23.4\nDurée : 7.05, A plus de 100 m\nPlaneur 2\n"
                              "Revol : 15.01, Sur cible\nScore complet\n");
    {
        Contest back;
        back.setPath(path);
        back.isOpen = true;
        ASSERT_EQ(RepriseFic(back).status, LoadStatus::Loaded);
        const FlightResult* r = back.findResult(2, 3, 0);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->speedTime, 234);
        EXPECT_EQ(r->durationTime, 425);
        EXPECT_EQ(r->landingBeyond100, 1);
        EXPECT_EQ(r->glider, 2);
        EXPECT_EQ(r->hasReflight, 1);
        ASSERT_NE(back.findResult(2, 3, 1), nullptr);
        EXPECT_EQ(back.findResult(2, 3, 1)->durationTime, 901);
        EXPECT_EQ(back.roundHasScores[2], 1);
        EXPECT_EQ(back.roundComplete[2], 0);
    }

    // With --replace and without re-flight options the re-flight is unticked.
    ASSERT_EQ(runCli({"score", path, "2", "3", "--replace", "--speed-void", "--duration", "7.05"}).exit, 0);
    {
        Contest back;
        back.setPath(path);
        back.isOpen = true;
        ASSERT_EQ(RepriseFic(back).status, LoadStatus::Loaded);
        EXPECT_EQ(back.findResult(2, 3, 1), nullptr);
        EXPECT_EQ(back.findResult(2, 3, 0)->hasReflight, 0);
    }

    // Completing every competitor completes the round.
    for (int n = 1; n <= 7; ++n)
        ASSERT_EQ(runCli({"score", path, "2", std::to_string(n), "--speed", "30", "--duration", "4.00"}).exit, 0);
    EXPECT_NE(runCli({"info", path}).out.find("complete rounds: -1-2-\n"), std::string::npos);

    CliRun deleted = runCli({"score", path, "2", "3", "--delete"});
    ASSERT_EQ(deleted.exit, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "VIDE\t 03 - " + name3 + "\n");
    EXPECT_NE(runCli({"info", path}).out.find("complete rounds: -1-\n"), std::string::npos);
    EXPECT_EQ(runCli({"score", path, "2", "3", "--delete"}).exit, 1);

    EXPECT_EQ(runCli({"score", path, "2", "42", "--speed", "30"}).exit, 1);
    CliRun unprepared = runCli({"score", path, "3", "1", "--speed", "30"});
    EXPECT_EQ(unprepared.exit, 1);
    EXPECT_EQ(unprepared.err, "r7t score: la manche 3 n'est pas préparée\n");
    EXPECT_EQ(runCli({"score", path, "2", "100", "--speed", "30"}).exit, 2); // no competitor number
    EXPECT_EQ(runCli({"scores", path, "3"}).exit, 1);
    EXPECT_EQ(runCli({"score", path, "2", "1", "--speed", "30", "--speed-void"}).exit, 2);
    EXPECT_EQ(runCli({"score", path, "2", "1", "--landing", "4"}).exit, 2);
    EXPECT_EQ(runCli({"score", path, "2", "1", "--delete", "--wave2"}).exit, 2);
    EXPECT_EQ(runCli({"score", path, "x", "1"}).exit, 2);
}
