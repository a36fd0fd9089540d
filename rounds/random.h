// The one pseudo-random source of the draws: a 64-bit linear congruential
// generator, seeded from the clock in seconds or, for tests and r7t --seed,
// with a fixed value.
#pragma once

#include <cstdint>

namespace r7t {

class RandomSource {
public:
    // S <- S * M + 1 mod 2^64.
    static constexpr uint64_t kMultiplier = 5540ULL * (1ULL << 32) + 20021ULL; // 23794118839861

    explicit RandomSource(uint64_t seed = 0) : state_(seed) {}

    // S = seed (a time seed has its upper 32 bits at 0).
    void seed(uint64_t seed) { state_ = seed; }

    // Advances S and returns bits 32..62 of the new state.
    uint32_t nextValue()
    {
        state_ = state_ * kMultiplier + 1;
        return static_cast<uint32_t>(state_ >> 32) & 0x7FFFFFFFU;
    }

    // X mod n. The state always advances, also when n <= 0, which gives 0:
    // the draw never asks for n = 0, so only the division is guarded.
    int Aleatoire(int n)
    {
        const uint32_t x = nextValue();
        return n <= 0 ? 0 : static_cast<int>(x % static_cast<uint32_t>(n));
    }

    // Advances the state exactly as `count` calls of nextValue() would, in
    // O(log count): lets the draw pass over picks that cannot succeed.
    void skip(uint64_t count);

    uint64_t state() const { return state_; }

private:
    uint64_t state_;
};

// The current calendar time in whole seconds, the seed of a real draw.
uint64_t clockSeed();

} // namespace r7t
