#include "cli/command.h"
#include "cli/scoring/scoring_cli.h"

#include "text/strings.h"

#include <charconv>

namespace r7t::cli {

std::optional<int> parseIntegerIn(const std::string& text, int min, int max)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

void printScoreLine(std::ostream& out, const ScoreListLine& line)
{
    out << line.line.markName() << "\t" << line.line.text << "\n";
}

bool reportFault(const Contest& contest, Io io)
{
    if (!contest.fault())
        return false;
    io.err << "r7t: " << terminalText(formatWithText(MajStr(41), *contest.fault())) << "\n";
    return true;
}

void addScoringCommands(CommandList& list)
{
    list.push_back(makeScoreCommand());
    list.push_back(makeScoresCommand());
}

} // namespace r7t::cli
