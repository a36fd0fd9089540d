// r7t info: what the main window's status display tells of a contest.
#include "cli/command.h"

#include "contest/status_texts.h"

namespace r7t::cli {

namespace {

class InfoCommand : public ContestCommand {
public:
    std::string name() const override { return "info"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override { return "FICHIER"; }
    std::string description() const override { return "affiche l'état d'un concours"; }

protected:
    Outcome body(Contest& contest, const Arguments&, Io io) override
    {
        const ContestHeader& h = contest.header;
        io.out << "version: " << h.version << "\n"
               << "title: " << h.title.utf8() << "\n"
               << "date: " << h.date.utf8() << "\n"
               << "place: " << h.place.utf8() << "\n"
               << "password: " << (contest.password.empty() ? "no" : "yes") << "\n"
               << "competitors: " << contest.competitorCount() << "\n"
               << "tow pilots: " << contest.towPilotCount() << "\n"
               << "prepared rounds: " << preparedRoundsText(contest) << "\n"
               << "complete rounds: " << contest.completeRoundsText << "\n"
               << "best speed: " << bestSpeedText(contest).value_or("none") << "\n"
               << "groups: " << contest.groups.size() << "\n"
               << "results: " << contest.results.size() << "\n"
               << "extra records: " << contest.extras.size() << "\n";
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeInfoCommand() { return std::make_unique<InfoCommand>(); }

} // namespace r7t::cli
