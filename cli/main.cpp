#include "cli/command.h"

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // Questions are asked only where someone can answer them.
    return r7t::cli::runR7t(args, std::cout, std::cerr, isatty(STDIN_FILENO) ? &std::cin : nullptr);
}
