#include "rounds/draw.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace r7t {

namespace {

// Frequencies of a hostile file may be anywhere in the 32-bit range.
int64_t distance(int32_t a, int32_t b) { return std::llabs(static_cast<int64_t>(a) - static_cast<int64_t>(b)); }

int clampAttempts(int attempts) { return std::clamp(attempts, 0, kMaxAttempts); }

bool roundHasGroups(const Contest& contest, int round)
{
    return std::any_of(contest.groups.begin(), contest.groups.end(),
                       [&](const StartGroup& g) { return g.round == round; });
}

// The tow and competitor records of a task of the round, by group 1..G
// (element 0 unused); false when one is missing, the fault report raised.
bool findRecords(Contest& contest, int round, int task, int groups, std::vector<StartGroup*>& tow,
                 std::vector<StartGroup*>& members)
{
    const std::vector<GroupRecords> records = contest.groupRecords(round, task);
    if (records.size() != static_cast<size_t>(groups)) {
        contest.raiseFault(kFaultMissingGroup);
        return false;
    }
    tow.assign(1, nullptr);
    members.assign(1, nullptr);
    for (const GroupRecords& r : records) {
        if (!r.tow || !r.competitors)
            return false;
        tow.push_back(r.tow);
        members.push_back(r.competitors);
    }
    return true;
}

// The first slot of group 1 of a task of the round, when the round has it.
std::optional<int32_t> openerOf(const Contest& contest, int round, int task)
{
    for (const StartGroup& g : contest.groups)
        if (g.round == round && g.id == competitorRecordId(1) && g.task == task)
            return g.usedSlots() > 0 ? std::optional<int32_t>(g.slots[0].pilotNumber) : std::nullopt;
    return std::nullopt;
}

// With sameStartOrder the duration records take the speed records' tow pilot,
// numbers, frequencies, exchanged flags and positions; the drawn mark stays
// as CalculeEquipes left it.
bool copySpeedToDuration(Contest& contest, int round, int groups)
{
    std::vector<StartGroup*> speedTow, speedMembers, durationTow, durationMembers;
    if (!findRecords(contest, round, kTaskSpeed, groups, speedTow, speedMembers) ||
        !findRecords(contest, round, kTaskDuration, groups, durationTow, durationMembers))
        return false;
    for (size_t g = 1; g <= static_cast<size_t>(groups); ++g) {
        durationTow[g]->slots[0].pilotNumber = speedTow[g]->slots[0].pilotNumber;
        durationTow[g]->slots[0].frequency = speedTow[g]->slots[0].frequency;
        const StartGroup& from = *speedMembers[g];
        StartGroup& to = *durationMembers[g];
        for (int s = 0; s < std::min(from.usedSlots(), to.usedSlots()); ++s) {
            to.slots[s].pilotNumber = from.slots[s].pilotNumber;
            to.slots[s].frequency = from.slots[s].frequency;
            to.slots[s].onFrequency2 = from.slots[s].onFrequency2;
            to.slots[s].flightOrder = from.slots[s].flightOrder;
        }
    }
    return true;
}

} // namespace

std::vector<int> groupLayout(int participants)
{
    if (participants < kMinParticipants)
        return {};
    const int q = participants / 4;
    const int r = participants % 4;
    if (r == 0)
        return std::vector<int>(static_cast<size_t>(q), 4);
    std::vector<int> layout(static_cast<size_t>(q + r - 3), 4);
    layout.insert(layout.end(), static_cast<size_t>(4 - r), 3);
    return layout;
}

// --- Flight sequence and the two frequency tests ---

FlightSequence::FlightSequence(const std::vector<int>& layout)
{
    const size_t groups = layout.size();
    first_.assign(groups + 1, 0);
    size_.assign(groups + 1, 0);
    tow_.assign(groups + 1, 0);
    hasTow_.assign(groups + 1, 0);
    groupOf_.assign(1, 0);
    int position = 1;
    for (size_t g = 1; g <= groups; ++g) {
        first_[g] = position;
        size_[g] = layout[g - 1];
        for (int s = 0; s < layout[g - 1]; ++s, ++position)
            groupOf_.push_back(static_cast<int>(g));
    }
    frequency_.assign(groupOf_.size(), 0);
}

