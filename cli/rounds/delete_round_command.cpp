// r7t delete-round: "Supprimer" of the round preparation, results included.
#include "text/strings.h"
#include "string_table/formats.h"
#include "cli/rounds/round_lists.h"
#include "rounds/preparation.h"

namespace r7t::cli {

namespace {

class DeleteRoundCommand : public ContestCommand {
public:
    std::string name() const override { return "delete-round"; }
    std::string commandSynopsis() const override { return "FICHIER MANCHE [--yes]"; }
    std::string description() const override { return "supprime une manche, ses départs et ses scores"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override { return {{"yes"}}; }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::optional<int> round = readRound(args.positional()[1]);
        if (!round)
            return {usageError(io, "numéro de manche incorrect : " + args.positional()[1])};
        if (contest.lastPreparedRound < 1)
            return {refuse(io, terminalText(MajMessage(421))), false};
        if (!contest.roundPrepared[*round])
            return {refuse(io, formatText(kRoundTitle, *round) + " : manche non préparée"), false};
        if (!confirmed(args, io, MajMessage(kMessageDeleteRound)))
            return {kExitRefused, false};
        deleteRound(contest, *round);
        io.out << "prepared rounds: -";
        for (int r = 1; r <= kMaxRounds; ++r)
            if (contest.roundPrepared[r])
                io.out << r << "-";
        io.out << "\n";
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeDeleteRoundCommand() { return std::make_unique<DeleteRoundCommand>(); }

} // namespace r7t::cli
