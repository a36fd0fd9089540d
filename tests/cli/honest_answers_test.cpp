#include "support/cli_run.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include <sys/resource.h>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

std::string writeContest(const TempDir& dir, int rounds)
{
    Contest c;
    fixtures::buildContest(c, {12, 3, rounds, 0});
    return fixtures::saveContestFile(c, dir.file("c.r7s"));
}

// Runs args with files limited to maxBytes: a save fails even for root.
CliRun runWithFileLimit(const std::vector<std::string>& args, rlim_t maxBytes)
{
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limited = before;
    limited.rlim_cur = maxBytes;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    CliRun run = runCli(args);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    return run;
}

} // namespace

TEST(HonestAnswers, NothingIsShownForAChangeNotSavedNorForAMissingFile)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    ASSERT_EQ(runCli({"new", path}).exit, 0);
    const std::string before = fixtures::readFile(path);

    CliRun unsaved = runWithFileLimit({"add-pilot", path, "--name", "Hélène", "--freq1", "35.01"}, 1000);
    EXPECT_EQ(unsaved.exit, 1);
    EXPECT_EQ(unsaved.out, "");
    EXPECT_NE(unsaved.err.find("enregistrement impossible"), std::string::npos) << unsaved.err;
    EXPECT_EQ(fixtures::readFile(path), before);
    EXPECT_EQ(runCli({"add-pilot", path, "--name", "Hélène", "--freq1", "35.01"}).out, "1\n");

    const std::string absent = dir.file("absent.r7s");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"add-pilot", absent, "--name", "X"}, {"scores", absent}}) {
        CliRun missing = runCli(args);
        EXPECT_EQ(missing.exit, 1);
        EXPECT_EQ(missing.err, "r7t " + args[0] + ": " + absent + ": le fichier n'existe pas\n");
    }
    EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST(HonestAnswers, DrawRefusesAnAbsentNumberThatIsNoRegisteredCompetitor)
{
    TempDir dir;
    const std::string path = writeContest(dir, 0);
    const std::string before = fixtures::readFile(path);
    for (const char* number : {"42", "101"}) {
        CliRun refused = runCli({"draw", path, "--absent", std::string("3,") + number, "--frequencies-checked"});
        EXPECT_EQ(refused.exit, 1);
        EXPECT_EQ(refused.err, std::string("r7t draw: --absent : ") + number + " n'est pas un concurrent inscrit\n");
    }
    EXPECT_EQ(fixtures::readFile(path), before);
    CliRun drawn = runCli({"draw", path, "--absent", "3", "--frequencies-checked", "--seed", "1"});
    EXPECT_EQ(drawn.exit, 0) << drawn.err;
}

TEST(HonestAnswers, DeletionsAskTheDialogsQuestionAndNeedOui)
{
    TempDir dir;
    const std::string path = writeContest(dir, 2);
    const std::string before = fixtures::readFile(path);
    const std::string question = "La suppression d'une manche entraine la perte des départs et des scores saisis.\n"
                                 "Supprimer quand même ?";

    CliRun script = runCli({"delete-round", path, "2"});
    EXPECT_EQ(script.exit, 1);
    EXPECT_EQ(script.err, "r7t delete-round: " + question + " (ajouter --yes pour répondre oui sans terminal)\n");
    for (const char* answer : {"non\n", "o\n", "", "oui oui\n"}) {
        std::istringstream terminal(answer);
        CliRun declined = runCli({"delete-round", path, "2"}, &terminal);
        EXPECT_EQ(declined.exit, 1) << answer;
        EXPECT_EQ(declined.out, "") << answer;
    }
    EXPECT_EQ(fixtures::readFile(path), before);

    std::istringstream yes("oui\n");
    CliRun asked = runCli({"delete-round", path, "2"}, &yes);
    EXPECT_EQ(asked.exit, 0) << asked.err;
    EXPECT_EQ(asked.err, question + " (oui/non) ");
    EXPECT_EQ(asked.out, "prepared rounds: -1-\n");
    EXPECT_EQ(runCli({"delete-round", path, "1", "--yes"}).out, "prepared rounds: -\n");

    // Without rounds, a competitor may go: the pilot list's question, with its name.
    Contest c;
    c.setPath(path);
    c.isOpen = true;
    ASSERT_EQ(RepriseFic(c).status, LoadStatus::Loaded);
    const std::string name = c.findPilot(4)->name.utf8();
    CliRun pilotScript = runCli({"delete-pilot", path, "4"});
    EXPECT_EQ(pilotScript.exit, 1);
    EXPECT_EQ(pilotScript.err.rfind("r7t delete-pilot: " + name + " \nSuppression définitive ?", 0), 0u)
        << pilotScript.err;
    std::istringstream pilotYes("oui\n");
    EXPECT_EQ(runCli({"delete-pilot", path, "4"}, &pilotYes).exit, 0);
    EXPECT_EQ(runCli({"delete-pilot", path, "4", "--yes"}).exit, 1); // gone: refused without a question
}