void FlightSequence::setTow(int group, int32_t frequency)
{
    tow_[static_cast<size_t>(group)] = frequency;
    hasTow_[static_cast<size_t>(group)] = 1;
}

void FlightSequence::clearTow(int group)
{
    tow_[static_cast<size_t>(group)] = 0;
    hasTow_[static_cast<size_t>(group)] = 0;
}

bool CompatibleConcurrent(const FlightSequence& sequence, int32_t f, int position, int level)
{
    if (position < 1 || position > sequence.positions())
        return false;
    const int group = sequence.groupOf(position);
    const int first = sequence.firstPosition(group);
    for (int j = first; j < position; ++j)
        if (distance(f, sequence.frequencyAt(j)) < 20)
            return false;
    if (group < 2)
        return true;
    const int previousSize = sequence.groupSize(group - 1);
    const int previousFirst = first - previousSize;
    if (level <= 5) {
        // Each level relaxes one more of the previous group's earliest flyers.
        const int relaxed = std::clamp(level - 1, 0, previousSize);
        for (int j = previousFirst; j < first; ++j)
            if (distance(f, sequence.frequencyAt(j)) < (j - previousFirst < relaxed ? 10 : 20))
                return false;
    } else {
        for (int j = std::max(previousFirst, position - 3); j < first; ++j)
            if (distance(f, sequence.frequencyAt(j)) < 10)
                return false;
    }
    return true;
}

bool CompatibleRemorqueur(const FlightSequence& sequence, int32_t t, int group, int level)
{
    if (group < 1 || group > sequence.groups())
        return false;
    const auto farFromMembers = [&](int g) {
        const int first = sequence.firstPosition(g);
        for (int j = first; j < first + sequence.groupSize(g); ++j)
            if (distance(t, sequence.frequencyAt(j)) < 20)
                return false;
        return true;
    };
    if (!farFromMembers(group))
        return false;
    if (group >= 2 && level == 1 && !farFromMembers(group - 1))
        return false;
    // Never the tow pilot of the previous group: his own frequency is 0 kHz away.
    if (group >= 2 && sequence.hasTow(group - 1) && distance(t, sequence.towFrequency(group - 1)) < 20)
        return false;
    return true;
}

// --- Group records ---

std::vector<int> CalculeEquipes(Contest& contest, int round)
{
    if (!isValidRound(round))
        return {};
    std::vector<int> layout = groupLayout(contest.participantCount());
    if (layout.empty())
        return {};
    std::vector<StartGroup*> created;
    for (int task = kTaskSpeed; task <= kTaskDuration; ++task)
        for (size_t g = 1; g <= layout.size(); ++g) {
            for (int record = 0; record < 2; ++record) {
                StartGroup* group = contest.newGroup();
                if (!group) {
                    contest.groups.remove_if([&](const StartGroup& s) {
                        return std::find(created.begin(), created.end(), &s) != created.end();
                    });
                    return {};
                }
                created.push_back(group);
                group->id = record == 0 ? towRecordId(static_cast<int32_t>(g)) : competitorRecordId(static_cast<int32_t>(g));
                group->round = round;
                group->task = task;
                group->count = record == 0 ? 1 : layout[g - 1];
                if (record == 0)
                    group->slots[0].pilotNumber = kFirstTowPilot;
            }
        }
    contest.groupCount[round] = static_cast<int32_t>(layout.size());
    return layout;
}

// --- One run of the draw ---

DrawRun::DrawRun(Contest& contest, int round, const DrawSettings& settings, RandomSource& random)
    : contest_(contest), round_(round), attempts_(clampAttempts(settings.attempts)),
      openers_(settings.openers), random_(random), layout_(groupLayout(contest.participantCount())),
      sequence_(layout_)
{
}

int32_t DrawRun::substitute24GHz(int32_t frequency)
{
    if (frequency < k24GHzFrequency)
        return frequency;
    contest_.next24GHz += 20;
    return contest_.next24GHz;
}

