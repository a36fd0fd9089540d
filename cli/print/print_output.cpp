#include "cli/print/print_output.h"

#include "text/strings.h"
#include "print/ui/pdf_device.h"

#include <charconv>

namespace r7t::cli {

std::optional<int> readNumber(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 || value > 999)
        return std::nullopt;
    return value;
}

int printToPdf(const Command& command, const std::string& path, Io io,
               const std::function<PrintOutcome(PrintEngine&)>& document, const Contest* contest)
{
    const PrintApplication application;
    std::unique_ptr<PrintDevice> device = makePdfDevice(path);
    PrintEngine engine(*device);
    const PrintOutcome outcome = document(engine);
    const int pages = engine.pagesStarted();
    device.reset();
    auto refuse = [&](const std::string& message) {
        io.err << "r7t " << command.name() << ": " << message << "\n";
        return kExitRefused;
    };
    if (contest && contest->fault())
        return refuse(terminalText(formatWithText(MajStr(41), *contest->fault())));
    switch (outcome) {
    case PrintOutcome::Printed:
        io.out << path << " : " << pages << (pages > 1 ? " pages" : " page") << "\n";
        return kExitOk;
    case PrintOutcome::NothingPrinted:
        return refuse("rien à imprimer, " + path + " n'est pas écrit");
    case PrintOutcome::Cancelled:
    case PrintOutcome::Failed:
        break;
    }
    return refuse(path + " : écriture impossible");
}

} // namespace r7t::cli
