// Hostile contest files: every command answers them as it answers the
// contest they were made from, or refuses them in French, and never ends
// with the fault report. Timing is measured in bench/contest_file_bench.cpp.
#include "support/cli_run.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

// 12 competitors, 3 tow pilots, two rounds of three groups, every result.
void buildBase(Contest& c) { fixtures::buildContest(c, {12, 3, 2, 0}); }

using fixtures::appendGroup;

// The commands that only read, each with what it needs after the file,
// and the documents r7t prints, to output.
std::vector<std::vector<std::string>> readingCommands(const std::string& path, const std::string& output)
{
    return {{"info", path},
            {"pilots", path},
            {"pilots", path, "--tow"},
            {"scores", path},
            {"scores", path, "1"},
            {"scores", path, "2"},
            {"ranking", path, "--round", "1"},
            {"ranking", path, "--final"},
            {"detail", path, "5", "--final"},
            {"export", path, "--final"},
            {"print", path, "start-list", "--round", "1", "--task", "1", "--pdf", output},
            {"print", path, "round-sheet", "--round", "1", "--pdf", output},
            {"print", path, "round-results", "--round", "1", "--pdf", output},
            {"print", path, "ranking", "--final", "--pdf", output}};
}

const std::string kFaultReportStart = "Pointeur non trouvé";

} // namespace

TEST(HostileFiles, AHugeGroupIdIsDroppedAndEveryCommandAnswersAsForTheCleanContest)
{
    TempDir dir;
    Contest clean;
    buildBase(clean);
    fixtures::saveContestFile(clean, dir.file("clean.r7s"));
    Contest hostile;
    buildBase(hostile);
    // Group 214748364 of round 1: today's lists would count that many groups.
    appendGroup(hostile, 2147483641, 1, kTaskDuration, {1, 2, 3});
    const std::string path = fixtures::saveContestFile(hostile, dir.file("hostile.r7s"));
    const std::string notice = "Fichier endommagé : 1 groupe de départ que rien ne peut afficher a été ignoré";

    const std::vector<std::vector<std::string>> cleanRuns = readingCommands(clean.filePath, dir.file("clean.pdf"));
    const std::vector<std::vector<std::string>> hostileRuns = readingCommands(path, dir.file("hostile.pdf"));
    for (size_t i = 0; i < cleanRuns.size(); ++i) {
        const CliRun expected = runCli(cleanRuns[i]);
        const CliRun got = runCli(hostileRuns[i]);
        EXPECT_EQ(got.exit, expected.exit) << hostileRuns[i][0] << got.err;
        if (hostileRuns[i][0] != "print") { // a printed file names itself
            EXPECT_EQ(got.out, expected.out) << hostileRuns[i][0];
        }
        EXPECT_EQ(got.err, expected.err + "r7t " + hostileRuns[i][0] + ": " + path + ": " + notice + "\n");
    }

    // A correction and the deletion of the round work as on the clean file.
    CliRun scored = runCli({"score", path, "1", "5", "--speed", "25.0"});
    CliRun cleanScored = runCli({"score", clean.filePath, "1", "5", "--speed", "25.0"});
    EXPECT_EQ(scored.exit, 0) << scored.err;
    EXPECT_EQ(scored.out, cleanScored.out);
    EXPECT_EQ(scored.err, "r7t score: " + path + ": " + notice + " et ne sera pas réécrit\n");
    EXPECT_EQ(fixtures::readFile(path), fixtures::readFile(clean.filePath));

    // Once saved, the file holds nothing to drop any more.
    appendGroup(hostile, 2147483641, 1, kTaskDuration, {1, 2, 3});
    fixtures::saveContestFile(hostile, path);
    CliRun deleted = runCli({"delete-round", path, "1", "--yes"});
    EXPECT_EQ(deleted.exit, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "prepared rounds: -2-\n");
    EXPECT_EQ(runCli({"scores", path, "1"}).err, "r7t scores: la manche 1 n'est pas préparée\n");
    EXPECT_EQ(runCli({"scores", path, "2"}).err, "");
}

