// One writer at a time: an advisory lock on a contest (or inspection) file,
// taken by whoever is going to change it and released by the system when
// its holder ends, even by a crash.
//
// The lock is held on a sibling file, PATH.lock, never on the file itself:
// every save replaces the file by a rename, so a lock on the file would stay
// on the replaced copy while the next writer locked the new one. The lock
// file also carries a tag saying who holds it, for the refusal's text.
#pragma once

#include <chrono>
#include <string>

namespace r7t {

enum class LockHolder {
    Program, // the contest program (or the inspection program) has the file open
    Command, // an r7t command is changing the file
};

class FileLock {
public:
    enum class State {
        Held,        // this object holds the lock
        Busy,        // someone else holds it: see holder()
        Unavailable, // no lock file could be made (a read-only folder): nobody else can take it either
        Released,    // never taken, or let go
    };

    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Takes the lock of the file at path for self, trying again for as long
    // as patience allows while someone else holds it.
    static FileLock take(const std::string& path, LockHolder self,
                         std::chrono::milliseconds patience = std::chrono::milliseconds(0));

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    // Who holds the lock when state() is Busy.
    LockHolder holder() const { return holder_; }
    // Lets the lock go now; also done by the destructor.
    void release();

private:
    int descriptor_ = -1;
    State state_ = State::Released;
    LockHolder holder_ = LockHolder::Command;
};

// The sibling lock file of a file: the final target of a symbolic link,
// so that every path to one file shares its lock.
std::string lockPathOf(const std::string& path);

// The French refusal for a busy lock, saying who holds it and what to do.
std::string lockRefusalText(LockHolder holder);

// How long a writer waits for a short-lived holder before it is refused.
inline constexpr std::chrono::milliseconds kLockPatience{2000};

} // namespace r7t
