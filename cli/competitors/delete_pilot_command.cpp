// r7t delete-pilot: "Supprimer" of the pilot list, disabled once a round is
// prepared.
#include "cli/competitors/competitor_commands.h"
#include "text/strings.h"

namespace r7t::cli {

namespace {

class DeletePilotCommand : public ContestCommand {
public:
    std::string name() const override { return "delete-pilot"; }
    std::string commandSynopsis() const override { return "FICHIER NUMERO [--yes]"; }
    std::string description() const override { return "supprime un concurrent ou un remorqueur"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override { return {{"yes"}}; }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::optional<int32_t> number = readInteger(args.positional()[1]);
        if (!number)
            return {usageError(io, "numéro invalide : " + args.positional()[1])};
        // Asked only of a deletion that would happen, as the dialog's button is.
        const Pilot* pilot = contest.findPilot(*number);
        if (pilot && !anyRoundPrepared(contest) &&
            !confirmed(args, io, pilot->name.utf8() + " " + MajMessage(kMessageDeleteQuestion)))
            return {kExitRefused, false};
        switch (deletePerson(contest, *number)) {
        case DeleteStatus::NotFound:
            return {refuse(io, terminalText(unknownPersonText(*number))), false};
        case DeleteStatus::RoundsPrepared:
            return {refuse(io, terminalText(deleteRefusedText())), false};
        case DeleteStatus::Done:
            break;
        }
        for (const PilotListLine& line : pilotListLines(contest, kindOfNumber(*number)))
            io.out << terminalLine(line.text) << "\n";
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeDeletePilotCommand() { return std::make_unique<DeletePilotCommand>(); }

} // namespace r7t::cli
