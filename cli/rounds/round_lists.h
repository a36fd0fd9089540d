// Printing a round's lists the way the preparation dialog shows them.
#pragma once

#include "cli/command.h"
#include "contest/line_mark.h"

#include <vector>

namespace r7t::cli {

// One line per list entry: the picture's name, a tab, the text.
void printListLines(std::ostream& out, const std::vector<ListLine>& lines);

// Reads a round number argument: 1..40, else a refusal message.
std::optional<int> parseRound(const std::string& text);

} // namespace r7t::cli
