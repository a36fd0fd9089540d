// Printing a round's lists the way the preparation dialog shows them.
#pragma once

#include "cli/command.h"
#include "cli/readers.h"
#include "contest/line_mark.h"

#include <vector>

namespace r7t::cli {

// One line per list entry: the picture's name, a tab, the text.
void printListLines(std::ostream& out, const std::vector<ListLine>& lines);

} // namespace r7t::cli
