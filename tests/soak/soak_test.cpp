// An hour of battle at 60 ticks a second, both players' keys driven by a
// seeded script, in the sanitizer build: the state stays finite, the record
// lists stay bounded and memory stays flat.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "process_memory.h"
#include "soak_keys.h"
#include "support/match_fixture.h"

// The library's text output allocates and frees a buffer on every call. The
// sanitizer keeps freed blocks in quarantine, which alone would grow the
// resident size for the first 256 MB; a smaller quarantine lets the resident
// size show whether the game itself holds on to memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

namespace {

constexpr long TICKS_PER_MINUTE = 60L * 60;
constexpr int MAX_LIVE_ITEMS = 60;
constexpr long HEAP_GROWTH_LIMIT = 256L * 1024;  // a few hundred more records at most
constexpr long RESIDENT_GROWTH_LIMIT = 8L * 1024 * 1024;

// A shot that neither bounces nor homes flies straight and leaves for good
// once outside the view. Every view lies in the arena (3000 x 2000) widened
// by half the largest view (ships at opposite corners, 3605.55 apart: 4807.4
// x 3605.55 units), a box of 7808 x 5606, diagonal 9612. The shot keeps its
// launch velocity: at least 13 (the slowest weapon) less the ship's speed,
// which stays below 10 (a boost doubles the limit of 3 to 6, and with the
// boosted damping of 20 a thrust of 0.2 a tick holds at most 4 above it). So
// it lives at most 9612 / 3 = 3204 ticks, and a ship fires at most 3 shots
// every 12 ticks (the quickest weapon, tripled).
constexpr int MAX_LIVE_STRAIGHT_SHOTS = 3204 * 3 / 12 + 3;
// Bouncing and homing shots live as long as the view covers them, which no
// constant bounds. This ceiling only catches records that are never freed.
constexpr int BULLET_LIST_CEILING = 2000;

bool finite(const Body& b) {
    return std::isfinite(b.pos.x) && std::isfinite(b.pos.y) && std::isfinite(b.vel.x) &&
           std::isfinite(b.vel.y) && std::isfinite(b.angle);
}

// Counts the straight shots; fails on anything live that is not finite.
int straight_shots_if_finite(const Ship& ship) {
    int straight = 0;
    EXPECT_TRUE(finite(ship));
    for (int i = 0; i < ship.bullets.size(); i++) {
        const Bullet& b = ship.bullets.at(i);
        if (b.kind == 0) continue;
        EXPECT_TRUE(finite(b));
        straight += !b.bounces && b.homing == 0;
    }
    return straight;
}

TEST_F(MatchTest, AnHourOfRandomBattleStaysFiniteBoundedAndFlat) {
    start_battle(*match);
    SoakKeys keys(20240613u);
    int peak_bullets = 0;
    long heap_after_warm_up = 0, resident_after_warm_up = 0, heap_later = 0, resident_later = 0;
    for (long tick = 0; tick < 60 * TICKS_PER_MINUTE; tick++) {
        keys.next_tick(live_items(match->powerups), MAX_LIVE_ITEMS);
        battle_logic_step(*match);
        battle_frame(*match);

        ASSERT_LE(straight_shots_if_finite(match->ship1), MAX_LIVE_STRAIGHT_SHOTS) << "at tick " << tick;
        ASSERT_LE(straight_shots_if_finite(match->ship2), MAX_LIVE_STRAIGHT_SHOTS) << "at tick " << tick;
        for (int i = 0; i < match->powerups.powerups.size(); i++) ASSERT_TRUE(finite(match->powerups.powerups.at(i)));
        ASSERT_TRUE(std::isfinite(camera.left + camera.top + camera.right + camera.bottom) && camera.zoom > 0);
        ASSERT_FALSE(HasFailure()) << "at tick " << tick;
        peak_bullets = std::max(peak_bullets, live_bullets(match->ship1));

        if (tick % TICKS_PER_MINUTE == TICKS_PER_MINUTE - 1) {
            long heap = heap_bytes_in_use(), resident = resident_bytes();
            std::printf("minute %ld: heap %ld KiB, resident %ld KiB, bullet lists %d/%d, item list %d\n",
                        tick / TICKS_PER_MINUTE + 1, heap / 1024, resident / 1024, match->ship1.bullets.size(),
                        match->ship2.bullets.size(), match->powerups.powerups.size());
            if (tick + 1 == 10 * TICKS_PER_MINUTE) {
                heap_after_warm_up = heap;
                resident_after_warm_up = resident;
            } else if (tick + 1 > 10 * TICKS_PER_MINUTE) {
                heap_later = std::max(heap_later, heap);
                resident_later = std::max(resident_later, resident);
            }
        }
    }
    EXPECT_LE(match->ship1.bullets.size(), BULLET_LIST_CEILING);
    EXPECT_LE(match->ship2.bullets.size(), BULLET_LIST_CEILING);
    EXPECT_GT(peak_bullets, 0);  // the script did fight
    EXPECT_GT(match->ship1.deaths + match->ship2.deaths, 0);
    EXPECT_GT(keys.spawn_presses, 0);
    EXPECT_GT(keys.all_flag_presses, 0);
    EXPECT_LE(heap_later - heap_after_warm_up, HEAP_GROWTH_LIMIT);
    EXPECT_LE(resident_later - resident_after_warm_up, RESIDENT_GROWTH_LIMIT);
}

}  // namespace
