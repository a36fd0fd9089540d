// r7t edit-pilot: the person form in modify mode ("MODIFIER"), optionally
// after its "Modif. Freq." button (--frequency-change).
#include "cli/competitors/competitor_commands.h"

#include "competitors/frequency_change.h"

namespace r7t::cli {

namespace {

class EditPilotCommand : public ContestCommand {
public:
    std::string name() const override { return "edit-pilot"; }
    std::string commandSynopsis() const override
    {
        return "FICHIER NUMERO " + personFormSynopsis() + " [--frequency-change MANCHE]";
    }
    std::string description() const override { return "modifie un concurrent ou un remorqueur"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = personFormOptions();
        optionList.push_back({"frequency-change", "MANCHE"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::optional<int32_t> number = readInteger(args.positional()[1]);
        if (!number)
            return {usageError(io, "numéro invalide : " + args.positional()[1])};
        std::optional<int32_t> fromRound;
        if (args.has("frequency-change") && !(fromRound = readRoundNumber(args.value("frequency-change"))))
            return {usageError(io, "--frequency-change attend un numéro de manche")};
        const Pilot* pilot = contest.findPilot(*number);
        if (!pilot)
            return {refuse(io, terminalText(unknownPersonText(*number))), false};
        // Before the frequency change, which is saved even when the form is refused.
        if (const std::optional<std::string> refusal = unstorableText(args, personFormOptions()))
            return {refuse(io, *refusal), false};
        const PersonKind kind = kindOfNumber(*number);
        if (kind == PersonKind::TowPilot && hasMassOption(args))
            return {usageError(io, "les masses ne concernent que les concurrents")};
        // The form is filled when it opens, before any frequency change.
        PersonForm form = personForm(*pilot);
        applyPersonOptions(form, args);

        bool unlocked = false;
        bool changed = false;
        if (fromRound) {
            FrequencyChangeOutcome cancelled = cancelRoundsFrom(contest, *fromRound);
            if (cancelled.status == FrequencyChangeStatus::RoundAlreadyFlown)
                return {refuse(io, std::string(kRoundAlreadyFlownText) + " (première manche possible : " +
                                       std::to_string(cancelled.firstCancellable) + ")"),
                        false};
            afterFrequencyChange(contest, *number);
            unlocked = true;
            changed = true; // the frequency change is saved even if the form is then refused
            io.out << cancelledRoundsText(cancelled.cancelledRounds) << "\n";
        }
        EntryResult result = modifyPerson(contest, *number, form, unlocked);
        if (!result.ok()) {
            std::string message = terminalText(result.message);
            if (result.status == EntryStatus::FrequencyLocked)
                message += "\n(r7t change-frequency, ou --frequency-change MANCHE)";
            return {refuse(io, message), changed};
        }
        io.out << terminalLine(LignePilote(*contest.findPilot(*number))) << "\n";
        if (kind == PersonKind::Competitor)
            io.out << abandonLine(contest, *number) << "\n";
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeEditPilotCommand() { return std::make_unique<EditPilotCommand>(); }

} // namespace r7t::cli
