// r7t draw: "Nouvelle" of the round preparation: the launch dialog's
// choices, the draw of the next free round, its two lists, then acceptance
// (or, with --refuse, the abandon of the draw).
#include "text/strings.h"
#include "cli/rounds/round_lists.h"
#include "competitors/launch.h"
#include "rounds/draw.h"
#include "rounds/preparation.h"

#include <charconv>
#include <sstream>

namespace r7t::cli {

namespace {

bool parseNumberList(const std::string& text, std::vector<int32_t>& numbers)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        int32_t n = 0;
        auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || error != std::errc() || end != item.data() + item.size())
            return false;
        numbers.push_back(n);
    }
    return true;
}

class DrawCommand : public ContestCommand {
public:
    std::string name() const override { return "draw"; }
    std::string synopsis() const override
    {
        return "FICHIER [--absent N,N,...] [--attempts A] [--same-starts] [--seed S] [--frequencies-checked] "
               "[--refuse] [--password W]";
    }
    std::string description() const override { return "tire les départs de la prochaine manche et l'accepte"; }

protected:
    std::vector<OptionSpec> commandOptions() const override
    {
        return {{"absent", true},  {"attempts", true},           {"same-starts", false},
                {"seed", true},    {"frequencies-checked", false}, {"refuse", false}};
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        LaunchChoices choices;
        choices.attemptsText = args.value("attempts", std::to_string(kMaxAttempts));
        choices.sameStarts = args.has("same-starts");
        if (args.has("absent") && !parseNumberList(args.value("absent"), choices.absent))
            return {refuse(io, "--absent attend des numéros séparés par des virgules"), false};
        uint64_t seed = clockSeed();
        if (args.has("seed")) {
            const std::string text = args.value("seed");
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
            if (error != std::errc() || end != text.data() + text.size())
                return {refuse(io, "--seed attend un entier positif"), false};
        }

        if (contest.competitorCount() < 6)
            return {refuse(io, terminalText(MajMessage(410))), false};
        const int round = nextFreeRound(contest);
        if (round == 0)
            return {refuse(io, terminalText(MajMessage(kMessageMaxRounds))), false};
        if (round == 1 && !args.has("frequencies-checked"))
            return {refuse(io, terminalText(MajMessage(kMessageFrequenciesChecked)) +
                                   " (répondre oui avec --frequencies-checked)"),
                    false};

        const LaunchSettings launch = applyLaunchChoices(contest, choices);
        DrawSettings settings;
        settings.NombreTentatives = launch.NombreTentatives;
        settings.MemesDeparts = launch.MemesDeparts;
        RandomSource random(seed);
        const DrawStatus status = LancerTirage(contest, round, settings, random, [seed] { return seed; });
        if (contest.fault())
            return {refuse(io, terminalText(formatWithText(MajStr(41), *contest.fault()))), false};
        if (status == DrawStatus::TooFewParticipants)
            return {refuse(io, terminalText(MajMessage(410))), false};
        if (status == DrawStatus::Impossible) {
            // The dialog keeps the launch choices and saves them when it closes.
            contest.currentRound = contest.lastPreparedRound;
            return {refuse(io, terminalText(MajMessage(409))), true};
        }

        io.out << stringPrintf(MajStr(51).c_str(), round) << "\n";
        printListLines(io.out, roundListLines(contest, round, kTaskSpeed));
        printListLines(io.out, roundListLines(contest, round, kTaskDuration));
        if (contest.fault())
            return {refuse(io, terminalText(formatWithText(MajStr(41), *contest.fault()))), false};
        if (args.has("refuse")) {
            refuseRound(contest, round);
            return {kExitOk, false};
        }
        acceptRound(contest, round);
        return {kExitOk, true};
    }
};

} // namespace

std::unique_ptr<Command> makeDrawCommand() { return std::make_unique<DrawCommand>(); }

} // namespace r7t::cli
