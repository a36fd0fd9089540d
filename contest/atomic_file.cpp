#include "contest/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace r7t {

namespace {

thread_local const FileSystemCalls* substitutedCalls = nullptr;

ssize_t callWrite(int fd, const void* data, size_t size)
{
    if (substitutedCalls && substitutedCalls->write)
        return substitutedCalls->write(fd, data, size);
    return ::write(fd, data, size);
}

int callFsync(int fd)
{
    if (substitutedCalls && substitutedCalls->fsync)
        return substitutedCalls->fsync(fd);
    return ::fsync(fd);
}

int callClose(int fd)
{
    if (substitutedCalls && substitutedCalls->close)
        return substitutedCalls->close(fd);
    return ::close(fd);
}

int callRename(const char* from, const char* to)
{
    if (substitutedCalls && substitutedCalls->rename)
        return substitutedCalls->rename(from, to);
    return ::rename(from, to);
}

constexpr std::string_view kTempPrefix = ".r7t-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string systemError(const char* what)
{
    return std::string(what) + " : " + frenchCause(errno);
}

bool writeAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ssize_t n = callWrite(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The path a save must replace: the final target of a symbolic link (so the
// link stays a link and the real contest is updated), or the path itself.
// A dangling link names the file to create. False with errno on a loop.
bool resolveLinks(const std::string& given, std::string& path)
{
    path = given;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true; // a missing path fails later with its own cause
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return false;
        target.resize(static_cast<size_t>(n));
        path = !target.empty() && target.front() == '/' ? target : folderOf(path) + "/" + target;
    }
    errno = ELOOP;
    return false;
}

// One of our temporary files, never anyone else's.
bool isTemporaryFileName(std::string_view name)
{
    const std::size_t length = kTempPrefix.size() + 6 + kTempSuffix.size();
    if (name.size() != length || !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
        return false;
    for (char c : name.substr(kTempPrefix.size(), 6))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// A writer killed between creating its temporary file and the rename leaves
// it behind. One untouched for this long belongs to no save under way: a
// save writes and renames within seconds. Age rather than the writer's
// process id, which says nothing about a writer on another computer sharing
// the folder; a file removed from under a suspended writer only makes its
// rename fail, the contest file staying whole.
constexpr std::time_t kStaleTemporaryAge = 10 * 60;

void removeStaleTemporaryFiles(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryFileName(entry->d_name))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime >= kStaleTemporaryAge)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls calls)
    : calls_(std::move(calls)), previous_(substitutedCalls)
{
    substitutedCalls = &calls_;
}

ScopedFileSystemCalls::~ScopedFileSystemCalls() { substitutedCalls = previous_; }

std::string frenchCause(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM: return "accès refusé";
    case EROFS: return "support en lecture seule";
    case ENOSPC:
    case EDQUOT: return "disque plein";
    case ENOENT:
    case ENOTDIR: return "dossier introuvable";
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK: return "fichier verrouillé";
    case EISDIR: return "le chemin désigne un dossier";
    case ENAMETOOLONG: return "nom de fichier trop long";
    case EIO: return "erreur de lecture ou d'écriture du support";
    default: return std::strerror(errorNumber);
    }
}

WriteOutcome writeFileAtomically(const std::string& givenPath, std::span<const uint8_t> bytes,
                                 const std::function<bool(const std::string&)>& beforeRename)
{
    std::string path;
    if (!resolveLinks(givenPath, path))
        return {false, systemError("remplacement impossible")};

    // A read-only contest file stays as it is, as on any system that honours
    // the attribute; a new file gets the ordinary document permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode_t mode = 0666 & ~mask;
    struct stat existing {};
    const bool replacing = ::stat(path.c_str(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode))
            return {false, frenchCause(EISDIR)};
        if (!S_ISREG(existing.st_mode))
            return {false, "ce n'est pas un fichier"};
        if (!(existing.st_mode & S_IWUSR))
            return {false, "fichier en lecture seule"};
        mode = existing.st_mode & 07777;
    }

    const std::string folder = folderOf(path);
    removeStaleTemporaryFiles(folder);
    std::string temp = folder + "/" + std::string(kTempPrefix) + "XXXXXX" + std::string(kTempSuffix);
    int fd = ::mkstemps(temp.data(), static_cast<int>(kTempSuffix.size()));
    if (fd < 0)
        return {false, systemError("création impossible")};

    auto abandon = [&](std::string error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return WriteOutcome{false, std::move(error)};
    };

    if (replacing) {
        // Only root may give a file away; anyone may keep a group they are
        // in. What cannot be kept is left as the system makes it.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
    // After fchown, which clears the set-id bits.
    ::fchmod(fd, mode);

    if (!writeAll(fd, bytes.data(), bytes.size()))
        return abandon(systemError("écriture impossible"));
    if (callFsync(fd) != 0)
        return abandon(systemError("écriture impossible"));
    if (beforeRename && !beforeRename(temp))
        return abandon("écriture interrompue");
    if (callClose(fd) != 0) {
        ::unlink(temp.c_str());
        return {false, systemError("écriture impossible")};
    }
    if (callRename(temp.c_str(), path.c_str()) != 0) {
        WriteOutcome failed{false, systemError("remplacement impossible")};
        ::unlink(temp.c_str());
        return failed;
    }
    // Make the rename itself durable.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        callFsync(dir);
        ::close(dir);
    }
    return {true, {}};
}

ReadStatus readWholeFile(const std::string& path, std::string& bytes, std::uintmax_t maxBytes)
{
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadStatus::Failed;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return ReadStatus::TooLarge;
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(got); // a file that shrank while read is what it now is
    return ReadStatus::Ok;
}

std::optional<std::string> readFailureCause(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return errno == ENOENT ? "fichier introuvable" : frenchCause(errno);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (regular)
        return std::nullopt;
    return S_ISDIR(st.st_mode) ? frenchCause(EISDIR) : "ce n'est pas un fichier";
}

} // namespace r7t
