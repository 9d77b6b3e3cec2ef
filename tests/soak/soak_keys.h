#pragma once

#include <random>

// Both players' hands on the one keyboard, drawn from a seed: short bursts of
// turning, thrust and fire, now and then a long hold of one key, weapon
// changes and the Tab combinations. Writes key[] and key_shifts every tick.
class SoakKeys {
public:
    explicit SoakKeys(unsigned seed) : rng(seed) {}

    // Sets the keys for the next logic tick. Tab+A is only held while fewer
    // than max_items items lie in the arena, so the list stays a sane size.
    void next_tick(int live_items, int max_items);

    long spawn_presses = 0;  // ticks with Tab+A held
    long all_flag_presses = 0;  // ticks with Tab+P held

private:
    // One player's held keys for a stretch of ticks.
    struct Hands {
        int ticks_left = 0;
        int turn = 0;     // -1, 0, 1
        int thrust = 0;   // -1, 0, 1
        bool fire = false;
        int weapon_key = 0;  // 0 none, else KEY_1..KEY_3
    };
    struct Cheat {
        int ticks_left = 0;
        int key = 0;  // KEY_A, KEY_H, KEY_P, or 0
    };

    std::mt19937 rng;
    Hands player1, player2;
    Cheat cheat;

    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    int stretch_length();
    void choose(Hands& hands, bool may_change_weapon);
    void choose(Cheat& c);
};
