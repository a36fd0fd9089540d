#include "scoring/time_formats.h"

#include "text/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace r7t {

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

std::string withFirstCommaAsPoint(std::string_view text)
{
    std::string s(text);
    if (auto comma = s.find(','); comma != std::string::npos)
        s[comma] = '.';
    return s;
}

} // namespace

int32_t LitVitesse(std::string_view text)
{
    // The product is formed in double: "23.4" is 233.99999... in extended
    // precision and would be truncated to 233.
    const double tenths = std::fabs(leadingDecimal(withFirstCommaAsPoint(text)) * 10.0);
    if (std::isnan(tenths))
        return 0;
    if (tenths >= static_cast<double>(kMaxInt))
        return kMaxInt;
    return static_cast<int32_t>(tenths);
}

int32_t LitDuree(std::string_view text)
{
    const std::string s = withFirstCommaAsPoint(text);
    const int64_t minutes = std::abs(int64_t{leadingInt32(s)});
    // The seconds are made positive too: "0.-5" must not store a negative
    // duration that no check would catch.
    int64_t seconds = 0;
    if (auto point = s.find('.'); point != std::string::npos)
        seconds = std::abs(int64_t{leadingInt32(std::string_view(s).substr(point + 1))});
    return static_cast<int32_t>(std::min<int64_t>(minutes * 60 + seconds, kMaxInt));
}

// Both formats without printf: the text export writes two per round line.
std::string FormatVitesse(int32_t tenths)
{
    // "%i.%i"
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string FormatDuree(int32_t seconds)
{
    // "%i.%02i": a negative remainder is already two characters wide.
    const int32_t rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest >= 0 && rest < 10 ? ".0" : ".") + std::to_string(rest);
}

} // namespace r7t
