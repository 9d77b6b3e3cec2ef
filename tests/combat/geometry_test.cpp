#include <gtest/gtest.h>

#include "combat/body.h"
#include "combat/bullet.h"
#include "combat/ship.h"
#include "render/camera.h"

namespace {

// One tick of a body against the walls at x = -1500, 1500 and y = -1000, 1000.
struct Rebound {
    const char* what;
    bool bounces;
    Vec2 pos, vel, pos_after, vel_after;
};

class WallRebound : public testing::TestWithParam<Rebound> {};

TEST_P(WallRebound, OneTick) {
    const Rebound& c = GetParam();
    SCOPED_TRACE(c.what);
    Body b;
    b.bounces = c.bounces;
    b.pos = c.pos;
    b.vel = c.vel;
    b.move();
    EXPECT_DOUBLE_EQ(b.pos.x, c.pos_after.x);
    EXPECT_DOUBLE_EQ(b.pos.y, c.pos_after.y);
    EXPECT_DOUBLE_EQ(b.vel.x, c.vel_after.x);
    EXPECT_DOUBLE_EQ(b.vel.y, c.vel_after.y);
}

INSTANTIATE_TEST_SUITE_P(Arena, WallRebound, testing::Values(
    Rebound{"on the left wall: not yet", true, {-1500, 0}, {-3, 0}, {-1503, 0}, {-3, 0}},
    Rebound{"a tick past the left wall", true, {-1503, 0}, {-3, 0}, {-1488.5, 0}, {1.5, 0}},
    Rebound{"past the right wall", true, {1600, 0}, {4, 0}, {1488, 0}, {-2, 0}},
    Rebound{"inward already, still halved", true, {1600, -1200}, {-4, 6}, {1488, -987}, {-2, 3}},
    Rebound{"past a corner", true, {-1600, 1100}, {-2, 3}, {-1489, 988.5}, {1, -1.5}},
    Rebound{"on the floor line", true, {0, 1000}, {0, 0}, {0, 1000}, {0, 0}},
    Rebound{"does not bounce", false, {-1600, 1100}, {-2, 3}, {-1602, 1103}, {-2, 3}}));

// Boxes anchored at their minimum corner; touching edges do not overlap.
struct Overlap {
    double ax, ay;
    int a_size;
    double bx, by;
    int b_size;
    bool overlaps;
};

class BoxOverlap : public testing::TestWithParam<Overlap> {};

TEST_P(BoxOverlap, BothWaysRound) {
    const Overlap& c = GetParam();
    Body a, b;
    a.pos = Vec2(c.ax, c.ay);
    a.width = a.height = c.a_size;
    b.pos = Vec2(c.bx, c.by);
    b.width = b.height = c.b_size;
    EXPECT_EQ(a.overlaps(b), c.overlaps);
    EXPECT_EQ(b.overlaps(a), c.overlaps);
}

INSTANTIATE_TEST_SUITE_P(Bodies, BoxOverlap, testing::Values(
    Overlap{0, 0, 16, 16, 0, 16, false}, Overlap{0, 0, 16, 0, 16, 16, false},
    Overlap{0, 0, 16, 15.999, 0, 16, true}, Overlap{0, 0, 16, 0, -15.999, 16, true},
    // a bullet against a ship
    Overlap{-15, 0, 16, 0, 0, 32, true}, Overlap{-16, 0, 16, 0, 0, 32, false},
    Overlap{31, 0, 16, 0, 0, 32, true}, Overlap{32, 0, 16, 0, 0, 32, false},
    Overlap{0, -15, 16, 0, 0, 32, true}, Overlap{0, -16, 16, 0, 0, 32, false}));

// One tick of a live bullet launched at 13 units a tick, in the view
// (0, 0)-(640, 480), aimed at a ship resting at (300, 200).
struct BulletTick {
    const char* what;
    bool homing, target_dead;
    Vec2 pos, vel;
    bool live_after;
    Vec2 pos_after, vel_after;
};

class BulletUpdate : public testing::TestWithParam<BulletTick> {
protected:
    void TearDown() override { camera.set_identity(); }
};

TEST_P(BulletUpdate, OneTick) {
    const BulletTick& c = GetParam();
    SCOPED_TRACE(c.what);
    camera.set_identity();
    Ship target;
    target.pos = Vec2(300, 200);
    if (c.target_dead) target.take_damage(100, Vec2());
    Bullet b;
    b.kind = 1;
    b.speed = 13.0;
    b.target = &target;
    b.homing = c.homing;
    b.pos = c.pos;
    b.vel = c.vel;
    b.update();
    EXPECT_EQ(b.kind != 0, c.live_after);
    EXPECT_DOUBLE_EQ(b.pos.x, c.pos_after.x);
    EXPECT_DOUBLE_EQ(b.pos.y, c.pos_after.y);
    EXPECT_DOUBLE_EQ(b.vel.x, c.vel_after.x);
    EXPECT_DOUBLE_EQ(b.vel.y, c.vel_after.y);
}

INSTANTIATE_TEST_SUITE_P(ViewCulling, BulletUpdate, testing::Values(
    BulletTick{"top-left corner", false, false, {0, 0}, {0, 0}, true, {0, 0}, {0, 0}},
    BulletTick{"bottom-right corner", false, false, {640, 480}, {0, 0}, true, {640, 480}, {0, 0}},
    BulletTick{"bottom-left corner", false, false, {0, 480}, {0, 0}, true, {0, 480}, {0, 0}},
    BulletTick{"top-right corner", false, false, {640, 0}, {0, 0}, true, {640, 0}, {0, 0}},
    BulletTick{"left of the view", false, false, {-0.001, 10}, {0, 0}, false, {-0.001, 10}, {0, 0}},
    BulletTick{"right of the view", false, false, {640.001, 10}, {0, 0}, false, {640.001, 10}, {0, 0}},
    BulletTick{"above the view", false, false, {10, -0.001}, {0, 0}, false, {10, -0.001}, {0, 0}},
    BulletTick{"below the view", false, false, {10, 480.001}, {0, 0}, false, {10, 480.001}, {0, 0}},
    BulletTick{"straight flight", false, false, {5, 5}, {0, 13}, true, {5, 18}, {0, 13}}));

INSTANTIATE_TEST_SUITE_P(Homing, BulletUpdate, testing::Values(
    BulletTick{"pulls half a unit", true, false, {400, 200}, {0, 0}, true, {399.5, 200}, {-0.5, 0}},
    BulletTick{"takes back half the excess", true, false, {400, 200}, {-13, 0}, true, {386.75, 200}, {-13.25, 0}},
    BulletTick{"a dead target still steers", true, true, {300, 100}, {0, 0}, true, {300, 100.5}, {0, 0.5}},
    BulletTick{"on the target, moving", true, false, {300, 200}, {2, 0}, true, {302, 200}, {2, 0}},
    BulletTick{"on the target, at rest", true, false, {300, 200}, {0, 0}, true, {300, 200}, {0, 0}}));

}  // namespace
