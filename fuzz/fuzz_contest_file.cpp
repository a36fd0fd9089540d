// Any bytes given to the contest loader: loaded, refused as incompatible, or
// the orphan-result fault; never a crash, a hang or an out-of-bounds read.
#include "contest/contest_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    r7t::Contest contest;
    contest.isOpen = true;
    r7t::LoadOutcome outcome = r7t::loadContest(contest, {data, size});
    if (outcome.status == r7t::LoadStatus::Loaded) {
        // Whatever loaded must save and load again to the same bytes.
        std::vector<uint8_t> once = r7t::serializeContest(contest);
        r7t::Contest again;
        again.isOpen = true;
        if (r7t::loadContest(again, once).status != r7t::LoadStatus::Loaded || r7t::serializeContest(again) != once)
            std::abort();
    }
    return 0;
}
