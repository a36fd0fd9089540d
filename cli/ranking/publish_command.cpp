// r7t publish: the overall ranking as a web page that anyone can open.
#include "cli/ranking/ranking_options.h"

#include "ranking/results_page.h"

namespace r7t::cli {

namespace {

class PublishCommand : public ContestCommand {
public:
    std::string name() const override { return "publish"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER (--final [--discard D] | --rounds R,R,... [--discard D] [--no-zero]) [-o PAGE.html] [--force]";
    }
    std::string description() const override { return "écrit la page web des résultats"; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = overallRankingOptions();
        optionList.push_back({"output", "PAGE.html", 'o'});
        optionList.push_back({"force"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        std::string out;
        if (auto refused = chooseOutput(contest, args, ".html", out, *this, io))
            return {*refused};
        OverallRanking ranking;
        if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
            return {*refused};
        const std::string page = resultsPage(contest, ranking, productionTime());
        if (contest.fault())
            return faulted();
        if (auto refused = writeOutput(out, page, *this, io))
            return {*refused};
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makePublishCommand() { return std::make_unique<PublishCommand>(); }

} // namespace r7t::cli
