#include "cli/scoring/scoring_cli.h"

namespace r7t::cli {

void printScoreLine(std::ostream& out, const ScoreListLine& line)
{
    out << line.line.markName() << "\t" << line.line.text << "\n";
}

void addScoringCommands(CommandList& list)
{
    list.push_back(makeScoreCommand());
    list.push_back(makeScoresCommand());
}

} // namespace r7t::cli
