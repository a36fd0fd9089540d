#include "print/printed_lists.h"

#include "print/print_text.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace r7t {

using print_text::ansi;
using print_text::contestLine;
using print_text::openEntry;
using print_text::frequency;
using print_text::table;

namespace {

constexpr int kTextCompetitors = 90;
constexpr int kTextTowPilots = 91;
constexpr int kTextRound = 70;       // "Manche"
constexpr int kTextDuration = 71;    // "DUREE"
constexpr int kTextSpeed = 72;       // "VITESSE"
constexpr int kTextFrequency2 = 73;  // "<-- fréquence 2"
constexpr int kTextWatch = 74;       // "Surveiller :"
constexpr int kTextToBeDecided = 57; // "à déterminer"
constexpr int kTextLegend = 584;     // 584..586, the landing grades

constexpr int kListThresholdMargin = 6;
constexpr int kWeighingThresholdMargin = 4;

// The page-break test of the lists: room left for the next entry.
int listThreshold(const PrintEngine& engine) { return engine.linesPerPage - kListThresholdMargin; }

// "%u", or "_______" for a mass not entered.
std::string massText(int32_t grams) { return grams == 0 ? "_______" : stringPrintf("%u", static_cast<unsigned>(grams)); }

// The lines of a remark: cut at each carriage return (the line feed after
// it is skipped), the rest after the last break last.
std::vector<std::string_view> remarkLines(std::string_view remark)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (true) {
        const size_t cr = remark.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(remark.substr(start));
            return lines;
        }
        lines.push_back(remark.substr(start, cr - start));
        start = cr + 1;
        if (start < remark.size() && remark[start] == '\n')
            ++start;
    }
}

