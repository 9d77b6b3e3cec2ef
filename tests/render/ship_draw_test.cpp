#include <gtest/gtest.h>

#include <string>

#include "canvas.h"
#include "combat/ship.h"
#include "render/camera.h"

namespace {

const int SPRITE_R = 10, SPRITE_G = 200, SPRITE_B = 90;

// A ship with its own 32 x 32 sprite, alive, out of the picture unless a
// test places it.
class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        camera.set_identity();
        sprite = create_bitmap(32, 32);
        clear_to_color(sprite, makecol(SPRITE_R, SPRITE_G, SPRITE_B));
        ship.set_sprite(sprite);
        ship.player = 0;
        ship.deaths = 0;
        ship.health = 100;
        ship.pos = Vec2(5000, 5000);
        ship.last_hit = Vec2(5000, 5000);
        ship.hit_flash = 0;
        ship.respawn_timer = 0;
    }
    void TearDown() override {
        destroy_bitmap(sprite);
        camera.set_identity();
    }

    // The pixels the default font gives `text` at (x, y), for comparing a
    // strip of the HUD with it.
    static bool strip_matches_text(const Canvas& drawn, const char* text, int x, int y,
                                   int x0, int x1, int colour) {
        Canvas expected;
        textout_ex(expected, font, text, x, y, colour, -1);
        for (int py = y; py < y + 8; py++)
            for (int px = x0; px <= x1; px++)
                if (drawn.at(px, py) != expected.at(px, py)) return false;
        return true;
    }

    BITMAP* sprite = nullptr;
    Ship ship;
};

// --- heads-up display ---------------------------------------------------

TEST_F(ShipDraw, PlayerOneHudIsAtTheLeftInItsColour) {
    Canvas canvas;
    ship.deaths = 7;
    ship.draw(canvas);

    int k = canvas.rgb(255, 128, 128);
    EXPECT_TRUE(strip_matches_text(canvas, "P1: Deaths:   7", 0, 0, 0, 349, k));
    // "HP" and the number either side of the bar.
    EXPECT_TRUE(strip_matches_text(canvas, "HP              100", 0, 11, 0, 15, k));
    EXPECT_TRUE(strip_matches_text(canvas, "HP              100", 0, 11, 128, 160, k));
    EXPECT_EQ(canvas.at(20, 9), k);
    EXPECT_EQ(canvas.at(120, 19), k);
    EXPECT_EQ(canvas.lit_in(350, 0, 639, 20), 0);
}

TEST_F(ShipDraw, PlayerTwoHudStartsAtColumn350InItsColour) {
    Canvas canvas;
    ship.player = 1;
    ship.deaths = 12;
    ship.health = 57;
    ship.draw(canvas);

    int k = canvas.rgb(128, 128, 255);
    EXPECT_TRUE(strip_matches_text(canvas, "P2: Deaths:  12", 350, 0, 350, 639, k));
    EXPECT_TRUE(strip_matches_text(canvas, "HP               57", 350, 11, 350, 365, k));
    EXPECT_TRUE(strip_matches_text(canvas, "HP               57", 350, 11, 478, 510, k));
    EXPECT_EQ(canvas.at(370, 9), k);
    EXPECT_EQ(canvas.at(470, 19), k);
    EXPECT_EQ(canvas.lit_in(0, 0, 349, 20), 0);
}

TEST_F(ShipDraw, LargeDeathCountsAndNegativeHealthPrintInFull) {
    Canvas canvas;
    ship.deaths = 1000;
    ship.health = -15;
    ship.draw(canvas);

    int k = canvas.rgb(255, 128, 128);
    EXPECT_TRUE(strip_matches_text(canvas, "P1: Deaths: 1000", 0, 0, 0, 349, k));
    EXPECT_GT(canvas.lit_in(120, 0, 127, 7), 0);  // the sixteenth character
    EXPECT_TRUE(strip_matches_text(canvas, "HP              -15", 0, 11, 128, 160, k));
}

struct BarCase {
    int health;
    int bar_last;             // last column of the health bar, from X
    int bar_r, bar_g, bar_b;  // health bar colour
    int over_last;            // last column of the over-100 bar, 0 for none
    int over_b;               // its blue
};

class HealthBar : public ShipDraw, public testing::WithParamInterface<BarCase> {};

