#include "cli/competitors/competitor_commands.h"

namespace r7t::cli {

void addCompetitorCommands(CommandList& list)
{
    list.push_back(makePilotsCommand());
    list.push_back(makeAddPilotCommand());
    list.push_back(makeEditPilotCommand());
    list.push_back(makeDeletePilotCommand());
    list.push_back(makeImportCommand());
    list.push_back(makeChangeFrequencyCommand());
}

} // namespace r7t::cli
