// r7t scores: the score list of a round, each competitor with the state of
// its result (VIDE, FEUTEMPO, FEUVERT).
#include "cli/scoring/scoring_cli.h"

#include "text/strings.h"
#include "string_table/formats.h"

namespace r7t::cli {

namespace {

constexpr int kMessageNoPreparedRound = 421;

class ScoresCommand : public ContestCommand {
public:
    std::string name() const override { return "scores"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override { return "FICHIER [MANCHE]"; }
    std::string description() const override { return "liste de saisie des scores d'une manche"; }
    int maxPositional() const override { return 2; }

protected:
    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        int round = scoreListRound(contest);
        if (args.positional().size() > 1) {
            auto chosen = readRound(args.positional()[1]);
            if (!chosen)
                return {usageError(io, "manche incorrecte : " + args.positional()[1])};
            round = *chosen;
            if (!contest.roundPrepared[round])
                return {refuse(io, "la manche " + std::to_string(round) + " n'est pas préparée"), false};
        } else if (round == 0) {
            return {refuse(io, terminalText(MajMessage(kMessageNoPreparedRound))), false};
        }
        const auto lines = scoreListLines(contest, round);
        if (contest.fault())
            return faulted();
        io.out << formatText(kRoundTitle, round) << "\n";
        for (const ScoreListLine& line : lines)
            printScoreLine(io.out, line);
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeScoresCommand() { return std::make_unique<ScoresCommand>(); }

} // namespace r7t::cli
