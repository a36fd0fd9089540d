#include "support/reference_draw.h"

#include <memory>

namespace r7t::fixtures {

bool ReferenceDrawRun::placementPass(int level)
{
    const int n = participantCount();
    startPass();

    int i = 0;
    while (i < n) {
        if (isPlaced(i)) {
            ++i;
            continue;
        }
        bool placedOne = false;
        for (int pick = 0; pick < kPicksPerPosition && !placedOne; ++pick) {
            const int p = randomSource().Aleatoire(n);
            if (!isPlaced(p) && CompatibleConcurrent(sequence(), frequencyOf(p), nextPosition(), level)) {
                place(p);
                placedOne = true;
            }
        }
        if (!placedOne) {
            const int chosen = sameFrequencyPick(i);
            if (CompatibleConcurrent(sequence(), frequencyOf(i), nextPosition(), level)) {
                place(chosen);
                placedOne = true;
            }
        }
        i = placedOne ? 0 : i + 1;
    }
    return nextPosition() > n;
}

int ReferenceDrawRun::pickTow(int group, int level)
{
    for (int failures = 0; failures < kTowFailures; ++failures) {
        const int pick = randomSource().Aleatoire(towCount());
        if (CompatibleRemorqueur(sequence(), towFrequency(pick), group, level))
            return pick;
    }
    return -1;
}

DrawStatus referenceDraw(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                         const std::function<uint64_t()>& seedForLevel, DrawTrace* trace)
{
    return LancerTirage(contest, round, settings, random, seedForLevel, trace,
                        [](Contest& c, int r, const DrawSettings& s, RandomSource& source) {
                            return std::make_unique<ReferenceDrawRun>(c, r, s, source);
                        });
}

} // namespace r7t::fixtures
