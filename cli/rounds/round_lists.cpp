#include "cli/rounds/round_lists.h"

namespace r7t::cli {

void printListLines(std::ostream& out, const std::vector<ListLine>& lines)
{
    for (const ListLine& line : lines)
        out << line.markName() << "\t" << line.text << "\n";
}

} // namespace r7t::cli
