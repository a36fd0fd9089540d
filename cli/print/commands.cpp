#include "cli/command.h"

namespace r7t::cli {

std::unique_ptr<Command> makePrintCommand();
std::unique_ptr<Command> makePrintInspectionCommand();

void addPrintCommands(CommandList& list)
{
    list.push_back(makePrintCommand());
    list.push_back(makePrintInspectionCommand());
}

} // namespace r7t::cli
