// r7t score: a "Valider" of the score entry for one competitor of one
// round, or "Effacer" with --delete. The options are the whole form: a box
// not named is unticked, a time not given is empty, the landing is "Sur
// cible" and the glider 1 unless said otherwise. Any re-flight option ticks
// "Revol " and validates the re-flight dialog with those options; without
// one, an existing re-flight is unticked (removed).
#include "cli/scoring/scoring_cli.h"

#include "text/strings.h"
#include "scoring/score_entry.h"
#include "scoring/score_rules.h"

#include <array>

namespace r7t::cli {

namespace {

const std::array<const char*, 16> kFormOptions = {
    "speed",         "speed-void", "speed-loss", "speed-trial",   "wave2",         "duration",
    "duration-void", "duration-trial", "landing", "duration-loss", "glider",       "reflight",
    "reflight-void", "reflight-trial", "reflight-landing", "reflight-loss"};

class ScoreCommand : public ContestCommand {
public:
    std::string name() const override { return "score"; }
    std::string commandSynopsis() const override
    {
        return "FICHIER MANCHE NUMERO [[--speed T | --speed-void] [--speed-loss] [--speed-trial] [--wave2] "
               "[--duration MN.SS | --duration-void] [--duration-trial] [--landing 1|2|3] [--duration-loss] "
               "[--glider 1|2] [--reflight MN.SS | --reflight-void] [--reflight-trial] "
               "[--reflight-landing 1|2|3] [--reflight-loss] | --delete]";
    }
    std::string description() const override { return "saisit (ou efface) le score d'un concurrent dans une manche"; }
    int minPositional() const override { return 3; }
    int maxPositional() const override { return 3; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        return {{"speed", "T"},       {"speed-void"},     {"speed-loss"},
                {"speed-trial"},      {"wave2"},          {"duration", "MN.SS"},
                {"duration-void"},    {"duration-trial"}, {"landing", "1|2|3"},
                {"duration-loss"},    {"glider", "1|2"},  {"reflight", "MN.SS"},
                {"reflight-void"},    {"reflight-trial"}, {"reflight-landing", "1|2|3"},
                {"reflight-loss"},    {"delete"}};
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        std::string error;
        Form form = readForm(args, error);
        auto round = readRound(args.positional()[1]);
        auto number = readIntegerIn(args.positional()[2], 1, 99);
        if (!round)
            error = "manche incorrecte : " + args.positional()[1];
        else if (!number)
            error = "numéro incorrect : " + args.positional()[2];
        if (!error.empty())
            return {usageError(io, error)};
        if (!contest.roundPrepared[*round])
            return {refuse(io, "la manche " + std::to_string(*round) + " n'est pas préparée"), false};

        ScoreEntry entry;
        EntryOpenStatus opened = openScoreEntry(contest, *round, *number, false, entry);
        if (contest.fault())
            return faulted();
        if (opened == EntryOpenStatus::NotPlaced)
            return {refuse(io, "le concurrent " + std::to_string(*number) + " ne vole pas dans la manche " +
                                   std::to_string(*round)),
                    false};
        if (opened == EntryOpenStatus::OutOfMemory)
            return {refuse(io, terminalText(MajMessage(kMessageOutOfMemory))), false};

        if (args.has("delete")) {
            if (!entry.offersDelete())
                return {refuse(io, "aucun score saisi pour le concurrent " + std::to_string(*number) +
                                       " dans la manche " + std::to_string(*round)),
                        false};
            deleteScore(contest, entry);
        } else {
            if (form.reflightGiven) {
                if (!tickReflight(contest, entry))
                    return {refuse(io, terminalText(MajMessage(kMessageOutOfMemory))), false};
                if (auto message = validateReflight(*entry.reflight, form.reflight))
                    return {refuse(io, *message), false};
            } else if (entry.reflightTicked) {
                untickReflight(contest, entry);
            }
            if (auto message = validateScoreEntry(contest, entry, form.fields))
                return {refuse(io, *message), false};
        }
        // As when the score list is left.
        EvalManche(contest, *round);
        const std::vector<ScoreListLine> lines = scoreListLines(contest, *round);
        if (contest.fault())
            return faulted();
        for (const ScoreListLine& line : lines)
            if (line.number == *number)
                printScoreLine(io.out, line);
        return {kExitOk, true};
    }

private:
    struct Form {
        ScoreEntryFields fields;
        ReflightFields reflight;
        bool reflightGiven = false;
    };

    static Form readForm(const Arguments& args, std::string& error)
    {
        Form form;
        auto exclusive = [&](const char* a, const char* b) {
            if (args.has(a) && args.has(b))
                error = std::string("--") + a + " et --" + b + " s'excluent";
        };
        auto choice = [&](const char* option, int max, int fallback) {
            if (!args.has(option))
                return fallback;
            auto v = readIntegerIn(args.value(option), 1, max);
            if (!v) {
                error = std::string("--") + option + " attend un nombre de 1 à " + std::to_string(max);
                return fallback;
            }
            return *v;
        };
        exclusive("speed", "speed-void");
        exclusive("duration", "duration-void");
        exclusive("reflight", "reflight-void");
        if (args.has("delete"))
            for (const char* option : kFormOptions)
                if (args.has(option))
                    error = std::string("--delete et --") + option + " s'excluent";

        ScoreEntryFields& f = form.fields;
        f.speedText = args.value("speed");
        f.speedVoid = args.has("speed-void");
        f.speedLoss = args.has("speed-loss");
        f.speedTrial = args.has("speed-trial");
        f.wave2 = args.has("wave2");
        f.durationText = args.value("duration");
        f.durationVoid = args.has("duration-void");
        f.durationTrial = args.has("duration-trial");
        f.landing = choice("landing", 3, kLandingOnTarget);
        f.durationLoss = args.has("duration-loss");
        f.glider = choice("glider", 2, 1);

        ReflightFields& r = form.reflight;
        r.durationText = args.value("reflight");
        r.durationVoid = args.has("reflight-void");
        r.durationTrial = args.has("reflight-trial");
        r.landing = choice("reflight-landing", 3, kLandingOnTarget);
        r.durationLoss = args.has("reflight-loss");
        form.reflightGiven = args.has("reflight") || args.has("reflight-void") || args.has("reflight-trial") ||
                             args.has("reflight-landing") || args.has("reflight-loss");
        return form;
    }
};

} // namespace

std::unique_ptr<Command> makeScoreCommand() { return std::make_unique<ScoreCommand>(); }

} // namespace r7t::cli
