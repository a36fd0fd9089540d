#include "cli/command.h"

namespace r7t::cli {

std::unique_ptr<Command> makeRankingCommand();
std::unique_ptr<Command> makeDetailCommand();
std::unique_ptr<Command> makeExportCommand();
std::unique_ptr<Command> makePublishCommand();

void addRankingCommands(CommandList& list)
{
    list.push_back(makeRankingCommand());
    list.push_back(makeDetailCommand());
    list.push_back(makeExportCommand());
    list.push_back(makePublishCommand());
}

} // namespace r7t::cli
