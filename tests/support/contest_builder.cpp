#include "support/contest_builder.h"

#include "contest/contest_file.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace r7t::fixtures {

namespace {

// Group sizes for n competitors: groups of 4, the last ones of 3.
std::vector<int> groupSizes(int n)
{
    int groups = (n + 3) / 4;
    std::vector<int> sizes(static_cast<size_t>(groups), 4);
    for (int extra = groups * 4 - n, g = groups - 1; extra > 0 && g >= 0; --extra, --g)
        sizes[static_cast<size_t>(g)] = 3;
    return sizes;
}

void addGroup(Contest& c, int round, int task, int g, int towPilot, const std::vector<int>& members, int32_t freqBase)
{
    StartGroup* tow = c.newGroup();
    tow->id = 10 * g;
    tow->round = round;
    tow->count = 1;
    tow->task = task;
    tow->slots[0].pilotNumber = towPilot;
    tow->slots[0].filled = 99;

    StartGroup* comp = c.newGroup();
    comp->id = 10 * g + 1;
    comp->round = round;
    comp->count = static_cast<int32_t>(members.size());
    comp->task = task;
    for (size_t s = 0; s < members.size(); ++s) {
        GroupSlot& slot = comp->slots[s];
        slot.pilotNumber = members[s];
        slot.frequency = freqBase + 10 * members[s];
        slot.onFrequency2 = members[s] % 5 == 0;
        slot.flightOrder = static_cast<int32_t>(s) + 1;
        slot.filled = 99;
    }
    comp->bestDuration = 900 + g;
    comp->bestDurationReflight = round % 3 == 0 ? 850 : 0;
}

} // namespace

StartGroup& appendGroup(Contest& contest, int32_t id, int32_t round, int32_t task,
                        const std::vector<int32_t>& members)
{
    StartGroup& g = *contest.newGroup();
    g.id = id;
    g.round = round;
    g.task = task;
    g.count = static_cast<int32_t>(members.size());
    for (size_t s = 0; s < members.size(); ++s) {
        g.slots[s].pilotNumber = members[s];
        g.slots[s].filled = 99;
        g.slots[s].flightOrder = static_cast<int32_t>(s) + 1;
    }
    return g;
}

Pilot& addPilot(Contest& contest, int32_t number, const PilotFields& fields)
{
    Pilot* p = contest.addPilot(number);
    if (!p)
        throw std::runtime_error("no record for person " + std::to_string(number));
    p->name.assignUtf8(fields.name);
    p->licence.assignUtf8(fields.licence);
    p->club.assignUtf8(fields.club);
    p->country.assignUtf8(fields.country);
    p->frequency1 = fields.frequency1;
    p->frequency2 = fields.frequency2;
    return *p;
}

void addPilots(Contest& contest, int32_t first, int32_t last)
{
    for (int32_t n = first; n <= last; ++n)
        addPilot(contest, n);
}

