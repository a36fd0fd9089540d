#include "contest/file_lock.h"

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

// Windows: the same open-then-lock with CreateFileW (FILE_SHARE_READ |
// FILE_SHARE_WRITE, OPEN_ALWAYS) and LockFileEx(LOCKFILE_EXCLUSIVE_LOCK |
// LOCKFILE_FAIL_IMMEDIATELY) on the first byte; the system also lets it go
// when the process ends. Only lockFile() and the descriptor type change.

namespace r7t {

namespace {

// Read by the refused writer; the number is for whoever looks at the file.
constexpr std::string_view kProgramTag = "Orvel_R7T";
constexpr std::string_view kCommandTag = "r7t";
constexpr size_t kTagSize = 32;

enum class Attempt { Locked, Busy, Failed };

Attempt lockFile(int fd)
{
    struct flock range{};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0; // the whole file
    // Held by the process (F_SETLK, not the open-file lock F_OFD_SETLK): a
    // process that opens its contest twice, as the program's tests do, is not
    // its own rival. The other side: closing any descriptor of the lock file
    // lets the process's lock go, so only FileLock opens it.
    const int command = F_SETLK;
    if (fcntl(fd, command, &range) == 0)
        return Attempt::Locked;
    return errno == EAGAIN || errno == EACCES ? Attempt::Busy : Attempt::Failed;
}

void writeTag(int fd, LockHolder self)
{
    // Always the same length, written over the last holder's: no truncation,
    // which costs the file system far more than the lock itself.
    std::string tag =
        std::string(self == LockHolder::Program ? kProgramTag : kCommandTag) + " " + std::to_string(getpid());
    tag.resize(kTagSize - 1, ' ');
    tag += '\n';
    // Only a hint for the refusal's text: a failed write changes nothing else.
    const ssize_t written = pwrite(fd, tag.data(), tag.size(), 0);
    (void)written;
}

LockHolder readTag(int fd)
{
    char start[kProgramTag.size()] = {};
    const ssize_t n = pread(fd, start, sizeof start, 0);
    return n == static_cast<ssize_t>(sizeof start) && std::string_view(start, sizeof start) == kProgramTag
               ? LockHolder::Program
               : LockHolder::Command;
}

} // namespace

std::string lockPathOf(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    return (ec ? path : resolved.string()) + ".lock";
}

FileLock FileLock::take(const std::string& path, LockHolder self, std::chrono::milliseconds patience)
{
    FileLock lock;
    lock.state_ = State::Unavailable;
    const int fd = ::open(lockPathOf(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return lock; // Unavailable
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const Attempt attempt = lockFile(fd);
        if (attempt == Attempt::Locked) {
            writeTag(fd, self);
            lock.descriptor_ = fd;
            lock.state_ = State::Held;
            return lock;
        }
        if (attempt == Attempt::Failed || std::chrono::steady_clock::now() >= deadline) {
            lock.state_ = attempt == Attempt::Busy ? State::Busy : State::Unavailable;
            lock.holder_ = readTag(fd);
            ::close(fd);
            return lock;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

FileLock::FileLock(FileLock&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      state_(std::exchange(other.state_, State::Released)),
      holder_(other.holder_)
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        descriptor_ = std::exchange(other.descriptor_, -1);
        state_ = std::exchange(other.state_, State::Released);
        holder_ = other.holder_;
    }
    return *this;
}

FileLock::~FileLock() { release(); }

void FileLock::release()
{
    // The lock file stays: removing it would let a third writer lock a new
    // file while the second still waits on the removed one.
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
    if (state_ == State::Held)
        state_ = State::Released;
}

std::string lockRefusalText(LockHolder holder)
{
    return holder == LockHolder::Program
               ? "Le concours est ouvert dans Orvel_R7T. Fermez-le dans Orvel_R7T, puis recommencez."
               : "Le concours est modifié par une autre commande. Attendez qu'elle se termine, puis recommencez.";
}

} // namespace r7t
