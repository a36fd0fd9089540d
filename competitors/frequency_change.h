// The frequency change: a new frequency invalidates the draws, so the start
// groups are cancelled from a chosen round on and the frequency fields of
// the person form unlock.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace r7t {

// Caption and text of the refusal of a round that already has scores.
inline constexpr const char* kRoundAlreadyFlownCaption = "ALERTE";
inline constexpr const char* kRoundAlreadyFlownText = "Manche déjà exécutée !";

// F: 1 + the highest round with scores, 1 when no round has any.
int firstCancellableRound(const Contest& contest);

enum class FrequencyChangeStatus { Done, RoundAlreadyFlown };

struct FrequencyChangeOutcome {
    FrequencyChangeStatus status = FrequencyChangeStatus::Done;
    int firstCancellable = 1;           // F, the value the field is reset to on refusal
    std::vector<int> cancelledRounds;   // the prepared rounds whose groups were removed
};

// "Continuer": refused when fromRound < F; otherwise every round from
// fromRound to lastPreparedRound loses its groups and its tables, round 1
// also every competitor's exchanged flag (the stored frequencies stay as
// they are); lastPreparedRound becomes the highest round still prepared and
// the current round 0. The caller saves the contest.
FrequencyChangeOutcome cancelRoundsFrom(Contest& contest, int32_t fromRound);

// The same with the round as typed in field 680 (leading integer of at most
// 7 characters; not a number is round 0, refused).
FrequencyChangeOutcome cancelRoundsFrom(Contest& contest, const std::string& typedRound);

// Back in the person form after a frequency change: the person's exchanged
// flag is cleared (the form then stores its fields in registered order) and
// both frequency fields are unlocked (modifyPerson with frequenciesUnlocked).
void afterFrequencyChange(Contest& contest, int32_t personNumber);

} // namespace r7t
