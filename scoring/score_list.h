// The score list: one line per competitor of a round's duration groups,
// marked with the state of the competitor's result, and the round the list
// opens on.
#pragma once

#include "contest/contest.h"
#include "contest/line_mark.h"

#include <string>
#include <vector>

namespace r7t {

struct ScoreListLine {
    int32_t number = 0;
    ListLine line; // " %02i - %s" and VIDE, FEUTEMPO or FEUVERT
};

// VIDE: no first flight linked; FEUTEMPO: a result not complete; FEUVERT:
// a complete result.
LineMark scoreState(const GroupSlot& slot);

// The first round from 1 whose roundComplete is not set, stopping at the
// last prepared round; 0 when no round was ever prepared.
int scoreListRound(const Contest& contest);

// The lines of the round in the list's text order (that is number order).
// A missing group or pilot raises the fault report; the line of a missing
// pilot is left out.
std::vector<ScoreListLine> scoreListLines(Contest& contest, int32_t round);

// The competitor number at the start of a line's text; 0 if none.
int32_t numberOfLine(const std::string& text);

} // namespace r7t
