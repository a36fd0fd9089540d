// The round preparation dialog's rules: the next round to draw, acceptance,
// refusal and deletion of a round, the watch marks of neighbouring radios,
// and the lines of the speed and duration lists.
#pragma once

#include "contest/contest.h"
#include "contest/line_mark.h"

#include <string>
#include <vector>

namespace r7t {

inline constexpr int kMessageMaxRounds = 570;
inline constexpr int kMessageFrequenciesChecked = 433;
inline constexpr int kMessageAbandonDraw = 407;
inline constexpr int kMessageDeleteRound = 428;
inline constexpr int kRoundMenuBase = 1000; // "Manche %i" is 1000 + r, "Nouvelle" 1000

// The first round 1..40 that is not prepared; 0 when all 40 are.
int nextFreeRound(const Contest& contest);

// "Accepter": the drawn round becomes prepared.
void acceptRound(Contest& contest, int round);

// Abandon of a pending draw: its groups are removed, round-1 exchanges
// undone; the current round goes back to the last prepared one. Not saved.
void refuseRound(Contest& contest, int round);

// "Supprimer": the round's groups and results go, its tables are cleared,
// and the current round becomes the last prepared one. Exchanges stay.
void deleteRound(Contest& contest, int round);

struct MenuItem {
    int id;
    std::string text;
    bool separator = false;
};
// The rounds menu: "Manche %i" per prepared round, a separator, "Nouvelle".
std::vector<MenuItem> roundsMenu(const Contest& contest, bool withNew = true);

// Rewrites the watch letters and levels of every competitor slot of the
// round's task: neighbours closer than 20 kHz (same group, or consecutive
// groups) share a letter, the earlier in lower case.
void computeWatchMarks(Contest& contest, int round, int task);

// The lines of the speed (task 1) or duration (task 2) list of a round: a
// blank line, then per group its header and its competitors. Recomputes
// the watch marks first, as every build of the list does. A missing pilot
// or group raises the fault report and ends the list.
std::vector<ListLine> updateRoundList(Contest& contest, int round, int task);

} // namespace r7t
