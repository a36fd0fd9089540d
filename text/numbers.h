// Small readings of numbers typed in fields or met in files.
#pragma once

#include <cstdint>
#include <string_view>

namespace r7t {

// White space as the C library's number readers skip it.
constexpr bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The text's leading integer as the C library's atoi reads it (leading
// white space, an optional sign, digits), 0 when there is none; saturates
// instead of overflowing.
int64_t leadingInteger(std::string_view text);

// The same, clamped to the 32-bit range: what a 32-bit field holds.
int32_t leadingInt32(std::string_view text);

// What atof reads at the start of the text, whatever the locale (the
// windowed program runs under a French locale whose decimal mark is a
// comma); infinity when it overflows, 0 when there is no number.
double leadingDecimal(std::string_view text);

} // namespace r7t
