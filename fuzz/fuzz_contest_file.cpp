// Any bytes given to the contest loader: loaded (what no list can show left
// out), or refused as incompatible or damaged; never a crash, a hang, an
// out-of-bounds read or the fault report.
#include "contest/contest_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    r7t::Contest contest;
    contest.isOpen = true;
    r7t::LoadOutcome outcome = r7t::loadContest(contest, {data, size});
    if (contest.fault())
        std::abort();
    if (outcome.status == r7t::LoadStatus::Loaded) {
        // Whatever loaded must save and load again to the same bytes.
        std::vector<uint8_t> once = r7t::serializeContest(contest);
        r7t::Contest again;
        again.isOpen = true;
        const r7t::LoadOutcome second = r7t::loadContest(again, once);
        if (second.status != r7t::LoadStatus::Loaded || second.groupsDropped + second.resultsDropped != 0 ||
            r7t::serializeContest(again) != once)
            std::abort();
    }
    return 0;
}