TEST(HostileFiles, SixteenThousandGroupsLeaveTheRoundThatCanBeShownAndDeleteAtOnce)
{
    TempDir dir;
    Contest c;
    fixtures::buildContest(c, {12, 3, 1, 0});
    // Groups 4 to 4003 of round 1, both tasks, tow and competitors records:
    // 16,000 records, of which groups 4 to 33 can be shown.
    for (int32_t g = 4; g <= 4003; ++g)
        for (int32_t task : {kTaskSpeed, kTaskDuration}) {
            appendGroup(c, towRecordId(g), 1, task, {101});
            appendGroup(c, competitorRecordId(g), 1, task, {1, 2, 3});
        }
    const std::string path = fixtures::saveContestFile(c, dir.file("groups.r7s"));

    CliRun listed = runCli({"scores", path, "1"});
    EXPECT_EQ(listed.exit, 0) << listed.err;
    EXPECT_EQ(listed.err, "r7t scores: " + path +
                              ": Fichier endommagé : 15880 groupes de départ que rien ne peut afficher ont été "
                              "ignorés\n");
    // The 12 competitors of groups 1 to 3, then 1, 2 and 3 again in groups 4 to 33.
    size_t lines = 0;
    for (char ch : listed.out)
        lines += ch == '\n';
    EXPECT_EQ(lines, 1u + 12 + 3 * 30);

    CliRun deleted = runCli({"delete-round", path, "1", "--yes"});
    EXPECT_EQ(deleted.exit, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "prepared rounds: -\n");
    Contest back;
    back.setPath(path);
    back.isOpen = true;
    const LoadOutcome loaded = RepriseFic(back);
    ASSERT_EQ(loaded.status, LoadStatus::Loaded);
    EXPECT_EQ(loaded.groupsDropped, 0);
    EXPECT_TRUE(back.groups.empty());
    EXPECT_TRUE(back.results.empty());
    EXPECT_EQ(back.pilots.size(), 15u);
}

TEST(HostileFiles, ResultsOfCompetitorsNotRegisteredAreRefusedInFrenchByEveryCommand)
{
    TempDir dir;
    Contest c;
    buildBase(c);
    // Competitor 5 flies both rounds and has his results, but is not registered.
    const SlotRef speedSlot = c.findGroupOf(1, 5, kTaskSpeed);
    ASSERT_TRUE(speedSlot);
    c.removePilot(5);
    const std::string path = fixtures::saveContestFile(c, dir.file("unregistered.r7s"));
    const std::string original = fixtures::readFile(path);
    const std::string refusal = path +
                                ": Le fichier choisi est incompatible ! (fichier endommagé, manche 1, vitesse, "
                                "groupe " +
                                std::to_string(groupOfId(speedSlot.group->id)) +
                                " : le concurrent 5 n'est pas inscrit)\n";

    std::vector<std::vector<std::string>> runs = readingCommands(path, dir.file("out.pdf"));
    runs.push_back({"score", path, "1", "5", "--speed", "25.0"});
    runs.push_back({"score", path, "1", "6", "--speed", "25.0"});
    runs.push_back({"delete-round", path, "1", "--yes"});
    runs.push_back({"weighing", path, "2", "--seed", "1"});
    runs.push_back({"add-pilot", path, "--name", "Nouveau", "--freq1", "35.55"});
    for (const std::vector<std::string>& args : runs) {
        const CliRun refused = runCli(args);
        EXPECT_EQ(refused.exit, 1) << args[0];
        EXPECT_EQ(refused.out, "") << args[0];
        EXPECT_EQ(refused.err, "r7t " + args[0] + ": " + refusal) << args[0];
        EXPECT_EQ(refused.err.find(kFaultReportStart), std::string::npos);
    }
    EXPECT_EQ(fixtures::readFile(path), original);
}

TEST(HostileFiles, ResultsOfCompetitorsWhoDoNotFlyTheirRoundAreDroppedWithANotice)
{
    TempDir dir;
    Contest c;
    buildBase(c);
    fixtures::saveContestFile(c, dir.file("clean.r7s"));
    const std::string clean = c.filePath;
    // Results for a registered competitor in a round nobody drew, and for a
    // number nobody has: no list, dialog or ranking can show them.
    for (auto [number, round] : {std::pair{3, 7}, std::pair{77, 1}}) {
        FlightResult* r = c.newResult();
        r->number = number;
        r->round = round;
        r->speedTime = 1; // would be the best speed of the contest
        r->complete = 1;
    }
    const std::string path = fixtures::saveContestFile(c, dir.file("orphans.r7s"));

    for (const std::vector<std::string>& options : {std::vector<std::string>{"ranking", "--final"},
                                                     std::vector<std::string>{"info"}}) {
        auto run = [&](const std::string& file) {
            std::vector<std::string> args = options;
            args.insert(args.begin() + 1, file);
            return runCli(args);
        };
        const CliRun expected = run(clean);
        const CliRun got = run(path);
        EXPECT_EQ(got.exit, 0) << got.err;
        EXPECT_EQ(got.out, expected.out);
        EXPECT_EQ(got.err, "r7t " + options[0] + ": " + path +
                               ": Fichier endommagé : 2 scores que rien ne peut afficher ont été ignorés\n");
    }

    // A copy is written without them, and says so; the file itself stays.
    const std::string before = fixtures::readFile(path);
    const CliRun copied = runCli({"copy", path, dir.file("copy.r7s")});
    EXPECT_EQ(copied.exit, 0) << copied.err;
    EXPECT_EQ(copied.err, "r7t copy: " + path +
                              ": Fichier endommagé : 2 scores que rien ne peut afficher ont été ignorés et ne seront "
                              "pas réécrits\n");
    EXPECT_EQ(fixtures::readFile(path), before);
    EXPECT_EQ(fixtures::readFile(dir.file("copy.r7s")), fixtures::readFile(clean));
}