bool DrawRun::buildTables()
{
    contest_.next24GHz = k24GHzFrequency;

    // The first record of each number, as findPilot would give it.
    std::array<Pilot*, 100> competitors{};
    std::vector<Pilot*> towPilots;
    for (Pilot& p : contest_.pilots) {
        if (p.isCompetitor()) {
            if (!competitors[static_cast<size_t>(p.number)])
                competitors[static_cast<size_t>(p.number)] = &p;
        } else if (p.isTowPilot()) {
            towPilots.push_back(&p);
        }
    }
    std::stable_sort(towPilots.begin(), towPilots.end(),
                     [](const Pilot* a, const Pilot* b) { return a->number < b->number; });
    towPilots.erase(std::unique(towPilots.begin(), towPilots.end(),
                                [](const Pilot* a, const Pilot* b) { return a->number == b->number; }),
                    towPilots.end());
    tows_.clear();
    for (const Pilot* p : towPilots)
        tows_.push_back({p->number, substitute24GHz(p->frequency1)});

    // The participants counted by participantCount, in number order.
    participants_.clear();
    const int last = contest_.highestCompetitorNumber();
    for (int n = 1; n <= last; ++n) {
        Pilot* p = competitors[static_cast<size_t>(n)];
        if (!p || p->participation <= 0)
            continue;
        Participant entry;
        entry.number = p->number;
        entry.pilot = p;
        entry.frequency1 = substitute24GHz(p->frequency1);
        entry.frequency2 = substitute24GHz(p->frequency2);
        participants_.push_back(entry);
    }
    int total = 0;
    for (int size : layout_)
        total += size;
    if (layout_.empty() || static_cast<int>(participants_.size()) != total)
        return false;

    // Participants sharing a frequency 1 form a class; classes are numbered
    // in frequency order, so the classes within 20 kHz of one are its
    // neighbours in that order.
    std::vector<int32_t> frequencies;
    for (const Participant& p : participants_)
        frequencies.push_back(p.frequency1);
    std::sort(frequencies.begin(), frequencies.end());
    frequencies.erase(std::unique(frequencies.begin(), frequencies.end()), frequencies.end());
    const size_t classes = frequencies.size();
    std::vector<int> classSize(classes, 0);
    for (Participant& p : participants_) {
        p.frequencyClass =
            static_cast<int>(std::lower_bound(frequencies.begin(), frequencies.end(), p.frequency1) - frequencies.begin());
        ++classSize[static_cast<size_t>(p.frequencyClass)];
    }
    within20_.assign(classes, {});
    within10_.assign(classes, {});
    std::vector<int> near(classes, 0); // participants within 20 kHz, oneself included
    for (size_t c = 0; c < classes; ++c)
        for (size_t d = c; d < classes; ++d) {
            const int64_t gap = distance(frequencies[c], frequencies[d]);
            if (gap >= 20)
                break;
            within20_[c].set(static_cast<int>(d));
            within20_[d].set(static_cast<int>(c));
            if (gap < 10) {
                within10_[c].set(static_cast<int>(d));
                within10_[d].set(static_cast<int>(c));
            }
            near[c] += classSize[d];
            if (d != c)
                near[d] += classSize[c];
        }
    for (Participant& p : participants_)
        p.conflicts = near[static_cast<size_t>(p.frequencyClass)] - 1;

    // Largest conflict count first; equal counts keep number order.
    std::stable_sort(participants_.begin(), participants_.end(),
                     [](const Participant& x, const Participant& y) { return x.conflicts > y.conflicts; });
    classMembers_.assign(classes, {});
    for (size_t i = 0; i < participants_.size(); ++i)
        classMembers_[static_cast<size_t>(participants_[i].frequencyClass)].push_back(static_cast<int>(i));
    return true;
}

int DrawRun::TirageDeparts(int level, int task)
{
    ++nesting_;
    ++runs_;
    if (faulted_ || !buildTables())
        return 0;
    bool placedAll = false;
    for (int pass = 0; pass < attempts_ / 4 && !placedAll; ++pass)
        placedAll = placementPass(level);
    if (!placedAll)
        return rescue(level, task);
    return assignTowsAndWrite(level, task);
}

