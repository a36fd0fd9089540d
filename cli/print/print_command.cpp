// r7t print: a printed document of the contest written to a PDF file, with
// the same engine and layouts as on paper.
#include "cli/print/print_output.h"
#include "cli/ranking/ranking_options.h"

#include "text/strings.h"
#include "string_table/formats.h"
#include "print/printed_lists.h"
#include "print/printed_rankings.h"
#include "ranking/ranking.h"
#include "rounds/weighing.h"

#include <map>
#include <set>

namespace r7t::cli {

namespace {

constexpr int kMessageNoPreparedRound = 421;

// The documents and the options each takes besides --pdf and --password.
const std::map<std::string, std::set<std::string>>& documents()
{
    static const std::map<std::string, std::set<std::string>> table = {
        {"competitors", {}},
        {"tow-pilots", {}},
        {"flight-sheets", {"from", "to"}},
        {"start-list", {"round", "task"}},
        {"round-sheet", {"round"}},
        {"weighing", {"round"}},
        {"round-results", {"round"}},
        {"ranking", {"final", "rounds", "discard", "no-zero"}},
    };
    return table;
}

class PrintCommand : public ContestCommand {
public:
    std::string name() const override { return "print"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER DOCUMENT --pdf SORTIE [options]\n"
               "    DOCUMENT : competitors | tow-pilots | flight-sheets [--from N --to M]\n"
               "             | start-list --round R --task 1|2 | round-sheet --round R | weighing --round R\n"
               "             | round-results --round R\n"
               "             | ranking (--final [--discard D] | --rounds R,R,... [--discard D] [--no-zero])";
    }
    std::string description() const override { return "imprime un document du concours dans un fichier PDF"; }
    int minPositional() const override { return 2; }
    int maxPositional() const override { return 2; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = overallRankingOptions();
        for (const OptionInfo& option : {OptionInfo{"pdf", "SORTIE"}, OptionInfo{"from", "N"}, OptionInfo{"to", "M"},
                                         OptionInfo{"round", "R"}, OptionInfo{"task", "1|2"}})
            optionList.push_back(option);
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::string document = args.positional()[1];
        auto known = documents().find(document);
        if (known == documents().end())
            return {usageError(io, "document inconnu : " + document)};
        for (const OptionInfo& option : commandOptions())
            if (option.name != "pdf" && args.has(option.name) && !known->second.count(option.name))
                return {usageError(io, "--" + option.name + " ne s'emploie pas avec " + document)};
        const std::string out = args.value("pdf");
        if (out.empty())
            return {usageError(io, "--pdf SORTIE attendu")};

        if (document == "competitors" || document == "tow-pilots") {
            const PilotListKind kind = document == "competitors" ? PilotListKind::Competitors : PilotListKind::TowPilots;
            return {printToPdf(*this, out, io, [&](PrintEngine& e) { return printPilotList(contest, e, kind); },
                               &contest)};
        }
        if (document == "flight-sheets") {
            if (contest.competitorCount() < 1)
                return {refuse(io, MajMessage(kMessageNoCompetitor))};
            const std::string from = args.value("from", "1");
            const std::string to = args.value("to", std::to_string(contest.competitorCount()));
            if (!readIntegerIn(from, 1, kLastRangeNumber) || !readIntegerIn(to, 1, kLastRangeNumber))
                return {usageError(io, "--from et --to attendent un numéro de 1 à 999")};
            const FlightSheetRange range = flightSheetRange(from, to);
            return {printToPdf(
                *this, out, io,
                [&](PrintEngine& e) { return printFlightSheets(contest, e, range.firstNumber, range.lastNumber); }, &contest)};
        }
        if (document == "ranking") {
            OverallRanking ranking;
            if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
                return {*refused};
            return {printToPdf(*this, out, io, [&](PrintEngine& e) { return ImprimeClassement(contest, e, ranking); },
                               &contest)};
        }

        // The documents of one round.
        if (!args.has("round"))
            return {usageError(io, "--round R attendu")};
        const std::optional<int> round = readRound(args.value("round"));
        if (!round)
            return {usageError(io, "--round attend un numéro de manche de 1 à 40")};
        if (contest.highestPreparedRound() < 1)
            return {refuse(io, terminalText(MajMessage(kMessageNoPreparedRound)))};
        const std::string roundText = formatText(kRoundTitle, *round);
        if (!contest.roundPrepared[*round])
            return {refuse(io, roundText + " : manche non préparée")};

        if (document == "start-list") {
            const std::string task = args.value("task");
            if (task != "1" && task != "2")
                return {usageError(io, "--task 1 (vitesse) ou 2 (durée) attendu")};
            const int t = task == "1" ? kTaskSpeed : kTaskDuration;
            return {printToPdf(*this, out, io, [&](PrintEngine& e) { return printStartList(contest, e, *round, t); },
                               &contest)};
        }
        if (document == "round-sheet")
            return {printToPdf(*this, out, io, [&](PrintEngine& e) { return printRoundSheet(contest, e, *round); },
                               &contest)};
        if (document == "weighing") {
            if (!weighingDrawMade(contest, *round))
                return {refuse(io, roundText + " : pas encore de tirage des pesées (r7t weighing)")};
            return {printToPdf(*this, out, io,
                               [&](PrintEngine& e) { return printWeighingSheet(contest, e, *round); }, &contest)};
        }
        // round-results
        if (!contest.roundComplete[*round])
            return {refuse(io, roundText + " : manche non complètement saisie")};
        const std::vector<RoundScore> sorted = rankRound(contest, *round);
        if (contest.fault())
            return faulted();
        return {printToPdf(*this, out, io, [&](PrintEngine& e) { return ImprimeManche(contest, e, *round, sorted); },
                           &contest)};
    }
};

} // namespace

std::unique_ptr<Command> makePrintCommand() { return std::make_unique<PrintCommand>(); }

} // namespace r7t::cli
