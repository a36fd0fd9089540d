#include "competitors/frequency_change.h"

#include "text/numbers.h"

#include <algorithm>

namespace r7t {

int firstCancellableRound(const Contest& contest)
{
    for (int r = kMaxRounds; r >= 1; --r)
        if (contest.roundHasScores[r])
            return r + 1;
    return 1;
}

FrequencyChangeOutcome cancelRoundsFrom(Contest& contest, int32_t fromRound)
{
    FrequencyChangeOutcome outcome;
    outcome.firstCancellable = firstCancellableRound(contest);
    if (fromRound < outcome.firstCancellable) {
        outcome.status = FrequencyChangeStatus::RoundAlreadyFlown;
        return outcome;
    }
    const int last = std::min(contest.lastPreparedRound, kMaxRounds);
    for (int r = fromRound; r <= last; ++r) {
        if (contest.roundPrepared[r])
            outcome.cancelledRounds.push_back(r);
        contest.removeRoundGroups(r);
        contest.groupCount[r] = 0;
        contest.roundHasScores[r] = 0;
        contest.roundPrepared[r] = 0;
        contest.roundComplete[r] = 0;
        if (r == 1)
            for (Pilot& p : contest.pilots)
                if (p.isCompetitor())
                    p.exchanged = 0;
    }
    contest.lastPreparedRound = contest.highestPreparedRound();
    contest.currentRound = 0;
    contest.updateCompleteRounds();
    return outcome;
}

FrequencyChangeOutcome cancelRoundsFrom(Contest& contest, const std::string& typedRound)
{
    return cancelRoundsFrom(contest, leadingInt32(std::string_view(typedRound).substr(0, 7)));
}

void afterFrequencyChange(Contest& contest, int32_t personNumber)
{
    if (Pilot* p = contest.findPilot(personNumber); p && p->exchanged == 1)
        p->exchanged = 0;
}

} // namespace r7t