TEST_P(HealthBar, SpansAndColoursFollowHealth) {
    const BarCase& c = GetParam();
    for (int player = 0; player < 2; player++) {
        SCOPED_TRACE(player);
        Canvas canvas;
        ship.player = player;
        ship.health = c.health;
        ship.draw(canvas);

        int x = 350 * player;
        int bar = canvas.rgb(c.bar_r, c.bar_g, c.bar_b);
        int row = 14;
        if (c.over_last == 0) {
            EXPECT_EQ(canvas.at(x + 21, row), bar);
        } else {
            int over = canvas.rgb(50, 50, c.over_b);
            EXPECT_EQ(canvas.at(x + 21, row), over);
            EXPECT_EQ(canvas.at(x + c.over_last, 10), over);
            EXPECT_EQ(canvas.at(x + c.over_last, 18), over);
            if (c.over_last < c.bar_last) {
                EXPECT_EQ(canvas.at(x + c.over_last + 1, row), bar);
            }
        }
        EXPECT_EQ(canvas.at(x + c.bar_last, 10), c.over_last == c.bar_last ? canvas.rgb(50, 50, c.over_b) : bar);
        EXPECT_EQ(canvas.at(x + c.bar_last, 18), canvas.at(x + c.bar_last, 10));
        EXPECT_NE(canvas.at(x + c.bar_last + 1, row), bar);
        if (c.bar_last < 119) {
            EXPECT_EQ(canvas.at(x + c.bar_last + 1, row), 0);
        }
        EXPECT_EQ(canvas.at(x + 21, 9), canvas.rgb(player ? 128 : 255, 128, player ? 255 : 128));
    }
}

INSTANTIATE_TEST_SUITE_P(ShipDraw, HealthBar, testing::Values(
    BarCase{1, 21, 252, 2, 50, 0, 0},
    BarCase{0, 21, 254, 0, 50, 0, 0},
    BarCase{-40, 21, 254, 0, 50, 0, 0},
    BarCase{57, 76, 109, 145, 50, 0, 0},
    BarCase{100, 119, 0, 254, 50, 0, 0},
    BarCase{101, 119, 0, 254, 50, 21, 5},
    BarCase{150, 119, 0, 254, 50, 69, 127},
    BarCase{200, 119, 0, 254, 50, 119, 254},
    BarCase{900, 119, 0, 254, 50, 119, 254}));

// --- the ship, its ring, its explosion --------------------------------

TEST_F(ShipDraw, LiveShipShowsItsSpriteInsideAPaleRing) {
    camera.zoom = 1.5;
    Canvas canvas;
    ship.pos = Vec2(100, 100);  // screen (150, 150)
    ship.draw(canvas);

    int ring = canvas.rgb(255, 255, 128);
    EXPECT_EQ(canvas.at(174, 150), ring);
    EXPECT_EQ(canvas.at(126, 150), ring);
    EXPECT_EQ(canvas.at(150, 174), ring);
    EXPECT_EQ(canvas.at(150, 126), ring);
    EXPECT_NE(canvas.at(175, 150), ring);
    EXPECT_TRUE(canvas.is(150, 150, SPRITE_R, SPRITE_G, SPRITE_B));
}

TEST_F(ShipDraw, LiveBulletsLieUnderTheShipAndFreeOnesAreNotDrawn) {
    BITMAP* shot = create_bitmap(8, 8);
    clear_to_color(shot, makecol(240, 20, 200));
    ship.pos = Vec2(300, 300);
    ship.bullets.resize(3);
    ship.bullets.at(0).kind = 1;
    ship.bullets.at(0).sprite = shot;
    ship.bullets.at(0).pos = Vec2(100, 300);
    ship.bullets.at(1).kind = 0;
    ship.bullets.at(1).sprite = shot;
    ship.bullets.at(1).pos = Vec2(200, 300);
    ship.bullets.at(2).kind = 2;
    ship.bullets.at(2).sprite = shot;
    ship.bullets.at(2).pos = Vec2(300, 300);

    Canvas canvas;
    ship.draw(canvas);

    int bullet = canvas.rgb(240, 20, 200);
    EXPECT_EQ(canvas.at(100, 300), bullet);
    EXPECT_EQ(canvas.at(200, 300), 0);
    EXPECT_TRUE(canvas.is(300, 300, SPRITE_R, SPRITE_G, SPRITE_B));
    EXPECT_EQ(canvas.count_of(bullet), 64);
    destroy_bitmap(shot);
}

