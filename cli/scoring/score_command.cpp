// r7t score: a "Valider" of the score entry for one competitor of one
// round, or "Effacer" with --delete. The form starts as the dialog shows the
// stored result and the options change only what they name (a box named is
// ticked, a time given replaces the shown one); any re-flight option ticks
// "Revol " and changes the re-flight the same way. With --replace the
// options are the whole form: a box not named is unticked, a time not given
// is empty, the landing is "Sur cible" and the glider 1 unless said
// otherwise, and without a re-flight option an existing re-flight is
// unticked (removed). The stored sheet is printed after the score line.
#include "cli/scoring/scoring_cli.h"

#include "text/strings.h"
#include "scoring/score_entry.h"
#include "scoring/score_rules.h"
#include "scoring/time_formats.h"

#include <array>
#include <optional>
#include <vector>

namespace r7t::cli {

namespace {

// The dialogs' labels, from the string table.
constexpr int kVoidLabel = 599;
constexpr int kLossLabel = 600;
constexpr int kLandingLabel = 602;
constexpr int kReflightLabel = 609;
constexpr int kTrialLabel = 610;

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
               "[--reflight-landing 1|2|3] [--reflight-loss] [--replace] | --delete]";
    }
    std::string description() const override
    {
        return "saisit, corrige (ou efface) le score d'un concurrent dans une manche";
    }
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
                {"reflight-loss"},    {"replace"},        {"delete"}};
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        std::string error;
        const Given given = readGiven(args, error);
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

        std::string sheet;
        if (args.has("delete")) {
            if (!entry.offersDelete())
                return {refuse(io, "aucun score saisi pour le concurrent " + std::to_string(*number) +
                                       " dans la manche " + std::to_string(*round)),
                        false};
            deleteScore(contest, entry);
        } else {
            // A correction starts from what the dialog shows; --replace from
            // an empty sheet, as scripts written for it expect.
            const bool replace = args.has("replace");
            ScoreEntryFields fields = replace ? ScoreEntryFields{} : shownFields(entry);
            given.applyTo(fields, args);
            if (given.reflightNamed) {
                ReflightFields reflight =
                    !replace && entry.reflightTicked ? shownReflightFields(*entry.reflight) : ReflightFields{};
                given.applyTo(reflight, args);
                if (!tickReflight(contest, entry))
                    return {refuse(io, terminalText(MajMessage(kMessageOutOfMemory))), false};
                if (auto message = validateReflight(*entry.reflight, reflight))
                    return {refuse(io, *message), false};
            } else if (replace && entry.reflightTicked) {
                untickReflight(contest, entry);
            }
            if (auto message = validateScoreEntry(contest, entry, fields))
                return {refuse(io, *message), false};
            sheet = storedSheet(entry);
        }
        // As when the score list is left.
        EvalManche(contest, *round);
        const std::vector<ScoreListLine> lines = scoreListLines(contest, *round);
        if (contest.fault())
            return faulted();
        for (const ScoreListLine& line : lines)
            if (line.number == *number)
                printScoreLine(io.out, line);
        io.out << sheet;
        return {kExitOk, true};
    }

