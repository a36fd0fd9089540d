// The one contest held in memory: its header, the four record lists, the
// per-round tables and the counters derived from them.
#pragma once

#include "contest/file_lock.h"
#include "contest/records.h"

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace r7t {

// The refusal of every ranking while no round is completely scored.
inline constexpr int kMessageNoCompleteRound = 420;

// Whether a failed find raises the fault report.
enum class Report { No, Yes };

// Tags of the fault report.
inline constexpr const char* kFaultMissingPilot = "FINDPILOTE";
inline constexpr const char* kFaultMissingGroup = "FINDEQUIPE";

// String number of the out-of-memory alert.
inline constexpr int kMessageOutOfMemory = 402;

using RoundTable = std::array<int32_t, kRoundTableSize>;

// The two records of one start group for one task.
struct GroupRecords {
    StartGroup* tow = nullptr;
    StartGroup* competitors = nullptr;
};

struct SlotRef {
    StartGroup* group = nullptr;
    int slot = -1;
    explicit operator bool() const { return group != nullptr; }
};

class Contest {
public:
    Contest();
    Contest(const Contest&) = delete;
    Contest& operator=(const Contest&) = delete;

    // --- Data held in the contest file ---
    int32_t fileTag = kFileTag;
    ContestHeader header;
    std::list<Pilot> pilots;          // competitors and tow pilots, creation order
    std::list<ExtraRecord> extras;
    std::list<StartGroup> groups;     // all rounds
    std::list<FlightResult> results;  // all rounds
    RoundTable roundHasScores{};
    RoundTable roundComplete{};

    // --- Rebuilt at load, kept current by the operations that change lists ---
    RoundTable roundPrepared{};
    RoundTable groupCount{};
    int lastPreparedRound = 0;
    int completeRoundCount = 0;
    int lastCompleteRound = 0;
    std::string completeRoundsText = "-"; // "-1-2-4-"
    float bestSpeedTime = 1000.0f;        // tenths of a second; 1000 = none
    int32_t next24GHz = k24GHzFrequency;

    // --- Session state (not saved) ---
    int currentRound = 0;   // the round the dialogs show; 0 = none

    // --- The open file ---
    std::string filePath;     // contest file
    std::string backupPath; // derived from filePath by setPath
    bool isOpen = false;    // while a contest file is open
    FixedText<16> password; // working copy, copied into and out of the header
    // Held by the contest program for as long as the file is open, so that
    // r7t and other programs do not write it meanwhile; shared by copies.
    std::shared_ptr<FileLock> writerLock;

    void setPath(const std::string& path);

    // --- Records ---
    // Each appends a zero-filled record and returns it; on exhausted memory
    // nothing is appended, the out-of-memory alert is raised and null returned.
    // People are added and removed only through addPilot and removePilot,
    // which keep the counts below.
    Pilot* addPilot(int32_t number);
    StartGroup* newGroup();
    FlightResult* newResult();
    ExtraRecord* newExtra();

    Pilot* findPilot(int32_t number, Report report = Report::No);
    const Pilot* findPilot(int32_t number) const;
    // Raises the fault report when the group does not exist.
    StartGroup* findGroup(int32_t round, int32_t id, int32_t task);
    // The records of groups 1..groupCount[round] of the round's task, in
    // group order (element 0 is group 1). The first record of each id
    // counts, as findGroup finds it; a missing record stays null and raises
    // the fault report. Empty for an invalid round.
    std::vector<GroupRecords> groupRecords(int32_t round, int32_t task);
    // The competitor records alone; only a missing competitor record raises
    // the fault report.
    std::vector<StartGroup*> competitorRecords(int32_t round, int32_t task);
    // The first group of that round and task holding the pilot in a used slot.
    SlotRef findGroupOf(int32_t round, int32_t number, int32_t task);
    // The last result with that key.
    FlightResult* findResult(int32_t round, int32_t number, int32_t isReflight);

    void removePilot(int32_t number);
    void removeGroup(int32_t round, int32_t id, int32_t task);
    // Also clears every group link to the removed result.
    void removeResult(int32_t round, int32_t number, int32_t isReflight);

    int participantCount() const;
    int placedCount(int32_t round) const;
    void updateCompleteRounds();
    // Lowest free number 1..90 (competitors) or 101..190 (tow pilots); 0 if none.
    int freeNumber(bool towPilots) const;
    void clearRecords();

    // --- Counts of the people lists ---
    int competitorCount() const { return competitorCount_; }
    int towPilotCount() const { return towPilotCount_; }
    // The highest competitor number; 0 without competitors.
    int highestCompetitorNumber() const { return highestCompetitorNumber_; }

    // --- Round-wide operations shared by the draw, the preparation and the
    // frequency change ---
    // Removes every start group of the round, both tasks, and the round's
    // results with them (a result without its group would be dropped at the
    // next load). Linear in the number of records.
    void removeRoundGroups(int32_t round);
    // Exchanges back frequencies 1 and 2 of every competitor
    // whose exchanged flag is 1, and clears the flag.
    void undoExchanges();
    // The highest round 1..40 with roundPrepared set; 0 if none.
    int highestPreparedRound() const;

    // --- Faults and alerts ---
    // The first fault report raised since the last clearFault(); the contest
    // program ends on it, the command line reports it.
    const std::optional<std::string>& fault() const { return fault_; }
    void clearFault() { fault_.reset(); }
    void raiseFault(const std::string& tag);
    void setFaultHandler(std::function<void(const std::string&)> handler) { faultHandler_ = std::move(handler); }
    // Called with a string number for each alert the operations raise.
    void setAlertHandler(std::function<void(int)> handler) { alertHandler_ = std::move(handler); }
    void raiseAlert(int stringNumber);

    // Test hook: makes the next record creation fail as if memory were exhausted.
    void failNextAllocationForTest() { failNextAllocation_ = true; }

private:
    template <typename T>
    T* append(std::list<T>& list);

    std::optional<std::string> fault_;
    std::function<void(const std::string&)> faultHandler_;
    std::function<void(int)> alertHandler_;
    bool failNextAllocation_ = false;
    int competitorCount_ = 0;
    int towPilotCount_ = 0;
    int highestCompetitorNumber_ = 0;
};

bool isValidRound(int32_t round);

// The backup file: the contest path cut at the last "." of its file name,
// followed by ".bak".
std::string backupPathFor(const std::string& path);

// Sets the password working copy from what the user typed (UTF-8), cut to
// its first 12 characters.
void setPassword(Contest& contest, const std::string& typed);
// Whether what the user typed, cut to 12 characters, opens the contest.
bool passwordMatches(const Contest& contest, const std::string& typed);

} // namespace r7t
