// r7t export: the overall ranking as the text file of the ranking window's
// "Fichier texte" (Windows-1252, CR LF).
#include "cli/ranking/ranking_options.h"

#include "print/text_export.h"

#include <sys/stat.h>

namespace r7t::cli {

namespace {

class ExportCommand : public ContestCommand {
public:
    std::string name() const override { return "export"; }
    bool changesContest() const override { return false; }
    std::string commandSynopsis() const override
    {
        return "FICHIER (--final [--discard D] | --rounds R,R,... [--discard D] [--no-zero]) [-o SORTIE] [--force]";
    }
    std::string description() const override { return "écrit le classement général dans un fichier texte"; }

protected:
    std::vector<OptionInfo> commandOptions() const override
    {
        std::vector<OptionInfo> optionList = overallRankingOptions();
        optionList.push_back({"output", "SORTIE", 'o'});
        optionList.push_back({"force"});
        return optionList;
    }

    Outcome body(Contest& contest, const Arguments& args, Io io) override
    {
        const std::string out = args.has("output") ? args.value("output") : exportPathFor(contest.filePath);
        if (out.empty())
            return {usageError(io, "-o attend un nom de fichier")};
        const bool toStdout = out == "-";
        struct stat st {};
        if (!toStdout && !args.has("force") && ::stat(out.c_str(), &st) == 0)
            return {refuse(io, out + " : le fichier existe déjà (--force pour le remplacer)")};

        OverallRanking ranking;
        if (auto refused = openRequestedRanking(contest, args, ranking, *this, io))
            return {*refused};
        if (toStdout) {
            // No text only when a record is missing: the fault report.
            const std::optional<std::string> text = exportText(contest, ranking);
            if (!text)
                return faulted();
            io.out.write(text->data(), static_cast<std::streamsize>(text->size()));
            io.out.flush();
            if (!io.out)
                return {refuse(io, "écriture impossible sur la sortie standard")};
            return {};
        }
        const ExportOutcome written = ExportTexte(contest, ranking, out);
        if (contest.fault())
            return faulted();
        if (!written.ok)
            return {refuse(io, out + " : écriture impossible (" + written.error + ")")};
        return {};
    }
};

} // namespace

std::unique_ptr<Command> makeExportCommand() { return std::make_unique<ExportCommand>(); }

} // namespace r7t::cli
