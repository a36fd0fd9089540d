// r7t copy: the "save a copy" command: the whole contest written to another
// file in the current format; the contest's own file is left as it is.
#include "cli/command.h"

#include "contest/contest_file.h"

namespace r7t::cli {

namespace {

class CopyCommand : public ContestCommand {
public:
    std::string name() const override { return "copy"; }
    std::string commandSynopsis() const override { return "FICHIER DESTINATION"; }
    std::string description() const override { return "enregistre une copie du concours (format actuel)"; }
    int maxPositional() const override { return 2; }
    int minPositional() const override { return 2; }

protected:
    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        SaveOutcome saved = saveContestTo(contest, args.positional()[1]);
        if (!saved.ok())
            return {refuse(io, saved.path + " : enregistrement impossible (" + saved.error + ")"), false};
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeCopyCommand() { return std::make_unique<CopyCommand>(); }

} // namespace r7t::cli