void buildContest(Contest& c, const ContestShape& shape)
{
    c.header.title.assignUtf8("Championnat de France R7T");
    c.header.date.assignUtf8("06/12/2026");
    c.header.place.assignUtf8("Aérodrome de Saint-Hélène");

    for (int n = 1; n <= shape.competitors; ++n) {
        Pilot& p = addPilot(c, n,
                            {.name = "Pilote n°" + std::to_string(n) + " Éloïse",
                             .licence = "LIC" + std::to_string(100000 + n),
                             .club = "Club des Cigognes " + std::to_string(n % 7),
                             .country = n % 4 ? "France" : "Belgique",
                             .frequency1 = n % 6 == 0 ? k24GHzFrequency : 35010 + 10 * n,
                             .frequency2 = n % 3 == 0 ? 0 : 40665 + 10 * n});
        p.clubNumber = 1000 + n % 7;
        p.remark.assignUtf8("Remarque : planeur rouge, câble de remorquage neuf");
        p.exchanged = n % 11 == 0;
        p.massGlider1 = 2000 + 30 * n;
        p.massGlider2 = n % 2 ? 2500 + 20 * n : 0;
    }
    for (int t = 0; t < shape.towPilots; ++t) {
        Pilot& p = addPilot(c, kFirstTowPilot + t,
                            {.name = "Remorqueur " + std::to_string(t + 1), .frequency1 = 41000 + 10 * t});
        p.participation = t % 9 ? kParticipating : 0;
    }

    const std::vector<int> sizes = groupSizes(shape.competitors);
    for (int r = 1; r <= shape.rounds; ++r) {
        for (int task = kTaskSpeed; task <= kTaskDuration; ++task) {
            // A different flight order per round and task.
            std::vector<int> order;
            for (int i = 0; i < shape.competitors; ++i)
                order.push_back((i * (2 * r + task) + r) % shape.competitors + 1);
            // Make it a permutation when the stride shares a factor with n.
            std::vector<bool> used(static_cast<size_t>(shape.competitors) + 1, false);
            for (int& n : order) {
                while (used[static_cast<size_t>(n)])
                    n = n % shape.competitors + 1;
                used[static_cast<size_t>(n)] = true;
            }
            size_t next = 0;
            for (size_t g = 0; g < sizes.size(); ++g) {
                std::vector<int> members(order.begin() + static_cast<long>(next),
                                         order.begin() + static_cast<long>(next) + sizes[g]);
                next += static_cast<size_t>(sizes[g]);
                int towPilot = shape.towPilots ? kFirstTowPilot + static_cast<int>(g + r) % shape.towPilots
                                               : kNoTowPilot;
                addGroup(c, r, task, static_cast<int>(g) + 1, towPilot, members, 35000);
            }
        }
        c.roundPrepared[r] = 1;
        c.groupCount[r] = static_cast<int32_t>(sizes.size());
        c.lastPreparedRound = r;

        for (int n = 1; n <= shape.competitors; ++n) {
            SlotRef slot = c.findGroupOf(r, n, kTaskDuration);
            FlightResult* res = c.newResult();
            res->number = n;
            res->round = r;
            res->complete = 1;
            res->speedTime = 200 + (n * 37 + r * 11) % 300;
            res->speedLoss = (n + r) % 23 == 0;
            res->speedVoid = (n + r) % 29 == 0;
            res->speedTrial = (n + r) % 31 == 0;
            res->durationTime = 240 + (n * 13 + r) % 120;
            res->landingTarget = (n + r) % 3 == 0;
            res->speedWave2 = (n + r) % 4 == 0;
            res->landingBeyond100 = (n + r) % 3 == 1;
            res->durationLoss = (n + r) % 19 == 0;
            res->durationVoid = (n + r) % 37 == 0;
            res->durationTrial = (n + r) % 41 == 0;
            res->glider = 1 + (n + r) % 2;
            slot.group->slots[slot.slot].result = res;
            if (res->speedTime < c.bestSpeedTime)
                c.bestSpeedTime = static_cast<float>(res->speedTime);
            if (shape.reflightEvery && (n + r) % shape.reflightEvery == 0) {
                res->hasReflight = 1;
                FlightResult* again = c.newResult();
                *again = *res;
                again->isReflight = 1;
                again->durationTime = 300;
                slot.group->slots[slot.slot].reflight = again;
            }
        }
        c.roundHasScores[r] = 1;
        c.roundComplete[r] = 1;
    }
    c.updateCompleteRounds();
}

Contest& largestContest()
{
    static Contest contest;
    static const bool built = [] {
        buildContest(contest);
        return true;
    }();
    (void)built;
    return contest;
}

std::string saveContestFile(Contest& contest, const std::string& path)
{
    contest.setPath(path);
    contest.isOpen = true;
    if (!MajFichier(contest).ok())
        throw std::runtime_error("cannot write " + path);
    return path;
}

} // namespace r7t::fixtures
