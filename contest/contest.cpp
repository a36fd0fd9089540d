#include "contest/contest.h"

#include <algorithm>
#include <bitset>
#include <new>

namespace r7t {

Contest::Contest() = default;

bool isValidRound(int32_t round) { return round >= 1 && round <= kMaxRounds; }

std::string backupPathFor(const std::string& path)
{
    // Only a dot of the file name counts: a dot in a folder name must not
    // send the backup into another folder.
    const size_t nameStart = path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1;
    const size_t dot = path.find_last_of('.');
    std::string base = (dot != std::string::npos && dot >= nameStart) ? path.substr(0, dot) : path;
    return base + ".bak";
}

void Contest::setPath(const std::string& path)
{
    filePath = path;
    backupPath = path.empty() ? std::string() : backupPathFor(path);
}

void Contest::raiseFault(const std::string& tag)
{
    if (!fault_)
        fault_ = tag;
    if (faultHandler_)
        faultHandler_(tag);
}

void Contest::raiseAlert(int stringNumber)
{
    if (alertHandler_)
        alertHandler_(stringNumber);
}

template <typename T>
T* Contest::append(std::list<T>& list)
{
    try {
        if (failNextAllocation_) {
            failNextAllocation_ = false;
            throw std::bad_alloc();
        }
        return &list.emplace_back();
    } catch (const std::bad_alloc&) {
        raiseAlert(kMessageOutOfMemory);
        return nullptr;
    }
}

Pilot* Contest::addPilot(int32_t number)
{
    Pilot* pilot = append(pilots);
    if (!pilot)
        return nullptr;
    pilot->number = number;
    pilot->participation = kParticipating;
    if (isCompetitorNumber(number)) {
        ++competitorCount_;
        highestCompetitorNumber_ = std::max(highestCompetitorNumber_, number);
    } else if (isTowPilotNumber(number)) {
        ++towPilotCount_;
    }
    return pilot;
}

StartGroup* Contest::newGroup() { return append(groups); }
FlightResult* Contest::newResult() { return append(results); }
ExtraRecord* Contest::newExtra() { return append(extras); }

Pilot* Contest::findPilot(int32_t number, Report report)
{
    for (Pilot& p : pilots)
        if (p.number == number)
            return &p;
    if (report == Report::Yes)
        raiseFault(kFaultMissingPilot);
    return nullptr;
}

const Pilot* Contest::findPilot(int32_t number) const
{
    for (const Pilot& p : pilots)
        if (p.number == number)
            return &p;
    return nullptr;
}

StartGroup* Contest::findGroup(int32_t round, int32_t id, int32_t task)
{
    for (StartGroup& g : groups)
        if (g.round == round && g.id == id && g.task == task)
            return &g;
    raiseFault(kFaultMissingGroup);
    return nullptr;
}

namespace {

std::vector<GroupRecords> collectRecords(std::list<StartGroup>& groups, const RoundTable& groupCount, int32_t round,
                                         int32_t task)
{
    if (!isValidRound(round))
        return {};
    // The loader and the draw never count more; a bound all the same, so
    // that no count can make a huge table.
    const int32_t count = std::clamp<int32_t>(groupCount[round], 0, kMaxGroupsPerRound);
    std::vector<GroupRecords> found(static_cast<size_t>(count));
    // One pass over the list instead of one search per record.
    for (StartGroup& g : groups) {
        if (g.round != round || g.task != task)
            continue;
        const int32_t group = groupOfId(g.id);
        if (group < 1 || group > count)
            continue;
        GroupRecords& records = found[static_cast<size_t>(group - 1)];
        if (isTowRecordId(g.id) && !records.tow)
            records.tow = &g;
        else if (isCompetitorRecordId(g.id) && !records.competitors)
            records.competitors = &g;
    }
    return found;
}

} // namespace

std::vector<GroupRecords> Contest::groupRecords(int32_t round, int32_t task)
{
    std::vector<GroupRecords> found = collectRecords(groups, groupCount, round, task);
    if (std::any_of(found.begin(), found.end(), [](const GroupRecords& r) { return !r.tow || !r.competitors; }))
        raiseFault(kFaultMissingGroup);
    return found;
}

std::vector<StartGroup*> Contest::competitorRecords(int32_t round, int32_t task)
{
    std::vector<StartGroup*> found;
    for (const GroupRecords& records : collectRecords(groups, groupCount, round, task))
        found.push_back(records.competitors);
    if (std::find(found.begin(), found.end(), nullptr) != found.end())
        raiseFault(kFaultMissingGroup);
    return found;
}

SlotRef Contest::findGroupOf(int32_t round, int32_t number, int32_t task)
{
    for (StartGroup& g : groups) {
        if (g.round != round || g.task != task)
            continue;
        for (int s = 0; s < g.usedSlots(); ++s)
            if (g.slots[s].pilotNumber == number)
                return {&g, s};
    }
    return {};
}

FlightResult* Contest::findResult(int32_t round, int32_t number, int32_t isReflight)
{
    FlightResult* found = nullptr;
    for (FlightResult& r : results)
        if (r.round == round && r.number == number && r.isReflight == isReflight)
            found = &r;
    return found;
}

void Contest::removePilot(int32_t number)
{
    auto it = std::find_if(pilots.begin(), pilots.end(), [&](const Pilot& p) { return p.number == number; });
    if (it == pilots.end())
        return;
    pilots.erase(it);
    if (isCompetitorNumber(number)) {
        --competitorCount_;
        highestCompetitorNumber_ = 0;
        for (const Pilot& p : pilots)
            if (isCompetitorNumber(p.number))
                highestCompetitorNumber_ = std::max(highestCompetitorNumber_, p.number);
    } else if (isTowPilotNumber(number)) {
        --towPilotCount_;
    }
}

void Contest::removeGroup(int32_t round, int32_t id, int32_t task)
{
    auto it = std::find_if(groups.begin(), groups.end(), [&](const StartGroup& g) {
        return g.round == round && g.id == id && g.task == task;
    });
    if (it != groups.end())
        groups.erase(it);
}

void Contest::removeResult(int32_t round, int32_t number, int32_t isReflight)
{
    auto it = std::find_if(results.begin(), results.end(), [&](const FlightResult& r) {
        return r.round == round && r.number == number && r.isReflight == isReflight;
    });
    if (it == results.end())
        return;
    const FlightResult* doomed = &*it;
    for (StartGroup& g : groups)
        for (GroupSlot& slot : g.slots) {
            if (slot.result == doomed)
                slot.result = nullptr;
            if (slot.reflight == doomed)
                slot.reflight = nullptr;
        }
    results.erase(it);
}

int Contest::participantCount() const
{
    int count = 0;
    for (int n = 1; n <= highestCompetitorNumber_; ++n) {
        const Pilot* p = findPilot(n);
        if (p && p->participation > 0)
            ++count;
    }
    return count;
}

int Contest::placedCount(int32_t round) const
{
    std::bitset<100> placed;
    for (const StartGroup& g : groups) {
        if (g.round != round || (g.task != kTaskSpeed && g.task != kTaskDuration))
            continue;
        for (int s = 0; s < g.usedSlots(); ++s) {
            int32_t n = g.slots[s].pilotNumber;
            if (n >= 1 && n <= highestCompetitorNumber_)
                placed.set(static_cast<size_t>(n));
        }
    }
    return static_cast<int>(placed.count());
}

void Contest::updateCompleteRounds()
{
    completeRoundCount = 0;
    lastCompleteRound = 0;
    completeRoundsText = "-";
    for (int r = 1; r <= kMaxRounds; ++r) {
        if (!roundComplete[r])
            continue;
        ++completeRoundCount;
        lastCompleteRound = r;
        completeRoundsText += std::to_string(r) + "-";
    }
}

int Contest::freeNumber(bool towPilots) const
{
    const int first = towPilots ? kFirstTowPilot : 1;
    for (int n = first; n < first + 90; ++n)
        if (!findPilot(n))
            return n;
    return 0;
}

void Contest::clearRecords()
{
    pilots.clear();
    competitorCount_ = 0;
    towPilotCount_ = 0;
    highestCompetitorNumber_ = 0;
    extras.clear();
    groups.clear();
    results.clear();
}

void Contest::removeRoundGroups(int32_t round)
{
    if (!isValidRound(round))
        return;
    // One pass over each list, whatever the number of records: a result is
    // linked only from a slot of its own round, so no link is left behind.
    groups.remove_if([&](const StartGroup& g) { return g.round == round; });
    results.remove_if([&](const FlightResult& r) { return r.round == round; });
}

void Contest::undoExchanges()
{
    for (Pilot& p : pilots)
        if (p.isCompetitor() && p.exchanged == 1) {
            std::swap(p.frequency1, p.frequency2);
            p.exchanged = 0;
        }
}

int Contest::highestPreparedRound() const
{
    for (int r = kMaxRounds; r >= 1; --r)
        if (roundPrepared[r])
            return r;
    return 0;
}

void setPassword(Contest& contest, const std::string& typed)
{
    contest.password.assignRaw(utf8ToCp1252(typed).substr(0, kMaxPasswordLength));
}

bool passwordMatches(const Contest& contest, const std::string& typed)
{
    return utf8ToCp1252(typed).substr(0, kMaxPasswordLength) == contest.password.raw();
}

} // namespace r7t
