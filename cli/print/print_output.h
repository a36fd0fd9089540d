// What the print commands share: the PDF device under the engine, and the
// report of the job's outcome.
#pragma once

#include "cli/command.h"
#include "cli/readers.h"
#include "print/print_engine.h"

#include <functional>
#include <string>

namespace r7t::cli {

// The last number of the --from and --to ranges: their fields hold 3 characters.
inline constexpr int32_t kLastRangeNumber = 999;

// Draws the document on a PDF device writing path, then says what came of
// it: "OUT : N page(s)" on the standard output, or the refusal (nothing to
// print, the file not written). Returns the exit code; on the contest's
// fault, without a word (the command frame reports it).
int printToPdf(const Command& command, const std::string& path, Io io,
               const std::function<PrintOutcome(PrintEngine&)>& document, const Contest* contest = nullptr);

} // namespace r7t::cli
