// r7t pilots: the lines of the competitor (or tow pilot) list dialog.
#include "cli/competitors/competitor_commands.h"

namespace r7t::cli {

namespace {

class PilotsCommand : public ContestCommand {
public:
    std::string name() const override { return "pilots"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override { return "FICHIER [--tow]"; }
    std::string description() const override { return "liste les concurrents (ou les remorqueurs)"; }

protected:
    std::vector<OptionInfo> commandOptions() const override { return {{"tow"}}; }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const PersonKind kind = args.has("tow") ? PersonKind::TowPilot : PersonKind::Competitor;
        for (const PilotListLine& line : pilotListLines(contest, kind))
            io.out << terminalLine(line.text) << "\n";
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makePilotsCommand() { return std::make_unique<PilotsCommand>(); }

} // namespace r7t::cli
