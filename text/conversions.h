// The printf-like conversions a table text may hold. One reading serves both
// the string table generator, which refuses any other use of '%' and
// declares each text's conversions, and the formatter, so the two cannot
// disagree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace r7t {

// "%s", "%i" or "%d", "%u".
enum class ConversionKind : char { Text, Integer, Unsigned };

struct Conversion {
    ConversionKind kind = ConversionKind::Text;
    bool leftAligned = false; // '-' flag
    bool zeroPadded = false;  // '0' flag, integers only
    int width = 0;            // one or two digits, 0 when absent
};

// What a '%' starts.
struct PercentForm {
    std::size_t length = 0; // bytes from the '%' on; 0 when it starts no accepted form
    bool percentSign = false; // "%%"
    Conversion conversion;
};

// Reads the form whose '%' is at text[at]: "%%", or '%', at most one flag,
// a width of one or two digits, then 's', 'i', 'd' or 'u'.
PercentForm readPercentForm(std::string_view text, std::size_t at);

// The text's conversions in order. False, with error naming the offending
// form, when a '%' starts none of the accepted forms.
bool parseConversions(std::string_view text, std::vector<Conversion>& conversions, std::string& error);

} // namespace r7t
