// An hour of battle at 60 ticks a second in the sanitizer build, the keys of
// both players and the cheats held in random stretches drawn from a fixed
// seed: ships and bullets stay finite, the bullet lists stay bounded and,
// after a warm-up, the heap stays flat.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "support/match_fixture.h"

// The sanitizer's own count (its allocator stands in for malloc's); its
// header is not installed with the compiler.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
long heap_bytes() { return static_cast<long>(__sanitizer_get_current_allocated_bytes()); }

constexpr long MINUTE = 60L * 60;
const int KEYS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_1, KEY_2, KEY_3, KEY_D, KEY_G, KEY_R, KEY_F};
const int CHEATS[] = {KEY_A, KEY_H, KEY_P};  // each with Tab

bool finite(const Ship& ship) {
    double sum = ship.pos.x + ship.pos.y + ship.vel.x + ship.vel.y + ship.angle;
    for (int i = 0; i < ship.bullets.size(); i++) sum += ship.bullets.at(i).pos.x + ship.bullets.at(i).pos.y;
    return std::isfinite(sum);
}

TEST_F(MatchTest, AnHourOfRandomBattleStaysFiniteBoundedAndFlat) {
    start_battle(*match);
    std::mt19937 rng(20240613u);
    unsigned held = 0;
    long stretch_end = 0, heap_after_warm_up = 0;
    for (long tick = 0; tick < 60 * MINUTE; tick++) {
        // Mostly up to two seconds of a random handful of keys, now and then
        // half a minute or more; a cheat in one stretch of eight, Tab+A only
        // while fewer than 60 items lie about.
        if (tick == stretch_end) {
            held = rng();
            stretch_end = tick + (rng() % 32 ? 1 + rng() % 120 : MINUTE / 2 + rng() % (2 * MINUTE));
        }
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        for (int k = 0; k < 11; k++) key[KEYS[k]] = (held >> k) & 1;
        key_shifts = ((held >> 11) & 1 ? KB_CTRL_FLAG : 0) | ((held >> 12) & 1 ? KB_SHIFT_FLAG : 0);
        int cheat = CHEATS[(held >> 16) % 3];
        if ((held >> 13) % 8 == 0 && (cheat != KEY_A || live_items(match->powerups) < 60)) key[KEY_TAB] = key[cheat] = 1;
        battle_logic_step(*match);
        battle_frame(*match);

        ASSERT_TRUE(finite(match->ship1) && finite(match->ship2)) << "at tick " << tick;
        if (tick + 1 == 10 * MINUTE) heap_after_warm_up = heap_bytes();
    }
    // Bouncing and homing shots live as long as the view covers them, which
    // no constant bounds: the ceiling only catches records never freed.
    EXPECT_LE(std::max(match->ship1.bullets.size(), match->ship2.bullets.size()), 2000);
    EXPECT_GT(match->ship1.deaths + match->ship2.deaths, 0);  // the script did fight
    EXPECT_LE(heap_bytes() - heap_after_warm_up, 256L * 1024);  // a few hundred more records at most
}
