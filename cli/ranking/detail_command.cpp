// r7t detail: one competitor's rounds in the overall ranking.
#include "cli/ranking/ranking_options.h"

#include "ranking/ranking_lines.h"

namespace r7t::cli {

namespace {

class DetailCommand : public ContestCommand {
public:
    std::string name() const override { return "detail"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER NUMERO (--final [--discard D] | --rounds R,R,... [--discard D] [--no-zero])";
    }
    std::string description() const override { return "affiche le détail d'un concurrent au classement général"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override { return overallRankingOptions(); }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        std::optional<int> number = readIntegerIn(args.positional()[1], 1, 99);
        if (!number || !isCompetitorNumber(*number))
            return {usageError(io, "NUMERO attend un numéro de concurrent de 1 à 99")};
        OverallRanking ranking;
        if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
            return {*refused};
        // Only a line of the list can be opened.
        bool listed = false;
        for (const RankedEntry& entry : overallOrder(contest, ranking))
            listed = listed || entry.number == *number;
        if (!listed)
            return {refuse(io, "le concurrent " + std::to_string(*number) + " n'est pas au classement")};
        io.out << detailTitle(contest, ranking, *number) << "\n";
        for (const std::string& line : detailLines(ranking, *number))
            io.out << line << "\n";
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeDetailCommand() { return std::make_unique<DetailCommand>(); }

} // namespace r7t::cli
