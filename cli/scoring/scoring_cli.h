// Helpers shared by the scoring commands.
#pragma once

#include "cli/command.h"
#include "scoring/score_list.h"

#include <optional>
#include <string>

namespace r7t::cli {

// A whole decimal integer from min to max, nothing else.
std::optional<int> parseIntegerIn(const std::string& text, int min, int max);

// "STATE\t 07 - NAME", as the score list shows a competitor.
void printScoreLine(std::ostream& out, const ScoreListLine& line);

// Prints the fault report raised on the contest, if any; true when one was.
bool reportFault(const Contest& contest, Io io);

std::unique_ptr<Command> makeScoreCommand();
std::unique_ptr<Command> makeScoresCommand();

} // namespace r7t::cli
