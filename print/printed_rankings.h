// The printed results of one round and the printed overall ranking, each
// competitor with his flights, points and (overall) his percentage of the
// leader's total.
#pragma once

#include "contest/contest.h"
#include "print/print_engine.h"
#include "ranking/ranking.h"

#include <vector>

namespace r7t {

// Prints the round's results in the order of the sorted array (rankRound).
PrintOutcome ImprimeManche(Contest& contest, PrintEngine& engine, int round, const std::vector<RoundScore>& sorted);

// The overall ranking as it is open (chosen rounds or final), each
// competitor's round lines, then the best speed and its holders.
PrintOutcome ImprimeClassement(Contest& contest, PrintEngine& engine, const OverallRanking& ranking);

// The column texts of a flight, shared by both reports.
struct FlightTexts {
    std::string speed;           // "23 s 4", or "non valide"
    std::string speedPenalty;    // "- 200" or empty
    std::string duration;        // "(2) 7 mn 05", " (R)" when the re-flight counts, or "non valide"
    std::string landing;         // "+20" or empty
    std::string durationPenalty; // "- 200", "- 400" or empty
    std::string glider;          // "pl1" / "pl2"; empty for a round not flown
};
FlightTexts flightTexts(const RoundScore& score);

} // namespace r7t
