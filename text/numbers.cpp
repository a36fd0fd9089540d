#include "text/numbers.h"

#include <charconv>
#include <cstdio>
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

std::string formatNumbers(std::string_view format, std::initializer_list<long long> values)
{
    std::string out;
    auto next = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool zero = format[j] == '0';
        if (zero)
            ++j;
        int width = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9' && width < 100)
            width = width * 10 + (format[j++] - '0');
        if (j >= format.size() || (format[j] != 'u' && format[j] != 'i' && format[j] != 'd')) {
            out += format[i];
            continue;
        }
        const long long value = next != values.end() ? *next++ : 0;
        char buffer[160];
        if (format[j] == 'u')
            std::snprintf(buffer, sizeof buffer, zero ? "%0*llu" : "%*llu", width, static_cast<unsigned long long>(value));
        else
            std::snprintf(buffer, sizeof buffer, zero ? "%0*lld" : "%*lld", width, value);
        out += buffer;
        i = j;
    }
    return out;
}

} // namespace r7t
