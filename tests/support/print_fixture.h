// Small contests for the printed documents, and helpers to read what the
// recording device drew. The device's defaults: 720 dpi, linePitch 125, column
// unit 40, 60 lines a page, rules from 400 to 5000.
#pragma once

#include "contest/contest.h"
#include "print/recording_device.h"
#include "support/contest_builder.h"

#include <string>
#include <vector>

namespace r7t::fixtures {

inline constexpr int kUnit = 40;
inline constexpr int kLine = 125;

// A person with every text the lists and sheets print: licence "L<n>",
// club "Club <n>", France.
inline Pilot& addListedPilot(Contest& c, int number, const std::string& name, int32_t f1 = 35010, int32_t f2 = 0)
{
    return addPilot(c, number,
                    {.name = name,
                     .licence = "L" + std::to_string(number),
                     .club = "Club " + std::to_string(number),
                     .country = "France",
                     .frequency1 = f1,
                     .frequency2 = f2});
}

struct Member {
    int number;
    int32_t frequency;
    const char* marks = "";
};

// Group g of a round and task: the tow record and the competitor record.
inline StartGroup& addGroup(Contest& c, int round, int task, int g, int tow, int32_t towFrequency,
                            const std::vector<Member>& members)
{
    StartGroup* t = c.newGroup();
    t->id = 10 * g;
    t->round = round;
    t->task = task;
    t->count = 1;
    t->slots[0].pilotNumber = tow;
    t->slots[0].frequency = towFrequency;
    t->slots[0].filled = kParticipating;
    StartGroup* m = c.newGroup();
    m->id = 10 * g + 1;
    m->round = round;
    m->task = task;
    m->count = static_cast<int32_t>(members.size());
    for (size_t s = 0; s < members.size(); ++s) {
        GroupSlot& slot = m->slots[s];
        slot.pilotNumber = members[s].number;
        slot.frequency = members[s].frequency;
        slot.flightOrder = static_cast<int32_t>(s) + 1;
        slot.filled = kParticipating;
        slot.watchLetters.assignRaw(members[s].marks);
    }
    c.roundPrepared[round] = 1;
    if (c.groupCount[round] < g)
        c.groupCount[round] = g;
    if (c.lastPreparedRound < round)
        c.lastPreparedRound = round;
    return *m;
}

inline void setHeader(Contest& c)
{
    c.header.title.assignUtf8("Coupe d'été");
    c.header.place.assignUtf8("Vinon");
    c.header.date.assignUtf8("12/06/2026");
}

// The texts drawn at one y of a page, in drawing order, as UTF-8.
inline std::vector<std::string> textsAt(const RecordingDevice& device, int page, int y)
{
    std::vector<std::string> found;
    for (const PrintEvent& e : device.texts(page))
        if (e.y == y)
            found.push_back(cp1252ToUtf8(e.text));
    return found;
}

inline int countKind(const RecordingDevice& device, PrintEvent::Kind kind)
{
    int n = 0;
    for (const PrintEvent& e : device.events)
        n += e.kind == kind;
    return n;
}

} // namespace r7t::fixtures
