// The records of one contest. Every field of the file layout is kept under
// its own name so a loaded file is written back byte for byte; the list
// links of the file are not kept (the lists own the order, and links are
// written as zero). See docs/contest-file.md for the byte layout.
#pragma once

#include "text/text.h"

#include <array>
#include <cstdint>

namespace r7t {

inline constexpr int32_t kFileTag = 81245;      // fileTag
inline constexpr int32_t kFormatVersion = 2;
inline constexpr int kMaxRounds = 40;
inline constexpr int kRoundTableSize = kMaxRounds + 1; // index 0 unused
inline constexpr int kVersion1RoundTableSize = 26;
inline constexpr int kMaxPasswordLength = 12;
inline constexpr int32_t kNoTowPilot = 200;
inline constexpr int32_t kFirstTowPilot = 101;
inline constexpr int32_t k24GHzFrequency = 2400000;
inline constexpr int32_t kParticipating = 99;
inline constexpr int kSlotsPerGroup = 4;
// Competitor numbers run 1..99 and a draw makes groups of 3 or 4 (at most
// 25 groups): no round can ever have more groups than this.
inline constexpr int kMaxGroupsPerRound = 33;
inline constexpr int kTaskSpeed = 1;
inline constexpr int kTaskDuration = 2;

struct ContestHeader {
    int32_t version = 0;
    FixedText<16> password;
    FixedText<12> date;
    FixedText<32> place;
    FixedText<64> title;
    int32_t lastPreparedRound = 0;
    std::array<uint8_t, 24> reserved1{};
    int32_t language = 0;
    std::array<uint8_t, 132> reserved2{};

    bool operator==(const ContestHeader&) const = default;
};

// What a number says of a person: a competitor is numbered 1..99, a tow
// pilot from 101. A damaged file may hold other numbers, which are neither.
constexpr bool isCompetitorNumber(int32_t number) { return number >= 1 && number <= 99; }
constexpr bool isTowPilotNumber(int32_t number) { return number > 100; }

// A competitor or a tow pilot: one record type, told apart by the number only.
struct Pilot {
    int32_t number = 0;
    FixedText<32> name;
    FixedText<16> licence;
    FixedText<32> club;
    int32_t clubNumber = 0;
    FixedText<24> country;
    FixedText<128> remark;
    int32_t frequency1 = 0;     // kHz; any 2.4 GHz radio is 2400000
    int32_t frequency2 = 0;     // kHz; 0 = none
    int32_t participation = 0;  // 99 takes part in the next draw, 0 withdrawn
    int32_t exchanged = 0;      // 1 once a round-1 draw swapped the frequencies
    int32_t massGlider1 = 0;    // grams; 0 = not entered
    int32_t massGlider2 = 0;

    bool isCompetitor() const { return isCompetitorNumber(number); }
    bool isTowPilot() const { return isTowPilotNumber(number); }
    bool operator==(const Pilot&) const = default;
};

struct FlightResult;

struct GroupSlot {
    int32_t pilotNumber = 0;     // competitor, or tow pilot in a tow record
    int32_t frequency = 0;       // kHz used for this start
    int32_t onFrequency2 = 0;    // 1 if flying on frequency 2
    int32_t flightOrder = 0;     // position given by the draw, 1..N
    FixedText<8> watchLetters;   // indexes 4-5: up to three marks "a " / "A "
    int32_t filled = 0;          // 99 for every filled slot (the drawn mark)
    FlightResult* result = nullptr;   // first flight of this round (duration groups)
    FlightResult* reflight = nullptr; // re-flight of this round (duration groups)
    int32_t watchLevel = 0;      // 0 none, 1 orange, 2 red
    int32_t weighingMark = 0;    // 0 no draw yet, -1 drawn not selected, 1 speed, 2 duration

    bool operator==(const GroupSlot&) const = default;
};

// Group g of a round has, per task, a tow record (id 10*g, one slot) and a
// competitor record (id 10*g+1, 3 or 4 slots in flight order).
constexpr int32_t towRecordId(int32_t group) { return 10 * group; }
constexpr int32_t competitorRecordId(int32_t group) { return 10 * group + 1; }
constexpr int32_t groupOfId(int32_t id) { return id / 10; }
constexpr bool isTowRecordId(int32_t id) { return id % 10 == 0; }
constexpr bool isCompetitorRecordId(int32_t id) { return id % 10 == 1; }

struct StartGroup {
    int32_t id = 0;
    int32_t round = 0;
    int32_t count = 0;
    std::array<GroupSlot, kSlotsPerGroup> slots{};
    int32_t reserved = 0;
    int32_t bestDuration = 0;
    int32_t task = 0;            // 1 speed, 2 duration
    int32_t bestDurationReflight = 0;

    // The used slots, never more than the record holds whatever a file said.
    int usedSlots() const { return count < 0 ? 0 : count > kSlotsPerGroup ? kSlotsPerGroup : count; }
    bool operator==(const StartGroup&) const = default;
};

// One competitor's speed and duration flights of one round; the key is
// (round, number, isReflight).
struct FlightResult {
    int32_t number = 0;
    int32_t round = 0;
    int32_t complete = 0;
    int32_t speedTime = 0;       // tenths of a second; 0 none or void
    int32_t speedLoss = 0;
    int32_t speedVoid = 0;
    int32_t speedTrial = 0;
    int32_t durationTime = 0;    // seconds
    int32_t landingTarget = 0;
    int32_t speedWave2 = 0;
    int32_t landingBeyond100 = 0;
    int32_t durationLoss = 0;
    int32_t durationVoid = 0;
    int32_t durationTrial = 0;
    int32_t hasReflight = 0;
    int32_t isReflight = 0;
    int32_t glider = 0;          // 1 or 2

    bool operator==(const FlightResult&) const = default;
};

// Kept only to be written back: never created, read or changed otherwise.
struct ExtraRecord {
    static constexpr int kSize = 96;
    static constexpr int kLinkOffset = 8;
    std::array<uint8_t, kSize> bytes{};

    int32_t key() const
    {
        return static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 |
                                    uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
    }
    bool operator==(const ExtraRecord&) const = default;
};

} // namespace r7t
