#include "cli/command.h"

namespace r7t::cli {

void addScoringCommands(CommandList&)
{
}

} // namespace r7t::cli
