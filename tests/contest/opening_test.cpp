#include "contest/opening.h"

#include "text/strings.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

using namespace r7t;
using fixtures::TempDir;

namespace fs = std::filesystem;

TEST(Opening, CommandLinePathKeepsTheQuotedPart)
{
    EXPECT_EQ(commandLinePath("\"C:\\Concours\\R7T 06.r7s\" /x \"y\""), "C:\\Concours\\R7T 06.r7s");
    EXPECT_EQ(commandLinePath("/data/R7T.r7s\""), "/data/R7T.r7s");
    EXPECT_EQ(commandLinePath("\"C:\\Concours\\R7T 06.r7s\" /x"), "C:\\Concours\\R7T 06.r7s");
    EXPECT_EQ(commandLinePath("/data/R7T_06_12_26.r7s"), "/data/R7T_06_12_26.r7s");
    EXPECT_EQ(commandLinePath("\"/data/unterminated.r7s"), "/data/unterminated.r7s");
    EXPECT_EQ(commandLinePath(""), "");

    EXPECT_EQ(contestPathFromArguments({}), "");
    EXPECT_EQ(contestPathFromArguments({"/tmp/a b.r7s", "--extra"}), "/tmp/a b.r7s");
    EXPECT_EQ(contestPathFromArguments({"\"/tmp/a b.r7s\" --extra", "more"}), "/tmp/a b.r7s");
}

TEST(Opening, ProposedNameUsesDayMonthTwoDigitYear)
{
    EXPECT_EQ(proposedFileName(6, 12, 2026), "R7T_06_12_26.r7s");
    EXPECT_EQ(proposedFileName(1, 1, 2000), "R7T_01_01_00.r7s");
    EXPECT_EQ(proposedFileName(31, 7, 1999), "R7T_31_07_99.r7s");

    auto expectedToday = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return proposedFileName(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    };
    // Around midnight the date may change between the readings.
    const std::string before = expectedToday();
    const std::string today = proposedFileNameToday();
    const std::string after = expectedToday();
    EXPECT_TRUE(today == before || today == after) << today;
}

TEST(Opening, FileTitleIsTheNameWithoutFolder)
{
    EXPECT_EQ(fileTitleOf("/home/d/R7T_06_12_26.r7s"), "R7T_06_12_26.r7s");
    EXPECT_EQ(fileTitleOf("C:\\R7T\\a.r7s"), "a.r7s");
    EXPECT_EQ(fileTitleOf("a.r7s"), "a.r7s");
}

TEST(Opening, NewContestIsNotWrittenBeforeItsFirstSave)
{
    TempDir dir;
    Contest c;
    startNewContest(c, dir.file("new.r7s"), "abcdefghijklmno");
    EXPECT_TRUE(c.isOpen);
    EXPECT_EQ(c.filePath, dir.file("new.r7s"));
    EXPECT_EQ(c.backupPath, dir.file("new.bak"));
    EXPECT_EQ(c.password.raw(), "abcdefghijkl");
    EXPECT_FALSE(fs::exists(dir.file("new.r7s")));
    ASSERT_TRUE(MajFichier(c).ok());
    EXPECT_EQ(fs::file_size(dir.file("new.r7s")), 1196u);
}

namespace {

struct Saved {
    TempDir dir;
    std::string path = dir.file("concours.r7s");
    std::string bytes;
};

void saveWithPassword(Saved& s, const std::string& password)
{
    Contest c;
    fixtures::buildContest(c, {8, 2, 2, 0});
    startNewContest(c, s.path, password);
    ASSERT_TRUE(MajFichier(c).ok());
    s.bytes = fixtures::readFile(s.path);
}

} // namespace

TEST(Opening, PasswordIsAskedOnceAndMustMatchExactly)
{
    Saved s;
    saveWithPassword(s, "Secret");

    int asked = 0;
    Contest wrong;
    EXPECT_EQ(openContestFile(wrong, s.path, [&] { ++asked; return std::optional<std::string>("secret"); }),
              OpenStatus::WrongPassword);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(wrong.isOpen);
    EXPECT_TRUE(wrong.filePath.empty());
    EXPECT_EQ(fixtures::readFile(s.path), s.bytes);

    Contest abandoned;
    EXPECT_EQ(openContestFile(abandoned, s.path, [] { return std::optional<std::string>(); }),
              OpenStatus::WrongPassword);

    Contest right;
    EXPECT_EQ(openContestFile(right, s.path, [] { return std::optional<std::string>("Secret"); }), OpenStatus::Opened);
    EXPECT_TRUE(right.isOpen);
    EXPECT_EQ(right.filePath, s.path);
    EXPECT_EQ(right.backupPath, s.dir.file("concours.bak"));
    EXPECT_EQ(right.competitorCount(), 8);
}

