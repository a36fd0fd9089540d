#include "cli/command.h"

namespace r7t::cli {

void addInspectionCommands(CommandList&)
{
}

} // namespace r7t::cli
