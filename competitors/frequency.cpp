#include "competitors/frequency.h"

#include "text/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace r7t {

namespace {

constexpr int32_t k24GHz = 2400000;

struct Band {
    int32_t low;
    int32_t high;
};
constexpr std::array<Band, 6> kBands{{
    {26500, 27400},     // 27 MHz
    {34900, 35999},     // 35 MHz
    {39999, 40999},     // 40 MHz
    {40999, 41300},     // 41 MHz
    {71999, 72999},     // 72 MHz
    {2399999, 2483600}, // 2.4 GHz
}};

bool inBand(int64_t kHz)
{
    return kHz >= INT32_MIN && kHz <= INT32_MAX && BandeFrequence(static_cast<int32_t>(kHz)) >= 0;
}

// The first "," becomes ".".
std::string withDecimalPoint(std::string_view text)
{
    std::string s(text);
    if (auto comma = s.find(','); comma != std::string::npos)
        s[comma] = '.';
    return s;
}

} // namespace

// The product of a double and 1000 holds in 63 bits of mantissa, so this
// integer computation gives exactly what the multiplication in extended
// (64-bit mantissa) precision gives, on every platform.
std::optional<int64_t> readMegahertz(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && text[i] == '+' && (i + 1 >= text.size() || text[i + 1] != '-'))
        ++i;
    double mhz = 0;
    auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), mhz, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(mhz))
        return std::nullopt;
    if (mhz == 0)
        return 0;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(mhz), &exponent); // |mhz| = fraction * 2^exponent
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53)); // exact, < 2^53
    const uint64_t product = mantissa * 1000u;                            // exact, < 2^63
    const int shift = exponent - 53;
    if (shift >= 0)
        return std::nullopt; // 2^53 MHz and more: far beyond any band
    const uint64_t truncated = shift <= -64 ? 0 : product >> -shift;
    return (mhz < 0 ? -1 : 1) * static_cast<int64_t>(truncated);
}

namespace {

std::vector<ChannelItem> buildChannelMenu()
{
    std::vector<ChannelItem> items;
    int id = 2000;
    auto column = [&](std::initializer_list<std::array<int32_t, 3>> runs) {
        bool first = true;
        for (const auto& run : runs)
            for (int32_t f = run[0]; f <= run[1]; f += run[2]) {
                items.push_back({id++, f, first && !items.empty()});
                first = false;
            }
    };
    column({{35000, 35330, 10}, {35820, 35910, 10}});
    column({{40575, 40985, 10}});
    column({{41000, 41200, 10}});
    column({{72210, 72490, 20}});
    items.push_back({kChannel24GHzId, k24GHz, true});
    return items;
}

} // namespace

int BandeFrequence(int32_t kHz)
{
    for (size_t i = 0; i < kBands.size(); ++i)
        if (kBands[i].low < kHz && kHz < kBands[i].high)
            return static_cast<int>(i);
    return -1;
}

std::string TexteFrequence(int32_t kHz)
{
    if (kHz >= k24GHz)
        return "2.4 GHz";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", kHz * 0.001);
    return buffer;
}

std::span<const ChannelItem> channelMenu()
{
    static const std::vector<ChannelItem> items = buildChannelMenu();
    return items;
}

int32_t roundTo5kHz(int32_t kHz)
{
    const int32_t rest = kHz % 5;
    if (rest < 0)
        return kHz - rest; // not a frequency; only keeps the arithmetic defined
    return rest <= 2 ? kHz - rest : kHz + (5 - rest);
}

std::optional<int32_t> readFormFrequency(std::string_view typed)
{
    const std::string text = withDecimalPoint(typed.substr(0, 6));
    int64_t value = 0;
    if (!text.empty() && text[0] == '2') {
        value = k24GHz;
    } else {
        value = leadingInteger(text);
        if (value != 0 && !inBand(value)) {
            std::optional<int64_t> khz = readMegahertz(text);
            if (!khz || !inBand(*khz))
                return std::nullopt;
            value = *khz;
        }
    }
    if (value == 0)
        return 0;
    const int32_t rounded = roundTo5kHz(static_cast<int32_t>(value));
    if (BandeFrequence(rounded) < 0)
        return std::nullopt;
    return rounded;
}

std::optional<int32_t> readImportFrequency1(std::string_view field)
{
    const std::string text = withDecimalPoint(field);
    int64_t value = leadingInteger(text);
    if (!inBand(value)) {
        std::optional<int64_t> khz = readMegahertz(text);
        if (!khz || !inBand(*khz))
            return std::nullopt;
        value = *khz;
    }
    int32_t kHz = roundTo5kHz(static_cast<int32_t>(value));
    if (!text.empty() && text[0] == '2')
        kHz = k24GHz;
    // Rounding can leave the band (35998 gives 36000): such a value is
    // refused, as the person form refuses it.
    if (BandeFrequence(kHz) < 0)
        return std::nullopt;
    return kHz;
}

std::optional<int32_t> readImportFrequency2(std::string_view field)
{
    const std::string text = withDecimalPoint(field);
    const int64_t value = leadingInteger(text);
    if (value == 0)
        return 0;
    if (inBand(value))
        return static_cast<int32_t>(value);
    std::optional<int64_t> khz = readMegahertz(text);
    if (!khz || !inBand(*khz))
        return std::nullopt;
    int32_t kHz = roundTo5kHz(static_cast<int32_t>(*khz));
    if (!text.empty() && text[0] == '2')
        kHz = k24GHz;
    if (BandeFrequence(kHz) < 0)
        return std::nullopt;
    return kHz;
}

} // namespace r7t
