// The lock of a file held by another process, as the contest program or an
// r7t command holds it; locks are per process, so a test cannot play the
// other writer in its own.
#pragma once

#include "contest/file_lock.h"

#include <string>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace r7t::fixtures {

class LockInChild {
public:
    LockInChild(const std::string& path, LockHolder who)
    {
        int ready[2];
        if (pipe(ready) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            FileLock lock = FileLock::take(path, who);
            const char held = lock.held() ? '1' : '0';
            if (write(ready[1], &held, 1) != 1)
                _exit(1);
            for (;;)
                pause();
        }
        close(ready[1]);
        char held = '0';
        held_ = pid_ > 0 && read(ready[0], &held, 1) == 1 && held == '1';
        close(ready[0]);
    }
    LockInChild(const LockInChild&) = delete;
    LockInChild& operator=(const LockInChild&) = delete;
    ~LockInChild() { kill(); }

    bool held() const { return held_; }
    // SIGKILL, as a crash: the holder never lets the lock go itself.
    void kill()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};

// What another process gets when it tries to take the lock now.
inline FileLock::State stateSeenByAnotherProcess(const std::string& path)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(static_cast<int>(FileLock::take(path, LockHolder::Command).state()));
    int status = 0;
    waitpid(pid, &status, 0);
    return static_cast<FileLock::State>(WEXITSTATUS(status));
}

} // namespace r7t::fixtures
