#include <cmath>

#include <gtest/gtest.h>

#include "combat/body.h"
#include "combat/vec2.h"

namespace {

Body bouncing_body(Vec2 pos, Vec2 vel) {
    Body b;
    b.bounces = true;
    b.pos = pos;
    b.vel = vel;
    return b;
}

Body box(double x, double y, int size) {
    Body b;
    b.pos = Vec2(x, y);
    b.width = size;
    b.height = size;
    return b;
}

TEST(WallRebound, ExactlyOnTheWallIsNotPushedBackUntilTheNextTick) {
    Body b = bouncing_body(Vec2(-1500.0, 0.0), Vec2(-3.0, 0.0));
    b.move();
    EXPECT_DOUBLE_EQ(b.pos.x, -1503.0);
    EXPECT_DOUBLE_EQ(b.vel.x, -3.0);
    b.move();
    EXPECT_DOUBLE_EQ(b.vel.x, 1.5);
    EXPECT_DOUBLE_EQ(b.pos.x, -1488.5);
}

TEST(WallRebound, BeyondTheRightWallComesBackWithHalfSpeedInward) {
    Body b = bouncing_body(Vec2(1600.0, 0.0), Vec2(4.0, 0.0));
    b.move();
    EXPECT_DOUBLE_EQ(b.pos.x, 1488.0);
    EXPECT_DOUBLE_EQ(b.vel.x, -2.0);
}

TEST(WallRebound, VelocityAlreadyPointingInwardIsStillHalved) {
    Body b = bouncing_body(Vec2(1600.0, -1200.0), Vec2(-4.0, 6.0));
    b.move();
    EXPECT_DOUBLE_EQ(b.vel.x, -2.0);
    EXPECT_DOUBLE_EQ(b.vel.y, 3.0);
    EXPECT_DOUBLE_EQ(b.pos.x, 1488.0);
    EXPECT_DOUBLE_EQ(b.pos.y, -987.0);
}

TEST(WallRebound, BeyondACornerReboundsOnBothAxesInOneTick) {
    Body b = bouncing_body(Vec2(-1600.0, 1100.0), Vec2(-2.0, 3.0));
    b.move();
    EXPECT_DOUBLE_EQ(b.vel.x, 1.0);
    EXPECT_DOUBLE_EQ(b.vel.y, -1.5);
    EXPECT_DOUBLE_EQ(b.pos.x, -1489.0);
    EXPECT_DOUBLE_EQ(b.pos.y, 988.5);
}

TEST(WallRebound, ExactlyOnTheFloorLineStays) {
    Body b = bouncing_body(Vec2(0.0, 1000.0), Vec2(0.0, 0.0));
    b.move();
    EXPECT_DOUBLE_EQ(b.pos.y, 1000.0);
}

TEST(WallRebound, ABodyThatDoesNotBounceLeavesTheArena) {
    Body b;
    b.pos = Vec2(-1600.0, 1100.0);
    b.vel = Vec2(-2.0, 3.0);
    b.move();
    EXPECT_DOUBLE_EQ(b.pos.x, -1602.0);
    EXPECT_DOUBLE_EQ(b.pos.y, 1103.0);
}

TEST(BoxOverlap, TouchingEdgesDoNotOverlap) {
    EXPECT_FALSE(box(0.0, 0.0, 16).overlaps(box(16.0, 0.0, 16)));
    EXPECT_FALSE(box(16.0, 0.0, 16).overlaps(box(0.0, 0.0, 16)));
    EXPECT_FALSE(box(0.0, 0.0, 16).overlaps(box(0.0, 16.0, 16)));
    EXPECT_FALSE(box(0.0, 16.0, 16).overlaps(box(0.0, 0.0, 16)));
}

TEST(BoxOverlap, TheSmallestSharedAreaOverlaps) {
    EXPECT_TRUE(box(0.0, 0.0, 16).overlaps(box(15.999, 0.0, 16)));
    EXPECT_TRUE(box(0.0, 0.0, 16).overlaps(box(0.0, -15.999, 16)));
}

TEST(BoxOverlap, BulletAgainstShipIsAnchoredAtTheMinimumCorner) {
    Body ship = box(0.0, 0.0, 32);
    EXPECT_TRUE(box(-15.0, 0.0, 16).overlaps(ship));
    EXPECT_FALSE(box(-16.0, 0.0, 16).overlaps(ship));
    EXPECT_TRUE(box(31.0, 0.0, 16).overlaps(ship));
    EXPECT_FALSE(box(32.0, 0.0, 16).overlaps(ship));
    EXPECT_TRUE(box(0.0, -15.0, 16).overlaps(ship));
    EXPECT_FALSE(box(0.0, -16.0, 16).overlaps(ship));
}

TEST(Vec2Math, SineGoesToXAndCosineToY) {
    Vec2 v;
    v.set_from_angle(1.570795, 0.002);
    EXPECT_NEAR(v.x, 0.002, 1e-14);
    EXPECT_NEAR(v.y, 2.6536e-9, 1e-13);

    v.set_from_angle(0.0, 5.0);
    EXPECT_DOUBLE_EQ(v.x, 0.0);
    EXPECT_DOUBLE_EQ(v.y, 5.0);
}

TEST(Vec2Math, DistanceToItselfIsZero) {
    Vec2 p(123.25, -987.5);
    EXPECT_EQ(p.distance_to(p), 0.0);
    EXPECT_DOUBLE_EQ(Vec2(1.0, 2.0).distance_to(Vec2(4.0, -2.0)), 5.0);
}

TEST(Vec2Math, SetLengthKeepsTheDirection) {
    Vec2 v(3.0, -4.0);
    v.set_length(10.0);
    EXPECT_DOUBLE_EQ(v.x, 6.0);
    EXPECT_DOUBLE_EQ(v.y, -8.0);
    EXPECT_DOUBLE_EQ(v.length(), 10.0);
}

TEST(Vec2Math, SetLengthOfTheZeroVectorStaysZero) {
    Vec2 v;
    v.set_length(0.5);
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 0.0);
}

TEST(Vec2Math, SetLengthOfATinyVectorStaysFinite) {
    Vec2 v(1e-170, -1e-170);
    v.set_length(0.5);
    EXPECT_TRUE(std::isfinite(v.x));
    EXPECT_TRUE(std::isfinite(v.y));
}

}  // namespace
