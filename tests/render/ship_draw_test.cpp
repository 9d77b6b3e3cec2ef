#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "combat/ship.h"
#include "render/camera.h"

namespace {

// A live ship with a plain 32 x 32 sprite, out of the picture unless a test
// places it.
class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        camera.set_identity();
        sprite = create_bitmap(32, 32);
        clear_to_color(sprite, makecol(10, 200, 90));
        ship.set_sprite(sprite);
        ship.player = 0;
        ship.pos = ship.last_hit = Vec2(5000, 5000);
    }
    void TearDown() override {
        destroy_bitmap(sprite);
        camera.set_identity();
    }

    BITMAP* sprite = nullptr;
    Ship ship;
};

// --- heads-up display: pixels compared with the default font's text ------

struct HudCase {
    int player, deaths, health;
    const char *deaths_line, *health_line;
};

class Hud : public ShipDraw, public testing::WithParamInterface<HudCase> {};

TEST_P(Hud, PrintsDeathsAndHealthInThePlayersColumnAndColour) {
    const HudCase& c = GetParam();
    ship.player = c.player;
    ship.deaths = c.deaths;
    ship.health = c.health;
    Canvas canvas, expected;
    ship.draw(canvas);
    int x = 350 * c.player;
    int k = canvas.rgb(c.player ? 128 : 255, 128, c.player ? 255 : 128);
    textout_ex(expected, font, c.deaths_line, x, 0, k, -1);
    textout_ex(expected, font, c.health_line, x, 11, k, -1);
    auto strip_matches = [&](int x0, int x1, int y) {
        for (int py = y; py < y + 8; py++)
            for (int px = x0; px <= x1; px++)
                if (canvas.at(px, py) != expected.at(px, py)) return false;
        return true;
    };
    EXPECT_TRUE(strip_matches(x, x + 349, 0));
    EXPECT_TRUE(strip_matches(x, x + 15, 11));         // "HP"
    EXPECT_TRUE(strip_matches(x + 128, x + 160, 11));  // the number right of the bar
    EXPECT_EQ(canvas.at(x + 20, 9), k);                // the bar's frame
    EXPECT_EQ(canvas.at(x + 120, 19), k);
    EXPECT_EQ(c.player ? canvas.lit_in(0, 0, 349, 20) : canvas.lit_in(350, 0, 639, 20), 0);
}

INSTANTIATE_TEST_SUITE_P(ShipDraw, Hud, testing::Values(
    HudCase{0, 7, 100, "P1: Deaths:   7", "HP              100"},
    HudCase{1, 12, 57, "P2: Deaths:  12", "HP               57"},
    HudCase{0, 1000, -15, "P1: Deaths: 1000", "HP              -15"}));

// Columns from the HUD's x: the bar starts at 21, shows `first` up to
// `split` (the over-100 bar, or the whole bar) and `rest` up to `last`.
struct Rgb {
    int r, g, b;
};
struct BarCase {
    int health, split, last;
    Rgb first, rest;
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
        int first = canvas.rgb(c.first.r, c.first.g, c.first.b), rest = canvas.rgb(c.rest.r, c.rest.g, c.rest.b);
        EXPECT_EQ(canvas.at(x + 21, 14), first);
        EXPECT_EQ(canvas.at(x + c.split, 10), first);
        EXPECT_EQ(canvas.at(x + c.split, 18), first);
        EXPECT_EQ(canvas.at(x + c.last, 14), c.split == c.last ? first : rest);
        if (c.split < c.last) { EXPECT_EQ(canvas.at(x + c.split + 1, 14), rest); }
        if (c.last < 119) { EXPECT_EQ(canvas.at(x + c.last + 1, 14), 0); }
    }
}

INSTANTIATE_TEST_SUITE_P(ShipDraw, HealthBar, testing::Values(
    BarCase{1, 21, 21, {252, 2, 50}, {}}, BarCase{0, 21, 21, {254, 0, 50}, {}},
    BarCase{-40, 21, 21, {254, 0, 50}, {}}, BarCase{57, 76, 76, {109, 145, 50}, {}},
    BarCase{100, 119, 119, {0, 254, 50}, {}}, BarCase{101, 21, 119, {50, 50, 5}, {0, 254, 50}},
    BarCase{150, 69, 119, {50, 50, 127}, {0, 254, 50}}, BarCase{200, 119, 119, {50, 50, 254}, {}},
    BarCase{900, 119, 119, {50, 50, 254}, {}}));

// --- the ship, its ring, its bullets, its explosion ----------------------

