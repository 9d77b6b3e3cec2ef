#pragma once

#include <random>

// Both players' hands on the one keyboard, drawn from a seed: each hand holds
// a random few of its keys for a stretch of ticks, now and then one key for a
// minute or so, and a third hand presses the Tab combinations. Writes key[]
// and key_shifts every tick.
class SoakKeys {
public:
    explicit SoakKeys(unsigned seed) : rng(seed) {}

    // Sets the keys for the next logic tick. Tab+A is only held while fewer
    // than max_items items lie in the arena, so the list stays a sane size.
    void next_tick(int live_items, int max_items);

    long spawn_presses = 0;     // ticks with Tab+A held
    long all_flag_presses = 0;  // ticks with Tab+P held

private:
    struct Hand {
        int ticks_left = 0;
        unsigned held = 0;  // bit i: the hand's key i
    };
    std::mt19937 rng;
    Hand hands[3];

    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    void choose(int hand);
};
