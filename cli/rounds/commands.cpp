#include "cli/command.h"

namespace r7t::cli {

std::unique_ptr<Command> makeDrawCommand();
std::unique_ptr<Command> makeDeleteRoundCommand();
std::unique_ptr<Command> makeWeighingCommand();

void addRoundCommands(CommandList& list)
{
    list.push_back(makeDrawCommand());
    list.push_back(makeDeleteRoundCommand());
    list.push_back(makeWeighingCommand());
}

} // namespace r7t::cli
