#include "cli/command.h"

namespace r7t::cli {

std::unique_ptr<Command> makeRankingCommand();
std::unique_ptr<Command> makeDetailCommand();
std::unique_ptr<Command> makeExportCommand();

void addRankingCommands(CommandList& list)
{
    list.push_back(makeRankingCommand());
    list.push_back(makeDetailCommand());
    list.push_back(makeExportCommand());
}

} // namespace r7t::cli
