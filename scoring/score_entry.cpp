#include "scoring/score_entry.h"

#include "text/strings.h"
#include "string_table/formats.h"
#include "scoring/score_rules.h"
#include "scoring/time_formats.h"

namespace r7t {

namespace {

GroupSlot& slotOf(const ScoreEntry& entry) { return entry.group->slots[static_cast<size_t>(entry.slot)]; }

// Removes exactly this record and every link to it. Removing by key could
// hit another record with the same key (a new first flight has none yet
// that a file could not also hold).
void killRecord(Contest& contest, const FlightResult* record)
{
    if (!record)
        return;
    for (auto it = contest.results.begin(); it != contest.results.end(); ++it) {
        if (&*it != record)
            continue;
        for (StartGroup& g : contest.groups)
            for (GroupSlot& s : g.slots) {
                if (s.result == record)
                    s.result = nullptr;
                if (s.reflight == record)
                    s.reflight = nullptr;
            }
        contest.results.erase(it);
        return;
    }
}

int32_t flag(bool b) { return b ? 1 : 0; }

int landingOf(const FlightResult& r)
{
    if (r.landingTarget)
        return kLandingOnTarget;
    if (r.landingBeyond100)
        return kLandingBeyond100;
    return kLandingOffTarget;
}

} // namespace

EntryOpenStatus openScoreEntry(Contest& contest, int32_t round, int32_t number, bool fromRanking,
                               ScoreEntry& entry)
{
    entry = ScoreEntry{};
    entry.round = round;
    entry.number = number;
    entry.fromRanking = fromRanking;
    entry.isNew = true;
    entry.pilot = contest.findPilot(number);
    if (!isValidRound(round))
        return EntryOpenStatus::NotPlaced;

    for (StartGroup* group : contest.competitorRecords(round, kTaskDuration)) {
        if (!group)
            continue;
        bool linked = false;
        for (int s = 0; s < group->usedSlots() && !linked; ++s) {
            if (group->slots[s].pilotNumber != number)
                continue;
            entry.group = group;
            entry.slot = s;
            linked = group->slots[s].result != nullptr;
        }
        if (linked)
            break;
    }
    if (!entry.group)
        return EntryOpenStatus::NotPlaced;

    GroupSlot& slot = slotOf(entry);
    if (slot.result) {
        entry.isNew = false;
        entry.result = slot.result;
        // A re-flight is shown only when the first flight says so and its
        // record is there to be edited.
        if (entry.result->hasReflight && slot.reflight) {
            entry.reflightTicked = true;
            entry.reflight = slot.reflight;
        }
        return EntryOpenStatus::Opened;
    }
    FlightResult* created = contest.newResult();
    if (!created)
        return EntryOpenStatus::OutOfMemory;
    // The key is set at once so that the record is never a result of no
    // round in the file, whatever happens before "Valider".
    created->number = number;
    created->round = round;
    slot.result = created;
    entry.result = created;
    return EntryOpenStatus::Opened;
}

ScoreEntryFields shownFields(const ScoreEntry& entry)
{
    ScoreEntryFields f;
    if (entry.isNew || !entry.result)
        return f;
    const FlightResult& r = *entry.result;
    f.glider = r.glider == 2 ? 2 : 1;
    f.speedVoid = r.speedVoid != 0;
    if (!f.speedVoid) {
        f.wave2 = r.speedWave2 != 0;
        f.speedLoss = r.speedLoss != 0;
        f.speedTrial = r.speedTrial != 0;
        f.speedText = FormatVitesse(r.speedTime);
    }
    f.durationVoid = r.durationVoid != 0;
    if (!f.durationVoid) {
        f.durationText = FormatDuree(r.durationTime);
        f.durationTrial = r.durationTrial != 0;
        f.landing = landingOf(r);
        f.durationLoss = r.durationLoss != 0;
    }
    return f;
}

ReflightFields shownReflightFields(const FlightResult& reflight)
{
    ReflightFields f;
    f.durationVoid = reflight.durationVoid != 0;
    if (!f.durationVoid) {
        f.durationText = FormatDuree(reflight.durationTime);
        f.durationTrial = reflight.durationTrial != 0;
        f.landing = landingOf(reflight);
        f.durationLoss = reflight.durationLoss != 0;
    }
    return f;
}

bool tickReflight(Contest& contest, ScoreEntry& entry)
{
    if (entry.reflightTicked)
        return true;
    FlightResult* created = contest.newResult();
    if (!created)
        return false;
    // A re-flight left linked by a void duration, or any other record of
    // this key, goes: a competitor has at most one re-flight per round.
    for (auto it = contest.results.begin(); it != contest.results.end();) {
        FlightResult* r = &*it++;
        if (r != created && r->round == entry.round && r->number == entry.number && r->isReflight == 1)
            killRecord(contest, r);
    }
    created->number = entry.number;
    created->round = entry.round;
    created->isReflight = 1;
    created->hasReflight = 0;
    created->landingTarget = 1;
    entry.result->hasReflight = 1;
    slotOf(entry).reflight = created;
    entry.reflight = created;
    entry.reflightTicked = true;
    return true;
}

void untickReflight(Contest& contest, ScoreEntry& entry)
{
    if (entry.reflight)
        killRecord(contest, entry.reflight);
    else
        contest.removeResult(entry.round, entry.number, 1);
    slotOf(entry).reflight = nullptr;
    entry.result->hasReflight = 0;
    entry.reflight = nullptr;
    entry.reflightTicked = false;
}

// A duration flight that is not void, as the first flight's and the
// re-flight's fields give it (both dialogs hold the same duration fields).
template <typename Fields>
void writeFlownDuration(FlightResult& r, const Fields& fields)
{
    r.durationVoid = 0;
    r.durationTime = LitDuree(fields.durationText);
    r.durationTrial = flag(fields.durationTrial);
    r.landingTarget = flag(fields.landing == kLandingOnTarget);
    r.landingBeyond100 = flag(fields.landing == kLandingBeyond100);
    r.durationLoss = flag(fields.durationLoss);
}

std::optional<std::string> validateReflight(FlightResult& reflight, const ReflightFields& fields)
{
    if (fields.durationVoid) {
        // The time is kept: a void flight has no time to check, and the
        // points of a void flight are 0 whatever it holds.
        reflight.durationVoid = 1;
        reflight.landingTarget = 0;
        reflight.durationTrial = 0;
        reflight.landingBeyond100 = 0;
        reflight.durationLoss = 0;
    } else {
        writeFlownDuration(reflight, fields);
    }
    if (reflight.durationTime <= kReflightDurationMax)
        return std::nullopt;
    return std::string(kMessageBadReflightValue);
}

std::optional<std::string> validateScoreEntry(Contest& contest, ScoreEntry& entry, const ScoreEntryFields& fields)
{
    FlightResult& r = *entry.result;
    r.hasReflight = 0;
    r.isReflight = 0;
    r.glider = fields.glider == 2 ? 2 : 1;
    r.number = entry.number;
    r.round = entry.round;
    r.speedWave2 = flag(fields.wave2);

    if (fields.speedVoid) {
        r.speedVoid = 1;
        r.speedTime = 0;
        r.speedLoss = 0;
        r.speedTrial = 0;
        r.speedWave2 = 0;
    } else {
        r.speedVoid = 0;
        r.speedTime = LitVitesse(fields.speedText);
        if (fields.speedLoss) {
            // A lost element voids the speed flight whatever time was typed.
            r.speedVoid = 1;
            r.speedTime = 0;
        }
        r.speedLoss = flag(fields.speedLoss);
        r.speedTrial = flag(fields.speedTrial);
    }

    if (fields.durationVoid) {
        // durationLoss keeps its stored value and the re-flight no longer
        // counts, though its record stays linked.
        r.durationVoid = 1;
        r.durationTime = 0;
        r.durationTrial = 0;
        r.landingTarget = 0;
        r.landingBeyond100 = 0;
    } else {
        writeFlownDuration(r, fields);
        r.hasReflight = flag(entry.reflightTicked && entry.reflight);
    }

    if (r.hasReflight) {
        // The re-flight has no speed entry of its own.
        FlightResult& rf = *entry.reflight;
        rf.speedVoid = r.speedVoid;
        rf.speedTime = r.speedTime;
        rf.speedLoss = r.speedLoss;
        rf.speedTrial = r.speedTrial;
        rf.glider = r.glider;
    }

    if (r.speedTime > kSpeedMax || r.durationTime > kDurationMax || (r.speedTime < kSpeedMin && !r.speedVoid)) {
        r.complete = 0;
        return std::string(kMessageBadValue);
    }
    r.complete = ScoreComplet(contest, r, entry.round, entry.number);
    return std::nullopt;
}

void abandonScoreEntry(Contest& contest, ScoreEntry& entry)
{
    if (!entry.isNew)
        return;
    GroupSlot& slot = slotOf(entry);
    killRecord(contest, slot.reflight);
    killRecord(contest, entry.result);
    slot.reflight = nullptr;
    slot.result = nullptr;
    entry.result = nullptr;
    entry.reflight = nullptr;
    entry.reflightTicked = false;
}

std::string deleteScoreQuestion(const ScoreEntry& entry)
{
    // The name is substituted, never read as a format: a "%i" typed in it stays.
    return formatMessage(kScoreDeletionQuestion, entry.pilot ? entry.pilot->name.utf8() : "", entry.round);
}

void deleteScore(Contest& contest, ScoreEntry& entry)
{
    GroupSlot& slot = slotOf(entry);
    killRecord(contest, slot.reflight);
    killRecord(contest, slot.result);
    slot.reflight = nullptr;
    slot.result = nullptr;
    entry.result = nullptr;
    entry.reflight = nullptr;
    entry.reflightTicked = false;
}

} // namespace r7t
