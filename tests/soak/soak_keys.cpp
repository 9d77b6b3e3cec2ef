#include "soak_keys.h"

#include <allegro.h>
#include <cstring>

namespace {

// FIRE_1 and FIRE_2 stand for the Ctrl and Shift flags.
constexpr int FIRE_1 = -1, FIRE_2 = -2;
constexpr int KEYS = 8;
const int HAND_KEYS[3][KEYS] = {
    {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, FIRE_1, KEY_1, KEY_2, KEY_3},
    {KEY_D, KEY_G, KEY_R, KEY_F, FIRE_2, 0, 0, 0},
    {KEY_A, KEY_H, KEY_P, 0, 0, 0, 0, 0},  // each with Tab
};

}  // namespace

void SoakKeys::choose(int hand) {
    Hand& h = hands[hand];
    int roll = below(100);
    h.ticks_left = roll < 85 ? 1 + below(120) : roll < 97 ? 120 + below(780) : 1800 + below(3600);
    h.held = 0;
    if (hand == 2) {
        // A short press of one combination now and then.
        if (roll < 8) {
            h.held = 1u << below(3);
            h.ticks_left = 1 + below(30);
        }
    } else if (h.ticks_left >= 1800) {
        h.held = 1u << below(5);  // one long turn, burn or barrage
    } else {
        for (int k = 0; k < 5; k++) h.held |= below(3) == 0 ? 1u << k : 0;
        if (hand == 0 && below(10) == 0) h.held |= 1u << (5 + below(3));  // a weapon change
    }
}

void SoakKeys::next_tick(int live_items, int max_items) {
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    key_shifts = 0;
    for (int hand = 0; hand < 3; hand++) {
        if (hands[hand].ticks_left-- <= 0) choose(hand);
        for (int k = 0; k < KEYS; k++) {
            int which = HAND_KEYS[hand][k];
            if (!(hands[hand].held & (1u << k))) continue;
            if (which == KEY_A && live_items >= max_items) continue;
            if (which == FIRE_1) key_shifts |= KB_CTRL_FLAG;
            else if (which == FIRE_2) key_shifts |= KB_SHIFT_FLAG;
            else key[which] = 1;
            if (hand == 2) key[KEY_TAB] = 1;
            spawn_presses += which == KEY_A;
            all_flag_presses += which == KEY_P;
        }
    }
}
