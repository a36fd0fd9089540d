// Opening a contest: the path given on the command line, the name proposed
// for a new contest, and the steps that leave a contest open (isOpen true)
// or not (isOpen false, filePath empty).
#pragma once

#include "contest/contest.h"
#include "contest/contest_file.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace r7t {

// The contest path of a command line: a path in double quotes ends at its
// closing quote ("C:\a b.r7s" /x "y" gives C:\a b.r7s); an unquoted line is
// cut at its last double quote, if any.
std::string commandLinePath(std::string_view commandLine);

// The same rule on the program's arguments, already split by the shell: the
// first argument is the command line's path (it may still carry quotes when
// a launcher passes the whole line as one argument); the others are ignored.
std::string contestPathFromArguments(const std::vector<std::string>& arguments);

// "06_12_26" for 6 December 2026: day, month, two-digit year, whatever the
// system's date settings.
std::string fileDateText(int day, int month, int year);

// String 34, "R7T_%s.r7s", with the date in place of %s.
std::string proposedFileName(int day, int month, int year);
// The same for today's local date.
std::string proposedFileNameToday();

// The file name without its folder (szFileTitle).
std::string fileTitleOf(const std::string& path);

// A new contest: filePath and the backup path set, isOpen true, the password
// working copy from what was typed (cut to 12 characters). The file itself is
// first written by the first save.
void startNewContest(Contest& contest, const std::string& path, const std::string& typedPassword);

enum class OpenStatus {
    Opened,        // isOpen true
    Incompatible,  // message 401 raised by the loader; isOpen false
    WrongPassword, // the password dialog gave up or did not match; isOpen false
    Damaged,       // the records contradict each other: the reason in the
                   // loader's outcome, to be shown with message 401; isOpen false
    Locked,        // another program or command holds the file's lock; isOpen false
};

// What the password dialog returned: the typed text, or nothing when it was
// abandoned.
using AskPassword = std::function<std::optional<std::string>()>;

// Loads an existing contest into the still empty contest and, when the file
// carries a password, asks it once. Once open, the file is made writable by
// its owner (the read-only attribute would make every save fail) and the
// contest holds its lock (writerLock) until it is destroyed. Whenever the
// result is not Opened, isOpen is false and filePath empty. The file is never
// created or changed by a refusal; a locked file is not even read, and
// lockedBy then tells who holds it. loaded, when given, receives the
// loader's outcome (records left out, reason of a damaged file).
OpenStatus openContestFile(Contest& contest, const std::string& path, const AskPassword& askPassword,
                           LockHolder* lockedBy = nullptr, LoadOutcome* loaded = nullptr);

// Gives the owner write permission on the file; false when that failed.
bool makeFileWritable(const std::string& path);

} // namespace r7t
