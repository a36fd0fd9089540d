// What the ranking commands share: the choice of the overall ranking
// (--final or --rounds, --discard, --no-zero) and the refusal when no round
// is completely scored.
#pragma once

#include "cli/command.h"
#include "ranking/ranking.h"

#include <optional>
#include <string>
#include <vector>

namespace r7t::cli {

// --final, --rounds R,R,..., --discard D, --no-zero.
std::vector<OptionSpec> overallRankingOptions();

// A whole non-negative number, or nothing.
std::optional<int> readCount(const std::string& text);

// Refuses with string 420 when no round is completely scored.
bool hasCompleteRound(Contest& contest, const Command& command, Io io);

// Builds the overall ranking the options ask for. On a refusal or a usage
// error, prints it and returns the exit code.
std::optional<int> openRequestedRanking(Contest& contest, const Arguments& args, OverallRanking& ranking,
                                        const Command& command, Io io);

// Prints a usage error as the command frame does and returns its exit code.
int usageError(const Command& command, Io io, const std::string& message);
// Prints a refusal as the command frame does and returns its exit code.
int refusal(const Command& command, Io io, const std::string& message);

} // namespace r7t::cli
