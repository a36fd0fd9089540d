#include "support/cli_run.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace r7t;
using fixtures::CliRun;
using fixtures::LockInChild;
using fixtures::runCli;
using fixtures::TempDir;

namespace {

constexpr int kRuns = 40;

// kRuns add-pilot runs; the number that succeeded, or -1 when a run failed
// without saying that another command held the contest.
int addPilots(const std::string& path, const std::string& who)
{
    int added = 0;
    for (int i = 0; i < kRuns; ++i) {
        const CliRun run = runCli({"add-pilot", path, "--name", who + std::to_string(i), "--freq1", "35,01"});
        if (run.exit == 0)
            ++added;
        else if (run.exit != 1 || run.err.find("modifié par une autre commande") == std::string::npos)
            return -1;
    }
    return added;
}

int registeredCount(const std::string& path)
{
    Contest c;
    c.setPath(path);
    c.isOpen = true;
    EXPECT_EQ(RepriseFic(c).status, LoadStatus::Loaded);
    return static_cast<int>(c.pilots.size());
}

} // namespace

TEST(CliLock, TwoProcessesChangingOneContestLoseNothing)
{
    TempDir dir;
    const std::string path = dir.file("coupe.r7s");
    ASSERT_EQ(runCli({"new", path}).exit, 0);

    const pid_t child = fork();
    if (child == 0) {
        const int added = addPilots(path, "Fils");
        _exit(added < 0 ? 255 : added);
    }
    const int addedHere = addPilots(path, "Parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    const int addedThere = WEXITSTATUS(status);
    ASSERT_GE(addedHere, 0) << "a refusal did not name the other command";
    ASSERT_NE(addedThere, 255) << "a refusal did not name the other command";
    EXPECT_EQ(registeredCount(path), addedHere + addedThere);
    EXPECT_GT(addedHere + addedThere, kRuns);
}

TEST(CliLock, WritersWaitForTheProgramThenAreRefusedWhileReadersGoOn)
{
    TempDir dir;
    Contest largest;
    fixtures::buildContest(largest);
    const std::string path = fixtures::saveContestFile(largest, dir.file("largest.r7s"));
    const std::string before = fixtures::readFile(path);

    LockInChild program(path, LockHolder::Program);
    ASSERT_TRUE(program.held());
    const auto start = std::chrono::steady_clock::now();
    const CliRun refused = runCli({"edit-pilot", path, "1", "--remark", "Tardif"});
    EXPECT_GE(std::chrono::steady_clock::now() - start, kLockPatience);
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find(path + ": Le concours est ouvert dans Orvel_R7T"), std::string::npos) << refused.err;
    EXPECT_EQ(fixtures::readFile(path), before);

    const std::vector<std::vector<std::string>> readers = {
        {"info", path},
        {"pilots", path},
        {"scores", path, "1"},
        {"ranking", path, "--round", "1"},
        {"export", path, "--final", "-o", dir.file("classement.txt")},
        {"copy", path, dir.file("copie.r7s")},
        {"print", path, "competitors", "--pdf", dir.file("liste.pdf")},
    };
    for (const auto& args : readers) {
        const auto readStart = std::chrono::steady_clock::now();
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exit, 0) << args[0] << ": " << run.err;
        EXPECT_LT(std::chrono::steady_clock::now() - readStart, kLockPatience) << args[0] << " waited";
    }
    EXPECT_EQ(fixtures::readFile(path), before);

    // The program crashing lets the next writer in at once.
    program.kill();
    const CliRun edited = runCli({"edit-pilot", path, "1", "--remark", "Tardif"});
    EXPECT_EQ(edited.exit, 0) << edited.err;
    EXPECT_NE(fixtures::readFile(path), before);
}
