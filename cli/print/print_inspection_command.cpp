// r7t print-inspection: the inspection sheets of an inspection file (.ctr)
// written to a PDF file, one page per competitor whose glider 1 is filled.
#include "cli/print/print_output.h"

#include "inspection/ctr_file.h"
#include "print/inspection_sheet.h"
#include "rounds/weighing.h"

namespace r7t::cli {

namespace {

// The inspection program's texts; its own string table comes with its windows.
constexpr const char* kIncompatible = "Le fichier choisi est incompatible !";

class PrintInspectionCommand : public Command {
public:
    std::string name() const override { return "print-inspection"; }
    std::string synopsis() const override { return "FICHIER.ctr --pdf SORTIE [--from N --to M]"; }
    std::string description() const override
    {
        return "imprime les fiches de contrôle des planeurs dans un fichier PDF";
    }
    std::vector<OptionInfo> options() const override { return {{"pdf", "SORTIE"}, {"from", "N"}, {"to", "M"}}; }

protected:
    int run(const Arguments& args, Io io) override
    {
        const std::string out = args.value("pdf");
        if (out.empty())
            return usageError(io, "--pdf SORTIE attendu");
        const std::string path = args.positional()[0];
        Inspection inspection;
        inspection.filePath = path;
        inspection.isOpen = true;
        if (RepriseFic(inspection).status == InspectionLoadStatus::Incompatible)
            return refuse(io, path + " : " + kIncompatible);

        // The range dialog of the inspection program starts at 1 and highestNumber.
        const std::string from = args.value("from", "1");
        const std::string to = args.value("to", std::to_string(inspection.highestNumber));
        if (!readIntegerIn(from, 1, kLastRangeNumber) ||
            (!readIntegerIn(to, 1, kLastRangeNumber) && !(to == "0" && !args.has("to"))))
            return usageError(io, "--from et --to attendent un numéro de 1 à 999");
        const FlightSheetRange range = flightSheetRange(from, to);
        return printToPdf(*this, out, io, [&](PrintEngine& engine) {
            return ImprPlaneur(inspection, engine, range.firstNumber, range.lastNumber);
        });
    }
};

} // namespace

std::unique_ptr<Command> makePrintInspectionCommand() { return std::make_unique<PrintInspectionCommand>(); }

} // namespace r7t::cli
