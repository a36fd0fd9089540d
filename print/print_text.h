// Texts shared by the printed documents. Lines are built in Windows-1252,
// the bytes the records hold, so that a field's capacity counts characters.
#pragma once

#include "text/strings.h"
#include "contest/contest.h"
#include "text/text.h"
#include "print/print_engine.h"

#include <functional>

#include <string>
#include <string_view>

namespace r7t::print_text {

// A text written in UTF-8 (table or code) as printed bytes.
inline std::string ansi(std::string_view utf8) { return utf8ToCp1252(utf8); }
inline std::string table(int n) { return utf8ToCp1252(MajStr(n)); }

// "%.3f" of the MHz value, or "2.4 GHz" from 2400 MHz on.
std::string frequency(int32_t kHz);

// The contest line of the page heads: "\tR7T %s - %s - %s - %s" with the
// version tag, or "\tR7T - %s - %s - %s" without it; extra text follows.
std::string contestLine(const Contest& contest, bool withVersion, std::string_view tail = {});

// The pilot of the next entry, with a page open for it; null when the job
// stops there (a missing pilot raises the fault report and fails the job).
const Pilot* openEntry(PrintEngine& engine, Contest& contest, int32_t number, const std::function<void()>& head);

// The name with its letters a-z in upper case.
std::string upperAscii(std::string_view text);

} // namespace r7t::print_text
