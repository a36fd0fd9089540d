#include "text/numbers.h"

#include <limits>

namespace r7t {

int64_t leadingInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 9;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value >= kLimit ? kLimit : value * 10 + (text[i] - '0');
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
