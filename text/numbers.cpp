#include "text/numbers.h"

#include <charconv>
#include <limits>

namespace r7t {

namespace {

// Where the digits start once white space and a sign are skipped.
size_t numberStart(std::string_view text, bool& negative)
{
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    return i;
}

} // namespace

int64_t leadingInteger(std::string_view text)
{
    bool negative = false;
    size_t i = numberStart(text, negative);
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 9;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value >= kLimit ? kLimit : value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

double leadingDecimal(std::string_view text)
{
    bool negative = false;
    const size_t i = numberStart(text, negative);
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    if (error != std::errc() || end == text.data() + i)
        return 0.0;
    return negative ? -value : value;
}

int32_t leadingInt32(std::string_view text)
{
    const int64_t v = leadingInteger(text);
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

} // namespace r7t