private:
    // The values of the options given, read and checked before the contest
    // is touched; the switches are read from the arguments when applied.
    struct Given {
        std::optional<std::string> speedText, durationText, reflightText;
        std::optional<int> landing, glider, reflightLanding;
        bool reflightNamed = false;

        void applyTo(ScoreEntryFields& f, const Arguments& args) const
        {
            if (speedText) {
                f.speedText = *speedText;
                f.speedVoid = false;
            }
            f.speedVoid = f.speedVoid || args.has("speed-void");
            f.speedLoss = f.speedLoss || args.has("speed-loss");
            f.speedTrial = f.speedTrial || args.has("speed-trial");
            f.wave2 = f.wave2 || args.has("wave2");
            if (durationText) {
                f.durationText = *durationText;
                f.durationVoid = false;
            }
            f.durationVoid = f.durationVoid || args.has("duration-void");
            f.durationTrial = f.durationTrial || args.has("duration-trial");
            f.durationLoss = f.durationLoss || args.has("duration-loss");
            f.landing = landing.value_or(f.landing);
            f.glider = glider.value_or(f.glider);
        }

        void applyTo(ReflightFields& r, const Arguments& args) const
        {
            if (reflightText) {
                r.durationText = *reflightText;
                r.durationVoid = false;
            }
            r.durationVoid = r.durationVoid || args.has("reflight-void");
            r.durationTrial = r.durationTrial || args.has("reflight-trial");
            r.durationLoss = r.durationLoss || args.has("reflight-loss");
            r.landing = reflightLanding.value_or(r.landing);
        }
    };

    static Given readGiven(const Arguments& args, std::string& error)
    {
        Given given;
        auto exclusive = [&](const char* a, const char* b) {
            if (args.has(a) && args.has(b))
                error = std::string("--") + a + " et --" + b + " s'excluent";
        };
        auto choice = [&](const char* option, int max) -> std::optional<int> {
            if (!args.has(option))
                return std::nullopt;
            auto v = readIntegerIn(args.value(option), 1, max);
            if (!v)
                error = std::string("--") + option + " attend un nombre de 1 à " + std::to_string(max);
            return v;
        };
        // Read here as r7t reads times, then handed to the dialog's rules in
        // the dialog's own form.
        auto timeText = [&](const char* option, bool speed) -> std::optional<std::string> {
            if (!args.has(option))
                return std::nullopt;
            const std::string text = args.value(option);
            const std::optional<int32_t> time = speed ? readSpeedTime(text) : readDurationTime(text);
            if (!time) {
                error = std::string("--") + option + " : « " + text + " » n'est pas " +
                        (speed ? "un temps de vitesse (ss.d)" : "une durée (mn.ss ou mn:ss)");
                return std::nullopt;
            }
            return speed ? FormatVitesse(*time) : FormatDuree(*time);
        };
        exclusive("speed", "speed-void");
        exclusive("duration", "duration-void");
        exclusive("reflight", "reflight-void");
        if (args.has("delete")) {
            for (const char* option : kFormOptions)
                if (args.has(option))
                    error = std::string("--delete et --") + option + " s'excluent";
            exclusive("delete", "replace");
        }
        given.speedText = timeText("speed", true);
        given.durationText = timeText("duration", false);
        given.reflightText = timeText("reflight", false);
        given.landing = choice("landing", 3);
        given.glider = choice("glider", 2);
        given.reflightLanding = choice("reflight-landing", 3);
        given.reflightNamed = args.has("reflight") || args.has("reflight-void") || args.has("reflight-trial") ||
                              args.has("reflight-landing") || args.has("reflight-loss");
        return given;
    }

    // The stored result in the dialog's text forms, so that a slip is seen.
    static std::string storedSheet(const ScoreEntry& entry)
    {
        auto label = [](int n) {
            std::string text = controlText(n);
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            return text;
        };
        auto marks = [](const std::vector<std::string>& names) {
            std::string text;
            for (const std::string& name : names)
                text += (text.empty() ? " (" : ", ") + name;
            return text.empty() ? text : text + ")";
        };
        // Once validated, a new result is shown as stored, not as blank.
        ScoreEntry stored = entry;
        stored.isNew = false;
        const ScoreEntryFields f = shownFields(stored);
        std::string sheet = "Vitesse : ";
        if (f.speedVoid) {
            sheet += label(kVoidLabel);
        } else {
            std::vector<std::string> names;
            if (f.wave2)
                names.push_back("Vague 2");
            if (f.speedTrial)
                names.push_back(label(kTrialLabel));
            sheet += f.speedText + marks(names);
        }
        auto duration = [&](bool isVoid, const std::string& text, int landing, bool trial, bool loss) {
            if (isVoid)
                return label(kVoidLabel);
            std::vector<std::string> names;
            if (trial)
                names.push_back(label(kTrialLabel));
            if (loss)
                names.push_back(label(kLossLabel));
            return text + ", " + label(kLandingLabel + landing - 1) + marks(names);
        };
        sheet += "\nDurée : " + duration(f.durationVoid, f.durationText, f.landing, f.durationTrial, f.durationLoss);
        sheet += "\nPlaneur " + std::to_string(f.glider);
        sheet += "\n" + label(kReflightLabel) + " : ";
        if (entry.reflightTicked && entry.reflight) {
            const ReflightFields r = shownReflightFields(*entry.reflight);
            sheet += duration(r.durationVoid, r.durationText, r.landing, r.durationTrial, r.durationLoss);
        } else {
            sheet += "non";
        }
        sheet += entry.result && entry.result->complete ? "\nScore complet\n" : "\nScore incomplet\n";
        return sheet;
    }
};

} // namespace

std::unique_ptr<Command> makeScoreCommand() { return std::make_unique<ScoreCommand>(); }

} // namespace r7t::cli
