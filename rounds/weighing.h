// The weighing control: about one competitor in five is drawn, once per
// round, to have a glider weighed after the speed or the duration flight.
// Also the range rule of the flight-sheet print.
#pragma once

#include "contest/contest.h"
#include "contest/line_mark.h"
#include "rounds/random.h"

#include <string>
#include <vector>

namespace r7t {

inline constexpr int kMarkNotSelected = -1;
inline constexpr int kMarkSpeed = 1;
inline constexpr int kMarkDuration = 2;

// Whether the round's weighing draw has been made.
bool weighingDrawMade(const Contest& contest, int round);

struct WeighingResult {
    bool drawn = false;               // the draw was made now: the contest must be saved
    std::vector<std::string> lines;   // the dialog's list: a blank line, then one per selected competitor
};

// Makes the round's weighing draw if not yet made, then lists the selected
// competitors in number order.
WeighingResult TiragePesees(Contest& contest, int round, RandomSource& random);

// The flight-sheet range: first and last competitor numbers as typed (at
// most 3 characters each); a last number below the first becomes the first.
struct FlightSheetRange {
    int firstNumber = 1;
    int lastNumber = 1;
};
FlightSheetRange flightSheetRange(const std::string& from, const std::string& to);

} // namespace r7t
