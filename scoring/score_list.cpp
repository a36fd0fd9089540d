#include "scoring/score_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace r7t {

LineMark scoreState(const GroupSlot& slot)
{
    if (!slot.result)
        return LineMark::Vide;
    return slot.result->complete ? LineMark::FeuVert : LineMark::FeuTempo;
}

int scoreListRound(const Contest& contest)
{
    const int last = std::min(contest.lastPreparedRound, kMaxRounds);
    if (last < 1)
        return 0;
    int round = 1;
    while (round < last && contest.roundComplete[round])
        ++round;
    return round;
}

std::vector<ScoreListLine> scoreListLines(Contest& contest, int32_t round)
{
    std::vector<ScoreListLine> lines;
    if (!isValidRound(round))
        return lines;
    for (StartGroup* group : contest.competitorRecords(round, kTaskDuration)) {
        if (!group)
            continue;
        for (int s = 0; s < group->usedSlots(); ++s) {
            const GroupSlot& slot = group->slots[s];
            const Pilot* pilot = contest.findPilot(slot.pilotNumber, Report::Yes);
            if (!pilot)
                continue;
            char number[16];
            std::snprintf(number, sizeof number, " %02i - ", slot.pilotNumber);
            lines.push_back({slot.pilotNumber, {number + pilot->name.utf8(), scoreState(slot)}});
        }
    }
    // The list box sorts its lines as text; numbers below 100 on two
    // digits make that the number order.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ScoreListLine& a, const ScoreListLine& b) { return a.line.text < b.line.text; });
    return lines;
}

int32_t numberOfLine(const std::string& text) { return static_cast<int32_t>(std::atoi(text.c_str())); }

} // namespace r7t
