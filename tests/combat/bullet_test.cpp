#include <cmath>

#include <gtest/gtest.h>

#include "combat/bullet.h"
#include "combat/ship.h"
#include "combat_fixture.h"

namespace {

class BulletTest : public CombatTest {
protected:
    Bullet live_bullet(Vec2 pos, Vec2 vel) {
        Bullet b;
        b.kind = 1;
        b.pos = pos;
        b.vel = vel;
        b.speed = 13.0;
        b.target = &target;
        return b;
    }
    Bullet homing_bullet(Vec2 pos, Vec2 vel) {
        Bullet b = live_bullet(pos, vel);
        b.homing = 1;
        return b;
    }
    void set_view(double left, double top, double right, double bottom) {
        camera.left = left;
        camera.top = top;
        camera.right = right;
        camera.bottom = bottom;
    }

    Ship target;
};

TEST_F(BulletTest, ANewRecordIsAFree16By16Box) {
    Bullet b;
    EXPECT_EQ(b.kind, 0);
    EXPECT_EQ(b.width, 16);
    EXPECT_EQ(b.height, 16);
    EXPECT_EQ(b.pos.x, 0.0);
    EXPECT_EQ(b.vel.y, 0.0);
}

TEST_F(BulletTest, AStraightBulletMovesByItsVelocity) {
    Bullet b = live_bullet(Vec2(5.0, 5.0), Vec2(0.0, -13.0));
    b.update();
    EXPECT_DOUBLE_EQ(b.pos.y, -8.0);
    EXPECT_EQ(b.kind, 1);
}

TEST_F(BulletTest, HomingPullsHalfAUnitTowardTheTarget) {
    place(target, Vec2(0.0, 0.0), 0.0);
    Bullet b = homing_bullet(Vec2(100.0, 0.0), Vec2(0.0, 0.0));
    b.update();
    EXPECT_DOUBLE_EQ(b.vel.x, -0.5);
    EXPECT_DOUBLE_EQ(b.vel.y, 0.0);
    EXPECT_DOUBLE_EQ(b.pos.x, 99.5);
    EXPECT_DOUBLE_EQ(b.pos.y, 0.0);
}

TEST_F(BulletTest, HomingTakesBackOnlyHalfTheExcessSpeed) {
    place(target, Vec2(0.0, 0.0), 0.0);
    Bullet b = homing_bullet(Vec2(100.0, 0.0), Vec2(-13.0, 0.0));
    b.update();
    EXPECT_DOUBLE_EQ(b.vel.x, -13.25);
    EXPECT_DOUBLE_EQ(b.vel.y, 0.0);
    EXPECT_DOUBLE_EQ(b.pos.x, 86.75);
}

TEST_F(BulletTest, HomingOnADeadTargetStillSteers) {
    place(target, Vec2(0.0, 100.0), 0.0);
    target.take_damage(100, Vec2());
    Bullet b = homing_bullet(Vec2(0.0, 0.0), Vec2(0.0, 0.0));
    b.update();
    EXPECT_DOUBLE_EQ(b.vel.y, 0.5);
}

TEST_F(BulletTest, ABulletExactlyOnItsTargetStaysFinite) {
    place(target, Vec2(30.0, 40.0), 0.0);
    Bullet b = homing_bullet(Vec2(30.0, 40.0), Vec2(2.0, 0.0));
    b.update();
    EXPECT_TRUE(std::isfinite(b.vel.x) && std::isfinite(b.vel.y));
    EXPECT_DOUBLE_EQ(b.vel.x, 2.0);
    EXPECT_DOUBLE_EQ(b.pos.x, 32.0);

    Bullet resting = homing_bullet(Vec2(30.0, 40.0), Vec2(0.0, 0.0));
    resting.update();
    EXPECT_EQ(resting.vel.x, 0.0);
    EXPECT_EQ(resting.vel.y, 0.0);
    EXPECT_DOUBLE_EQ(resting.pos.x, 30.0);
}

TEST_F(BulletTest, ABulletOnTheEdgeOfTheViewStaysLive) {
    set_view(0.0, 0.0, 640.0, 480.0);
    Vec2 corners[] = {Vec2(0.0, 0.0), Vec2(640.0, 480.0), Vec2(0.0, 480.0), Vec2(640.0, 0.0)};
    for (Vec2 corner : corners) {
        Bullet b = live_bullet(corner, Vec2(0.0, 0.0));
        b.update();
        EXPECT_EQ(b.kind, 1) << corner.x << "," << corner.y;
    }
}

TEST_F(BulletTest, ABulletJustBeyondTheViewIsFreed) {
    set_view(0.0, 0.0, 640.0, 480.0);
    Vec2 outside[] = {Vec2(-0.001, 10.0), Vec2(640.001, 10.0), Vec2(10.0, -0.001),
                      Vec2(10.0, 480.001)};
    for (Vec2 where : outside) {
        Bullet b = live_bullet(where, Vec2(0.0, 0.0));
        b.update();
        EXPECT_EQ(b.kind, 0) << where.x << "," << where.y;
    }
}

TEST_F(BulletTest, ABouncingBulletReboundsFromTheWall) {
    Bullet b = live_bullet(Vec2(1510.0, 0.0), Vec2(13.0, 0.0));
    b.bounces = true;
    b.update();
    EXPECT_DOUBLE_EQ(b.vel.x, -6.5);
    EXPECT_DOUBLE_EQ(b.pos.x, 1483.5);
}

TEST_F(BulletTest, AShipRunsOnlyItsLiveBullets) {
    Ship owner;
    owner.bullets.resize(2);
    owner.bullets.at(0).pos = Vec2(1.0, 1.0);
    owner.bullets.at(0).vel = Vec2(5.0, 0.0);
    owner.bullets.at(1) = live_bullet(Vec2(1.0, 1.0), Vec2(5.0, 0.0));
    owner.update();
    EXPECT_DOUBLE_EQ(owner.bullets.at(0).pos.x, 1.0);
    EXPECT_DOUBLE_EQ(owner.bullets.at(1).pos.x, 6.0);
}

}  // namespace
