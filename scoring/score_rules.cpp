#include "scoring/score_rules.h"

#include <algorithm>

namespace r7t {

namespace {

bool durationDone(const FlightResult& flight) { return flight.durationVoid != 0 || flight.durationTime != 0; }

// Completeness given the re-flight record (null when there is none).
bool isComplete(const FlightResult& result, const FlightResult* reflight)
{
    const bool speedDone = result.speedVoid != 0 || result.speedTime != 0;
    // A granted re-flight without its record cannot complete anything.
    const bool reflightDone = result.hasReflight && reflight != nullptr && durationDone(*reflight);
    // An interrupted first flight without a time is complete once its
    // re-flight is entered.
    const bool firstDone = durationDone(result) || reflightDone;
    return speedDone && firstDone && (!result.hasReflight || reflightDone);
}

} // namespace

int ScoreComplet(Contest& contest, const FlightResult& result, int32_t round, int32_t number)
{
    const FlightResult* reflight = result.hasReflight ? contest.findResult(round, number, 1) : nullptr;
    return isComplete(result, reflight) ? 1 : 0;
}

int ScoreDuree(const FlightResult& flight)
{
    if (flight.durationVoid)
        return 0;
    const int64_t t = flight.durationTime;
    int64_t score = t <= kTargetDuration ? t : kMirrorDuration - t;
    if (flight.landingTarget)
        score += kLandingBonus;
    return static_cast<int>(std::clamp<int64_t>(score, INT32_MIN, INT32_MAX));
}

int PointsDuree(const FlightResult& flight, int32_t reference)
{
    if (flight.durationVoid)
        return 0;
    // Only a damaged file can hold a negative reference; it counts as none.
    int64_t points = reference > 0 ? int64_t(ScoreDuree(flight)) * kNormalisation / reference : 0;
    if (flight.landingBeyond100)
        points -= kPenalty;
    if (flight.durationLoss)
        points -= kPenalty;
    return static_cast<int>(std::max<int64_t>(points, 0));
}

namespace {

// Evaluates the round over already found groups.
void evaluate(Contest& contest, int32_t round, const std::vector<StartGroup*>& groups)
{
    contest.roundComplete[round] = 1;
    contest.roundHasScores[round] = 0;
    bool roundComplete = true;
    for (StartGroup* group : groups) {
        if (!group) {
            roundComplete = false;
            continue;
        }
        bool groupComplete = true;
        int bestFirst = 0;
        int bestReflight = 0;
        for (int s = 0; s < group->usedSlots(); ++s) {
            const GroupSlot& slot = group->slots[s];
            if (!slot.result) {
                groupComplete = false;
                continue;
            }
            const FlightResult& result = *slot.result;
            contest.roundHasScores[round] = 1;
            // The slot links the last re-flight record of the competitor, the
            // one ScoreComplet would search the whole result list for.
            const bool complete = slot.reflight || !result.hasReflight
                                      ? isComplete(result, slot.reflight)
                                      : ScoreComplet(contest, result, round, slot.pilotNumber) != 0;
            if (complete && result.speedTime != 0 && static_cast<float>(result.speedTime) < contest.bestSpeedTime)
                contest.bestSpeedTime = static_cast<float>(result.speedTime);
            if (!complete) {
                groupComplete = false;
                continue;
            }
            bestFirst = std::max(bestFirst, ScoreDuree(result));
            if (result.hasReflight && slot.reflight)
                bestReflight = std::max(bestReflight, ScoreDuree(*slot.reflight));
        }
        if (groupComplete) {
            group->bestDuration = bestFirst;
            group->bestDurationReflight = bestReflight;
        } else {
            roundComplete = false;
        }
    }
    if (!roundComplete)
        contest.roundComplete[round] = 0;
}

} // namespace

void EvalManche(Contest& contest, int32_t round)
{
    if (!isValidRound(round))
        return;
    evaluate(contest, round, contest.competitorRecords(round, kTaskDuration));
}

std::vector<RoundScore> CalculManche(Contest& contest, int32_t round)
{
    std::vector<RoundScore> scores;
    if (!isValidRound(round))
        return scores;
    const std::vector<StartGroup*> groups = contest.competitorRecords(round, kTaskDuration);
    evaluate(contest, round, groups);

    // Speed references: the best time of each wave.
    int32_t reference[3] = {0, kSpeedReferenceStart, kSpeedReferenceStart};
    for (const StartGroup* group : groups) {
        if (!group)
            continue;
        for (int s = 0; s < group->usedSlots(); ++s) {
            const FlightResult* result = group->slots[s].result;
            if (!result || result->speedVoid || result->speedTime <= 0)
                continue;
            const int wave = result->speedWave2 ? 2 : 1;
            reference[wave] = std::min(reference[wave], result->speedTime);
        }
    }

    scores.reserve(static_cast<size_t>(groups.size()) * kSlotsPerGroup);
    for (size_t g = 0; g < groups.size(); ++g) {
        const StartGroup* group = groups[g];
        if (!group)
            continue;
        for (int s = 0; s < group->usedSlots(); ++s) {
            const GroupSlot& slot = group->slots[s];
            if (!slot.result)
                continue;
            const FlightResult& first = *slot.result;
            RoundScore score;
            score.round = round;
            score.number = slot.pilotNumber;
            score.group = static_cast<int32_t>(g) + 1;
            score.position = s;
            score.durationResult = &first;

            const float firstPoints = static_cast<float>(PointsDuree(first, group->bestDuration));
            float reflightPoints = 0.0f;
            if (first.hasReflight && slot.reflight)
                reflightPoints = static_cast<float>(PointsDuree(*slot.reflight, group->bestDurationReflight));
            if (firstPoints < reflightPoints) {
                score.durationPoints = reflightPoints;
                score.reflightUsed = 1;
                score.durationResult = slot.reflight;
            } else {
                score.durationPoints = firstPoints;
            }

            if (!first.speedVoid && first.speedTime > 0) {
                const int wave = first.speedWave2 ? 2 : 1;
                score.speedPoints = static_cast<float>(double(reference[wave]) * kNormalisation / first.speedTime);
            }
            score.total = score.durationPoints + score.speedPoints;
            scores.push_back(score);
        }
    }
    return scores;
}

} // namespace r7t