// The longest start of the text that is at most width wide in the selected
// font.
size_t fittingLength(const PrintEngine& engine, std::string_view text, int width)
{
    size_t low = 0;
    size_t high = text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (engine.textWidth(text.substr(0, middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// One line of a remark in pieces of at most width: each piece ends at the
// last blank that lets it fit, or, in a word longer than the width, at the
// last character that fits (before a number rather than within it).
std::vector<std::string_view> wrapped(const PrintEngine& engine, std::string_view line, int width)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<std::string_view> pieces;
    while (true) {
        size_t n = fittingLength(engine, line, width);
        if (n >= line.size()) {
            pieces.push_back(line);
            return pieces;
        }
        const size_t blank = line.substr(0, n + 1).find_last_of(' ');
        size_t next;
        if (blank != std::string_view::npos && line.find_first_not_of(' ') < blank) {
            n = blank;
            next = blank;
        } else {
            size_t start = n;
            while (start > 0 && digit(line[start]) && digit(line[start - 1]))
                --start;
            n = start > 0 ? start : (n > 0 ? n : 1);
            next = n;
        }
        const size_t end = line.substr(0, n).find_last_not_of(' ');
        pieces.push_back(line.substr(0, end == std::string_view::npos ? 0 : end + 1));
        next = line.find_first_not_of(' ', next);
        if (next == std::string_view::npos)
            return pieces;
        line = line.substr(next);
    }
}

// The competitor records of the round's task, groups 1..G; false when one
// is missing (the fault report is raised).
bool competitorRecords(Contest& contest, int round, int task, std::vector<StartGroup*>& records)
{
    records = contest.competitorRecords(round, task);
    return std::find(records.begin(), records.end(), nullptr) == records.end();
}

// The partners a slot must watch: for each upper-case letter of its marks
// (read two characters at a time), every member of the group, then of the
// previous group, whose marks hold the letter in lower case.
std::string watchList(const GroupSlot& slot, const StartGroup& group, const StartGroup* previous)
{
    static const std::string at = ansi(" (à ");
    std::string list;
    const std::string_view marks = slot.watchLetters.raw();
    for (size_t i = 0; i < marks.size(); i += 2) {
        const char letter = marks[i];
        if (letter < 'A' || letter > 'Z')
            continue;
        const char lower = static_cast<char>(letter - 'A' + 'a');
        auto scan = [&](const StartGroup& members) {
            for (int s = 0; s < members.usedSlots(); ++s) {
                const GroupSlot& member = members.slots[static_cast<size_t>(s)];
                if (member.watchLetters.raw().find(lower) == std::string_view::npos)
                    continue;
                const long long gap = std::llabs(static_cast<long long>(slot.frequency) - member.frequency);
                list += stringPrintf(" %02i", member.pilotNumber);
                list += at;
                list += gap == 10 ? "10) " : gap == 0 ? "00) " : "\?\?) ";
            }
        };
        scan(group);
        if (previous)
            scan(*previous);
    }
    return list;
}

bool hasUpperCase(std::string_view marks)
{
    return std::any_of(marks.begin(), marks.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

} // namespace

SheetName splitSheetName(std::string_view name)
{
    const size_t space = name.find(' ');
    if (space == std::string_view::npos || space < 4)
        return {std::string(name), {}};
    return {std::string(name.substr(0, space)), std::string(name.substr(space + 1))};
}

PrintOutcome printPilotList(Contest& contest, PrintEngine& engine, PilotListKind kind)
{
    std::vector<const Pilot*> pilots;
    for (const Pilot& p : contest.pilots)
        if (kind == PilotListKind::Competitors ? p.isCompetitor() : p.isTowPilot())
            pilots.push_back(&p);
    std::stable_sort(pilots.begin(), pilots.end(),
                     [](const Pilot* a, const Pilot* b) { return a->number < b->number; });

    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    const std::string title =
        "\t" + table(kind == PilotListKind::Competitors ? kTextCompetitors : kTextTowPilots) + "\t\t";
    auto head = [&] {
        engine.currentLine = 2;
        engine.printLine(title, 1, kStyleLarge, kPilotListTabs);
        ++engine.currentLine;
        engine.printLine(contestLine(engine, contest, false), 1, kStyleBold, kPilotListTabs);
        engine.doubleRule(5);
        engine.currentLine = 6;
    };

    unsigned index = 0;
    for (const Pilot* p : pilots) {
        if (!engine.openPage(head))
            break;
        ++index;
        engine.printLine(stringPrintf("%u \t%02u \t %s \t", index, static_cast<unsigned>(p->number),
                                            std::string(p->name.raw()).c_str()) +
                                   ansi("Licence : ") + std::string(p->licence.raw()),
                               1, kStyleLarge, kPilotListTabs);
        const std::string clubNumber = p->clubNumber == 0 ? "" : stringPrintf("%u", static_cast<unsigned>(p->clubNumber));
        engine.printLine(stringPrintf("\t\t%s \t%s   %s", std::string(p->club.raw()).c_str(),
                                            clubNumber.c_str(), std::string(p->country.raw()).c_str()),
                               1, kStylePlain, kPilotListTabs);
        engine.printLine(stringPrintf("\t\tFreq1 : %s \tFreq2 : %s", frequency(p->frequency1).c_str(),
                                            p->frequency2 == 0 ? "" : frequency(p->frequency2).c_str()),
                               1, kStylePlain, kPilotListTabs);
        if (p->massGlider1 != 0 || p->massGlider2 != 0)
            engine.printLine(stringPrintf("\t\tm1 : %s g.\tm2 : %s g.", massText(p->massGlider1).c_str(),
                                                massText(p->massGlider2).c_str()),
                                   1, kStylePlain, kPilotListTabs);
        // A remark line longer than the room up to the rules' end goes on
        // over the next lines; lines that would fall below the page go on
        // the next page.
        bool stopped = false;
        if (!p->remark.empty()) {
            // The room of "\t\t%s \t ": from 24 column units to the rules' end,
            // less the gap.
            const int width = engine.rulesRight() - engine.fieldGap() - engine.columnX(kPilotListTabs[2]);
            for (std::string_view line : remarkLines(p->remark.raw()))
                for (std::string_view piece : wrapped(engine, line, width)) {
                    if (!engine.keepOnPage(head)) {
                        stopped = true;
                        break;
                    }
                    engine.printLine("\t\t" + std::string(piece) + " \t ", 1, kStylePlain, kPilotListTabs);
                }
        }
        if (stopped || !engine.keepOnPage(head))
            break;
        engine.separatorRule(engine.currentLine);
        ++engine.currentLine;
        if (!engine.endEntry(listThreshold(engine)))
            break;
    }
    return engine.endJob();
}

PrintOutcome printFlightSheets(Contest& contest, PrintEngine& engine, int firstNumber, int lastNumber)
{
    std::vector<const Pilot*> pilots;
    for (const Pilot& p : contest.pilots)
        if (p.isCompetitor() && p.number >= firstNumber && p.number <= lastNumber)
            pilots.push_back(&p);
    std::stable_sort(pilots.begin(), pilots.end(),
                     [](const Pilot* a, const Pilot* b) { return a->number < b->number; });

    if (!engine.startJob(kDocumentName, 11, kWeightBold))
        return engine.endJob();
    const DeviceFont small = engine.font(11, kWeightBold);
    const DeviceFont big = engine.font(24, kWeightBold);
    // Texts on the left of the form stop before its right column (x 1200).
    const int rightColumn = engine.layoutX(1200);
    auto at = [&](int x, int y, std::string_view text, int right) {
        if (!text.empty())
            engine.textWithin(engine.layoutX(x), engine.layoutY(y), text, right);
    };
    for (const Pilot* p : pilots) {
        if (!engine.startPage())
            break;
        const SheetName name = splitSheetName(p->name.raw());
        engine.selectFont(small);
        const int end = engine.rulesRight();
        at(400, 535, name.first, end);
        at(400, 630, name.second, rightColumn);
        at(1200, 630, frequency(p->frequency1), end);
        at(400, 725, p->club.raw(), rightColumn);
        if (p->frequency2 > 0)
            at(1200, 725, frequency(p->frequency2), end);
        if (p->clubNumber > 0)
            at(600, 820, stringPrintf("%i", p->clubNumber), rightColumn);
        at(600, 915, p->licence.raw(), rightColumn);
        engine.selectFont(big);
        at(1200, 860, stringPrintf("%i", p->number), end);
        engine.selectFont(small);
        if (!engine.endPage() || !engine.mayContinue())
            break;
    }
    return engine.endJob();
}

PrintOutcome printStartList(Contest& contest, PrintEngine& engine, int round, int task)
{
    if (!isValidRound(round) || (task != kTaskSpeed && task != kTaskDuration))
        return PrintOutcome::NothingPrinted;
    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    const std::string title = stringPrintf("\t%s   -   %s %i\t\t", table(task == kTaskSpeed ? kTextSpeed : kTextDuration).c_str(),
                                           table(kTextRound).c_str(), round);
    auto head = [&] {
        engine.currentLine = 2;
        engine.printLine(title, 1, kStyleLarge, kStartListTabs);
        ++engine.currentLine;
        engine.printLine(contestLine(engine, contest, true), 1, kStyleBold, kStartListTabs);
        engine.headRule(5);
        engine.currentLine = 6;
    };
    const std::string frequency2 = table(kTextFrequency2);
    const std::string watch = table(kTextWatch);

    bool stopped = false;
    const StartGroup* previous = nullptr;
    const std::vector<GroupRecords> records = contest.groupRecords(round, task);
    for (int32_t g = 1; g <= static_cast<int32_t>(records.size()) && !stopped; ++g) {
        StartGroup* tow = records[static_cast<size_t>(g - 1)].tow;
        StartGroup* members = records[static_cast<size_t>(g - 1)].competitors;
        if (!tow || !members) {
            engine.fail();
            break;
        }
        const GroupSlot& towSlot = tow->slots[0];
        std::string towName = "????  ";
        std::string towFrequency = table(kTextToBeDecided);
        if (towSlot.pilotNumber != kNoTowPilot) {
            const Pilot* towPilot = contest.findPilot(towSlot.pilotNumber, Report::Yes);
            if (!towPilot) {
                engine.fail();
                break;
            }
            towName = std::string(towPilot->name.raw());
            towFrequency = frequency(towSlot.frequency);
        }
        // The group's head needs a page as much as its members do.
        if (!engine.openPage(head))
            break;
        engine.doubleRule(engine.currentLine);
        ++engine.currentLine;
        // A long tow pilot's name is shortened so that his frequency stays.
        engine.printLine(print_text::fitInside(engine, engine.bodyFont(),
                                               stringPrintf("Groupe %i   -   Remorqueur : ", g), towName,
                                               "   (" + towFrequency + ") ",
                                               engine.rulesRight() - engine.fieldGap() - engine.columnX(kStartListTabs[0])),
                         0, kStylePlain, kStartListTabs);
        engine.separatorRule(engine.currentLine);
        ++engine.currentLine;
        for (int s = 0; s < members->usedSlots(); ++s) {
            const GroupSlot& slot = members->slots[static_cast<size_t>(s)];
            const Pilot* pilot = openEntry(engine, contest, slot.pilotNumber, head);
            if (!pilot) {
                stopped = true;
                break;
            }
            engine.printLine(stringPrintf("%u \t%02u \t %s", static_cast<unsigned>(slot.flightOrder),
                                                static_cast<unsigned>(slot.pilotNumber),
                                                std::string(pilot->name.raw()).c_str()),
                                   1, kStyleLarge, kStartListTabs);
            const bool watched = hasUpperCase(slot.watchLetters.raw());
            engine.printLine(
                stringPrintf("\t\t%s \t%s \t%s %s", frequency(slot.frequency).c_str(),
                             slot.onFrequency2 ? frequency2.c_str() : "", watched ? watch.c_str() : "",
                             watchList(slot, *members, previous).c_str()),
                1, kStylePlain, kStartListTabs);
            engine.separatorRule(engine.currentLine);
            ++engine.currentLine;
            if (!engine.endEntry(listThreshold(engine))) {
                stopped = true;
                break;
            }
        }
        previous = members;
    }
    if (stopped || engine.failed() || engine.userAbort)
        return engine.endJob();

    // The competitors who do not fly the round: in no duration group.
    std::vector<uint8_t> placed(100, 0);
    for (const StartGroup& group : contest.groups)
        if (group.round == round && group.task == kTaskDuration && isCompetitorRecordId(group.id) &&
            groupOfId(group.id) >= 1 && groupOfId(group.id) <= contest.groupCount[round])
            for (int s = 0; s < group.usedSlots(); ++s) {
                const int32_t n = group.slots[static_cast<size_t>(s)].pilotNumber;
                if (isCompetitorNumber(n))
                    placed[static_cast<size_t>(n)] = 1;
            }
    std::vector<std::string> absent;
    for (int32_t n = 1; n <= 99; ++n)
        if (!placed[static_cast<size_t>(n)])
            if (const Pilot* p = contest.findPilot(n))
                absent.push_back(stringPrintf("%i - %s", n, std::string(p->name.raw()).c_str()));
    if (absent.empty())
        absent.push_back("Aucun");

    if (!engine.openPage(head))
        return engine.endJob();
    engine.doubleRule(engine.currentLine);
    ++engine.currentLine;
    if (!engine.keepOnPage(head))
        return engine.endJob();
    engine.printLine(ansi(stringPrintf("Ne participent pas à la manche %i :", round)), 0, kStylePlain,
                           kStartListTabs);
    ++engine.currentLine;
    for (const std::string& line : absent) {
        if (!engine.keepOnPage(head))
            break;
        engine.printLine(line, 0, kStylePlain, kStartListTabs);
    }
    return engine.endJob();
}

PrintOutcome printRoundSheet(Contest& contest, PrintEngine& engine, int round)
{
    if (!isValidRound(round))
        return PrintOutcome::NothingPrinted;
    std::vector<StartGroup*> groups;
    const bool complete = competitorRecords(contest, round, kTaskDuration, groups);

    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    if (!complete) {
        engine.fail();
        return engine.endJob();
    }
    const DeviceFont small = engine.font(9);
    const std::string title = stringPrintf("\t %s %i\t\t", table(kTextRound).c_str(), round);
    auto head = [&] {
        engine.currentLine = 2;
        engine.printLine(title, 1, kStyleLarge, kStartListTabs);
        ++engine.currentLine;
        engine.printLine(contestLine(engine, contest, true), 1, kStyleBold, kStartListTabs);
        // The legend stands on lines 1 to 3: on line 4 it would run into
        // any contest line longer than 75 column units.
        engine.selectFont(small);
        for (int i = 0; i < 3; ++i)
            engine.textAt(90 * engine.columnUnit, (1 + i) * engine.linePitch, table(kTextLegend + i));
        engine.selectFont(engine.bodyFont());
        engine.headRule(5);
        engine.currentLine = 6;
    };
    const std::string header = ansi("\t\t\tVitesse\tVisa\tDurée\tAtterro.\tVisa");
    static constexpr int kBoxes[] = {53, 68, 83, 84, 98, 108};

    bool stopped = false;
    for (size_t g = 0; g < groups.size() && !stopped; ++g) {
        const StartGroup& group = *groups[g];
        if (!engine.openPage(head))
            break;
        engine.doubleRule(engine.currentLine);
        ++engine.currentLine;
        engine.printLine(stringPrintf("Groupe %i   ", static_cast<int>(g) + 1), 0, kStylePlain, kStartListTabs);
        engine.separatorRule(engine.currentLine);
        ++engine.currentLine;
        engine.selectFont(small);
        engine.printLine(header, 1, kStyleSmall, kRoundSheetTabs);
        engine.underHeaderRule(engine.currentLine - 1);
        engine.selectFont(engine.bodyFont());
        for (int s = 0; s < group.usedSlots(); ++s) {
            const GroupSlot& slot = group.slots[static_cast<size_t>(s)];
            const Pilot* pilot = openEntry(engine, contest, slot.pilotNumber, head);
            if (!pilot) {
                stopped = true;
                break;
            }
            const int top = engine.penY();
            // The name (20 characters at most) stays left of the first box.
            const std::string name = print_text::fitInside(
                engine, engine.bodyFont(), " ", pilot->name.raw().substr(0, 20), "",
                kBoxes[0] * engine.columnUnit - engine.fieldGap() - engine.columnX(kStartListTabs[2]));
            engine.printLine(stringPrintf(" \t%02u \t", static_cast<unsigned>(slot.pilotNumber)) + name, 1,
                             kStyleLarge, kStartListTabs);
            const std::string marks =
                slot.watchLetters.empty() ? "" : "(" + std::string(slot.watchLetters.raw()) + ")";
            engine.printLine(
                stringPrintf("\t\t%s \t%s \t%s %s", frequency(slot.frequency).c_str(), marks.c_str(), "", ""), 1,
                kStylePlain, kStartListTabs);
            engine.separatorRule(engine.currentLine);
            ++engine.currentLine;
            const int bottom = engine.penY();
            for (int x : kBoxes)
                engine.verticalLine(x * engine.columnUnit, top, bottom);
            engine.verticalLine(engine.large - kLeftMargin * engine.columnUnit, top, bottom);
            if (!engine.endEntry(listThreshold(engine))) {
                stopped = true;
                break;
            }
        }
    }
    return engine.endJob();
}

PrintOutcome printWeighingSheet(Contest& contest, PrintEngine& engine, int round)
{
    if (!isValidRound(round))
        return PrintOutcome::NothingPrinted;
    struct Entry {
        int32_t number = 0;
        bool selected = false;
        bool durationCheck = false;
        bool speedCheck = false;
    };
    std::vector<StartGroup*> durationGroups;
    std::vector<StartGroup*> speedGroups;
    const bool complete = competitorRecords(contest, round, kTaskDuration, durationGroups) &&
                          competitorRecords(contest, round, kTaskSpeed, speedGroups);
    std::vector<Entry> entries;
    if (complete) {
        for (const StartGroup* g : durationGroups)
            for (int s = 0; s < g->usedSlots(); ++s)
                entries.push_back({g->slots[static_cast<size_t>(s)].pilotNumber});
        auto mark = [&](const StartGroup& group, bool speed) {
            for (int s = 0; s < group.usedSlots(); ++s) {
                const GroupSlot& slot = group.slots[static_cast<size_t>(s)];
                if (slot.weighingMark <= 0)
                    continue;
                for (Entry& e : entries)
                    if (e.number == slot.pilotNumber) {
                        e.selected = true;
                        (speed ? e.speedCheck : e.durationCheck) = true;
                        break;
                    }
            }
        };
        for (size_t g = 0; g < durationGroups.size(); ++g) {
            mark(*durationGroups[g], false);
            mark(*speedGroups[g], true);
        }
    }

    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    if (!complete) {
        engine.fail();
        return engine.endJob();
    }
    const std::string title = ansi(stringPrintf("\tPesées - Manche :   %i\t", round));
    const std::string confidential = ansi("\tCONFIDENTIEL (destiné au Directeur de compétition)");
    const std::string speedCheck = ansi("contrôle VITESSE : ________ g  pla____");
    const std::string durationCheck = ansi("contrôle DUREE : ________ g  pla____");
    auto head = [&] {
        engine.currentLine = 2;
        engine.printLine(title, 1, kStyleLarge, kPilotListTabs);
        ++engine.currentLine;
        engine.printLine(contestLine(engine, contest, false), 1, kStyleBold, kPilotListTabs);
        engine.printLine(confidential, 1, kStyleBold, kPilotListTabs);
        engine.doubleRule(6);
        engine.currentLine = 7;
    };

    for (const Entry& e : entries) {
        if (e.selected) {
            const Pilot* pilot = openEntry(engine, contest, e.number, head);
            if (!pilot)
                break;
            engine.printLine(stringPrintf("  \t%02u \t %s \t Inscription : pla1 = %s g      pla2 = %s g",
                                                static_cast<unsigned>(e.number), std::string(pilot->name.raw()).c_str(),
                                                massText(pilot->massGlider1).c_str(),
                                                massText(pilot->massGlider2).c_str()),
                                   1, kStyleLarge, kWeighingTabs);
            ++engine.currentLine;
            engine.printLine("\t\t" + (e.speedCheck ? speedCheck : std::string()) + "\t" +
                                       (e.durationCheck ? durationCheck : std::string()),
                                   1, kStylePlain, kPilotListTabs);
            engine.separatorRule(engine.currentLine);
            ++engine.currentLine;
        }
        if (!engine.endEntry(engine.linesPerPage - kWeighingThresholdMargin))
            break;
    }
    return engine.endJob();
}

} // namespace r7t