int DrawRun::pickOpener()
{
    const int n = static_cast<int>(participants_.size());
    for (;;) {
        const int pick = random_.Aleatoire(n);
        const int32_t number = participants_[static_cast<size_t>(pick)].number;
        if (number != openers_[0] && number != openers_[1])
            return pick;
    }
}

void DrawRun::place(int index)
{
    const int frequencyClass = participants_[static_cast<size_t>(index)].frequencyClass;
    placed_[static_cast<size_t>(index)] = 1;
    if (--classUnplaced_[static_cast<size_t>(frequencyClass)] == 0)
        unplacedClasses_.reset(frequencyClass);
    sequence_.setFrequency(nextPosition_, participants_[static_cast<size_t>(index)].frequency1);
    order_[static_cast<size_t>(nextPosition_)] = index;
    classAt_[static_cast<size_t>(nextPosition_)] = frequencyClass;
    ++nextPosition_;
    candidatesKnown_ = false;
}

int DrawRun::sameFrequencyPick(int index)
{
    const int frequencyClass = participants_[static_cast<size_t>(index)].frequencyClass;
    const int count = classUnplaced_[static_cast<size_t>(frequencyClass)];
    if (count < 2)
        return index;
    int nth = random_.Aleatoire(count);
    for (int member : classMembers_[static_cast<size_t>(frequencyClass)])
        if (!placed_[static_cast<size_t>(member)] && nth-- == 0)
            return member;
    return index;
}

void DrawRun::startPass()
{
    placed_.assign(participants_.size(), 0);
    order_.assign(participants_.size() + 1, -1);
    classAt_.assign(participants_.size() + 1, -1);
    classUnplaced_.clear();
    unplacedClasses_ = {};
    for (size_t c = 0; c < classMembers_.size(); ++c) {
        classUnplaced_.push_back(static_cast<int>(classMembers_[c].size()));
        unplacedClasses_.set(static_cast<int>(c));
    }
    nextPosition_ = 1;
    place(pickOpener());
}

// CompatibleConcurrent for every class at once: the same rules, read as
// "not within 20 (or 10) kHz of the frequency at position j".
void DrawRun::computeCandidates(int level)
{
    const int position = nextPosition_;
    const int group = sequence_.groupOf(position);
    const int first = sequence_.firstPosition(group);
    ClassSet allowed = unplacedClasses_;
    for (int j = first; j < position; ++j)
        allowed.remove(within20_[static_cast<size_t>(classAt_[static_cast<size_t>(j)])]);
    if (group >= 2) {
        const int previousSize = sequence_.groupSize(group - 1);
        const int previousFirst = first - previousSize;
        if (level <= 5) {
            const int relaxed = std::clamp(level - 1, 0, previousSize);
            for (int j = previousFirst; j < first; ++j)
                allowed.remove((j - previousFirst < relaxed ? within10_ : within20_)[static_cast<size_t>(
                    classAt_[static_cast<size_t>(j)])]);
        } else {
            for (int j = std::max(previousFirst, position - 3); j < first; ++j)
                allowed.remove(within10_[static_cast<size_t>(classAt_[static_cast<size_t>(j)])]);
        }
    }
    candidates_ = allowed;
    candidatesKnown_ = true;
}

bool DrawRun::isCandidate(int index) const
{
    return !placed_[static_cast<size_t>(index)] &&
           candidates_.test(participants_[static_cast<size_t>(index)].frequencyClass);
}

