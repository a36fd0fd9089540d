// What the ranking commands share: the choice of the overall ranking
// (--final or --rounds, --discard, --no-zero) and the refusal when no round
// is completely scored.
#pragma once

#include "cli/command.h"
#include "cli/readers.h"
#include "ranking/ranking.h"

#include <optional>
#include <string>
#include <vector>

namespace r7t::cli {

// --final, --rounds R,R,..., --discard D, --no-zero.
std::vector<OptionInfo> overallRankingOptions();

// Refuses with string 420 when no round is completely scored.
bool hasCompleteRound(Contest& contest, const Command& command, Io io);

// Builds the overall ranking the options ask for. On a refusal or a usage
// error, prints it and returns the exit code; on the contest's fault,
// returns without a word (the command frame reports it).
std::optional<int> openRequestedRanking(Contest& contest, const Arguments& args, OverallRanking& ranking,
                                        const Command& command, Io io);

// The output file of a ranking command: -o SORTIE, or the contest's path
// with that extension; "-" is the standard output. An existing file is
// refused unless --force. Returns the exit code of a refusal.
std::optional<int> chooseOutput(const Contest& contest, const Arguments& args, const std::string& extension,
                                std::string& out, const Command& command, Io io);

// Writes the bytes there, atomically for a file.
std::optional<int> writeOutput(const std::string& out, const std::string& bytes, const Command& command, Io io);

} // namespace r7t::cli
