#include "cli/command.h"

namespace r7t::cli {

std::unique_ptr<Command> makeInspectionCommand();

void addInspectionCommands(CommandList& list)
{
    list.push_back(makeInspectionCommand());
}

} // namespace r7t::cli
