#include "rounds/weighing.h"

#include "text/numbers.h"
#include "text/text.h"

#include <algorithm>
#include <cstdlib>

namespace r7t {

namespace {

struct WeighingRow {
    int32_t number = 0;
    bool selected = false;
    bool durationMark = false;
    bool speedMark = false;
};

std::vector<WeighingRow> durationRows(const std::vector<StartGroup*>& durationGroups)
{
    std::vector<WeighingRow> rows;
    for (const StartGroup* g : durationGroups)
        for (int s = 0; s < g->usedSlots(); ++s)
            rows.push_back({g->slots[s].pilotNumber});
    return rows;
}

} // namespace

bool weighingDrawMade(const Contest& contest, int round)
{
    if (!isValidRound(round) || contest.groupCount[round] < 1)
        return false;
    for (const StartGroup& g : contest.groups)
        if (g.round == round && g.id == competitorRecordId(1) && g.task == kTaskDuration)
            return g.slots[0].weighingMark != 0;
    return false;
}

WeighingResult TiragePesees(Contest& contest, int round, RandomSource& random)
{
    WeighingResult result;
    result.lines.push_back("");
    if (!isValidRound(round) || !contest.roundPrepared[round])
        return result;

    const std::vector<StartGroup*> duration = contest.competitorRecords(round, kTaskDuration);
    const std::vector<StartGroup*> speed = contest.competitorRecords(round, kTaskSpeed);
    if (contest.fault()) // a missing record: nothing is drawn
        return result;

    if (!weighingDrawMade(contest, round)) {
        const int placed = contest.placedCount(round);
        int toDraw = (placed + 4) / 5;
        std::vector<WeighingRow> rows = durationRows(duration);
        for (StartGroup* g : duration)
            for (GroupSlot& s : g->slots)
                s.weighingMark = kMarkNotSelected;
        for (StartGroup* g : speed)
            for (GroupSlot& s : g->slots)
                s.weighingMark = kMarkNotSelected;
        // A damaged round could hold fewer rows than placed competitors:
        // never ask for more marks than the rows can take.
        toDraw = std::min(toDraw, 2 * static_cast<int>(rows.size()));
        while (toDraw > 0) {
            const int i = random.Aleatoire(placed);
            const int task = static_cast<int>(random.nextValue() % 100) % 2;
            if (i >= static_cast<int>(rows.size()))
                continue;
            WeighingRow& row = rows[static_cast<size_t>(i)];
            if (task == 0 && !row.durationMark) {
                row.durationMark = row.selected = true;
                --toDraw;
            } else if (task == 1 && !row.speedMark) {
                row.speedMark = row.selected = true;
                --toDraw;
            }
        }
        for (const WeighingRow& row : rows) {
            if (row.speedMark)
                if (SlotRef s = contest.findGroupOf(round, row.number, kTaskSpeed))
                    s.group->slots[s.slot].weighingMark = kMarkSpeed;
            if (row.durationMark)
                if (SlotRef s = contest.findGroupOf(round, row.number, kTaskDuration))
                    s.group->slots[s.slot].weighingMark = kMarkDuration;
        }
        result.drawn = true;
    }

    std::vector<std::string> selected;
    for (const StartGroup* g : duration)
        for (int s = 0; s < g->usedSlots(); ++s) {
            const GroupSlot& slot = g->slots[s];
            const bool durationMark = slot.weighingMark >= 1;
            const SlotRef speedSlot = contest.findGroupOf(round, slot.pilotNumber, kTaskSpeed);
            const bool speedMark = speedSlot && speedSlot.group->slots[speedSlot.slot].weighingMark >= 1;
            if (!durationMark && !speedMark)
                continue;
            const Pilot* pilot = contest.findPilot(slot.pilotNumber, Report::Yes);
            if (!pilot)
                return result;
            selected.push_back(cp1252ToUtf8(stringPrintf(
                "%s  %s  %s  %s", stringPrintf("%2i ", slot.pilotNumber).c_str(),
                stringPrintf("%-20s", std::string(pilot->name.raw()).c_str()).c_str(),
                speedMark ? " Vitesse " : "         ", durationMark ? "Dur\xE9" "e " : "")));
        }
    // The dialog's list is sorted by text, which puts the numbers in order.
    std::sort(selected.begin(), selected.end());
    result.lines.insert(result.lines.end(), selected.begin(), selected.end());
    return result;
}

FlightSheetRange flightSheetRange(const std::string& from, const std::string& to)
{
    FlightSheetRange range;
    range.firstNumber = leadingInt32(std::string_view(from).substr(0, 3));
    range.lastNumber = leadingInt32(std::string_view(to).substr(0, 3));
    if (range.lastNumber < range.firstNumber)
        range.lastNumber = range.firstNumber;
    return range;
}

} // namespace r7t