TEST_F(ShipDraw, LiveShipShowsItsSpriteInsideAPaleRingOverItsLiveBullets) {
    camera.zoom = 1.5;
    ship.pos = Vec2(100, 100);  // screen (150, 150)
    BITMAP* shot = create_bitmap(8, 8);
    clear_to_color(shot, makecol(240, 20, 200));
    ship.bullets.resize(3);
    const Vec2 places[3] = {{20, 200}, {60, 200}, {100, 100}};
    for (int i = 0; i < 3; i++) {
        ship.bullets.at(i).kind = i == 1 ? 0 : 1;
        ship.bullets.at(i).sprite = shot;
        ship.bullets.at(i).pos = places[i];
    }
    Canvas canvas;
    ship.draw(canvas);
    destroy_bitmap(shot);

    int ring = canvas.rgb(255, 255, 128);
    for (auto [x, y] : {std::pair{174, 150}, {126, 150}, {150, 174}, {150, 126}}) EXPECT_EQ(canvas.at(x, y), ring);
    EXPECT_NE(canvas.at(175, 150), ring);
    EXPECT_TRUE(canvas.is(150, 150, 10, 200, 90));
    EXPECT_TRUE(canvas.is(30, 300, 240, 20, 200));
    EXPECT_EQ(canvas.at(90, 300), 0);  // a free record is not drawn
}

struct Probe {
    int dx, dy, r, g, b;  // offset from the wreck, expected colour (black: unlit)
};
struct ExplosionFrame {
    int respawn_timer;
    double zoom;
    std::vector<Probe> probes;
    int reach;  // nothing lit further than this from the wreck
};

class Explosion : public ShipDraw, public testing::WithParamInterface<ExplosionFrame> {};

TEST_P(Explosion, RingsGrowAndFadeWithTheRespawnTimer) {
    const ExplosionFrame& c = GetParam();
    camera.zoom = c.zoom;
    ship.pos = Vec2(300 / c.zoom, 300 / c.zoom);  // screen (300, 300)
    ship.health = 0;
    ship.respawn_timer = c.respawn_timer;
    Canvas canvas;
    ship.draw(canvas);
    for (const Probe& p : c.probes)
        EXPECT_TRUE(canvas.is(300 + p.dx, 300 + p.dy, p.r, p.g, p.b)) << p.dx << "," << p.dy;
    EXPECT_EQ(canvas.lit_in(0, 25, 639, 479),
              canvas.lit_in(300 - c.reach, 300 - c.reach, 300 + c.reach, 300 + c.reach));
}

INSTANTIATE_TEST_SUITE_P(Frames, Explosion, testing::Values(
    ExplosionFrame{0, 1.0, {{0, 0, 0, 0, 0}}, 0},
    ExplosionFrame{1, 1.0, {{1, 0, 251, 0, 0}, {0, 0, 0, 0, 0}}, 1},
    ExplosionFrame{20, 2.0, {{40, 0, 175, 5, 5}, {0, -39, 175, 5, 5}, {38, 0, 175, 5, 5},
                             {41, 0, 0, 0, 0}, {37, 0, 0, 0, 0}, {-20, 0, 88, 20, 20},
                             {0, 19, 88, 20, 20}, {-18, 0, 88, 20, 20}, {21, 0, 0, 0, 0},
                             {17, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}, 40},
    ExplosionFrame{59, 1.0, {{59, 0, 19, 14, 14}, {29, 0, 10, 59, 59}}, 59}));

// --- hit sparks ------------------------------------------------------------

TEST_F(ShipDraw, EightSparkRaysEndAtTheirTruncatedOffsetsAndStopWithTheFlash) {
    ship.last_hit = Vec2(100, 100);
    ship.hit_flash = 5;
    Canvas canvas, zoomed, quiet;
    ship.draw(canvas);
    const int ends[8][2] = {{5, 0}, {3, 3}, {0, 4}, {-4, 3}, {-5, 0}, {-4, -4}, {-1, -5}, {3, -4}};
    int spark = canvas.rgb(255, 64, 64);
    for (const auto& e : ends) EXPECT_EQ(canvas.at(100 + e[0], 100 + e[1]), spark) << e[0] << "," << e[1];
    EXPECT_EQ(canvas.count_of(spark), canvas.lit_in(94, 94, 106, 106));
    EXPECT_EQ(canvas.at(106, 100) + canvas.at(100, 94), 0);

    camera = Camera{-50, 10, 0, 0, 2.0};
    ship.last_hit = Vec2(0, 60);  // screen (100, 100)
    ship.hit_flash = 1;           // rays of 9 x zoom = 18
    ship.draw(zoomed);
    EXPECT_TRUE(zoomed.is(118, 100, 255, 64, 64));
    EXPECT_TRUE(zoomed.is(82, 100, 255, 64, 64));
    ship.hit_flash = 0;
    ship.draw(quiet);
    EXPECT_EQ(quiet.count_of(spark), 0);
}

}  // namespace
