// Runs the r7t command line in-process, as a shell would, for tests.
#pragma once

#include "cli/command.h"

#include <sstream>
#include <string>
#include <vector>

namespace r7t::fixtures {

struct CliRun {
    int exit;
    std::string out;
    std::string err;
};

// terminal: the answers typed at a terminal; none by default, as in a script.
inline CliRun runCli(const std::vector<std::string>& args, std::istream* terminal = nullptr)
{
    std::ostringstream out, err;
    const int exit = cli::runR7t(args, out, err, terminal);
    return {exit, out.str(), err.str()};
}

} // namespace r7t::fixtures
