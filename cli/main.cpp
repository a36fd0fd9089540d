#include "cli/command.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return r7t::cli::runR7t(args, std::cout, std::cerr);
}
