// Text forms of the flight times, for entry and display: speed times are
// integer tenths of a second ("ss.d"), duration times integer seconds
// ("mn.ss"). A comma typed instead of the point is accepted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace r7t {

// Characters a time field of the score entry accepts.
inline constexpr int kTimeFieldLength = 5;

// "23.4" or "23,4" -> 234: the number read, times 10 in double precision,
// made positive and truncated. Empty or non-numeric text gives 0; a value
// too large for the field gives INT32_MAX (which every check refuses).
int32_t LitVitesse(std::string_view text);

// "7.05" or "7.5" -> 425, "7.50" -> 470, "8" -> 480: minutes before the
// point, seconds (not limited to 59) after it. Non-numeric parts read as 0.
int32_t LitDuree(std::string_view text);

// Formats a speed time in tenths: 234 -> "23.4".
std::string FormatVitesse(int32_t tenths);

// Formats a duration in seconds as minutes.seconds: 425 -> "7.05".
std::string FormatDuree(int32_t seconds);

} // namespace r7t
