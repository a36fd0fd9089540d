// r7t weighing: the weighing control of a round (drawn once, then shown).
#include "text/strings.h"
#include "string_table/formats.h"
#include "cli/rounds/round_lists.h"
#include "rounds/weighing.h"

namespace r7t::cli {

namespace {

class WeighingCommand : public ContestCommand {
public:
    std::string name() const override { return "weighing"; }
    std::string commandSynopsis() const override { return "FICHIER MANCHE [--seed S]"; }
    std::string description() const override { return "pesées de contrôle d'une manche (tirage fait une fois)"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override { return {{"seed", "S"}}; }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::optional<int> round = readRound(args.positional()[1]);
        if (!round)
            return {usageError(io, "numéro de manche incorrect : " + args.positional()[1])};
        const std::optional<uint64_t> seed = args.has("seed") ? readSeed(args.value("seed")) : clockSeed();
        if (!seed)
            return {usageError(io, "--seed attend un entier positif")};
        if (contest.lastPreparedRound < 1)
            return {refuse(io, terminalText(MajMessage(421))), false};
        if (!contest.roundPrepared[*round])
            return {refuse(io, formatText(kRoundTitle, *round) + " : manche non préparée"), false};
        RandomSource random(*seed);
        WeighingResult weighing = TiragePesees(contest, *round, random);
        if (contest.fault())
            return faulted();
        io.out << MajStr(710) << " - " << formatText(kRoundTitle, *round) << "\n";
        for (const std::string& line : weighing.lines)
            io.out << line << "\n";
        return {kExitOk, weighing.drawn};
    }
};

} // namespace

std::unique_ptr<Command> makeWeighingCommand() { return std::make_unique<WeighingCommand>(); }

} // namespace r7t::cli
