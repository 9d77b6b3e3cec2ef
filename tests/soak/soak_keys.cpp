#include "soak_keys.h"

#include <allegro.h>
#include <cstring>

int SoakKeys::stretch_length() {
    int roll = below(100);
    if (roll < 85) return 1 + below(120);
    if (roll < 97) return 120 + below(780);
    return 1800 + below(3600);  // half a minute to a minute and a half
}

void SoakKeys::choose(Hands& hands, bool may_change_weapon) {
    hands.ticks_left = stretch_length();
    bool long_hold = hands.ticks_left >= 1800;
    hands.turn = below(3) - 1;
    hands.thrust = below(3) - 1;
    hands.fire = below(2) == 0;
    hands.weapon_key = may_change_weapon && below(10) == 0 ? KEY_1 + below(3) : 0;
    if (long_hold) {
        // One key held on its own: a long turn, a long burn or a long barrage.
        int which = below(3);
        hands.turn = which == 0 ? (below(2) ? 1 : -1) : 0;
        hands.thrust = which == 1 ? (below(2) ? 1 : -1) : 0;
        hands.fire = which == 2;
        hands.weapon_key = 0;
    }
}

void SoakKeys::choose(Cheat& c) {
    int roll = below(100);
    c.key = roll < 4 ? KEY_A : roll < 6 ? KEY_P : roll < 8 ? KEY_H : 0;
    c.ticks_left = c.key ? 1 + below(30) : 1 + below(600);
}

void SoakKeys::next_tick(int live_items, int max_items) {
    if (player1.ticks_left-- <= 0) choose(player1, true);
    if (player2.ticks_left-- <= 0) choose(player2, false);
    if (cheat.ticks_left-- <= 0) choose(cheat);

    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    key_shifts = 0;

    key[KEY_LEFT] = player1.turn < 0;
    key[KEY_RIGHT] = player1.turn > 0;
    key[KEY_UP] = player1.thrust > 0;
    key[KEY_DOWN] = player1.thrust < 0;
    if (player1.weapon_key) key[player1.weapon_key] = 1;
    if (player1.fire) key_shifts |= KB_CTRL_FLAG;

    key[KEY_D] = player2.turn < 0;
    key[KEY_G] = player2.turn > 0;
    key[KEY_R] = player2.thrust > 0;
    key[KEY_F] = player2.thrust < 0;
    if (player2.fire) key_shifts |= KB_SHIFT_FLAG;

    bool spawn_allowed = cheat.key != KEY_A || live_items < max_items;
    if (cheat.key && spawn_allowed) {
        key[KEY_TAB] = 1;
        key[cheat.key] = 1;
        if (cheat.key == KEY_A) spawn_presses++;
        if (cheat.key == KEY_P) all_flag_presses++;
    }
}
