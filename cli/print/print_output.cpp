#include "cli/print/print_output.h"

#include "print/ui/pdf_device.h"

namespace r7t::cli {

int printToPdf(const Command& command, const std::string& path, Io io,
               const std::function<PrintOutcome(PrintEngine&)>& document, const Contest* contest)
{
    const PrintApplication application;
    std::unique_ptr<PrintDevice> device = makePdfDevice(path);
    PrintEngine engine(*device);
    const PrintOutcome outcome = document(engine);
    const int pages = engine.pagesStarted();
    device.reset();
    if (contest && contest->fault())
        return kExitRefused;
    switch (outcome) {
    case PrintOutcome::Printed:
        io.out << path << " : " << pages << (pages > 1 ? " pages" : " page") << "\n";
        return kExitOk;
    case PrintOutcome::NothingPrinted:
        return command.refuse(io, "rien à imprimer, " + path + " n'est pas écrit");
    case PrintOutcome::Cancelled:
    case PrintOutcome::Failed:
        break;
    }
    return command.refuse(io, path + " : écriture impossible");
}

} // namespace r7t::cli
