// The launch dialog of a new round's draw: who does not fly this round and
// the draw settings.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace r7t {

inline constexpr int kMaxAttempts = 8000;

struct LaunchChoices {
    std::vector<int32_t> absent;  // competitors marked as not taking part
    std::string attemptsText;     // field 705 as typed
    bool sameStarts = false;      // box 706
};

struct LaunchSettings {
    int attempts = kMaxAttempts;
    bool sameStartOrder = false;
};

// "Lancer" of the launch dialog: participation 0 for the absent competitors,
// 99 for every other competitor (number < 100); the attempts read from the
// text (at most 7 characters, leading integer; not a number gives 0), a
// negative count gives 0 and a count above 8000 gives 8000.
LaunchSettings applyLaunchChoices(Contest& contest, const LaunchChoices& choices);

// The launch dialog's list: one line " %02u  - %-20s" (Windows-1252) per
// competitor in number order, selected when the competitor does not take
// part (participation 0).
struct LaunchLine {
    int32_t number;
    std::string text;
    bool selected;
};
std::vector<LaunchLine> launchLines(const Contest& contest);

} // namespace r7t
