// Any text given to the competitor import: all or nothing, never a crash,
// and every created competitor has a valid number and a banded frequency.
#include "competitors/frequency.h"
#include "competitors/import.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    r7t::Contest contest;
    contest.isOpen = true;
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    r7t::ImportOutcome outcome = r7t::importCompetitors(contest, file);
    if (outcome.errors > 0 && !contest.pilots.empty())
        std::abort();
    if (outcome.imported != contest.pilots.size())
        std::abort();
    for (const r7t::Pilot& p : contest.pilots)
        if (p.number < 1 || p.number > 98 || r7t::BandeFrequence(p.frequency1) < 0)
            std::abort();
    return 0;
}
