// Replacing a file so that a crash or a full disk at any moment leaves
// either the old file or the new one, never a damaged one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include <sys/types.h>

namespace r7t {

// The French words of a system failure (errno) for the messages that name
// the file; the system's own text only for a cause without French words.
std::string frenchCause(int errorNumber);

struct WriteOutcome {
    bool ok = false;
    std::string error; // what failed, for the message naming the file
};

// Writes the bytes to a temporary file in the target's folder, flushes it to
// disk and renames it over the target. A target that is a symbolic link is
// followed: its final target is replaced and the link stays. The replaced
// file's permission bits are kept, and its owner and group as far as the
// process may give them. The temporary file is ".r7t-XXXXXX.tmp" (six
// letters or digits), short enough beside a target of any legal name; such
// files left by a killed writer are removed from the folder at a later save
// once untouched for ten minutes. beforeRename, when given, runs after the
// temporary file is complete and before the rename (tests use it to stop
// there); returning false abandons the write.
WriteOutcome writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                 const std::function<bool(const std::string& tempPath)>& beforeRename = {});

// The system calls that make a save durable, in the order writeFileAtomically
// makes them: write the temporary file, flush it to disk, close it, rename it
// over the target, flush the folder. Tests put their own in place, to watch
// the order or to make one fail; an empty member is the system's own call.
struct FileSystemCalls {
    std::function<ssize_t(int fd, const void* data, size_t size)> write{};
    std::function<int(int fd)> fsync{}; // of the file, then of its folder
    std::function<int(int fd)> close{};
    std::function<int(const char* from, const char* to)> rename{};
};

// Tests only: the calls of writeFileAtomically on this thread go through
// these while the object lives.
class ScopedFileSystemCalls {
public:
    explicit ScopedFileSystemCalls(FileSystemCalls calls);
    ~ScopedFileSystemCalls();
    ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
    ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

private:
    FileSystemCalls calls_;
    const FileSystemCalls* previous_;
};

// Reads a whole file, refusing one larger than maxBytes; never creates it.
enum class ReadStatus { Ok, Missing, TooLarge, Failed };
ReadStatus readWholeFile(const std::string& path, std::string& bytes, std::uintmax_t maxBytes);

// Why the file cannot be opened for reading, in French ("fichier
// introuvable", a frenchCause); nothing when it can. For the message of a
// file that could not be loaded.
std::optional<std::string> readFailureCause(const std::string& path);

} // namespace r7t
