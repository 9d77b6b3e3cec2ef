// An hour of battle at 60 ticks a second, both players' keys driven by a
// seeded script, in the sanitizer build: the state stays finite, the record
// lists stay bounded and memory stays flat.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "process_memory.h"
#include "render/camera.h"
#include "shell/catalogue.h"
#include "shell/match_steps.h"
#include "soak_keys.h"
#include "support/match_fixture.h"

// The library's text output allocates and frees a buffer on every call. The
// sanitizer keeps freed blocks in quarantine, which alone would grow the
// resident size for the first 256 MB; a smaller quarantine lets the resident
// size show whether the game itself holds on to memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

namespace {

constexpr long TICKS_PER_MINUTE = 60L * 60;
constexpr long SOAK_TICKS = 60 * TICKS_PER_MINUTE;  // one hour
constexpr long WARM_UP_TICKS = 10 * TICKS_PER_MINUTE;
constexpr int TICKS_PER_FRAME = 1;
constexpr int MAX_LIVE_ITEMS = 60;
constexpr long HEAP_GROWTH_LIMIT = 256L * 1024;      // a few hundred more records at most
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
// Bouncing shots stay in the arena and homing shots chase their target: the
// view lets them live as long as it covers them, which no constant bounds.
// This ceiling only catches records that are never freed.
constexpr int BULLET_LIST_CEILING = 2000;

bool finite(const Vec2& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

bool body_finite(const Body& b) { return finite(b.pos) && finite(b.vel) && std::isfinite(b.angle); }

bool camera_finite() {
    return std::isfinite(camera.left) && std::isfinite(camera.top) && std::isfinite(camera.right) &&
           std::isfinite(camera.bottom) && std::isfinite(camera.zoom) && camera.zoom > 0.0;
}

int live_bullets(Ship& ship) {
    int live = 0;
    for (int i = 0; i < ship.bullets.size(); i++) live += ship.bullets.at(i).kind != 0;
    return live;
}

int live_straight_shots(Ship& ship) {
    int live = 0;
    for (int i = 0; i < ship.bullets.size(); i++) {
        const Bullet& b = ship.bullets.at(i);
        live += b.kind != 0 && !b.bounces && b.homing == 0;
    }
    return live;
}

int live_items(PowerUpField& field) {
    int live = 0;
    for (int i = 0; i < field.powerups.size(); i++) live += field.powerups.at(i).type != PU_FREE;
    return live;
}

// The first non-finite body of the match, or null.
const char* first_non_finite(Match& m) {
    if (!body_finite(m.ship1)) return "ship 1";
    if (!body_finite(m.ship2)) return "ship 2";
    for (Ship* ship : {&m.ship1, &m.ship2}) {
        for (int i = 0; i < ship->bullets.size(); i++) {
            const Bullet& b = ship->bullets.at(i);
            if (b.kind != 0 && !body_finite(b)) return "a bullet";
        }
    }
    for (int i = 0; i < m.powerups.powerups.size(); i++) {
        const PowerUp& p = m.powerups.powerups.at(i);
        if (p.type != PU_FREE && !body_finite(p)) return "an item";
    }
    return camera_finite() ? nullptr : "the camera";
}

struct Peaks {
    int live_bullets[2] = {0, 0};
    int straight_shots[2] = {0, 0};
    int live_items = 0;
};

class Soak : public MatchTest {
protected:
    void SetUp() override {
        MatchTest::SetUp();
        start_battle(*match);
    }
};

TEST_F(Soak, AnHourOfRandomBattleStaysFiniteBoundedAndFlat) {
    SoakKeys keys(20240613u);
    Peaks peaks;
    long heap_after_warm_up = 0, resident_after_warm_up = 0;
    long heap_peak_later = 0, resident_peak_later = 0;

    for (long tick = 0; tick < SOAK_TICKS; tick++) {
        int items = live_items(match->powerups);
        keys.next_tick(items, MAX_LIVE_ITEMS);
        battle_logic_step(*match);
        if (tick % TICKS_PER_FRAME == 0) battle_frame(*match);

        const char* broken = first_non_finite(*match);
        ASSERT_EQ(broken, nullptr) << "at tick " << tick;
        peaks.live_bullets[0] = std::max(peaks.live_bullets[0], live_bullets(match->ship1));
        peaks.live_bullets[1] = std::max(peaks.live_bullets[1], live_bullets(match->ship2));
        peaks.live_items = std::max(peaks.live_items, items);
        peaks.straight_shots[0] = std::max(peaks.straight_shots[0], live_straight_shots(match->ship1));
        peaks.straight_shots[1] = std::max(peaks.straight_shots[1], live_straight_shots(match->ship2));
        ASSERT_LE(peaks.straight_shots[0], MAX_LIVE_STRAIGHT_SHOTS) << "at tick " << tick;
        ASSERT_LE(peaks.straight_shots[1], MAX_LIVE_STRAIGHT_SHOTS) << "at tick " << tick;

        if (tick % TICKS_PER_MINUTE == TICKS_PER_MINUTE - 1) {
            long heap = heap_bytes_in_use(), resident = resident_bytes();
            std::printf("minute %ld: heap %ld KiB, resident %ld KiB, bullets %d/%d (lists %d/%d), items %d (list %d)\n",
                        tick / TICKS_PER_MINUTE + 1, heap / 1024, resident / 1024, live_bullets(match->ship1),
                        live_bullets(match->ship2), match->ship1.bullets.size(), match->ship2.bullets.size(), items,
                        match->powerups.powerups.size());
            if (tick + 1 == WARM_UP_TICKS) {
                heap_after_warm_up = heap;
                resident_after_warm_up = resident;
            } else if (tick + 1 > WARM_UP_TICKS) {
                heap_peak_later = std::max(heap_peak_later, heap);
                resident_peak_later = std::max(resident_peak_later, resident);
            }
        }
    }
    std::printf("peaks: bullets %d/%d (straight %d/%d), items %d; deaths %d/%d; Tab+A ticks %ld, Tab+P ticks %ld\n",
                peaks.live_bullets[0], peaks.live_bullets[1], peaks.straight_shots[0], peaks.straight_shots[1],
                peaks.live_items, match->ship1.deaths,
                match->ship2.deaths, keys.spawn_presses, keys.all_flag_presses);
    std::printf("heap after warm-up %ld, later peak %ld; resident %ld, later %ld\n", heap_after_warm_up,
                heap_peak_later, resident_after_warm_up, resident_peak_later);

    EXPECT_LE(match->ship1.bullets.size(), BULLET_LIST_CEILING);
    EXPECT_LE(match->ship2.bullets.size(), BULLET_LIST_CEILING);
    EXPECT_GT(peaks.live_bullets[0], 0);  // the script did fight
    EXPECT_GT(match->ship1.deaths + match->ship2.deaths, 0);
    EXPECT_GT(keys.spawn_presses, 0);
    EXPECT_GT(keys.all_flag_presses, 0);
    EXPECT_LE(heap_peak_later - heap_after_warm_up, HEAP_GROWTH_LIMIT);
    EXPECT_LE(resident_peak_later - resident_after_warm_up, RESIDENT_GROWTH_LIMIT);
}

}  // namespace
