#include "cli/readers.h"

#include "contest/records.h"

#include <charconv>

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

std::optional<uint64_t> readSeed(std::string_view text) { return readWhole<uint64_t>(text); }

} // namespace r7t::cli
