#include "contest/opening.h"

#include "string_table/formats.h"

#include <ctime>
#include <filesystem>

namespace r7t {

std::string commandLinePath(std::string_view commandLine)
{
    // A quoted path ends at its closing quote, so that quoted arguments after
    // it cannot stretch it.
    size_t quote;
    if (!commandLine.empty() && commandLine.front() == '"') {
        commandLine.remove_prefix(1);
        quote = commandLine.find('"');
    } else {
        quote = commandLine.rfind('"');
    }
    if (quote != std::string_view::npos)
        commandLine = commandLine.substr(0, quote);
    return std::string(commandLine);
}

std::string contestPathFromArguments(const std::vector<std::string>& arguments)
{
    return arguments.empty() ? std::string() : commandLinePath(arguments.front());
}

std::string fileDateText(int day, int month, int year)
{
    return stringPrintf("%02d_%02d_%02d", day, month, ((year % 100) + 100) % 100);
}

std::string proposedFileName(int day, int month, int year)
{
    return formatText(kProposedFileName, fileDateText(day, month, year));
}

std::string proposedFileNameToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return proposedFileName(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

std::string fileTitleOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void startNewContest(Contest& contest, const std::string& path, const std::string& typedPassword)
{
    contest.writerLock = std::make_shared<FileLock>(FileLock::take(path, LockHolder::Program));
    contest.setPath(path);
    contest.isOpen = true;
    setPassword(contest, typedPassword);
}

bool makeFileWritable(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::is_regular_file(st))
        return false;
    if ((st.permissions() & fs::perms::owner_write) != fs::perms::none)
        return true;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
}

OpenStatus openContestFile(Contest& contest, const std::string& path, const AskPassword& askPassword,
                           LockHolder* lockedBy, LoadOutcome* loadedOut)
{
    auto refuse = [&](OpenStatus status) {
        contest.isOpen = false;
        contest.setPath({});
        contest.writerLock.reset();
        return status;
    };

    // Taken before the load, so that no command's save falls between the
    // load and the program's first save; none beside a missing file, which
    // the load refuses.
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        auto lock = std::make_shared<FileLock>(FileLock::take(path, LockHolder::Program, kLockPatience));
        if (lock->state() == FileLock::State::Busy) {
            if (lockedBy)
                *lockedBy = lock->holder();
            return refuse(OpenStatus::Locked);
        }
        contest.writerLock = std::move(lock);
    }

    contest.setPath(path);
    contest.isOpen = true;
    const LoadOutcome loaded = RepriseFic(contest);
    if (loadedOut)
        *loadedOut = loaded;
    if (loaded.status == LoadStatus::Damaged)
        return refuse(OpenStatus::Damaged);
    if (loaded.status == LoadStatus::Incompatible || !contest.isOpen)
        return refuse(OpenStatus::Incompatible);

    if (!contest.password.empty()) {
        const std::optional<std::string> typed = askPassword ? askPassword() : std::nullopt;
        if (!typed || !passwordMatches(contest, *typed))
            return refuse(OpenStatus::WrongPassword);
    }

    makeFileWritable(path);
    contest.setPath(path);
    return OpenStatus::Opened;
}

} // namespace r7t
