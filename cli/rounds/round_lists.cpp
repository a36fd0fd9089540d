#include "cli/rounds/round_lists.h"

#include <charconv>

namespace r7t::cli {

void printListLines(std::ostream& out, const std::vector<ListLine>& lines)
{
    for (const ListLine& line : lines)
        out << line.markName() << "\t" << line.text << "\n";
}

std::optional<int> parseRound(const std::string& text)
{
    int round = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), round);
    if (error != std::errc() || end != text.data() + text.size() || !isValidRound(round))
        return std::nullopt;
    return round;
}

} // namespace r7t::cli
