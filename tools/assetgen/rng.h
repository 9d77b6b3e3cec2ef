#pragma once
#include <cstdint>

// A small xorshift generator with a fixed seed per asset, so every build
// writes the same bytes.
class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}

    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // 0 .. n-1
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint32_t>(n)) : 0; }
    // -1.0 .. 1.0
    double signed_unit() { return (next() / 2147483647.5) - 1.0; }
    bool chance(int percent) { return below(100) < percent; }

private:
    uint32_t state;
};
