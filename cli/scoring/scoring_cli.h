// Helpers shared by the scoring commands.
#pragma once

#include "cli/command.h"
#include "cli/readers.h"
#include "scoring/score_list.h"

namespace r7t::cli {

// "STATE\t 07 - NAME", as the score list shows a competitor.
void printScoreLine(std::ostream& out, const ScoreListLine& line);

std::unique_ptr<Command> makeScoreCommand();
std::unique_ptr<Command> makeScoresCommand();

} // namespace r7t::cli
