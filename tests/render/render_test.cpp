// Drawing read back from memory bitmaps.
#include <allegro.h>
#include <gtest/gtest.h>
#include <vector>

#include "combat/ship.h"
#include "render/camera.h"
#include "render/starfield.h"
#include "support/canvas.h"

// A live ship with a plain 32 x 32 sprite, out of the picture unless a test
// places it; drawn at 32 bits, where every step of the game's colours shows.
class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        set_color_depth(32);
        camera.set_identity();
        clear_to_color(sprite, makecol(10, 200, 90));
        ship.set_sprite(sprite);
        ship.player = 0;
        ship.pos = ship.last_hit = Vec2(5000, 5000);
    }
    void TearDown() override { set_color_depth(16); }

    Canvas sprite{32, 32, 32};
    Ship ship;
};

// The HUD, compared pixel for pixel with the default font's text, the bar's
// frame and the bar: `rest` from column 21 of the player's column to `last`,
// then `first` from 21 to `split` over it (the over-100 bar).
struct HudCase {
    int player, deaths, health;
    const char *deaths_line, *health_line;
    int split, last, first[3], rest[3];
};

class Hud : public ShipDraw, public testing::WithParamInterface<HudCase> {};

TEST_P(Hud, ShowsDeathsHealthAndTheBarInThePlayersColumnAndColourOnly) {
    const HudCase& c = GetParam();
    ship.player = c.player;
    ship.deaths = c.deaths;
    ship.health = c.health;
    // At 16 bits too: the game's colours are made at the screen's depth.
    for (int depth : {32, 16}) {
        set_color_depth(depth);
        Canvas drawn(640, 480, depth), expected(640, 480, depth);
        ship.draw(drawn);
        int x = 350 * c.player;
        int k = expected.rgb(c.player ? 128 : 255, 128, c.player ? 255 : 128);
        textout_ex(expected, font, c.deaths_line, x, 0, k, -1);
        textout_ex(expected, font, c.health_line, x, 11, k, -1);
        rect(expected, x + 20, 9, x + 120, 19, k);
        rectfill(expected, x + 21, 10, x + c.last, 18, expected.rgb(c.rest[0], c.rest[1], c.rest[2]));
        rectfill(expected, x + 21, 10, x + c.split, 18, expected.rgb(c.first[0], c.first[1], c.first[2]));
        EXPECT_EQ(drawn.count(-1, 0, 0, 9999, 9999, expected), 0) << depth << " bits";
    }
}

INSTANTIATE_TEST_SUITE_P(ShipDraw, Hud, testing::Values(
    HudCase{0, 7, 100, "P1: Deaths:   7", "HP              100", 119, 119, {0, 254, 50}, {}},
    HudCase{1, 12, 57, "P2: Deaths:  12", "HP               57", 76, 76, {109, 145, 50}, {}},
    HudCase{0, 1000, -15, "P1: Deaths: 1000", "HP              -15", 21, 21, {254, 0, 50}, {}},
    HudCase{0, 3, 101, "P1: Deaths:   3", "HP              101", 21, 119, {50, 50, 5}, {0, 254, 50}},
    HudCase{1, 3, 150, "P2: Deaths:   3", "HP              150", 69, 119, {50, 50, 127}, {0, 254, 50}},
    HudCase{0, 3, 900, "P1: Deaths:   3", "HP              900", 119, 119, {50, 50, 254}, {}}));

TEST_F(ShipDraw, ALiveShipShowsItsSpriteInsideAPaleRingOverItsLiveBullets) {
    camera.zoom = 1.5;
    ship.pos = Vec2(100, 100);  // screen (150, 150)
    ship.bullets.resize(2);     // a live record at screen (30, 300), a free one at (90, 300)
    ship.bullets.at(0).kind = 2;
    ship.bullets.at(0).sprite = ship.bullets.at(1).sprite = sprite;
    ship.bullets.at(0).pos = Vec2(20, 200);
    ship.bullets.at(1).pos = Vec2(60, 200);
    Canvas canvas(640, 480, 32);
    ship.draw(canvas);
    int ring = canvas.rgb(255, 255, 128);
    for (auto [x, y] : {std::pair{174, 150}, {126, 150}, {150, 174}, {150, 126}}) EXPECT_EQ(getpixel(canvas, x, y), ring);
    EXPECT_TRUE(canvas.is(150, 150, 10, 200, 90) && canvas.is(30, 300, 10, 200, 90) && canvas.is(90, 300, 0, 0, 0));
}

