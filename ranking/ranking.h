// Rankings built from the round points: one round, and the overall ranking
// over chosen rounds or over every complete round (final), with discarded
// rounds, the order with not-classified competitors and the best speed.
#pragma once

#include "contest/contest.h"
#include "scoring/score_rules.h"

#include <array>
#include <cstdint>
#include <vector>

namespace r7t {

inline constexpr int kMaxBestSpeedHolders = 20;
inline constexpr int32_t kNoBestSpeed = 6000; // tenths of a second

// The ranking of one complete round: its points, highest total first; equal
// totals keep group and slot order.
std::vector<RoundScore> rankRound(Contest& contest, int32_t round);

struct TotalScore {
    int32_t number = 0;
    float total = 0.0f;
};

enum class RankingMode { Chosen = 0, Final = 1 };

// The state of an overall ranking while it is shown.
struct OverallRanking {
    RankingMode mode = RankingMode::Chosen;
    int maxNumber = 0;        // C: highest competitor number below 100
    int completeRounds = 0;   // K
    int lastRound = 0;        // n: highest completely scored round
    std::vector<uint8_t> selected; // index 1..n
    int selectedCount = 0;    // a
    int discardCount = 0;     // D
    bool skipZeroTotals = false;
    std::vector<RoundScore> matrix; // one record per (number 0..C, round 1..n)
    std::vector<TotalScore> totals; // C + 1 entries, highest total first
    int32_t bestSpeed = kNoBestSpeed;
    std::array<int32_t, kMaxBestSpeedHolders> bestSpeedHolders{};

    bool isSelected(int32_t round) const
    {
        return round >= 1 && round <= lastRound && selected[static_cast<size_t>(round)] != 0;
    }
    RoundScore& score(int32_t number, int32_t round)
    {
        return matrix[static_cast<size_t>(round - 1) * static_cast<size_t>(maxNumber + 1) + static_cast<size_t>(number)];
    }
    const RoundScore& score(int32_t number, int32_t round) const
    {
        return matrix[static_cast<size_t>(round - 1) * static_cast<size_t>(maxNumber + 1) + static_cast<size_t>(number)];
    }
    // The total of the first entry of the order (the highest total).
    float leaderTotal() const { return totals.empty() ? 0.0f : totals.front().total; }
};

// The final ranking's discard count for K complete rounds.
int finalDiscardCount(int completeRounds);

enum class RankingStatus {
    Ok,
    NoCompleteRound,  // string 420
    NoRoundSelected,
    RoundNotComplete, // a chosen round is not completely scored
};

// Every complete round, with the discard count that follows from their
// number.
RankingStatus openFinalRanking(Contest& contest, OverallRanking& ranking);

// The chosen complete rounds, with a discard count (capped at the number of
// chosen rounds minus one) and the zero-total option.
RankingStatus openChosenRanking(Contest& contest, OverallRanking& ranking, const std::vector<int32_t>& rounds,
                                int discard, bool skipZeroTotals);

// Computes the totals: discarded flags and totals of every competitor, then the order.
void CalculTotaux(OverallRanking& ranking);

// A new discard count: 0 or less means none, above a - 1 it becomes a - 1.
// Totals and order are recomputed; returns the count kept, to be shown back.
int changeDiscardCount(OverallRanking& ranking, int typed);

// The best speed time of the selected rounds and up to 20 holders.
void MeilleureVitesse(Contest& contest, OverallRanking& ranking);

// Not classified: the licence begins with "NC", letters compared in upper case.
bool isNotClassified(const Pilot& pilot);
bool isNotClassified(const FixedText<16>& licence);

// One line of the overall list.
struct RankedEntry {
    int rank = 0;             // 0 for a competitor who is not classified
    int32_t number = 0;
    float total = 0.0f;
    const Pilot* pilot = nullptr; // null when the number has no pilot record
};

// The overall list in order: entries without a number are left out, and
// zero totals too when the option is set.
std::vector<RankedEntry> overallOrder(const Contest& contest, const OverallRanking& ranking);

// Percentage of a total against the leader's; 0 when the leader has 0.
double percentOfLeader(float total, float leader);

} // namespace r7t
