// r7t export: the overall ranking as the text file of the ranking window's
// "Fichier texte" (Windows-1252, CR LF), or as a spreadsheet file (--csv).
#include "cli/ranking/ranking_options.h"

#include "print/text_export.h"
#include "ranking/results_page.h"

namespace r7t::cli {

namespace {

class ExportCommand : public ContestCommand {
public:
    std::string name() const override { return "export"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER (--final [--discard D] | --rounds R,R,... [--discard D] [--no-zero]) [--csv] [-o SORTIE] "
               "[--force]";
    }
    std::string description() const override
    {
        return "écrit le classement général dans un fichier texte, ou pour un tableur (--csv)";
    }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = overallRankingOptions();
        optionList.push_back({"output", "SORTIE", 'o'});
        optionList.push_back({"force"});
        optionList.push_back({"csv"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const bool csv = args.has("csv");
        std::string out;
        if (auto refused = chooseOutput(contest, args, csv ? ".csv" : ".txt", out, *this, io))
            return {*refused};
        OverallRanking ranking;
        if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
            return {*refused};
        if (csv) {
            if (auto refused = writeOutput(out, resultsSheet(contest, ranking), *this, io))
                return {*refused};
            return {};
        }
        // No text only when a record is missing: the fault report.
        const std::optional<std::string> text = exportText(contest, ranking);
        if (!text)
            return faulted();
        if (auto refused = writeOutput(out, *text, *this, io))
            return {*refused};
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeExportCommand() { return std::make_unique<ExportCommand>(); }

} // namespace r7t::cli
