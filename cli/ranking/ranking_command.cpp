// r7t ranking: the ranking of one round, or the overall ranking over chosen
// rounds or all of them (final) followed by the best speed.
#include "cli/ranking/ranking_options.h"

#include "ranking/ranking_lines.h"

namespace r7t::cli {

namespace {

class RankingCommand : public ContestCommand {
public:
    std::string name() const override { return "ranking"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER (--round R | --final [--discard D] | --rounds R,R,... [--discard D] [--no-zero])";
    }
    std::string description() const override { return "affiche le classement d'une manche, au choix ou final"; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = overallRankingOptions();
        optionList.push_back({"round", "R"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        if (args.has("round"))
            return roundRanking(contest, args, io);
        OverallRanking ranking;
        if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
            return {*refused};
        for (const std::string& line : overallRankingLines(contest, ranking))
            io.out << line << "\n";
        for (const std::string& line : bestSpeedLines(contest, ranking))
            io.out << line << "\n";
        return {};
    }

private:
    Outcome roundRanking(Contest& contest, const Arguments& args, Io io) const
    {
        if (args.has("final") || args.has("rounds") || args.has("discard") || args.has("no-zero"))
            return {usageError(io, "--round ne se combine pas avec les options du classement général")};
        std::optional<int> round = readRound(args.value("round"));
        if (!round)
            return {usageError(io, "--round attend un numéro de manche de 1 à 40")};
        if (!hasCompleteRound(contest, *this, io))
            return {kExitRefused};
        if (!contest.roundComplete[*round])
            return {refuse(io, "la manche " + std::to_string(*round) + " n'est pas complètement saisie (" +
                                   contest.completeRoundsText + ")")};
        const std::vector<std::string> lines = roundRankingLines(rankRound(contest, *round));
        if (contest.fault())
            return faulted();
        for (const std::string& line : lines)
            io.out << line << "\n";
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeRankingCommand() { return std::make_unique<RankingCommand>(); }

} // namespace r7t::cli
