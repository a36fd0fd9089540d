// r7t import: "Importer" of the import dialog, then "Terminé".
#include "cli/competitors/competitor_commands.h"

#include "competitors/import.h"

namespace r7t::cli {

namespace {

class ImportCommand : public ContestCommand {
public:
    std::string name() const override { return "import"; }
    std::string commandSynopsis() const override { return "FICHIER LISTE.txt"; }
    std::string description() const override { return "importe des concurrents d'un fichier texte (tout ou rien)"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        ImportOutcome outcome = importCompetitorsFromFile(contest, args.positional()[1]);
        switch (outcome.status) {
        case ImportStatus::CannotOpen:
        case ImportStatus::Incompatible:
            return {refuse(io, terminalText(outcome.alert) + (outcome.hint.empty() ? "" : "\n" + outcome.hint)),
                    false};
        case ImportStatus::Refused:
        case ImportStatus::Imported:
            break;
        }
        io.out << outcome.resultLine << "\n";
        if (!outcome.unreadLine.empty())
            io.out << outcome.unreadLine << "\n";
        for (const std::string& line : outcome.errorLines)
            io.out << line << "\n";
        const bool refused = outcome.status == ImportStatus::Refused || outcome.errors > 0;
        return {refused ? kExitRefused : kExitOk, outcome.imported > 0};
    }
};

} // namespace

std::unique_ptr<Command> makeImportCommand() { return std::make_unique<ImportCommand>(); }

} // namespace r7t::cli
