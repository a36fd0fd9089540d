#include "longest_texts.h"

#include "support/contest_builder.h"

#include <string>

namespace r7t::fixtures {

namespace {

// n characters: the text repeated and cut.
std::string filled(const std::string& text, size_t n)
{
    std::string out;
    while (out.size() < n)
        out += text;
    out.resize(n);
    return out;
}

std::string wide(size_t n) { return std::string(n, 'W'); }

// n Windows-1252 characters that upper-case with accents: "Wüöç Wéç WWW...".
std::string accentedName(size_t n) { return filled(utf8ToCp1252("Wüöç Wéç ") + wide(n), n); }

std::string remarkFor(int n)
{
    switch (n % 3) {
    case 0:
        return wide(127); // one line without a space
    case 1:
        return filled("WWWWWWW WWWWW ", 127); // words
    default: {
        // Short lines: CR LF breaks.
        std::string lines;
        while (lines.size() + 20 <= 127)
            lines += wide(18) + "\r\n";
        return lines + wide(127 - lines.size());
    }
    }
}

} // namespace

void buildLongestContest(Contest& c)
{
    buildContest(c);
    c.header.title.assignUtf8(wide(63));
    c.header.place.assignUtf8(wide(31));
    c.header.date.assignUtf8(wide(11));

    for (Pilot& p : c.pilots) {
        const int n = p.number;
        p.name.assignRaw(n % 10 == 1 ? accentedName(31) : wide(31));
        // Some licences begin with "NC": not classified in the rankings.
        p.licence.assignRaw(n % 17 == 0 ? "NC" + wide(13) : wide(15));
        p.club.assignRaw(wide(31));
        p.country.assignRaw(wide(23));
        p.clubNumber = 9999999;
        p.remark.assignRaw(remarkFor(n));
        if (p.isCompetitor()) {
            p.frequency1 = n % 2 ? k24GHzFrequency : 35010 + 10 * (n % 20);
            p.frequency2 = n % 2 ? 35010 + 10 * (n % 20) : k24GHzFrequency;
            p.massGlider1 = n % 5 == 0 ? 0 : 5099;
            p.massGlider2 = n % 4 == 0 ? 0 : 5099;
        } else {
            p.frequency1 = n % 2 ? k24GHzFrequency : 35200;
        }
    }

    // In every group the first member watches the three others with three
    // letters of the group's own, as the draw writes them ("A B C ", "a ",
    // "b ", "c ").
    for (StartGroup& g : c.groups) {
        if (isTowRecordId(g.id)) {
            // One group in five has no tow pilot: "????" and "à déterminer".
            if (groupOfId(g.id) % 5 == 0)
                g.slots[0].pilotNumber = kNoTowPilot;
            g.slots[0].frequency = groupOfId(g.id) % 2 ? k24GHzFrequency : 35200;
            continue;
        }
        for (int s = 0; s < g.usedSlots(); ++s) {
            GroupSlot& slot = g.slots[static_cast<size_t>(s)];
            slot.frequency = 35010 + 10 * s;
            if (s == 1 && groupOfId(g.id) % 2)
                slot.frequency = k24GHzFrequency;
            const char letter = static_cast<char>('A' + (3 * groupOfId(g.id)) % 24);
            std::string marks;
            if (s == 0)
                marks = {letter, ' ', char(letter + 1), ' ', char(letter + 2), ' '};
            else
                marks = {char(letter + s - 1 - 'A' + 'a'), ' '};
            slot.watchLetters.assignRaw(marks);
            slot.onFrequency2 = s % 2;
            if (g.round == kLongestRound)
                slot.weighingMark = g.task == kTaskSpeed ? 1 : 2;
        }
    }
}

void buildLongestInspection(Inspection& inspection)
{
    for (int n = 1; n <= 99; ++n)
        for (int number = 1; number <= 2; ++number) {
            Glider* p = inspection.newGlider();
            p->pilot = n;
            p->glider = number;
            p->pilotName.assignRaw(n % 10 == 1 ? accentedName(29) : wide(29));
            p->model.assignRaw(wide(29));
            p->registration.assignRaw(wide(9));
            p->mass = 9999999;
            p->span = 9999999.0f;
            p->width = 9999999.0f;
            p->height = 9999999.0f;
            p->canopy = n % 2;
            p->groundClearance = 1;
            p->filled = number == 1 || n % 3 != 0;
            p->valid = 0;
        }
    inspection.highestNumber = 99;
}

} // namespace r7t::fixtures
