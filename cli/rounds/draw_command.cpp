// r7t draw: "Nouvelle" of the round preparation: the launch dialog's
// choices, the draw of the next free round, its two lists, then acceptance
// (or, with --refuse, the abandon of the draw).
#include "text/strings.h"
#include "string_table/formats.h"
#include "cli/rounds/round_lists.h"
#include "competitors/launch.h"
#include "rounds/draw.h"
#include "rounds/preparation.h"

namespace r7t::cli {

namespace {

class DrawCommand : public ContestCommand {
public:
    std::string name() const override { return "draw"; }
    std::string commandSynopsis() const override
    {
        return "FICHIER [--absent N,N,...] [--attempts A] [--same-starts] [--seed S] [--frequencies-checked] "
               "[--refuse]";
    }
    std::string description() const override { return "tire les départs de la prochaine manche et l'accepte"; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        return {{"absent", "N,N,..."}, {"attempts", "A"},      {"same-starts"},
                {"seed", "S"},         {"frequencies-checked"}, {"refuse"}};
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        LaunchChoices choices;
        const std::optional<int32_t> attempts =
            args.has("attempts") ? readCount(args.value("attempts")) : kMaxAttempts;
        if (!attempts)
            return {usageError(io, "--attempts attend un nombre entier positif ou nul")};
        // At most 8000, as the launch dialog reads it.
        choices.attemptsText = std::to_string(*attempts);
        choices.sameStarts = args.has("same-starts");
        if (args.has("absent")) {
            std::optional<std::vector<int32_t>> absent = readNumberList(args.value("absent"), 1);
            if (!absent)
                return {usageError(io, "--absent attend des numéros séparés par des virgules")};
            // An unknown number would be ignored by the draw, and the absent
            // competitor meant drawn all the same.
            for (const int32_t number : *absent)
                if (isTowPilotNumber(number) || !contest.findPilot(number))
                    return {refuse(io, "--absent : " + std::to_string(number) + " n'est pas un concurrent inscrit"),
                            false};
            choices.absent = *absent;
        }
        const std::optional<uint64_t> seed = args.has("seed") ? readSeed(args.value("seed")) : clockSeed();
        if (!seed)
            return {usageError(io, "--seed attend un entier positif")};

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
        settings.attempts = launch.attempts;
        settings.sameStartOrder = launch.sameStartOrder;
        RandomSource random(*seed);
        const DrawStatus status =
            LancerTirage(contest, round, settings, random, [seed = *seed] { return seed; });
        if (contest.fault())
            return faulted();
        if (status == DrawStatus::TooFewParticipants)
            return {refuse(io, terminalText(MajMessage(410))), false};
        if (status == DrawStatus::Impossible) {
            // The dialog keeps the launch choices and saves them when it closes.
            contest.currentRound = contest.lastPreparedRound;
            return {refuse(io, terminalText(MajMessage(409))), true};
        }

        io.out << formatText(kRoundTitle, round) << "\n";
        printListLines(io.out, updateRoundList(contest, round, kTaskSpeed));
        printListLines(io.out, updateRoundList(contest, round, kTaskDuration));
        if (contest.fault())
            return faulted();
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
