#include "contest/atomic_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <algorithm>

using namespace r7t;
using r7t::fixtures::TempDir;

namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

size_t entriesIn(const std::string& dir)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Sets the modification time secondsAgo in the past, of the link itself for a link.
void age(const std::string& path, std::time_t secondsAgo)
{
    const timespec when{std::time(nullptr) - secondsAgo, 0};
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
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

// The system calls of a save, as a list of what each did to which file.
struct CallLog {
    std::vector<std::string> calls;
    std::string renamedBytes; // the temporary file as it was when renamed

    FileSystemCalls recorder()
    {
        return {
            [this](int fd, const void* data, size_t size) {
                if (calls.empty() || calls.back() != "write")
                    calls.push_back("write");
                // One byte at a time: a save must finish short writes.
                return ::write(fd, data, std::min<size_t>(size, 1));
            },
            [this](int fd) {
                struct stat st {};
                ::fstat(fd, &st);
                calls.push_back(S_ISDIR(st.st_mode) ? "flush folder" : "flush file");
                return ::fsync(fd);
            },
            [this](int fd) {
                calls.push_back("close");
                return ::close(fd);
            },
            [this](const char* from, const char* to) {
                calls.push_back("rename");
                renamedBytes = fixtures::readFile(from);
                return ::rename(from, to);
            },
        };
    }
};

TEST(AtomicFile, FlushesTheDataBeforeTheRenameAndTheFolderAfterIt)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old");
    CallLog log;
    {
        ScopedFileSystemCalls watched(log.recorder());
        ASSERT_TRUE(writeFileAtomically(path, bytesOf("new contest")).ok);
    }
    EXPECT_EQ(log.calls, (std::vector<std::string>{"write", "flush file", "close", "rename", "flush folder"}));
    EXPECT_EQ(log.renamedBytes, "new contest");
    EXPECT_EQ(fixtures::readFile(path), "new contest");
}

TEST(AtomicFile, AFailedFlushOrRenameKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old");
    const auto failWith = [](int error) {
        return [error](auto...) {
            errno = error;
            return -1;
        };
    };
    const std::pair<FileSystemCalls, std::string> failures[] = {
        {{.write = failWith(ENOSPC)}, "écriture impossible : disque plein"},
        {{.fsync = failWith(EIO)}, "écriture impossible : erreur de lecture ou d'écriture du support"},
        {{.rename = failWith(EACCES)}, "remplacement impossible : accès refusé"},
    };
    for (const auto& [calls, error] : failures) {
        ScopedFileSystemCalls failing(calls);
        const WriteOutcome outcome = writeFileAtomically(path, bytesOf("new"));
        EXPECT_FALSE(outcome.ok) << error;
        EXPECT_EQ(outcome.error, error);
        EXPECT_EQ(fixtures::readFile(path), "old");
        EXPECT_EQ(entriesIn(dir.path()), 1u) << error; // no temporary file left
    }
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
    EXPECT_EQ(seenTemp.rfind(dir.file(".r7t-"), 0), 0u); // in the same folder, named as documented
    EXPECT_TRUE(seenTemp.ends_with(".tmp"));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, KeepsThePermissionsAndOwnerOfTheReplacedFile)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    // Only root may give the file to someone else; others keep their own.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    struct stat before {};
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(writeFileAtomically(path, bytesOf("new")).ok);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, before.st_uid);
    EXPECT_EQ(st.st_gid, before.st_gid);
    EXPECT_NE(st.st_ino, before.st_ino); // replaced, not rewritten in place
}

TEST(AtomicFile, ASymbolicLinkIsFollowedAndStaysALink)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const std::string target = dir.file("real/c.r7s");
    fixtures::writeFile(target, "old");
    ::chmod(target.c_str(), 0600);
    // A relative link reached through an absolute one.
    ASSERT_EQ(::symlink("real/c.r7s", dir.file("relative.r7s").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("relative.r7s").c_str(), dir.file("absolute.r7s").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("absolute.r7s"), bytesOf("new")).ok);
    EXPECT_EQ(fixtures::readFile(target), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("relative.r7s")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("absolute.r7s")));
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(entriesIn(dir.path()), 3u);
    EXPECT_EQ(entriesIn(dir.file("real")), 1u);

    // A link to a file not yet there creates it.
    ASSERT_EQ(::symlink("real/new.r7s", dir.file("dangling.r7s").c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("dangling.r7s"), bytesOf("first")).ok);
    EXPECT_EQ(fixtures::readFile(dir.file("real/new.r7s")), "first");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.r7s")));

    ASSERT_EQ(::symlink("loop.r7s", dir.file("loop.r7s").c_str()), 0);
    EXPECT_FALSE(writeFileAtomically(dir.file("loop.r7s"), bytesOf("x")).ok);
}

TEST(AtomicFile, SavesUnderTheLongestNamesTheSystemAllows)
{
    TempDir dir;
    for (std::size_t length : {250u, 255u}) {
        const std::string path = dir.file(std::string(length - 4, 'c') + ".r7s");
        ASSERT_TRUE(writeFileAtomically(path, bytesOf("first")).ok) << length;
        const WriteOutcome again = writeFileAtomically(path, bytesOf("second"));
        ASSERT_TRUE(again.ok) << length << again.error;
        EXPECT_EQ(fixtures::readFile(path), "second");
    }
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(AtomicFile, RemovesOnlyItsOwnStaleTemporaryFiles)
{
    TempDir dir;
    const std::time_t hour = 3600;
    const auto make = [&](const std::string& name, std::time_t secondsAgo) {
        fixtures::writeFile(dir.file(name), "left over");
        age(dir.file(name), secondsAgo);
    };
    make(".r7t-a1B2c3.tmp", hour);     // a killed writer's: removed
    make(".r7t-d4E5f6.tmp", hour * 50); // removed
    make(".r7t-g7H8i9.tmp", 60);       // a save under way elsewhere: kept
    make(".r7t-abc.tmp", hour);        // not our pattern: kept
    make(".r7t-a1B2c3.tmp~", hour);
    make("r7t-a1B2c3.tmp", hour);
    make(".r7t-a1-2c3.tmp", hour);
    make("c.r7s.XyZ123", hour);
    std::filesystem::create_directory(dir.file(".r7t-folder.tmp"));
    age(dir.file(".r7t-folder.tmp"), hour);
    fixtures::writeFile(dir.file("kept.txt"), "someone's");
    ASSERT_EQ(::symlink("kept.txt", dir.file(".r7t-linked.tmp").c_str()), 0);
    age(dir.file(".r7t-linked.tmp"), hour);
    const size_t before = entriesIn(dir.path());

    ASSERT_TRUE(writeFileAtomically(dir.file("c.r7s"), bytesOf("new")).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.file(".r7t-a1B2c3.tmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".r7t-d4E5f6.tmp")));
    EXPECT_EQ(entriesIn(dir.path()), before - 2 + 1);
    EXPECT_EQ(fixtures::readFile(dir.file("kept.txt")), "someone's");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file(".r7t-linked.tmp")));

    // Only the saved file's folder is cleaned.
    std::filesystem::create_directory(dir.file("other"));
    make("other/.r7t-j0K1l2.tmp", hour);
    ASSERT_TRUE(writeFileAtomically(dir.file("c.r7s"), bytesOf("again")).ok);
    EXPECT_TRUE(std::filesystem::exists(dir.file("other/.r7t-j0K1l2.tmp")));
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
