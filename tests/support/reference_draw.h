// The draw with its placement passes and tow picks made the plain way, every
// pick tested one by one as the rules tell them: the reference the draw's own
// passes must match in groups, exchanges and generator state.
#pragma once

#include "rounds/draw.h"

#include <cstdint>
#include <functional>

namespace r7t::fixtures {

class ReferenceDrawRun : public DrawRun {
public:
    using DrawRun::DrawRun;

protected:
    bool placementPass(int level) override;
    int pickTow(int group, int level) override;
};

// LancerTirage over ReferenceDrawRun.
DrawStatus referenceDraw(Contest& contest, int round, DrawSettings& settings, RandomSource& random,
                         const std::function<uint64_t()>& seedForLevel, DrawTrace* trace = nullptr);

} // namespace r7t::fixtures
