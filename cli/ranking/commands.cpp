#include "cli/command.h"

namespace r7t::cli {

void addRankingCommands(CommandList&)
{
}

} // namespace r7t::cli
