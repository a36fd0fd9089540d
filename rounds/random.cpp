#include "rounds/random.h"

#include <chrono>

namespace r7t {

void RandomSource::skip(uint64_t count)
{
    // k steps of S -> M*S + 1 form the affine map S -> A*S + C; build it by
    // squaring the one-step map (powers of one map commute).
    uint64_t stepA = kMultiplier;
    uint64_t stepC = 1;
    uint64_t a = 1;
    uint64_t c = 0;
    while (count) {
        if (count & 1) {
            a = stepA * a;
            c = stepA * c + stepC;
        }
        stepC = stepA * stepC + stepC;
        stepA = stepA * stepA;
        count >>= 1;
    }
    state_ = a * state_ + c;
}

uint64_t clockSeed()
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    return seconds < 0 ? 0 : static_cast<uint64_t>(seconds);
}

} // namespace r7t
