#include "cli/ranking/ranking_options.h"

#include "contest/atomic_file.h"
#include "print/text_export.h"
#include "text/strings.h"

#include <sys/stat.h>

namespace r7t::cli {

std::vector<OptionInfo> overallRankingOptions()
{
    return {{"final"}, {"rounds", "R,R,..."}, {"discard", "D"}, {"no-zero"}};
}

bool hasCompleteRound(Contest& contest, const Command& command, Io io)
{
    contest.updateCompleteRounds();
    if (contest.completeRoundCount >= 1)
        return true;
    command.refuse(io, terminalText(MajMessage(kMessageNoCompleteRound)));
    return false;
}

std::optional<int> openRequestedRanking(Contest& contest, const Arguments& args, OverallRanking& ranking,
                                        const Command& command, Io io)
{
    const bool final = args.has("final");
    const bool chosen = args.has("rounds");
    if (final == chosen)
        return command.usageError(io, "--final ou --rounds attendu");
    if (final && args.has("no-zero"))
        return command.usageError(io, "--no-zero ne s'emploie qu'avec --rounds");
    std::optional<int> discard = 0;
    if (args.has("discard") && !(discard = readCount(args.value("discard"))))
        return command.usageError(io, "--discard attend un nombre entier positif ou nul");
    // Any count: a number that is no complete round is the ranking's refusal below.
    std::optional<std::vector<int32_t>> rounds;
    if (chosen && !(rounds = readNumberList(args.value("rounds"), 0)))
        return command.usageError(io, "--rounds attend des numéros de manche séparés par des virgules");

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
        return command.refuse(io, terminalText(MajMessage(kMessageNoCompleteRound)));
    case RankingStatus::NoRoundSelected:
        return command.refuse(io, "aucune manche sélectionnée");
    case RankingStatus::RoundNotComplete:
        return command.refuse(io, "--rounds : seules les manches complètement saisies peuvent être choisies (" +
                                      contest.completeRoundsText + ")");
    }
    if (contest.fault())
        return kExitRefused;
    // The dialog shows the corrected count back; here it goes to the error output.
    if (*discard > ranking.discardCount)
        command.warn(io, "nombre de manches à écarter ramené à " + std::to_string(ranking.discardCount));
    return std::nullopt;
}

std::optional<int> chooseOutput(const Contest& contest, const Arguments& args, const std::string& extension,
                                std::string& out, const Command& command, Io io)
{
    if (args.has("output")) {
        out = args.value("output");
    } else {
        out = exportPathFor(contest.filePath); // the contest's path with ".txt"
        out.replace(out.size() - 4, 4, extension);
    }
    if (out.empty())
        return command.usageError(io, "-o attend un nom de fichier");
    struct stat st {};
    if (out != "-" && !args.has("force") && ::stat(out.c_str(), &st) == 0)
        return command.refuse(io, out + " : le fichier existe déjà (--force pour le remplacer)");
    return std::nullopt;
}

std::optional<int> writeOutput(const std::string& out, const std::string& bytes, const Command& command, Io io)
{
    if (out == "-") {
        io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        io.out.flush();
        if (!io.out)
            return command.refuse(io, "écriture impossible sur la sortie standard");
        return std::nullopt;
    }
    const WriteOutcome written = writeFileAtomically(
        out, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    if (!written.ok)
        return command.refuse(io, out + " : écriture impossible (" + written.error + ")");
    return std::nullopt;
}

} // namespace r7t::cli
