#include "contest/file_lock.h"
#include "contest/opening.h"
#include "support/contest_builder.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace r7t;
using fixtures::LockInChild;
using fixtures::stateSeenByAnotherProcess;
using fixtures::TempDir;

TEST(FileLock, ABusyLockNamesItsHolderAndAKilledHolderLetsItGo)
{
    TempDir dir;
    const std::string path = dir.file("coupe.r7s");
    for (LockHolder who : {LockHolder::Program, LockHolder::Command}) {
        LockInChild other(path, who);
        ASSERT_TRUE(other.held());
        const auto start = std::chrono::steady_clock::now();
        FileLock refused = FileLock::take(path, LockHolder::Command, std::chrono::milliseconds(300));
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
        ASSERT_EQ(refused.state(), FileLock::State::Busy);
        EXPECT_EQ(refused.holder(), who);
        other.kill();
        FileLock mine = FileLock::take(path, LockHolder::Command);
        EXPECT_TRUE(mine.held());
        EXPECT_EQ(stateSeenByAnotherProcess(path), FileLock::State::Busy);
        mine.release();
        EXPECT_EQ(stateSeenByAnotherProcess(path), FileLock::State::Held);
    }
    EXPECT_NE(lockRefusalText(LockHolder::Program).find("ouvert dans Orvel_R7T"), std::string::npos);
    EXPECT_NE(lockRefusalText(LockHolder::Command).find("modifié par une autre commande"), std::string::npos);
}

TEST(FileLock, AWaitingWriterGetsTheLockOnceItIsLetGo)
{
    TempDir dir;
    const std::string path = dir.file("coupe.r7s");
    LockInChild other(path, LockHolder::Command);
    ASSERT_TRUE(other.held());
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        other.kill();
    });
    FileLock mine = FileLock::take(path, LockHolder::Command, kLockPatience);
    killer.join();
    EXPECT_TRUE(mine.held());
}

TEST(FileLock, EveryPathToOneFileSharesItsLock)
{
    TempDir dir;
    const std::string target = dir.file("coupe.r7s");
    fixtures::writeFile(target, "x");
    std::filesystem::create_directory(dir.file("liens"));
    std::filesystem::create_symlink(target, dir.file("liens/raccourci.r7s"));
    LockInChild other(target, LockHolder::Program);
    ASSERT_TRUE(other.held());
    EXPECT_EQ(FileLock::take(dir.file("liens/raccourci.r7s"), LockHolder::Command).state(), FileLock::State::Busy);
    EXPECT_EQ(FileLock::take(dir.file("liens/../coupe.r7s"), LockHolder::Command).state(), FileLock::State::Busy);
}

TEST(ContestOpening, HoldsTheLockWhileOpenAndLeavesALockedFileUnread)
{
    TempDir dir;
    Contest written;
    fixtures::buildContest(written);
    fixtures::saveContestFile(written, dir.file("coupe.r7s"));
    const std::string before = fixtures::readFile(written.filePath);

    {
        LockInChild other(written.filePath, LockHolder::Command);
        ASSERT_TRUE(other.held());
        Contest refused;
        LockHolder holder = LockHolder::Program;
        EXPECT_EQ(openContestFile(refused, written.filePath, {}, &holder), OpenStatus::Locked);
        EXPECT_EQ(holder, LockHolder::Command);
        EXPECT_FALSE(refused.isOpen);
        EXPECT_TRUE(refused.filePath.empty());
        EXPECT_TRUE(refused.pilots.empty()); // not even read
        EXPECT_EQ(fixtures::readFile(written.filePath), before);
    }
    {
        Contest open;
        ASSERT_EQ(openContestFile(open, written.filePath, {}), OpenStatus::Opened);
        EXPECT_EQ(stateSeenByAnotherProcess(written.filePath), FileLock::State::Busy);
    }
    EXPECT_EQ(stateSeenByAnotherProcess(written.filePath), FileLock::State::Held);
}
