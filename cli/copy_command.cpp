// r7t copy: the "save a copy" command: the whole contest written to another
// file in the current format; the contest's own file is left as it is.
#include "cli/command.h"

#include "contest/contest_file.h"
#include "contest/file_lock.h"

namespace r7t::cli {

namespace {

class CopyCommand : public ContestCommand {
public:
    std::string name() const override { return "copy"; }
    bool changesContest() const override { return false; }
    bool writesContest() const override { return true; }
    std::string commandSynopsis() const override { return "FICHIER DESTINATION"; }
    std::string description() const override { return "enregistre une copie du concours (format actuel)"; }
    int maxPositional() const override { return 2; }
    int minPositional() const override { return 2; }

protected:
    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        // The copy replaces DESTINATION: its writers are kept out as for any change.
        const std::string& destination = args.positional()[1];
        const FileLock lock = FileLock::take(destination, LockHolder::Command, kLockPatience);
        if (lock.state() == FileLock::State::Busy)
            return {refuse(io, destination + ": " + lockRefusalText(lock.holder())), false};
        SaveOutcome saved = saveContestTo(contest, destination);
        if (!saved.ok())
            return {refuse(io, saved.path + " : enregistrement impossible (" + saved.error + ")"), false};
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeCopyCommand() { return std::make_unique<CopyCommand>(); }

} // namespace r7t::cli
