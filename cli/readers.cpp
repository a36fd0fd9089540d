#include "cli/readers.h"

#include "contest/records.h"

#include <charconv>
#include <utility>

namespace r7t::cli {

namespace {

// from_chars already refuses leading blanks and a plus sign; what is left is
// a number that does not fill the text, or none at all.
template <typename Number>
std::optional<Number> readWhole(std::string_view text)
{
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isSeparator(char c) { return c == '.' || c == ',' || c == ':'; }

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Splits "whole[sep fraction]"; the whole part is 1 to 4 digits so that no
// time overflows, the fraction 1 to maxFraction digits.
std::optional<std::pair<int32_t, std::string_view>> splitTime(std::string_view text, size_t maxFraction)
{
    size_t sep = 0;
    while (sep < text.size() && !isSeparator(text[sep]))
        ++sep;
    const std::string_view whole = text.substr(0, sep);
    if (!allDigits(whole) || whole.size() > 4)
        return std::nullopt;
    std::string_view fraction;
    if (sep < text.size()) {
        fraction = text.substr(sep + 1);
        if (!allDigits(fraction) || fraction.size() > maxFraction)
            return std::nullopt;
    }
    return std::pair{*readWhole<int32_t>(whole), fraction};
}

} // namespace

std::optional<int32_t> readInteger(std::string_view text) { return readWhole<int32_t>(text); }

std::optional<int32_t> readIntegerIn(std::string_view text, int32_t min, int32_t max)
{
    const std::optional<int32_t> value = readInteger(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::optional<int32_t> readCount(std::string_view text)
{
    return readIntegerIn(text, 0, std::numeric_limits<int32_t>::max());
}

std::optional<int32_t> readRound(std::string_view text) { return readIntegerIn(text, 1, kMaxRounds); }

std::optional<int32_t> readRoundNumber(std::string_view text)
{
    return readIntegerIn(text, 1, std::numeric_limits<int32_t>::max());
}

std::optional<std::vector<int32_t>> readNumberList(std::string_view text, int32_t min, int32_t max)
{
    std::vector<int32_t> numbers;
    while (true) {
        const size_t comma = text.find(',');
        const std::optional<int32_t> number = readIntegerIn(text.substr(0, comma), min, max);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string_view::npos)
            return numbers;
        text.remove_prefix(comma + 1);
    }
}

std::optional<int32_t> readSpeedTime(std::string_view text)
{
    const auto parts = splitTime(text, 1);
    if (!parts)
        return std::nullopt;
    return parts->first * 10 + (parts->second.empty() ? 0 : parts->second[0] - '0');
}

std::optional<int32_t> readDurationTime(std::string_view text)
{
    const auto parts = splitTime(text, 2);
    if (!parts)
        return std::nullopt;
    const int32_t seconds = parts->second.empty() ? 0 : *readWhole<int32_t>(parts->second);
    if (seconds > 59)
        return std::nullopt;
    return parts->first * 60 + seconds;
}

std::optional<uint64_t> readSeed(std::string_view text) { return readWhole<uint64_t>(text); }

} // namespace r7t::cli
