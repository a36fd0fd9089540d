// Persons and whole contests for tests and benchmarks, built through the
// contest's own operations.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace r7t::fixtures {

// What a test gives a new person, written with designated initializers. The
// defaults are what Contest::addPilot leaves (blank texts, no frequency), so
// a field left out stays as created; each has an initializer so that leaving
// it out draws no warning.
struct PilotFields {
    std::string name{}; // texts in UTF-8, stored as Windows-1252
    std::string licence{};
    std::string club{};
    std::string country{};
    int32_t frequency1 = 0;
    int32_t frequency2 = 0;
};

// Every person a test or benchmark creates goes through here, so the counts
// are the contest's own. Throws when the record cannot be created.
Pilot& addPilot(Contest& contest, int32_t number, const PilotFields& fields = {});

// Persons first..last with nothing but their numbers.
void addPilots(Contest& contest, int32_t first, int32_t last);

// Appends a start-group record as a file would hold it, members flying in
// their order; nothing checks it against the rest of the contest, so
// tests can build the damaged and hostile files a loader must face.
StartGroup& appendGroup(Contest& contest, int32_t id, int32_t round, int32_t task,
                        const std::vector<int32_t>& members);

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

// Gives the contest its file at path, opens it and writes it there; throws
// when the file cannot be written. Returns the path.
std::string saveContestFile(Contest& contest, const std::string& path);

} // namespace r7t::fixtures
