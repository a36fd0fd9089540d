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

inline CliRun runCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int exit = cli::runR7t(args, out, err);
    return {exit, out.str(), err.str()};
}

} // namespace r7t::fixtures
