#include "contest/atomic_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

using namespace r7t;
using r7t::fixtures::TempDir;

namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

size_t entriesIn(const std::string& dir)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

} // namespace

TEST(AtomicFile, ReplacesTheWholeFile)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, std::string(5000, 'a'));
    ASSERT_TRUE(writeFileAtomically(path, bytesOf("new")).ok);
    EXPECT_EQ(fixtures::readFile(path), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, ProcessDyingBeforeTheRenameLeavesTheOldFileIntact)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old contest");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeFileAtomically(path, bytesOf(std::string(100000, 'n')), [](const std::string&) {
            ::_exit(0); // the machine stops here
            return true;
        });
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fixtures::readFile(path), "old contest");
}

TEST(AtomicFile, AbandonedWriteRemovesItsTemporaryFile)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old");
    std::string seenTemp;
    WriteOutcome out = writeFileAtomically(path, bytesOf("new"), [&](const std::string& temp) {
        seenTemp = temp;
        EXPECT_EQ(fixtures::readFile(temp), "new"); // complete before the rename
        return false;
    });
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.error.empty());
    EXPECT_EQ(fixtures::readFile(path), "old");
    EXPECT_EQ(seenTemp.rfind(dir.path(), 0), 0u); // in the same folder
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, bytesOf("new")).ok);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(AtomicFile, RefusesAFolderOrAMissingFolderWithTheCauseInFrench)
{
    TempDir dir;
    const WriteOutcome folder = writeFileAtomically(dir.path(), bytesOf("x"));
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.error, "le chemin désigne un dossier");
    const WriteOutcome missing = writeFileAtomically(dir.file("no/such.r7s"), bytesOf("x"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "création impossible : dossier introuvable");
    fixtures::writeFile(dir.file("plain"), "x");
    EXPECT_EQ(writeFileAtomically(dir.file("plain/c.r7s"), bytesOf("x")).error,
              "création impossible : dossier introuvable");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, ReadFailureCauseSaysWhyAFileCannotBeRead)
{
    TempDir dir;
    fixtures::writeFile(dir.file("c.r7s"), "x");
    EXPECT_EQ(readFailureCause(dir.file("c.r7s")), std::nullopt);
    EXPECT_EQ(readFailureCause(dir.file("absent.r7s")), "fichier introuvable");
    EXPECT_EQ(readFailureCause(dir.file("no/c.r7s")), "fichier introuvable");
    EXPECT_EQ(readFailureCause(dir.file("c.r7s/x")), "dossier introuvable");
    EXPECT_EQ(readFailureCause(dir.path()), "le chemin désigne un dossier");
}

TEST(AtomicFile, CommonFailureCausesHaveFrenchWords)
{
    const std::pair<int, const char*> causes[] = {
        {EACCES, "accès refusé"},
        {EPERM, "accès refusé"},
        {EROFS, "support en lecture seule"},
        {ENOSPC, "disque plein"},
        {EDQUOT, "disque plein"},
        {ENOENT, "dossier introuvable"},
        {ENOTDIR, "dossier introuvable"},
        {ETXTBSY, "fichier verrouillé"},
        {EBUSY, "fichier verrouillé"},
        {EWOULDBLOCK, "fichier verrouillé"},
        {EISDIR, "le chemin désigne un dossier"},
        {ENAMETOOLONG, "nom de fichier trop long"},
        {EIO, "erreur de lecture ou d'écriture du support"},
    };
    for (const auto& [number, words] : causes)
        EXPECT_EQ(frenchCause(number), words) << number;
    // A cause without French words keeps the system's text rather than none.
    EXPECT_EQ(frenchCause(EXDEV), std::strerror(EXDEV));
    EXPECT_FALSE(frenchCause(EXDEV).empty());
}

TEST(AtomicFile, ReadWholeFileNeverCreatesAndRefusesOversizedFiles)
{
    TempDir dir;
    std::string bytes;
    EXPECT_EQ(readWholeFile(dir.file("absent"), bytes, 100), ReadStatus::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent")));
    fixtures::writeFile(dir.file("big"), std::string(101, 'x'));
    EXPECT_EQ(readWholeFile(dir.file("big"), bytes, 100), ReadStatus::TooLarge);
    EXPECT_EQ(readWholeFile(dir.file("big"), bytes, 101), ReadStatus::Ok);
    EXPECT_EQ(bytes.size(), 101u);
    EXPECT_EQ(readWholeFile(dir.path(), bytes, 100), ReadStatus::Failed);
}
