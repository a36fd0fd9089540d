// The start-group draw of a round: the group layout, the randomized search
// for a flight order that keeps radios apart (six levels of relaxed rules
// between consecutive groups), the round-1 rescue by frequency exchange, and
// the tow pilots.
#pragma once

#include "competitors/launch.h" // kMaxAttempts
#include "contest/contest.h"
#include "rounds/random.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace r7t {

inline constexpr int kMessageDrawImpossible = 409;
inline constexpr int kMessageTooFewParticipants = 410;
inline constexpr int kMinParticipants = 6;
inline constexpr int kDrawLevels = 6;
inline constexpr int kMaxNestedRuns = 10;
inline constexpr int kPicksPerPosition = 201;
inline constexpr int kTowFailures = 1000;
inline constexpr int kRescueSize = 20;
inline constexpr int32_t kNoOpener = 99;

struct DrawSettings {
    int attempts = kMaxAttempts; // never above 8000; negative counts as 0
    bool sameStartOrder = false;
    // Remembered openers: the first competitor of the previous round's speed
    // and duration groups. Live only while the program runs.
    std::array<int32_t, 2> openers{kNoOpener, kNoOpener};
};

// What the draws of one session of the program share: the settings of the
// launch dialog, the remembered openers and the one generator, which the
// weighing draws use too. seedForLevel empty: the clock seeds each speed
// level, as in a real contest; tests and r7t --seed give a fixed value.
struct DrawSession {
    DrawSettings settings;
    RandomSource random{clockSeed()};
    std::function<uint64_t()> seedForLevel;
};

enum class DrawStatus {
    Drawn,              // groups filled, waiting for acceptance
    Impossible,         // message 409; the round's groups removed
    TooFewParticipants, // message 410; nothing changed
};

// What a draw went through, for tests and benchmarks.
struct DrawTrace {
    int speedLevel = 0;    // level of the successful speed run; 0 none
    int durationLevel = 0; // likewise; the speed level when copied
    int speedRuns = 0;     // runs of TirageDeparts, nested ones included
    int durationRuns = 0;
};

// Group sizes for n participants: groups of 4 first, then groups of 3.
// Empty when n < 6.
std::vector<int> groupLayout(int participants);

// The flight order of one run: the frequency placed at each position 1..N
// and the tow frequency of each group 1..G once assigned.
class FlightSequence {
public:
    FlightSequence() = default;
    explicit FlightSequence(const std::vector<int>& layout);

    int positions() const { return static_cast<int>(frequency_.size()) - 1; }
    int groups() const { return static_cast<int>(first_.size()) - 1; }
    int groupOf(int position) const { return groupOf_[static_cast<size_t>(position)]; }
    int firstPosition(int group) const { return first_[static_cast<size_t>(group)]; }
    int groupSize(int group) const { return size_[static_cast<size_t>(group)]; }

    int32_t frequencyAt(int position) const { return frequency_[static_cast<size_t>(position)]; }
    void setFrequency(int position, int32_t frequency) { frequency_[static_cast<size_t>(position)] = frequency; }

    bool hasTow(int group) const { return hasTow_[static_cast<size_t>(group)] != 0; }
    int32_t towFrequency(int group) const { return tow_[static_cast<size_t>(group)]; }
    void setTow(int group, int32_t frequency);
    void clearTow(int group);

private:
    std::vector<int> groupOf_;       // by position
    std::vector<int> first_;         // by group
    std::vector<int> size_;          // by group
    std::vector<int32_t> frequency_; // by position
    std::vector<int32_t> tow_;       // by group
    std::vector<uint8_t> hasTow_;    // by group
};

// Whether frequency f may fly at position (>= 2) given the positions before
// it: 20 kHz inside its group at every level; against the previous group,
// levels 1..5 ask 20 kHz except 10 kHz from its first (level - 1) flyers,
// level 6 asks 10 kHz from the previous group's last flyers within three
// positions. False for a position outside 1..N.
bool CompatibleConcurrent(const FlightSequence& sequence, int32_t f, int position, int level);

// Whether a tow pilot on frequency t may tow group g (all of its members
// placed): 20 kHz from its members, from the previous group's members at
// level 1, and from the previous group's tow pilot.
bool CompatibleRemorqueur(const FlightSequence& sequence, int32_t t, int group, int level);

// Counts the participants, sets the round's groupCount and creates its empty
// start groups for both tasks (per task and group: the tow record with slot
// number 101, then the competitors record). Returns the layout; empty, with
// nothing changed, below 6 participants or when a record cannot be created
// (the out-of-memory alert has then been raised).
std::vector<int> CalculeEquipes(Contest& contest, int round);

// The working state of the draw of one round: the runs of TirageDeparts with
// their nesting counter. The round's records must exist (CalculeEquipes).
//
// The two randomized steps of a run, the placement pass and the tow pick,
// are virtual: a subclass may compute the same picks another way (the tests
// prove these against a pick-by-pick reference) through the protected
// members below, which are all such a computation needs.
class DrawRun {
public:
    DrawRun(Contest& contest, int round, const DrawSettings& settings, RandomSource& random);
    virtual ~DrawRun() = default;

    // One run at level 1..6 for task 1 (speed) or 2 (duration): 1 when the
    // task's records of the round have been filled, else 0. In round 1 it
    // may have exchanged frequencies, whatever its result.
    int TirageDeparts(int level, int task);

