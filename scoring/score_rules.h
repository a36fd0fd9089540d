// The point rules: completeness of a result, evaluation of a round (group
// references, completeness, best speed time) and the points of every
// competitor of a round. Nothing else computes points; nothing is cached.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <vector>

namespace r7t {

inline constexpr int kTargetDuration = 480;   // counted in full up to here
inline constexpr int kMirrorDuration = 960;   // above the target a flight counts 960 - t
inline constexpr int kLandingBonus = 20;
inline constexpr int kPenalty = 200;          // landing beyond 100 m, loss of an element
inline constexpr int kNormalisation = 1000;
inline constexpr int kSpeedReferenceStart = 6000; // tenths of a second

// One competitor's points in one round.
struct RoundScore {
    int32_t round = 0;
    int32_t number = 0;           // 0 in a record that was not filled
    int32_t group = 0;            // g of the duration group, 1..G
    int32_t position = 0;         // slot index in that group, 0..3
    const FlightResult* durationResult = nullptr; // the flight whose duration counts
    int32_t reflightUsed = 0;     // 1 when durationResult is the re-flight
    float durationPoints = 0.0f;
    float speedPoints = 0.0f;
    float total = 0.0f;
    int32_t discarded = 0;        // set by the overall ranking
};

// 1 when the result is complete: speed void or timed, duration void or
// timed (or completed by the re-flight when one was granted), and the
// re-flight, when granted, void or timed.
int ScoreComplet(Contest& contest, const FlightResult& result, int32_t round, int32_t number);

// Duration score of one flight: 0 when void; t up to 480 s, 960 - t above;
// plus 20 for a landing on target. Negative for a re-flight above 960 s.
int ScoreDuree(const FlightResult& flight);

// Duration points of a flight against a group reference: an integer,
// score x 1000 / reference truncated, less the penalties, never below 0.
int PointsDuree(const FlightResult& flight, int32_t reference);

// Marks the round complete once every competitor of every duration group
// has a complete result, stores each complete group's best duration scores,
// sets roundHasScores and lowers bestSpeedTime.
void EvalManche(Contest& contest, int32_t round);

// Runs EvalManche, then returns one record per competitor of the round, in
// group order then slot order. Meant for complete rounds: a slot without a
// first flight gives no record.
std::vector<RoundScore> CalculManche(Contest& contest, int32_t round);

} // namespace r7t