TEST(Opening, LongPasswordOpensWithTheSameTyping)
{
    Saved s;
    saveWithPassword(s, "abcdefghijklmno");
    Contest c;
    EXPECT_EQ(openContestFile(c, s.path, [] { return std::optional<std::string>("abcdefghijklmno"); }),
              OpenStatus::Opened);
}

TEST(Opening, NoPasswordIsNeverAsked)
{
    Saved s;
    saveWithPassword(s, "");
    Contest c;
    bool asked = false;
    EXPECT_EQ(openContestFile(c, s.path, [&] { asked = true; return std::optional<std::string>(); }),
              OpenStatus::Opened);
    EXPECT_FALSE(asked);
}

TEST(Opening, MissingFileIsRefusedAndNotCreated)
{
    TempDir dir;
    Contest c;
    std::vector<int> alerts;
    c.setAlertHandler([&](int n) { alerts.push_back(n); });
    EXPECT_EQ(openContestFile(c, dir.file("absent.r7s"), {}), OpenStatus::Incompatible);
    EXPECT_EQ(alerts, std::vector<int>{kMessageIncompatible});
    EXPECT_FALSE(c.isOpen);
    EXPECT_TRUE(c.filePath.empty());
    EXPECT_FALSE(fs::exists(dir.file("absent.r7s")));
    EXPECT_FALSE(MajFichier(c).ok());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Opening, ReadOnlyContestBecomesWritableOnceOpen)
{
    Saved s;
    saveWithPassword(s, "");
    fs::permissions(s.path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    Contest c;
    ASSERT_EQ(openContestFile(c, s.path, {}), OpenStatus::Opened);
    EXPECT_NE(fs::status(s.path).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_TRUE(MajFichier(c).ok());
}

TEST(Opening, ResultWithoutGroupIsLeftOutAndTheContestOpens)
{
    Saved s;
    Contest c;
    fixtures::buildContest(c, {8, 2, 1, 0});
    startNewContest(c, s.path, "");
    c.removeRoundGroups(1);
    FlightResult* orphan = c.newResult();
    orphan->number = 3;
    orphan->round = 1;
    ASSERT_TRUE(MajFichier(c).ok());

    Contest loaded;
    loaded.setFaultHandler([&](const std::string& tag) { ADD_FAILURE() << tag; });
    LoadOutcome outcome;
    EXPECT_EQ(openContestFile(loaded, s.path, {}, nullptr, &outcome), OpenStatus::Opened);
    EXPECT_EQ(outcome.resultsDropped, 1);
    EXPECT_TRUE(loaded.isOpen);
    EXPECT_TRUE(loaded.results.empty());
    EXPECT_FALSE(loaded.fault());
}

TEST(Opening, DamagedContestIsRefusedWithItsReasonAndNoFault)
{
    Saved s;
    Contest c;
    fixtures::buildContest(c, {8, 2, 1, 0});
    startNewContest(c, s.path, "");
    c.removePilot(3); // its start slots and results stay
    ASSERT_TRUE(MajFichier(c).ok());
    const std::string before = fixtures::readFile(s.path);

    Contest loaded;
    loaded.setFaultHandler([&](const std::string& tag) { ADD_FAILURE() << tag; });
    LoadOutcome outcome;
    EXPECT_EQ(openContestFile(loaded, s.path, {}, nullptr, &outcome), OpenStatus::Damaged);
    EXPECT_NE(outcome.damage.find("le concurrent 3 n'est pas inscrit"), std::string::npos) << outcome.damage;
    EXPECT_FALSE(loaded.isOpen);
    EXPECT_EQ(loaded.filePath, "");
    EXPECT_FALSE(loaded.writerLock);
    EXPECT_EQ(fixtures::readFile(s.path), before);
}
