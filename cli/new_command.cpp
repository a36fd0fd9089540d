// r7t new: creates an empty contest file, as the opening dialog does for a
// new contest followed by its first save.
#include "cli/command.h"

#include "contest/contest_file.h"
#include "contest/file_lock.h"

#include <sys/stat.h>

namespace r7t::cli {

namespace {

class NewCommand : public Command {
public:
    std::string name() const override { return "new"; }
    std::string synopsis() const override
    {
        return "FICHIER [--title T] [--date D] [--place P] [--password W] [--force]";
    }
    std::string description() const override { return "crée un nouveau fichier concours"; }
    std::vector<OptionInfo> options() const override
    {
        return {{"title", "T"}, {"date", "D"}, {"place", "P"}, {"password", "W"}, {"force"}};
    }

protected:
    int run(const Arguments& args, Io io) override
    {
        const std::string& path = args.positional()[0];
        struct stat st {};
        if (!args.has("force") && ::stat(path.c_str(), &st) == 0)
            return refuse(io, path + " : le fichier existe déjà (--force pour le remplacer)");

        if (const std::optional<std::string> refusal = unstorableText(args, options()))
            return refuse(io, *refusal);
        // Replacing a contest is a change like any other: never under another writer.
        FileLock lock;
        if (::stat(path.c_str(), &st) == 0) {
            lock = FileLock::take(path, LockHolder::Command, kLockPatience);
            if (lock.state() == FileLock::State::Busy)
                return refuse(io, path + ": " + lockRefusalText(lock.holder()));
        }

        Contest contest;
        contest.setPath(path);
        contest.isOpen = true;
        contest.header.title.assignUtf8(args.value("title"));
        contest.header.date.assignUtf8(args.value("date"));
        contest.header.place.assignUtf8(args.value("place"));
        setPassword(contest, args.value("password"));
        if (!saveContest(contest, io))
            return kExitRefused;
        return kExitOk;
    }
};

} // namespace

std::unique_ptr<Command> makeNewCommand() { return std::make_unique<NewCommand>(); }

} // namespace r7t::cli
