#include "cli/command.h"

namespace r7t::cli {

void addCompetitorCommands(CommandList&)
{
}

} // namespace r7t::cli
