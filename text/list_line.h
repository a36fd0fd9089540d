// Placing the tab-separated columns of a list line at pixel tab stops, the
// way the dialogs' owner-drawn lists draw them.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r7t {

// One piece of a line between tabs, at x pixels from the text origin.
struct TextRun {
    int x = 0;
    std::string text;
    bool operator==(const TextRun&) const = default;
};

// Splits a line at its tabs and places each piece. A tab moves to the first
// stop strictly right of the current position; with no stops, or past the
// last of several, stops fall every 8 average character widths; one stop
// alone repeats at its own interval. Stops are pixels from the text origin.
std::vector<TextRun> layoutTabbedLine(std::string_view text, std::span<const int> tabStops, int averageCharWidth,
                                      const std::function<int(std::string_view)>& width);

// The position a tab at x moves to.
int nextTabStop(int x, std::span<const int> tabStops, int averageCharWidth);

} // namespace r7t