// Until the next placement the participants that would pass the test do not
// change, so they are found once for all picks; when there are none the pass
// cannot place anyone any more, and the generator jumps over every draw the
// rest of the scan would make.
bool DrawRun::placementPass(int level)
{
    const int n = static_cast<int>(participants_.size());
    startPass();

    // The scan restarts from the first entry after each placement, which
    // comes to the first unplaced one.
    int firstUnplaced = 0;
    const auto restart = [&] {
        while (firstUnplaced < n && placed_[static_cast<size_t>(firstUnplaced)])
            ++firstUnplaced;
        return firstUnplaced;
    };
    int i = restart();
    while (i < n) {
        if (placed_[static_cast<size_t>(i)]) {
            ++i;
            continue;
        }
        if (!candidatesKnown_)
            computeCandidates(level);
        if (candidates_.none()) {
            // Nobody can be placed any more: the rest of the scan only
            // makes its picks and same-frequency draws, without effect.
            uint64_t steps = 0;
            for (int j = i; j < n; ++j)
                if (!placed_[static_cast<size_t>(j)])
                    steps += kPicksPerPosition +
                             (classUnplaced_[static_cast<size_t>(participants_[static_cast<size_t>(j)].frequencyClass)] >= 2);
            random_.skip(steps);
            return false;
        }
        bool placedOne = false;
        for (int pick = 0; pick < kPicksPerPosition && !placedOne; ++pick) {
            const int p = random_.Aleatoire(n);
            if (isCandidate(p)) {
                place(p);
                placedOne = true;
            }
        }
        if (placedOne) {
            i = restart();
            continue;
        }
        const int chosen = sameFrequencyPick(i);
        if (isCandidate(i)) {
            place(chosen);
            i = restart();
            continue;
        }
        ++i;
    }
    return nextPosition_ > n;
}

int DrawRun::rescue(int level, int task)
{
    if (round_ != 1)
        return 0;
    std::vector<Pilot*> collected;
    int reference = -1;
    for (const Participant& entry : participants_) {
        const Pilot* p = entry.pilot;
        if (p->frequency2 == 0 || p->exchanged != 0)
            continue;
        if (reference < 0)
            reference = entry.conflicts;
        if (entry.conflicts == reference && collected.size() < static_cast<size_t>(kRescueSize))
            collected.push_back(entry.pilot);
    }
    if (collected.empty())
        return 0;
    for (Pilot* p : collected) {
        std::swap(p->frequency1, p->frequency2);
        p->exchanged = 1;
    }
    if (nesting_ >= kMaxNestedRuns)
        return 0;
    return TirageDeparts(level, task);
}

// Once a pick has failed, every tow pilot is tested once, and without any
// that passes the remaining picks are skipped.
int DrawRun::pickTow(int group, int level)
{
    const int count = static_cast<int>(tows_.size());
    std::vector<uint8_t> passes;
    bool any = false;
    for (int failures = 0; failures < kTowFailures; ++failures) {
        if (!passes.empty() && !any) {
            random_.skip(static_cast<uint64_t>(kTowFailures - failures));
            return -1;
        }
        const int pick = random_.Aleatoire(count);
        const bool ok = passes.empty()
                            ? CompatibleRemorqueur(sequence_, tows_[static_cast<size_t>(pick)].frequency, group, level)
                            : passes[static_cast<size_t>(pick)] != 0;
        if (ok)
            return pick;
        if (passes.empty()) {
            passes.assign(static_cast<size_t>(count), 0);
            for (size_t t = 0; t < tows_.size(); ++t)
                if (CompatibleRemorqueur(sequence_, tows_[t].frequency, group, level))
                    passes[t] = 1, any = true;
        }
    }
    return -1;
}

