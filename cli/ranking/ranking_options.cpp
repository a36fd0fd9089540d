#include "cli/ranking/ranking_options.h"

#include "text/strings.h"

#include <charconv>

namespace r7t::cli {

std::vector<OptionSpec> overallRankingOptions()
{
    return {{"final", false}, {"rounds", true}, {"discard", true}, {"no-zero", false}};
}

std::optional<int> readCount(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

int usageError(const Command& command, Io io, const std::string& message)
{
    io.err << "r7t " << command.name() << ": " << message << "\n" << command.usage() << "\n";
    return kExitUsage;
}

int refusal(const Command& command, Io io, const std::string& message)
{
    io.err << "r7t " << command.name() << ": " << message << "\n";
    return kExitRefused;
}

bool hasCompleteRound(Contest& contest, const Command& command, Io io)
{
    contest.CalculeManchesCompletes();
    if (contest.completeRoundCount >= 1)
        return true;
    refusal(command, io, terminalText(MajMessage(kMessageNoCompleteRound)));
    return false;
}

namespace {

std::optional<std::vector<int32_t>> readRounds(const std::string& text)
{
    std::vector<int32_t> rounds;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        auto round = readCount(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!round)
            return std::nullopt;
        rounds.push_back(*round);
        if (comma == std::string::npos)
            return rounds;
        start = comma + 1;
    }
}

} // namespace

std::optional<int> openRequestedRanking(Contest& contest, const Arguments& args, OverallRanking& ranking,
                                        const Command& command, Io io)
{
    const bool final = args.has("final");
    const bool chosen = args.has("rounds");
    if (final == chosen)
        return usageError(command, io, "--final ou --rounds attendu");
    if (final && args.has("no-zero"))
        return usageError(command, io, "--no-zero ne s'emploie qu'avec --rounds");
    std::optional<int> discard = 0;
    if (args.has("discard") && !(discard = readCount(args.value("discard"))))
        return usageError(command, io, "--discard attend un nombre entier positif ou nul");
    std::optional<std::vector<int32_t>> rounds;
    if (chosen && !(rounds = readRounds(args.value("rounds"))))
        return usageError(command, io, "--rounds attend des numéros de manche séparés par des virgules");

    if (!hasCompleteRound(contest, command, io))
        return kExitRefused;

    RankingStatus status = RankingStatus::Ok;
    if (final) {
        status = openFinalRanking(contest, ranking);
        if (status == RankingStatus::Ok && args.has("discard"))
            changeDiscardCount(ranking, *discard);
    } else {
        status = openChosenRanking(contest, ranking, *rounds, *discard, args.has("no-zero"));
    }
    switch (status) {
    case RankingStatus::Ok:
        break;
    case RankingStatus::NoCompleteRound:
        return refusal(command, io, terminalText(MajMessage(kMessageNoCompleteRound)));
    case RankingStatus::NoRoundSelected:
        return refusal(command, io, "aucune manche sélectionnée");
    case RankingStatus::RoundNotComplete:
        return refusal(command, io, "--rounds : seules les manches complètement saisies peuvent être choisies (" +
                                        contest.completeRoundsText + ")");
    }
    if (contest.fault())
        return refusal(command, io, terminalText(formatWithText(MajStr(41), *contest.fault())));
    // The dialog shows the corrected count back; here it goes to the error output.
    if (*discard > ranking.discardCount)
        io.err << "r7t " << command.name() << ": nombre de manches à écarter ramené à " << ranking.discardCount
               << "\n";
    return std::nullopt;
}

} // namespace r7t::cli