TEST_F(ShipDraw, ExplosionRingsGrowAndFadeWithTheRespawnTimer) {
    // The respawn timer, zoom, probes at offsets from the wreck with their
    // colour (black: unlit), and how far from the wreck anything is lit.
    struct Probe { int dx, dy, r, g, b; };
    struct { int respawn_timer; double zoom; std::vector<Probe> probes; int reach; } frames[] = {
        {1, 1.0, {{1, 0, 251, 0, 0}, {0, 0, 0, 0, 0}}, 1},
        {5, 1.0, {{5, 0, 235, 1, 1}, {2, 0, 118, 5, 5}, {0, 0, 0, 0, 0}}, 5},
        {20, 2.0, {{40, 0, 175, 5, 5}, {0, -39, 175, 5, 5}, {38, 0, 175, 5, 5}, {41, 0, 0, 0, 0}, {37, 0, 0, 0, 0},
                   {-20, 0, 88, 20, 20}, {0, 19, 88, 20, 20}, {-18, 0, 88, 20, 20}, {21, 0, 0, 0, 0}, {17, 0, 0, 0, 0}}, 40},
        {59, 1.0, {{59, 0, 19, 14, 14}, {29, 0, 10, 59, 59}}, 59}};
    for (const auto& c : frames) {
        camera.zoom = c.zoom;
        ship.pos = Vec2(300 / c.zoom, 300 / c.zoom);  // screen (300, 300)
        ship.health = 0;
        ship.respawn_timer = c.respawn_timer;
        Canvas canvas(640, 480, 32);
        ship.draw(canvas);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(canvas.is(300 + p.dx, 300 + p.dy, p.r, p.g, p.b)) << c.respawn_timer << ": " << p.dx << "," << p.dy;
        EXPECT_EQ(canvas.count(-1, 0, 25), canvas.count(-1, 300 - c.reach, 300 - c.reach, 300 + c.reach, 300 + c.reach));
    }
}

TEST_F(ShipDraw, EightSparkRaysEndAtTheirTruncatedOffsetsAndStopWithTheFlash) {
    ship.last_hit = Vec2(100, 100);
    ship.hit_flash = 5;
    Canvas canvas(640, 480, 32), zoomed(640, 480, 32), quiet(640, 480, 32);
    ship.draw(canvas);
    const int ends[8][2] = {{5, 0}, {3, 3}, {0, 4}, {-4, 3}, {-5, 0}, {-4, -4}, {-1, -5}, {3, -4}};
    int spark = canvas.rgb(255, 64, 64);
    for (const auto& e : ends) EXPECT_EQ(getpixel(canvas, 100 + e[0], 100 + e[1]), spark) << e[0] << "," << e[1];
    EXPECT_EQ(canvas.count(spark), canvas.count(-1, 95, 95, 105, 105));

    camera = Camera{-50, 10, 0, 0, 2.0};
    ship.last_hit = Vec2(0, 60);  // screen (100, 100)
    ship.hit_flash = 1;           // rays of 9 x zoom = 18
    ship.draw(zoomed);
    EXPECT_TRUE(zoomed.is(118, 100, 255, 64, 64) && zoomed.is(82, 100, 255, 64, 64));
    ship.hit_flash = 0;
    ship.draw(quiet);
    EXPECT_EQ(quiet.count(spark), 0);
}

// Centred between the two ships, their distance spanning 480 pixels, never
// closer in than 3 pixels per world unit.
TEST(Camera, FramesBothShips) {
    struct { Vec2 a, b; double want[5]; } fits[] = {  // zoom, left, top, right, bottom
        {{30, -40}, {30, -40}, {3.0, -76.666666667, -120, 136.666666667, 40}},  // no trap on 480 / 0
        {{-100, 20}, {380, 20}, {1.0, -180, -220, 460, 260}},
        {{-1500, -1000}, {1500, 1000}, {0.133128047094055, -2403.700850309, -1802.775637732, 2403.700850309, 1802.775637732}}};
    for (const auto& c : fits) {
        Body a, b;
        a.pos = c.a, b.pos = c.b;
        camera.fit(a, b);
        const double got[] = {camera.zoom, camera.left, camera.top, camera.right, camera.bottom};
        for (int i = 0; i < 5; i++) EXPECT_NEAR(got[i], c.want[i], 1e-6) << i;
    }
}

