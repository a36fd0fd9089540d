// r7t add-pilot: the person form in new mode ("INSCRIRE").
#include "cli/competitors/competitor_commands.h"

#include "text/strings.h"

namespace r7t::cli {

namespace {

class AddPilotCommand : public ContestCommand {
public:
    std::string name() const override { return "add-pilot"; }
    std::string commandSynopsis() const override { return "FICHIER [--tow] " + personFormSynopsis(); }
    std::string description() const override { return "inscrit un concurrent (ou un remorqueur) ; affiche son numéro"; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = personFormOptions();
        optionList.push_back({"tow"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const PersonKind kind = args.has("tow") ? PersonKind::TowPilot : PersonKind::Competitor;
        if (kind == PersonKind::TowPilot && hasMassOption(args))
            return {usageError(io, "les masses ne concernent que les concurrents")};
        if (const std::optional<std::string> refusal = unstorableText(args, personFormOptions()))
            return {refuse(io, *refusal), false};
        PersonForm form;
        applyPersonOptions(form, args);
        EntryResult result = createPerson(contest, kind, form);
        if (!result.ok())
            return {refuse(io, terminalText(result.message)), false};
        io.out << result.number << "\n";
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeAddPilotCommand() { return std::make_unique<AddPilotCommand>(); }

} // namespace r7t::cli
