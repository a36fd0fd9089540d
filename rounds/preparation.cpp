#include "rounds/preparation.h"

#include "text/strings.h"
#include "competitors/frequency.h"
#include "string_table/formats.h"
#include "text/text.h"

#include <cctype>
#include <cstdlib>

namespace r7t {

namespace {

constexpr int kWatchMarksPerSlot = 3; // "a " three times fills the 8-byte text

std::string tableText1252(int n) { return utf8ToCp1252(MajStr(n)); }

void addMark(GroupSlot& slot, char letter)
{
    std::string letters(slot.watchLetters.raw());
    if (letters.size() / 2 >= kWatchMarksPerSlot)
        return; // no room: the mark is dropped, the slot's other fields stay
    letters += letter;
    letters += ' ';
    slot.watchLetters.assignRaw(letters);
}

} // namespace

int nextFreeRound(const Contest& contest)
{
    for (int r = 1; r <= kMaxRounds; ++r)
        if (!contest.roundPrepared[r])
            return r;
    return 0;
}

void acceptRound(Contest& contest, int round)
{
    if (!isValidRound(round))
        return;
    contest.roundPrepared[round] = 1;
    if (contest.lastPreparedRound < round)
        contest.lastPreparedRound = round;
    contest.currentRound = round;
}

void refuseRound(Contest& contest, int round)
{
    if (!isValidRound(round))
        return;
    contest.removeRoundGroups(round);
    if (round == 1)
        contest.undoExchanges();
    contest.groupCount[round] = 0;
    contest.currentRound = contest.lastPreparedRound;
}

void deleteRound(Contest& contest, int round)
{
    if (!isValidRound(round))
        return;
    // Every record of the round, its results included, in one pass over
    // each list: linear however many records a file held.
    contest.removeRoundGroups(round);
    contest.groupCount[round] = 0;
    contest.roundHasScores[round] = 0;
    contest.roundPrepared[round] = 0;
    contest.roundComplete[round] = 0;
    contest.lastPreparedRound = contest.highestPreparedRound();
    contest.updateCompleteRounds();
    contest.currentRound = contest.lastPreparedRound;
}

std::vector<MenuItem> roundsMenu(const Contest& contest, bool withNew)
{
    std::vector<MenuItem> items;
    for (int r = 1; r <= kMaxRounds; ++r)
        if (contest.roundPrepared[r])
            items.push_back({kRoundMenuBase + r, formatText(kRoundTitle, r)});
    if (withNew) {
        items.push_back({0, {}, true});
        items.push_back({kRoundMenuBase, MajStr(52)});
    }
    return items;
}

void computeWatchMarks(Contest& contest, int round, int task)
{
    // byGroup[g] is group g's record; index 0 and G + 1 stay empty.
    std::vector<StartGroup*> byGroup{nullptr};
    for (StartGroup* g : contest.competitorRecords(round, task))
        byGroup.push_back(g);
    const int groups = static_cast<int>(byGroup.size()) - 1;
    byGroup.push_back(nullptr);
    for (StartGroup* g : byGroup)
        if (g)
            for (GroupSlot& s : g->slots) {
                s.watchLetters.assignRaw("");
                s.watchLevel = 0;
            }

    auto slotsOf = [&](int g) -> std::vector<GroupSlot*> {
        std::vector<GroupSlot*> slots;
        if (g >= 1 && g <= groups && byGroup[static_cast<size_t>(g)])
            for (int s = 0; s < byGroup[static_cast<size_t>(g)]->usedSlots(); ++s)
                slots.push_back(&byGroup[static_cast<size_t>(g)]->slots[s]);
        return slots;
    };
    auto close = [](const GroupSlot& a, const GroupSlot& b, int limit) {
        return std::llabs(static_cast<long long>(a.frequency) - b.frequency) < limit;
    };

    // Letters run A..Z and start again at A: a letter is only compared within
    // a group and its predecessor, so a repeat far down the list is harmless.
    char letter = 'A';
    for (int g = 1; g <= groups; ++g) {
        const std::vector<GroupSlot*> own = slotsOf(g);
        const std::vector<GroupSlot*> previous = slotsOf(g - 1);
        const std::vector<GroupSlot*> next = slotsOf(g + 1);
        for (size_t k = 0; k < own.size(); ++k) {
            GroupSlot& slot = *own[k];
            // Level: every character of the letters so far, the separating
            // space included, is looked for in the group and the previous one.
            const std::string letters(slot.watchLetters.raw());
            for (char ch : letters) {
                const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                auto compare = [&](const GroupSlot& other) {
                    if (other.watchLetters.raw().find(c) == std::string_view::npos)
                        return;
                    if (close(slot, other, 10))
                        slot.watchLevel = 2;
                    else if (close(slot, other, 20))
                        slot.watchLevel = 1;
                };
                for (GroupSlot* other : own)
                    if (other != &slot)
                        compare(*other);
                for (GroupSlot* other : previous)
                    compare(*other);
            }
            // Pairs with the later slots of the group, then the next group.
            auto pair = [&](GroupSlot& other) {
                if (!close(slot, other, 20))
                    return;
                addMark(slot, static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
                addMark(other, letter);
                letter = letter == 'Z' ? 'A' : static_cast<char>(letter + 1);
            };
            for (size_t j = k + 1; j < own.size(); ++j)
                pair(*own[j]);
            for (GroupSlot* other : next)
                pair(*other);
        }
    }
}

std::vector<ListLine> updateRoundList(Contest& contest, int round, int task)
{
    std::vector<ListLine> lines;
    lines.push_back({"", LineMark::Vide});
    if (!isValidRound(round))
        return lines;
    computeWatchMarks(contest, round, task);
    const std::string taskWord = tableText1252(task == kTaskSpeed ? 58 : 56);
    const std::string headerFormat = " Groupe %i %s ( R : %.20s - %s ) ";
    const std::vector<GroupRecords> records = contest.groupRecords(round, task);
    for (int32_t g = 1; g <= static_cast<int32_t>(records.size()); ++g) {
        StartGroup* tow = records[static_cast<size_t>(g - 1)].tow;
        StartGroup* members = records[static_cast<size_t>(g - 1)].competitors;
        if (!tow || !members)
            return lines; // the fault report is raised
        const GroupSlot& towSlot = tow->slots[0];
        std::string towName;
        std::string towFrequency;
        if (towSlot.pilotNumber == kNoTowPilot) {
            towName = tableText1252(57);
        } else {
            const Pilot* towPilot = contest.findPilot(towSlot.pilotNumber, Report::Yes);
            if (!towPilot)
                return lines;
            towName = std::string(towPilot->name.raw());
            towFrequency = TexteFrequence(towSlot.frequency);
        }
        lines.push_back({cp1252ToUtf8(stringPrintf(headerFormat.c_str(), g, taskWord.c_str(), towName.c_str(),
                                                   towFrequency.c_str())),
                         LineMark::Pause});
        for (int s = 0; s < members->usedSlots(); ++s) {
            const GroupSlot& slot = members->slots[s];
            if (task == kTaskSpeed && slot.filled < 1)
                continue;
            const Pilot* pilot = contest.findPilot(slot.pilotNumber, Report::Yes);
            if (!pilot)
                return lines;
            const bool onFrequency2 = task == kTaskDuration ? slot.onFrequency2 != 0 : pilot->exchanged != 0;
            const std::string watch =
                slot.watchLetters.empty() ? "" : stringPrintf("\t<---  %s", std::string(slot.watchLetters.raw()).c_str());
            const std::string text = stringPrintf("%02i - %s%s\t(%02i) - %.20s   %s", slot.flightOrder,
                                                  TexteFrequence(slot.frequency).c_str(), onFrequency2 ? ".F2" : "",
                                                  slot.pilotNumber, std::string(pilot->name.raw()).c_str(),
                                                  watch.c_str());
            const LineMark mark = slot.watchLevel == 2   ? LineMark::FeuRouge
                                  : slot.watchLevel == 1 ? LineMark::FeuOrange
                                                         : LineMark::Vide;
            lines.push_back({cp1252ToUtf8(text), mark});
        }
    }
    return lines;
}

} // namespace r7t
