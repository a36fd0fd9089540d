// Contests for tests and benchmarks, built through the contest's own
// operations.
#pragma once

#include "contest/contest.h"

namespace r7t::fixtures {

struct ContestShape {
    int competitors = 98;
    int towPilots = 90;
    int rounds = 40;
    int reflightEvery = 7; // every n-th competitor of a round flies again; 0 none
};

// Fills an empty contest: pilots with every field set, every round drawn
// (speed and duration groups of 4, then 3), a complete result for every
// competitor of every round, and the tables and counters kept as the
// program keeps them. The largest contest is the default shape.
void buildContest(Contest& contest, const ContestShape& shape = {});

// The largest contest, built once per process (benchmarks share it).
Contest& largestContest();

} // namespace r7t::fixtures
