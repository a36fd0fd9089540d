// The readers of the numbers r7t takes on its command line. Each reads the
// whole text or nothing: "12abc", "3x", " 3", "+3" and "" are no numbers, so
// a typing slip is a usage error and never a neighbouring value.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace r7t::cli {

// A whole decimal number (an optional minus sign, then digits).
std::optional<int32_t> readInteger(std::string_view text);

// A whole decimal number from min to max.
std::optional<int32_t> readIntegerIn(std::string_view text, int32_t min, int32_t max);

// A count: a whole number, 0 or more.
std::optional<int32_t> readCount(std::string_view text);

// A round number, 1 to 40.
std::optional<int32_t> readRound(std::string_view text);

// The round a change starts from: 1 or more, with no upper bound, since a
// round past the last one prepared simply holds nothing to cancel.
std::optional<int32_t> readRoundNumber(std::string_view text);

// Whole numbers from min to max separated by commas ("4,2"); an empty item
// ("1,,2", "1,", "") spoils the list.
std::optional<std::vector<int32_t>> readNumberList(std::string_view text,
                                                   int32_t min = std::numeric_limits<int32_t>::min(),
                                                   int32_t max = std::numeric_limits<int32_t>::max());

// A speed time as the score entry writes it, "ss.d": whole seconds, then
// optionally a point, comma or colon and one digit of tenths ("23.4",
// "23:4", "23"); the tenths. The dialog's own reading would take "99:99" as
// 99.0 s and "abc" as 0, which r7t refuses.
std::optional<int32_t> readSpeedTime(std::string_view text);

// A duration as the score entry writes it, "mn.ss": whole minutes, then
// optionally a point, comma or colon and one or two digits of seconds, at
// most 59 ("7.05", "7:30", "7.5" is 7 min 05 s as in the dialog, "8"); the
// seconds.
std::optional<int32_t> readDurationTime(std::string_view text);

// The seed of the pseudo-random source: a whole number from 0 to 2^64 - 1.
std::optional<uint64_t> readSeed(std::string_view text);

} // namespace r7t::cli
