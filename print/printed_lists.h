// The lists and sheets printed for the organisers: the competitor or
// tow-pilot list, the flight sheets on pre-printed forms, the start list of
// one task of a round, the round record sheet and the weighing sheet.
// Each runs one whole job on the engine (after the print dialog) and
// changes nothing in the contest. A pilot or group the data refers to and
// that cannot be found raises the contest's fault report and the job is
// abandoned.
#pragma once

#include "contest/contest.h"
#include "print/print_engine.h"

namespace r7t {

inline constexpr int kMessageNoCompetitor = 53; // "- Pas encore d'inscrits -"

enum class PilotListKind { Competitors, TowPilots };

// The registered competitors (1..99) or tow pilots (above 100), by number.
PrintOutcome printPilotList(Contest& contest, PrintEngine& engine, PilotListKind kind);

// One page per competitor numbered firstNumber..lastNumber, at the fixed places of
// the pre-printed form.
PrintOutcome printFlightSheets(Contest& contest, PrintEngine& engine, int firstNumber, int lastNumber);

// The groups of the round for the task (kTaskSpeed or kTaskDuration) with
// tow pilots, frequencies and watch marks, then the competitors who do not
// fly the round.
PrintOutcome printStartList(Contest& contest, PrintEngine& engine, int round, int task);

// The duration groups of the round in a grid for writing results by hand.
PrintOutcome printRoundSheet(Contest& contest, PrintEngine& engine, int round);

// The competitors drawn for weighing in the round (confidential).
PrintOutcome printWeighingSheet(Contest& contest, PrintEngine& engine, int round);

// How the flight sheet splits a name over its two lines: at the first
// space when it stands at index 4 or later, else not at all.
struct SheetName {
    std::string first;
    std::string second;
};
SheetName splitSheetName(std::string_view name);

} // namespace r7t
