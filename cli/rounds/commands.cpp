#include "cli/command.h"

namespace r7t::cli {

void addRoundCommands(CommandList&)
{
}

} // namespace r7t::cli
