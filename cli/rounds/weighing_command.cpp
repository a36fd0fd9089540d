// r7t weighing: the weighing control of a round (drawn once, then shown).
#include "text/strings.h"
#include "cli/rounds/round_lists.h"
#include "rounds/weighing.h"

#include <charconv>

namespace r7t::cli {

namespace {

class WeighingCommand : public ContestCommand {
public:
    std::string name() const override { return "weighing"; }
    std::string synopsis() const override { return "FICHIER MANCHE [--seed S] [--password W]"; }
    std::string description() const override { return "pesées de contrôle d'une manche (tirage fait une fois)"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionSpec> commandOptions() const override { return {{"seed", true}}; }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        if (contest.lastPreparedRound < 1)
            return {refuse(io, terminalText(MajMessage(421))), false};
        const std::optional<int> round = parseRound(args.positional()[1]);
        if (!round)
            return {refuse(io, "numéro de manche incorrect : " + args.positional()[1]), false};
        if (!contest.roundPrepared[*round])
            return {refuse(io, stringPrintf(MajStr(51).c_str(), *round) + " : manche non préparée"), false};
        uint64_t seed = clockSeed();
        if (args.has("seed")) {
            const std::string text = args.value("seed");
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
            if (error != std::errc() || end != text.data() + text.size())
                return {refuse(io, "--seed attend un entier positif"), false};
        }
        RandomSource random(seed);
        WeighingResult weighing = TiragePesees(contest, *round, random);
        if (contest.fault())
            return {refuse(io, terminalText(formatWithText(MajStr(41), *contest.fault()))), false};
        io.out << MajStr(710) << " - " << stringPrintf(MajStr(51).c_str(), *round) << "\n";
        for (const std::string& line : weighing.lines)
            io.out << line << "\n";
        return {kExitOk, weighing.drawn};
    }
};

} // namespace

std::unique_ptr<Command> makeWeighingCommand() { return std::make_unique<WeighingCommand>(); }

} // namespace r7t::cli
