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

// "%.3f" of the MHz value ("35.010"), or "2.4 GHz" from 2400 MHz on.
std::string frequency(int32_t kHz);

// The contest line of the page heads: "\tR7T %s - %s - %s - %s" with the
// version tag, or "\tR7T - %s - %s - %s" without it; extra text follows.
// It is printed as field 1 in the bold printer (style 3) up to the right
// end of the rules: when it is longer, the title is shortened first, then
// the place; the date is kept whole.
std::string contestLine(PrintEngine& engine, const Contest& contest, bool withVersion, std::string_view tail = {});

// before + the longest start of text + after that is at most width wide in
// the font, the text cut no further than needed (before and after are kept
// whole): a name followed by numbers in one field.
std::string fitInside(PrintEngine& engine, const DeviceFont& font, std::string_view before, std::string_view text,
                      std::string_view after, int width);

// The pilot of the next entry, with a page open for it; null when the job
// stops there (a missing pilot raises the fault report and fails the job).
const Pilot* openEntry(PrintEngine& engine, Contest& contest, int32_t number, const std::function<void()>& head);

// The name in upper case, accented letters included ("WÜSTENHÖFER").
std::string upperName(std::string_view text);

} // namespace r7t::print_text