// A w x h sprite of one colour, turned by `angle`, drawn at pos through the
// view (left, top, zoom), fills exactly the screen box [x0, x1] x [y0, y1].
TEST(BodyDraw, FillsItsBoxAndNothingElse) {
    struct { int w, h; Vec2 pos; double angle, left, top, zoom; int x0, y0, x1, y1; } placements[] = {
        {32, 32, {100, 100}, 0, 0, 0, 1.0, 84, 84, 115, 115},
        {33, 32, {100, 100}, 0, 0, 0, 1.0, 84, 84, 116, 115},       // the half width truncated
        {16, 16, {100, 100}, 0, 50, 20, 2.0, 84, 144, 115, 175},    // zoomed about its place
        {32, 32, {5, 5}, 0, 0, 0, 1.0, 0, 0, 20, 20},               // half off the top-left corner
        {32, 16, {100, 100}, 51264, 0, 0, 1.0, 92, 84, 107, 115},   // a quarter turn after 200 whole ones
        {32, 17, {100, 100}, 0, 0, 0, 2.5, 210, 230, 289, 272}};   // 42.5 rows: the last centred on the edge
    for (const auto& c : placements) {
        camera = Camera{c.left, c.top, 0, 0, c.zoom};
        Canvas sprite(c.w, c.h), canvas;
        clear_to_color(sprite, makecol(200, 100, 50));
        Body body;
        body.sprite = sprite;
        body.pos = c.pos;
        body.angle = c.angle;
        body.draw(canvas);
        const int area = (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1);
        EXPECT_TRUE(canvas.count(canvas.rgb(200, 100, 50), c.x0, c.y0, c.x1, c.y1) == area && canvas.count() == area) << c.x0;
    }
}

// Seen through a view of world [100, 420] x [50, 290] at two pixels a unit,
// stars on the view's edges are left out, the others brighten with their
// index from 128 up to white; all were scattered inside the arena. They stay
// inside the 640 x 480 logical screen on every target: a small one is cut
// from a full-size one, so that a write past its edge would show. A 15- or
// 16-bit target of the screen's size or more is written directly, past its
// clipping; any other through the clipped pixel routine.
TEST(Starfield, StarsPanAndSpreadWithTheViewInsideTheTarget) {
    struct { int w, h, depth; bool small, direct; } targets[] = {
        {640, 480, 16, false, true}, {640, 480, 15, false, true}, {640, 480, 32, false, false},
        {800, 600, 16, false, true}, {639, 480, 16, false, false}, {640, 480, 16, true, false}};
    for (auto t : targets) {
        Starfield field;
        for (Vec2& s : field.stars) {
            EXPECT_TRUE(s.x >= -2500 && s.x < 2500 && s.y >= -1750 && s.y < 1750) << s.x << "," << s.y;
            s = Vec2(1e6, 1e6);
        }
        const int index[] = {1, 2, 3, 4, 0, 40, 512, 3999};
        const Vec2 screen[] = {{0, 9}, {640, 9}, {9, 0}, {9, 480}, {319, 199}, {100, 100}, {639, 479}, {400, 300}};
        for (int i = 0; i < 8; i++) field.stars[index[i]] = Vec2(100 + screen[i].x / 2, 50 + screen[i].y / 2);
        camera = Camera{100, 50, 420, 290, 2.0};
        Canvas parent(t.w, t.h, t.depth);
        BITMAP* target = t.small ? create_sub_bitmap(parent, 0, 0, 320, 200) : parent.bmp;
        set_clip_rect(target, 0, 0, 0, 0);
        field.draw(target);
        EXPECT_EQ(parent.count(), t.direct ? 4 : 0) << t.w << " x " << t.h << " at " << t.depth << " bits";
        set_clip_rect(target, 0, 0, target->w - 1, target->h - 1);
        clear_bitmap(parent);
        field.draw(target);
        if (t.small) destroy_bitmap(target);
        EXPECT_TRUE(parent.is(319, 199, 128, 128, 128) && parent.is(100, 100, 138, 138, 138));
        EXPECT_EQ(parent.count(), t.small ? 2 : t.w == 639 ? 3 : 4);
        EXPECT_TRUE(t.small || t.w == 639 || (parent.is(639, 479, 255, 255, 255) && parent.is(400, 300, 255, 255, 255)));
    }
}
