#include "contest/contest_file.h"

#include "text/strings.h"
#include "contest/atomic_file.h"
#include "contest/record_io.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace r7t {

namespace {

// --- Writing ---

using Writer = RecordWriter;

void writeHeader(Writer& w, const ContestHeader& h)
{
    w.i32(h.version);
    w.text(h.password);
    w.text(h.date);
    w.text(h.place);
    w.text(h.title);
    w.i32(h.lastPreparedRound);
    w.raw(h.reserved1);
    w.i32(h.language);
    w.raw(h.reserved2);
}

void writePilot(Writer& w, const Pilot& p)
{
    w.i32(p.number);
    w.text(p.name);
    w.text(p.licence);
    w.text(p.club);
    w.i32(p.clubNumber);
    w.text(p.country);
    w.text(p.remark);
    w.i32(p.frequency1);
    w.i32(p.frequency2);
    w.i32(p.participation);
    w.i32(p.exchanged);
    w.link();
    w.i32(p.massGlider1);
    w.i32(p.massGlider2);
}

void writeGroup(Writer& w, const StartGroup& g)
{
    w.i32(g.id);
    w.i32(g.round);
    w.i32(g.count);
    for (const GroupSlot& s : g.slots) {
        w.i32(s.pilotNumber);
        w.i32(s.frequency);
        w.i32(s.onFrequency2);
        w.i32(s.flightOrder);
        w.text(s.watchLetters);
        w.i32(s.filled);
        w.link();
        w.link();
        w.i32(s.watchLevel);
        w.i32(s.weighingMark);
    }
    w.link();
    w.i32(g.reserved);
    w.i32(g.bestDuration);
    w.i32(g.task);
    w.i32(g.bestDurationReflight);
}

void writeResult(Writer& w, const FlightResult& r)
{
    for (int32_t v : {r.number, r.round, r.complete, r.speedTime, r.speedLoss, r.speedVoid, r.speedTrial,
                      r.durationTime, r.landingTarget, r.speedWave2, r.landingBeyond100, r.durationLoss,
                      r.durationVoid, r.durationTrial, r.hasReflight, r.isReflight})
        w.i32(v);
    w.link();
    w.i32(r.glider);
}

void writeExtra(Writer& w, const ExtraRecord& e)
{
    std::array<uint8_t, kExtraSize> bytes = e.bytes;
    std::memset(bytes.data() + ExtraRecord::kLinkOffset, 0, 4);
    w.raw(bytes);
}

// --- Reading ---

// Reads as the file system would: a record read past the end gets the bytes
// that are left, and every later read gets nothing.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // Copies up to n bytes into dest; returns how many were there.
    size_t read(uint8_t* dest, size_t n)
    {
        size_t got = std::min(n, bytes_.size() - pos_);
        if (got > 0) // an empty span may have no data pointer at all
            std::memcpy(dest, bytes_.data() + pos_, got);
        pos_ += got;
        return got;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

using Fields = RecordReader;

void readHeader(const uint8_t* block, ContestHeader& h)
{
    Fields f(block);
    h.version = f.i32();
    f.text(h.password);
    f.text(h.date);
    f.text(h.place);
    f.text(h.title);
    h.lastPreparedRound = f.i32();
    f.raw(h.reserved1);
    h.language = f.i32();
    f.raw(h.reserved2);
}

void readPilot(const uint8_t* block, Pilot& p)
{
    Fields f(block);
    p.number = f.i32();
    f.text(p.name);
    f.text(p.licence);
    f.text(p.club);
    p.clubNumber = f.i32();
    f.text(p.country);
    f.text(p.remark);
    p.frequency1 = f.i32();
    p.frequency2 = f.i32();
    p.participation = f.i32();
    p.exchanged = f.i32();
    f.skipLink();
    p.massGlider1 = f.i32();
    p.massGlider2 = f.i32();
}

void readGroup(const uint8_t* block, StartGroup& g)
{
    Fields f(block);
    g.id = f.i32();
    g.round = f.i32();
    g.count = f.i32();
    for (GroupSlot& s : g.slots) {
        s.pilotNumber = f.i32();
        s.frequency = f.i32();
        s.onFrequency2 = f.i32();
        s.flightOrder = f.i32();
        f.text(s.watchLetters);
        s.filled = f.i32();
        f.skipLink();
        f.skipLink();
        s.result = nullptr;
        s.reflight = nullptr;
        s.watchLevel = f.i32();
        s.weighingMark = f.i32();
    }
    f.skipLink();
    g.reserved = f.i32();
    g.bestDuration = f.i32();
    g.task = f.i32();
    g.bestDurationReflight = f.i32();
}

void readResult(const uint8_t* block, FlightResult& r)
{
    Fields f(block);
    for (int32_t* v : {&r.number, &r.round, &r.complete, &r.speedTime, &r.speedLoss, &r.speedVoid,
                       &r.speedTrial, &r.durationTime, &r.landingTarget, &r.speedWave2, &r.landingBeyond100,
                       &r.durationLoss, &r.durationVoid, &r.durationTrial, &r.hasReflight, &r.isReflight})
        *v = f.i32();
    f.skipLink();
    r.glider = f.i32();
}

int32_t firstInteger(const uint8_t* block) { return Fields(block).i32(); }

void readRoundTable(Reader& in, RoundTable& table, int entries)
{
    std::array<uint8_t, kRoundTableSize * 4> block{};
    in.read(block.data(), static_cast<size_t>(entries) * 4);
    Fields f(block.data());
    for (int i = 0; i < entries; ++i)
        table[i] = f.i32();
}

const char* taskName(int32_t task) { return task == kTaskSpeed ? "vitesse" : "durée"; }

// Keeps the start groups a list can show and checks that they make whole
// rounds. Left out (counted in dropped): a record of a round outside 1-40,
// of a task other than speed and duration, of an id other than 10g or
// 10g+1 for a group g from 1 to kMaxGroupsPerRound, a second record of the
// same round, task and id (the first is the one every list finds), and a
// speed record of a group above the round's duration groups. What is kept
// must then have, for every round and each group 1..groupCount of both
// tasks, its tow and competitors records, and every person they place must
// be registered (a tow slot may also say "no tow pilot"); otherwise the
// file is damaged, and the reason is returned. Sets roundPrepared and
// groupCount. Linear in the number of records.
std::optional<std::string> settleGroups(Contest& contest, int& dropped)
{
    constexpr size_t kKinds = 2; // 0 the tow record, 1 the competitors record
    constexpr size_t kPerTask = (kMaxGroupsPerRound + 1) * kKinds;
    constexpr size_t kPerRound = 2 * kPerTask;
    auto index = [&](int32_t round, int32_t task, int32_t group, bool competitors) {
        return static_cast<size_t>(round) * kPerRound + static_cast<size_t>(task - 1) * kPerTask +
               static_cast<size_t>(group) * kKinds + (competitors ? 1 : 0);
    };
    std::vector<StartGroup*> records(kRoundTableSize * kPerRound, nullptr);

    for (auto it = contest.groups.begin(); it != contest.groups.end();) {
        StartGroup& g = *it;
        const int32_t group = groupOfId(g.id);
        const bool competitors = isCompetitorRecordId(g.id);
        const bool shown = isValidRound(g.round) && (g.task == kTaskSpeed || g.task == kTaskDuration) &&
                           (competitors || isTowRecordId(g.id)) && group >= 1 && group <= kMaxGroupsPerRound &&
                           !records[index(g.round, g.task, group, competitors)];
        if (!shown) {
            it = contest.groups.erase(it);
            ++dropped;
            continue;
        }
        records[index(g.round, g.task, group, competitors)] = &g;
        if (g.task == kTaskDuration)
            contest.groupCount[g.round] = std::max(contest.groupCount[g.round], group);
        ++it;
    }
    for (auto it = contest.groups.begin(); it != contest.groups.end();) {
        if (groupOfId(it->id) > contest.groupCount[it->round]) {
            records[index(it->round, it->task, groupOfId(it->id), isCompetitorRecordId(it->id))] = nullptr;
            it = contest.groups.erase(it);
            ++dropped;
        } else {
            ++it;
        }
    }

    std::unordered_set<int32_t> registered;
    for (const Pilot& p : contest.pilots)
        registered.insert(p.number);
    for (int32_t round = 1; round <= kMaxRounds; ++round) {
        if (contest.groupCount[round] < 1)
            continue;
        contest.roundPrepared[round] = 1;
        for (int32_t task : {kTaskSpeed, kTaskDuration})
            for (int32_t group = 1; group <= contest.groupCount[round]; ++group) {
                const std::string where = stringPrintf("manche %i, %s, groupe %i : ", round, taskName(task), group);
                const StartGroup* tow = records[index(round, task, group, false)];
                const StartGroup* members = records[index(round, task, group, true)];
                if (!tow || !members)
                    return where + (tow ? "il manque l'enregistrement des concurrents"
                                        : "il manque l'enregistrement du remorqueur");
                const int32_t towPilot = tow->slots[0].pilotNumber;
                if (towPilot != kNoTowPilot && !registered.count(towPilot))
                    return where + stringPrintf("le remorqueur %i n'est pas inscrit", towPilot);
                for (int s = 0; s < members->usedSlots(); ++s)
                    if (!registered.count(members->slots[s].pilotNumber))
                        return where +
                               stringPrintf("le concurrent %i n'est pas inscrit", members->slots[s].pilotNumber);
            }
    }
    return std::nullopt;
}

SaveOutcome saveTo(Contest& contest, const std::string& path)
{
    SaveOutcome outcome;
    outcome.path = path;
    if (!contest.isOpen) {
        outcome.status = SaveStatus::NotOpen;
        return outcome;
    }
    std::vector<uint8_t> bytes = serializeContest(contest);
    WriteOutcome written = writeFileAtomically(path, bytes);
    outcome.status = written.ok ? SaveStatus::Saved : SaveStatus::Failed;
    outcome.error = written.error;
    return outcome;
}

} // namespace

std::vector<uint8_t> serializeContest(Contest& contest)
{
    ContestHeader& h = contest.header;
    h.version = kFormatVersion;
    h.lastPreparedRound = contest.lastPreparedRound;
    h.language = kLanguageOffset;
    h.password = contest.password;

    std::vector<uint8_t> out;
    out.reserve(4 + kHeaderSize + 2 * kRoundTableSize * 4 + kPilotSize * (contest.pilots.size() + 1) +
                kExtraSize * (contest.extras.size() + 1) + kGroupSize * (contest.groups.size() + 1) +
                kResultSize * contest.results.size());
    Writer w(out);
    w.i32(contest.fileTag);
    writeHeader(w, h);
    for (int32_t v : contest.roundHasScores)
        w.i32(v);
    for (int32_t v : contest.roundComplete)
        w.i32(v);

    for (const Pilot& p : contest.pilots)
        writePilot(w, p);
    Pilot pilotEnd;
    pilotEnd.name.assignRaw("PILZERO");
    writePilot(w, pilotEnd);

    for (const ExtraRecord& e : contest.extras)
        writeExtra(w, e);
    ExtraRecord extraEnd;
    std::memcpy(extraEnd.bytes.data() + 12, "PLAZERO", 7);
    writeExtra(w, extraEnd);

    for (const StartGroup& g : contest.groups)
        writeGroup(w, g);
    writeGroup(w, StartGroup{});

    for (const FlightResult& r : contest.results)
        writeResult(w, r);
    return out;
}

LoadOutcome loadContest(Contest& contest, std::span<const uint8_t> bytes)
{
    LoadOutcome outcome;
    Reader in(bytes);

    // Tag and header: a short read leaves the rest of the header as it was.
    std::array<uint8_t, 4> tag{};
    bool compatible = in.read(tag.data(), 4) == 4 && firstInteger(tag.data()) == kFileTag;
    std::array<uint8_t, kHeaderSize> headerBlock{};
    if (compatible) {
        in.read(headerBlock.data(), headerBlock.size());
        readHeader(headerBlock.data(), contest.header);
        outcome.formatVersion = contest.header.version;
        compatible = contest.header.version <= kFormatVersion;
    }
    if (!compatible) {
        outcome.status = LoadStatus::Incompatible;
        contest.isOpen = false;
        contest.raiseAlert(kMessageIncompatible);
        return outcome;
    }
    const bool version1 = contest.header.version == 1;

    // A hostile counter must not send later loops past the round tables.
    const int32_t headerRound = contest.header.lastPreparedRound;
    contest.lastPreparedRound = headerRound >= 0 && headerRound <= kMaxRounds ? headerRound : 0;
    contest.bestSpeedTime = 1000.0f;
    contest.password = contest.header.password;

    const int tableEntries = version1 ? kVersion1RoundTableSize : kRoundTableSize;
    readRoundTable(in, contest.roundHasScores, tableEntries);
    readRoundTable(in, contest.roundComplete, tableEntries);

    std::array<uint8_t, kPilotSize> pilotBlock{};
    while (in.read(pilotBlock.data(), kPilotSize) == kPilotSize && firstInteger(pilotBlock.data()) != 0) {
        Pilot* p = contest.addPilot(firstInteger(pilotBlock.data()));
        if (!p) {
            ++outcome.recordsSkipped;
            continue;
        }
        readPilot(pilotBlock.data(), *p);
        if (version1) {
            p->massGlider1 = 0;
            p->massGlider2 = 0;
        }
    }

    std::array<uint8_t, kExtraSize> extraBlock{};
    while (in.read(extraBlock.data(), kExtraSize) == kExtraSize && firstInteger(extraBlock.data()) != 0) {
        ExtraRecord* e = contest.newExtra();
        if (!e) {
            ++outcome.recordsSkipped;
            continue;
        }
        e->bytes = extraBlock;
    }

    std::array<uint8_t, kGroupSize> groupBlock{};
    while (in.read(groupBlock.data(), kGroupSize) == kGroupSize && firstInteger(groupBlock.data()) != 0) {
        StartGroup* g = contest.newGroup();
        if (!g) {
            ++outcome.recordsSkipped;
            continue;
        }
        readGroup(groupBlock.data(), *g);
    }
    if (std::optional<std::string> damage = settleGroups(contest, outcome.groupsDropped)) {
        outcome.status = LoadStatus::Damaged;
        outcome.damage = *damage;
        contest.isOpen = false;
        return outcome; // no alert: the caller shows 401 with the reason
    }
    for (int r = kMaxRounds; r >= 1; --r)
        if (contest.roundPrepared[r]) {
            contest.lastPreparedRound = r;
            break;
        }

    // Where each (round, number) flies: the first competitor slot of the
    // round's duration groups in list order, as the score entry finds it,
    // without a search per result.
    std::unordered_map<uint64_t, GroupSlot*> durationSlots;
    std::vector<const FlightResult*> hidden;
    auto slotKey = [](int32_t round, int32_t number) {
        return uint64_t(uint32_t(round)) << 32 | uint32_t(number);
    };
    for (StartGroup& g : contest.groups)
        if (g.task == kTaskDuration && isCompetitorRecordId(g.id))
            for (int s = 0; s < g.usedSlots(); ++s)
                durationSlots.try_emplace(slotKey(g.round, g.slots[s].pilotNumber), &g.slots[s]);

    std::array<uint8_t, kResultSize> resultBlock{};
    FlightResult read;
    while (in.read(resultBlock.data(), kResultSize) == kResultSize) {
        if (firstInteger(resultBlock.data()) == 0)
            continue;
        readResult(resultBlock.data(), read);
        if (version1)
            read.speedWave2 = 0;
        auto found = durationSlots.find(slotKey(read.round, read.number));
        if (found == durationSlots.end()) {
            // Nobody flies it: no list or dialog could show it.
            ++outcome.resultsDropped;
            continue;
        }
        FlightResult* r = contest.newResult();
        if (!r) {
            ++outcome.recordsSkipped;
            continue;
        }
        *r = read;
        // The last result of a slot's flight is the one linked; an earlier
        // one is hidden by it, and goes (found by its address, in one pass).
        FlightResult*& link = r->isReflight ? found->second->reflight : found->second->result;
        if (link) {
            hidden.push_back(link);
            ++outcome.resultsDropped;
        }
        link = r;
    }
    if (!hidden.empty()) {
        const std::less<const FlightResult*> before;
        std::sort(hidden.begin(), hidden.end(), before);
        contest.results.remove_if([&](const FlightResult& r) {
            return std::binary_search(hidden.begin(), hidden.end(), &r, before);
        });
    }
    for (const FlightResult& r : contest.results)
        if (r.speedTime != 0 && static_cast<float>(r.speedTime) <= contest.bestSpeedTime)
            contest.bestSpeedTime = static_cast<float>(r.speedTime);
    contest.updateCompleteRounds();
    return outcome;
}

LoadOutcome RepriseFic(Contest& contest)
{
    std::string bytes;
    // A missing, unreadable or oversized file is refused like an incompatible one.
    if (readWholeFile(contest.filePath, bytes, kMaxContestFileSize) != ReadStatus::Ok)
        bytes.clear();
    return loadContest(contest, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

SaveOutcome MajFichier(Contest& contest) { return saveTo(contest, contest.filePath); }
SaveOutcome MajSauvegarde(Contest& contest) { return saveTo(contest, contest.backupPath); }
SaveOutcome saveContestTo(Contest& contest, const std::string& path) { return saveTo(contest, path); }

namespace {

std::string failureHead(const SaveOutcome& outcome)
{
    std::string text = "Le concours n'a pas pu être enregistré dans le fichier :\r" + outcome.path;
    if (!outcome.error.empty())
        text += "\r(" + outcome.error + ")";
    return text;
}

} // namespace

std::string droppedRecordsText(const LoadOutcome& outcome, bool saving)
{
    auto count = [](int n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n > 1 ? many : one);
    };
    std::string what;
    if (outcome.groupsDropped > 0)
        what = count(outcome.groupsDropped, "groupe de départ", "groupes de départ");
    if (outcome.resultsDropped > 0)
        what += (what.empty() ? "" : " et ") + count(outcome.resultsDropped, "score", "scores");
    if (what.empty())
        return what;
    const bool many = outcome.groupsDropped + outcome.resultsDropped > 1;
    std::string text = "Fichier endommagé : " + what + (many ? " que rien ne peut afficher ont été ignorés"
                                                             : " que rien ne peut afficher a été ignoré");
    if (saving)
        text += many ? " et ne seront pas réécrits" : " et ne sera pas réécrit";
    return text;
}

std::string saveFailedText(const SaveOutcome& outcome)
{
    return failureHead(outcome) + "\rIl reste en mémoire : le prochain enregistrement sera retenté.";
}

std::string quitUnsavedText(const SaveOutcome& outcome)
{
    return failureHead(outcome) + "\rQuitter quand même ? Les dernières modifications seront perdues.";
}

} // namespace r7t