int DrawRun::assignTowsAndWrite(int level, int task)
{
    const int groups = static_cast<int>(layout_.size());
    std::vector<StartGroup*> towRecords, memberRecords;
    if (!findRecords(contest_, round_, task, groups, towRecords, memberRecords)) {
        faulted_ = true;
        return 0;
    }
    for (int g = 1; g <= groups; ++g) {
        sequence_.clearTow(g);
        int tow = -1;
        if (!tows_.empty())
            tow = pickTow(g, level);
        GroupSlot& towSlot = towRecords[static_cast<size_t>(g)]->slots[0];
        if (tow >= 0) {
            towSlot.pilotNumber = tows_[static_cast<size_t>(tow)].number;
            towSlot.frequency = tows_[static_cast<size_t>(tow)].frequency;
            sequence_.setTow(g, towSlot.frequency);
        } else {
            towSlot.pilotNumber = kNoTowPilot;
            towSlot.frequency = 0;
        }
        towSlot.filled = kParticipating;

        StartGroup& members = *memberRecords[static_cast<size_t>(g)];
        const int first = sequence_.firstPosition(g);
        for (int s = 0; s < std::min(sequence_.groupSize(g), kSlotsPerGroup); ++s) {
            const Participant& entry = participants_[static_cast<size_t>(order_[static_cast<size_t>(first + s)])];
            GroupSlot& slot = members.slots[static_cast<size_t>(s)];
            slot.pilotNumber = entry.number;
            slot.frequency = entry.frequency1;
            slot.onFrequency2 = entry.pilot->exchanged;
            slot.flightOrder = first + s;
            slot.filled = kParticipating;
        }
    }
    return 1;
}

// --- The draw of a round ---

DrawStatus LancerTirage(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                        const std::function<uint64_t()>& seedForLevel, DrawTrace* trace)
{
    return LancerTirage(contest, round, settings, random, seedForLevel, trace,
                        [](Contest& c, int r, const DrawSettings& s, RandomSource& source) {
                            return std::make_unique<DrawRun>(c, r, s, source);
                        });
}

DrawStatus LancerTirage(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                        const std::function<uint64_t()>& seedForLevel, DrawTrace* trace, const DrawRunMaker& makeRun)
{
    if (!isValidRound(round))
        return DrawStatus::Impossible;
    if (contest.participantCount() < kMinParticipants)
        return DrawStatus::TooFewParticipants;
    if (roundHasGroups(contest, round))
        return DrawStatus::Impossible;
    settings.attempts = clampAttempts(settings.attempts);

    // Nobody opens two rounds in a row. A previous round without groups
    // (only in a damaged file) leaves the openers as they were.
    if (round >= 2) {
        if (std::optional<int32_t> speed = openerOf(contest, round - 1, kTaskSpeed)) {
            settings.openers = {*speed, *speed};
            if (!settings.sameStartOrder)
                if (std::optional<int32_t> duration = openerOf(contest, round - 1, kTaskDuration))
                    settings.openers[1] = *duration;
        }
    }

    const std::vector<int> layout = CalculeEquipes(contest, round);
    if (layout.empty())
        return DrawStatus::Impossible;

    DrawTrace local;
    DrawTrace& seen = trace ? *trace : local;
    seen = {};
    const std::unique_ptr<DrawRun> made = makeRun(contest, round, settings, random);
    DrawRun& run = *made;

    bool speedDrawn = false;
    for (int level = 1; level <= kDrawLevels && !speedDrawn && !run.faulted(); ++level) {
        random.seed(seedForLevel ? seedForLevel() : clockSeed());
        run.resetNesting();
        if (run.TirageDeparts(level, kTaskSpeed))
            speedDrawn = true, seen.speedLevel = level;
        else if (round == 1)
            contest.undoExchanges();
    }
    seen.speedRuns = run.runs();

    bool durationDrawn = false;
    if (speedDrawn && settings.sameStartOrder) {
        durationDrawn = copySpeedToDuration(contest, round, static_cast<int>(layout.size()));
        seen.durationLevel = durationDrawn ? seen.speedLevel : 0;
    } else if (speedDrawn) {
        for (int level = 1; level <= kDrawLevels && !durationDrawn && !run.faulted(); ++level) {
            run.resetNesting();
            if (run.TirageDeparts(level, kTaskDuration))
                durationDrawn = true, seen.durationLevel = level;
        }
        seen.durationRuns = run.runs() - seen.speedRuns;
    }

    if (speedDrawn && durationDrawn)
        return DrawStatus::Drawn;
    // The round held no group before the draw: every one of it goes.
    contest.groups.remove_if([&](const StartGroup& g) { return g.round == round; });
    if (round == 1)
        contest.undoExchanges();
    contest.groupCount[round] = 0;
    return DrawStatus::Impossible;
}

} // namespace r7t
