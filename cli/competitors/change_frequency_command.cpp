// r7t change-frequency: "Continuer" of the frequency change dialog.
#include "cli/competitors/competitor_commands.h"

#include "competitors/frequency_change.h"

namespace r7t::cli {

namespace {

class ChangeFrequencyCommand : public ContestCommand {
public:
    std::string name() const override { return "change-frequency"; }
    std::string commandSynopsis() const override { return "FICHIER MANCHE"; }
    std::string description() const override
    {
        return "annule les départs à partir d'une manche pour changer une fréquence";
    }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        // Any round number: the rounds before the first cancellable one are refused below.
        const std::optional<int32_t> round = readRoundNumber(args.positional()[1]);
        if (!round)
            return {usageError(io, "numéro de manche incorrect : " + args.positional()[1])};
        FrequencyChangeOutcome outcome = cancelRoundsFrom(contest, *round);
        if (outcome.status == FrequencyChangeStatus::RoundAlreadyFlown)
            return {refuse(io, std::string(kRoundAlreadyFlownText) + " (première manche possible : " +
                                   std::to_string(outcome.firstCancellable) + ")"),
                    false};
        io.out << cancelledRoundsText(outcome.cancelledRounds) << "\n";
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeChangeFrequencyCommand() { return std::make_unique<ChangeFrequencyCommand>(); }

} // namespace r7t::cli