TEST_F(ShipDraw, ExplosionAtTheMomentOfDeathShowsNothing) {
    Canvas canvas;
    ship.pos = Vec2(300, 300);
    ship.health = 0;
    ship.respawn_timer = 0;
    ship.draw(canvas);

    EXPECT_EQ(canvas.lit_in(0, 25, 639, 479), 0);
}

TEST_F(ShipDraw, FirstExplosionTickShowsOnlyTheOuterRing) {
    Canvas canvas;
    ship.pos = Vec2(300, 300);
    ship.health = -3;
    ship.respawn_timer = 1;
    ship.draw(canvas);

    int outer = canvas.rgb(251, 0, 0);
    EXPECT_EQ(canvas.at(301, 300), outer);
    EXPECT_EQ(canvas.at(300, 300), 0);
    EXPECT_EQ(canvas.lit_in(0, 25, 639, 479), canvas.lit_in(299, 299, 301, 301));
}

TEST_F(ShipDraw, ExplosionRingsGrowAndFadeWithTheRespawnTimer) {
    camera.zoom = 2.0;
    Canvas canvas;
    ship.pos = Vec2(150, 150);  // screen (300, 300)
    ship.health = 0;
    ship.respawn_timer = 20;    // radii 40, 39, 38 and 20, 19, 18
    ship.draw(canvas);

    int outer = canvas.rgb(175, 5, 5);
    int inner = canvas.rgb(88, 20, 20);
    for (int r : {40, 39, 38}) {
        EXPECT_EQ(canvas.at(300 + r, 300), outer) << r;
        EXPECT_EQ(canvas.at(300, 300 - r), outer) << r;
    }
    for (int r : {20, 19, 18}) {
        EXPECT_EQ(canvas.at(300 - r, 300), inner) << r;
        EXPECT_EQ(canvas.at(300, 300 + r), inner) << r;
    }
    EXPECT_EQ(canvas.at(341, 300), 0);
    EXPECT_EQ(canvas.at(337, 300), 0);
    EXPECT_EQ(canvas.at(321, 300), 0);
    EXPECT_EQ(canvas.at(317, 300), 0);
    EXPECT_EQ(canvas.count_of(canvas.rgb(SPRITE_R, SPRITE_G, SPRITE_B)), 0);
}

TEST_F(ShipDraw, LastExplosionTickColours) {
    Canvas canvas;
    ship.pos = Vec2(300, 300);
    ship.health = 0;
    ship.respawn_timer = 59;
    ship.draw(canvas);

    EXPECT_TRUE(canvas.is(359, 300, 19, 14, 14));
    EXPECT_TRUE(canvas.is(329, 300, 10, 59, 59));  // trunc(29.5)
}

// --- hit sparks --------------------------------------------------------

TEST_F(ShipDraw, EightSparkRaysEndAtTheirTruncatedOffsets) {
    Canvas canvas;
    ship.last_hit = Vec2(100, 100);
    ship.hit_flash = 5;
    ship.draw(canvas);

    const int ends[8][2] = {{5, 0}, {3, 3}, {0, 4}, {-4, 3}, {-5, 0}, {-4, -4}, {-1, -5}, {3, -4}};
    int spark = canvas.rgb(255, 64, 64);
    for (const auto& e : ends)
        EXPECT_EQ(canvas.at(100 + e[0], 100 + e[1]), spark) << e[0] << "," << e[1];
    EXPECT_EQ(canvas.at(106, 100), 0);
    EXPECT_EQ(canvas.at(100, 105), 0);
    EXPECT_EQ(canvas.at(94, 100), 0);
    EXPECT_EQ(canvas.at(100, 94), 0);
    EXPECT_EQ(canvas.count_of(spark), canvas.lit_in(94, 94, 106, 106));
}

TEST_F(ShipDraw, SparksFollowTheCameraAndStopWhenTheFlashRunsOut) {
    camera.left = -50;
    camera.top = 10;
    camera.zoom = 2.0;
    Canvas canvas;
    ship.last_hit = Vec2(0, 60);  // screen (100, 100)
    ship.hit_flash = 1;           // rays of 9 x zoom = 18
    ship.draw(canvas);
    EXPECT_TRUE(canvas.is(118, 100, 255, 64, 64));
    EXPECT_TRUE(canvas.is(82, 100, 255, 64, 64));

    Canvas quiet;
    ship.hit_flash = 0;
    ship.draw(quiet);
    EXPECT_EQ(quiet.count_of(quiet.rgb(255, 64, 64)), 0);
}

}  // namespace
