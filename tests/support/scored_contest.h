// Small contests with results entered as the score entry stores them, for
// the tests of the point rules, the rankings and the export.
#pragma once

#include "contest/contest.h"
#include "scoring/score_rules.h"
#include "support/contest_builder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace r7t::fixtures {

class ScoredContest {
public:
    Contest contest;

    // Unnamed competitors are "Pilote <n>", licence "L<n>".
    Pilot& competitor(int number, const std::string& name = "", const std::string& licence = "")
    {
        return addPilot(contest, number,
                        {.name = name.empty() ? "Pilote " + std::to_string(number) : name,
                         .licence = licence.empty() ? "L" + std::to_string(number) : licence});
    }

    // The round's groups: for each task a tow record (10g) and a competitor
    // record (10g+1) with the members in flight order. The tow records name
    // tow pilot 101, registered here as "Remorqueur" unless the test did it
    // first: a draw places registered people only, and the loader refuses a
    // file that places anybody else.
    void round(int r, const std::vector<std::vector<int>>& groups)
    {
        if (!contest.findPilot(kFirstTowPilot))
            addPilot(contest, kFirstTowPilot, {.name = "Remorqueur"});
        for (int task = kTaskSpeed; task <= kTaskDuration; ++task)
            for (size_t g = 0; g < groups.size(); ++g) {
                const int id = 10 * (static_cast<int>(g) + 1);
                StartGroup* tow = contest.newGroup();
                tow->id = id;
                tow->round = r;
                tow->task = task;
                tow->count = 1;
                tow->slots[0].pilotNumber = kFirstTowPilot;
                tow->slots[0].filled = kParticipating;
                StartGroup* members = contest.newGroup();
                members->id = id + 1;
                members->round = r;
                members->task = task;
                members->count = static_cast<int32_t>(groups[g].size());
                for (size_t s = 0; s < groups[g].size(); ++s) {
                    members->slots[s].pilotNumber = groups[g][s];
                    members->slots[s].flightOrder = static_cast<int32_t>(s) + 1;
                    members->slots[s].filled = kParticipating;
                }
            }
        contest.roundPrepared[r] = 1;
        contest.groupCount[r] = static_cast<int32_t>(groups.size());
        contest.lastPreparedRound = std::max(contest.lastPreparedRound, r);
    }

    // A first flight: speed in tenths (0 = void), duration in seconds,
    // landing grade 2, glider 1.
    FlightResult& flight(int r, int number, int speedTenths, int durationSeconds)
    {
        FlightResult* f = contest.newResult();
        f->number = number;
        f->round = r;
        f->speedTime = speedTenths;
        f->speedVoid = speedTenths == 0;
        f->durationTime = durationSeconds;
        f->glider = 1;
        f->complete = 1;
        slot(r, number).result = f;
        return *f;
    }

    // A re-flight of the duration, carrying the first flight's speed part.
    FlightResult& reflight(int r, int number, int durationSeconds)
    {
        GroupSlot& s = slot(r, number);
        FlightResult* f = contest.newResult();
        f->number = number;
        f->round = r;
        f->isReflight = 1;
        f->durationTime = durationSeconds;
        if (s.result) {
            s.result->hasReflight = 1;
            f->speedTime = s.result->speedTime;
            f->speedVoid = s.result->speedVoid;
            f->speedLoss = s.result->speedLoss;
            f->glider = s.result->glider;
        }
        s.reflight = f;
        return *f;
    }

    GroupSlot& slot(int r, int number)
    {
        SlotRef ref = contest.findGroupOf(r, number, kTaskDuration);
        return ref.group->slots[static_cast<size_t>(ref.slot)];
    }

    // Evaluates the rounds as leaving the score list does.
    void evaluate()
    {
        for (int r = 1; r <= kMaxRounds; ++r)
            if (contest.roundPrepared[r])
                EvalManche(contest, r);
        contest.updateCompleteRounds();
    }
};

} // namespace r7t::fixtures
