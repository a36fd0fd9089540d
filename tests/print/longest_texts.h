// The largest contest filled with the longest texts the program accepts,
// and an inspection file to match: what the page check prints.
#pragma once

#include "contest/contest.h"
#include "inspection/glider.h"

namespace r7t::fixtures {

// The round whose documents the page check prints: the last one.
inline constexpr int kLongestRound = 40;

// The largest contest (98 competitors, 90 tow pilots, 40 complete rounds)
// whose every text is as long as the program keeps it, in wide letters:
// names and clubs of 31 characters, licences of 15, countries of 23,
// remarks of 127 (in one line, in words, and in short lines), a title of 63,
// a place of 31 and a date of 11; 2.4 GHz and 35 MHz frequencies; three
// watch marks in every group; clubs numbered with 7 digits; every
// competitor of the last round drawn for weighing after both flights.
// Every text a person or the contest head holds is written with the letters
// of kTypedLetters (but the "NC" that starts some licences), so that a cut
// in any other text (a heading, a number) is told apart from the cut at the
// end of a typed text.
void buildLongestContest(Contest& contest);

// The characters of the typed texts (UTF-8): wide letters, accented ones, blanks.
inline constexpr const char* kTypedLetters = "WwÉéÜüÖöÇç ";

// One filled glider 1 (and, for most numbers, glider 2) for every number
// 1..99, with a name and a make of 29 wide letters, a registration of 9 and
// measures of 7 digits, as the inspection program's fields take them.
void buildLongestInspection(Inspection& inspection);

} // namespace r7t::fixtures
