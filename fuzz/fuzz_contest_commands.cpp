// Any bytes given to the contest loader, then to what the commands and the
// windows do with a loaded contest: the score lists, the start lists of
// both tasks, the weighing, the score entry, every round's points, the
// final ranking with its lines, the pilot lists and the deletion of a
// round. Whatever the loader accepts must never raise the fault report
// (docs/contest-file.md, "What the loader drops or refuses"): a fault here
// aborts, as does a crash, a hang or an out-of-bounds read.
#include "competitors/pilot_entry.h"
#include "contest/contest_file.h"
#include "ranking/ranking.h"
#include "ranking/ranking_lines.h"
#include "rounds/preparation.h"
#include "rounds/weighing.h"
#include "scoring/score_entry.h"
#include "scoring/score_list.h"
#include "scoring/score_rules.h"

#include <cstdio>
#include <cstdlib>

namespace {

void faultIf(const r7t::Contest& contest, const char* where)
{
    if (!contest.fault())
        return;
    std::fprintf(stderr, "fault report %s in %s\n", contest.fault()->c_str(), where);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace r7t;
    Contest contest;
    contest.isOpen = true;
    if (loadContest(contest, {data, size}).status != LoadStatus::Loaded)
        return 0;
    faultIf(contest, "load");

    (void)pilotListLines(contest, PersonKind::Competitor);
    (void)pilotListLines(contest, PersonKind::TowPilot);
    for (int round = 1; round <= kMaxRounds; ++round) {
        if (!contest.roundPrepared[round])
            continue;
        for (int task : {kTaskSpeed, kTaskDuration})
            (void)updateRoundList(contest, round, task);
        faultIf(contest, "updateRoundList");
        const std::vector<ScoreListLine> lines = scoreListLines(contest, round);
        faultIf(contest, "scoreListLines");
        // The score entry of the first and last competitors listed.
        for (const ScoreListLine* line :
             {lines.empty() ? nullptr : &lines.front(), lines.empty() ? nullptr : &lines.back()}) {
            if (!line)
                continue;
            ScoreEntry entry;
            if (openScoreEntry(contest, round, line->number, false, entry) == EntryOpenStatus::Opened) {
                (void)shownFields(entry);
                abandonScoreEntry(contest, entry);
            }
            faultIf(contest, "openScoreEntry");
        }
        (void)rankRound(contest, round);
        faultIf(contest, "rankRound");
        RandomSource random(static_cast<uint64_t>(size));
        (void)TiragePesees(contest, round, random);
        faultIf(contest, "TiragePesees");
    }
    OverallRanking ranking;
    if (openFinalRanking(contest, ranking) == RankingStatus::Ok) {
        (void)overallRankingLines(contest, ranking);
        (void)bestSpeedLines(contest, ranking);
    }
    faultIf(contest, "openFinalRanking");

    // "Supprimer" of the last prepared round leaves a contest that saves and
    // loads again with nothing dropped.
    if (const int last = contest.highestPreparedRound()) {
        deleteRound(contest, last);
        std::vector<uint8_t> once = serializeContest(contest);
        Contest again;
        again.isOpen = true;
        const LoadOutcome reloaded = loadContest(again, once);
        if (reloaded.status != LoadStatus::Loaded || reloaded.groupsDropped + reloaded.resultsDropped != 0 ||
            again.roundPrepared[last])
            std::abort();
    }
    faultIf(contest, "deleteRound");
    return 0;
}