    void resetNesting() { nesting_ = 0; }
    int nesting() const { return nesting_; }
    int runs() const { return runs_; }
    // A record or pilot that must exist was missing: the fault report has
    // been raised and every later run fails at once.
    bool faulted() const { return faulted_; }
    const std::vector<int>& layout() const { return layout_; }

protected:
    // One placement pass at the level: true when every participant has a
    // position. After startPass, a scan of the entries 0..n-1 (table
    // indexes) stops at each unplaced entry i: up to 201 picks of
    // Aleatoire(n) for the next position, the first unplaced pick that
    // passes CompatibleConcurrent placed; failing that, sameFrequencyPick(i)
    // placed when entry i itself passes. A placement restarts the scan from
    // entry 0; otherwise it goes on to entry i + 1.
    virtual bool placementPass(int level);
    // The tow pilot of the group: up to 1000 picks of Aleatoire(towCount()),
    // the first that passes CompatibleRemorqueur; -1 when none did.
    virtual int pickTow(int group, int level);

    int participantCount() const { return static_cast<int>(participants_.size()); }
    int32_t frequencyOf(int index) const { return participants_[static_cast<size_t>(index)].frequency1; }
    bool isPlaced(int index) const { return placed_[static_cast<size_t>(index)] != 0; }
    int nextPosition() const { return nextPosition_; }
    const FlightSequence& sequence() const { return sequence_; }
    RandomSource& randomSource() { return random_; }
    int towCount() const { return static_cast<int>(tows_.size()); }
    int32_t towFrequency(int tow) const { return tows_[static_cast<size_t>(tow)].frequency; }
    // Everyone unplaced, then the opener drawn and placed at position 1.
    void startPass();
    // Entry index at the next position.
    void place(int index);
    // Entry i's last chance: one of the unplaced entries sharing its
    // frequency 1, drawn when there are two or more, else i.
    int sameFrequencyPick(int index);

private:
    struct Participant {
        int32_t number = 0;
        int conflicts = 0;
        int32_t frequency1 = 0;
        int32_t frequency2 = 0;
        Pilot* pilot = nullptr;
        int frequencyClass = 0; // participants with the same frequency 1 share it
    };
    struct Tow {
        int32_t number = 0;
        int32_t frequency = 0;
    };
    // A set of frequency classes (at most 99 participants, so 99 classes).
    struct ClassSet {
        std::array<uint64_t, 2> words{};
        void set(int c) { words[static_cast<size_t>(c) >> 6] |= uint64_t(1) << (c & 63); }
        void reset(int c) { words[static_cast<size_t>(c) >> 6] &= ~(uint64_t(1) << (c & 63)); }
        bool test(int c) const { return (words[static_cast<size_t>(c) >> 6] >> (c & 63)) & 1; }
        bool none() const { return (words[0] | words[1]) == 0; }
        void remove(const ClassSet& other)
        {
            words[0] &= ~other.words[0];
            words[1] &= ~other.words[1];
        }
    };

    int32_t substitute24GHz(int32_t frequency);
    bool buildTables();
    int pickOpener();
    void computeCandidates(int level);
    bool isCandidate(int index) const;
    int rescue(int level, int task);
    int assignTowsAndWrite(int level, int task);

    Contest& contest_;
    int round_;
    int attempts_;
    std::array<int32_t, 2> openers_;
    RandomSource& random_;
    std::vector<int> layout_;
    int nesting_ = 0;
    int runs_ = 0;
    bool faulted_ = false;

    // Tables of the current run.
    std::vector<Participant> participants_; // sorted by conflict count
    std::vector<Tow> tows_;
    FlightSequence sequence_;
    std::vector<uint8_t> placed_;
    std::vector<int> order_;                     // table index by position
    int nextPosition_ = 1;
    std::vector<std::vector<int>> classMembers_; // table indexes by frequency class
    std::vector<int> classUnplaced_;
    // The passes: the classes closer than 20 and than 10 kHz to each class,
    // the class flown at each position, the classes with someone unplaced,
    // and the candidates of the next position (unplaced classes that pass
    // the test there), known until the next placement.
    std::vector<ClassSet> within20_;
    std::vector<ClassSet> within10_;
    std::vector<int> classAt_;
    ClassSet unplacedClasses_;
    bool candidatesKnown_ = false;
    ClassSet candidates_;
};

// Runs the draw of a round: on Drawn the speed and duration records of the
// round are filled and wait for acceptance (roundPrepared is left to the
// acceptance), groupCount set; on Impossible every start group of the round
// is removed, round-1 exchanges undone, groupCount 0; on TooFewParticipants
// nothing changes. A round that already holds start groups, or is outside
// 1..40, is Impossible with nothing changed. seedForLevel gives the seed of
// each speed level (the clock in the program, a fixed value in r7t --seed);
// an empty function means the clock. attempts is brought into
// 0..8000 and the remembered openers updated (round 2 and later).
DrawStatus LancerTirage(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                        const std::function<uint64_t()>& seedForLevel, DrawTrace* trace = nullptr);

// Makes the run of a draw once the round's records exist.
using DrawRunMaker =
    std::function<std::unique_ptr<DrawRun>(Contest&, int round, const DrawSettings&, RandomSource&)>;

// The same draw over a run of makeRun's making (a DrawRun subclass with
// other passes); the draw above makes a plain DrawRun.
DrawStatus LancerTirage(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                        const std::function<uint64_t()>& seedForLevel, DrawTrace* trace,
                        const DrawRunMaker& makeRun);

} // namespace r7t
