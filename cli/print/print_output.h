// What the print commands share: the PDF device under the engine, and the
// report of the job's outcome.
#pragma once

#include "cli/command.h"
#include "print/print_engine.h"

#include <functional>
#include <optional>
#include <string>

namespace r7t::cli {

// Reads a whole number from 1 to 999 (the range fields hold 3 characters).
std::optional<int> readNumber(const std::string& text);

// Draws the document on a PDF device writing path, then says what came of
// it: "OUT : N page(s)" on the standard output, or the refusal (the
// contest's fault report, nothing to print, the file not written). Returns
// the exit code.
int printToPdf(const Command& command, const std::string& path, Io io,
               const std::function<PrintOutcome(PrintEngine&)>& document, const Contest* contest = nullptr);

} // namespace r7t::cli
