#include "contest/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace r7t {

namespace {

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
        ssize_t n = ::write(fd, data, size);
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

} // namespace

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

WriteOutcome writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                 const std::function<bool(const std::string&)>& beforeRename)
{
    // A read-only contest file stays as it is, as on any system that honours
    // the attribute; a new file gets the ordinary document permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode_t mode = 0666 & ~mask;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return {false, frenchCause(EISDIR)};
        if (!S_ISREG(existing.st_mode))
            return {false, "ce n'est pas un fichier"};
        if (!(existing.st_mode & S_IWUSR))
            return {false, "fichier en lecture seule"};
        mode = existing.st_mode & 07777;
    }

    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return {false, systemError("création impossible")};

    auto abandon = [&](std::string error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return WriteOutcome{false, std::move(error)};
    };

    ::fchmod(fd, mode);

    if (!writeAll(fd, bytes.data(), bytes.size()))
        return abandon(systemError("écriture impossible"));
    if (::fsync(fd) != 0)
        return abandon(systemError("écriture impossible"));
    if (beforeRename && !beforeRename(temp))
        return abandon("écriture interrompue");
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return {false, systemError("écriture impossible")};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        WriteOutcome failed{false, systemError("remplacement impossible")};
        ::unlink(temp.c_str());
        return failed;
    }
    // Make the rename itself durable.
    int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
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
