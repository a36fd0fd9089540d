// Radio frequencies: the accepted bands, their text, the channel menu and the
// readings of a typed frequency (person form) and of an imported one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r7t {

// The band of a frequency: 0..5 (27, 35, 40, 41, 72 MHz, 2.4 GHz) holding the value strictly
// between its limits, or -1.
int BandeFrequence(int32_t kHz);

// "35.010" (MHz, three decimals), or "2.4 GHz" from 2400000 on.
std::string TexteFrequence(int32_t kHz);

// The channel menu of the frequency fields, in menu order.
struct ChannelItem {
    int id;          // menu item id: 2000..2121, 2200
    int32_t kHz;     // 2400000 for the "2.4 GHz" item
    bool newColumn;  // the item starts a menu column
};
std::span<const ChannelItem> channelMenu();
inline constexpr int kChannel24GHzId = 2200;

// The nearest multiple of 5 kHz: remainder 0..2 down, 3..4 up.
int32_t roundTo5kHz(int32_t kHz);

// The text read as a decimal number of MHz (its beginning, as strtod reads
// it, without hexadecimal forms), multiplied by 1000 in extended precision
// and truncated toward zero: "40.999" gives 40998. Nothing when the text
// does not start with a number.
std::optional<int64_t> readMegahertz(std::string_view text);

// A frequency field of the person form (only its first 6 characters count):
// 0 when nothing is given (empty, or a leading integer 0), the value in kHz,
// or nothing when the text is refused (in no band, before or after rounding
// to 5 kHz). Any text starting with "2" is 2.4 GHz.
std::optional<int32_t> readFormFrequency(std::string_view text);

// Frequency 1 of an import line: the value in kHz, or nothing when refused.
std::optional<int32_t> readImportFrequency1(std::string_view field);
// Frequency 2 of an import line: 0 when empty or a leading integer 0, the
// value in kHz, or nothing when refused. A value given in kHz inside a band
// is kept as it is; one read in MHz is rounded like frequency 1.
std::optional<int32_t> readImportFrequency2(std::string_view field);

} // namespace r7t
