#include <cstdlib>

#include <gtest/gtest.h>

#include "combat/ship.h"
#include "combat_fixture.h"

namespace {

using ShipTest = CombatTest;

TEST_F(ShipTest, TheFirstTwoShipsArePlayersZeroAndOneWithTheirOwnWeapons) {
    std::srand(4242);
    int x0 = std::rand() % 200;
    int y0 = std::rand() % 200;
    int x1 = std::rand() % 200;
    int y1 = std::rand() % 200;

    next_player = 0;
    std::srand(4242);
    Ship first;
    Ship second;

    EXPECT_EQ(first.player, 0);
    EXPECT_EQ(first.weapon, 0);
    EXPECT_EQ(second.player, 1);
    EXPECT_EQ(second.weapon, 1);
    EXPECT_EQ(next_player, 2);
    EXPECT_DOUBLE_EQ(first.pos.x, x0);
    EXPECT_DOUBLE_EQ(first.pos.y, y0);
    EXPECT_DOUBLE_EQ(second.pos.x, x1);
    EXPECT_DOUBLE_EQ(second.pos.y, y1);
}

TEST_F(ShipTest, ANewShipPointsRightAndDriftsThatWay) {
    Ship ship;
    EXPECT_DOUBLE_EQ(ship.angle, 64.0);
    EXPECT_NEAR(ship.vel.x, 0.002, 1e-14);
    EXPECT_NEAR(ship.vel.y, 2.6536e-9, 1e-13);
    EXPECT_GE(ship.pos.x, 0.0);
    EXPECT_LE(ship.pos.x, 199.0);
    EXPECT_GE(ship.pos.y, 0.0);
    EXPECT_LE(ship.pos.y, 199.0);
    EXPECT_EQ(ship.width, 32);
    EXPECT_EQ(ship.height, 32);
    EXPECT_TRUE(ship.bounces);
    EXPECT_EQ(ship.health, 100);
    EXPECT_EQ(ship.flags, 0u);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 10.0);
    EXPECT_DOUBLE_EQ(ship.max_speed, 3.0);
    ASSERT_EQ(ship.bullets.size(), 1);
    EXPECT_EQ(ship.bullets.at(0).kind, 0);
}

TEST_F(ShipTest, RotateTurnsByTheAmountOrThreeTimesWithQuickTurn) {
    Ship ship;
    ship.rotate(1.0);
    EXPECT_DOUBLE_EQ(ship.angle, 65.0);
    ship.add_flags(QUICK_TURN);
    ship.rotate(1.0);
    EXPECT_DOUBLE_EQ(ship.angle, 68.0);
}

TEST_F(ShipTest, HeadingsAreNeverWrapped) {
    Ship ship;
    for (int i = 0; i < 300; i++) ship.rotate(-1.0);
    EXPECT_DOUBLE_EQ(ship.angle, -236.0);
}

TEST_F(ShipTest, ThrustAtHeadingZeroPushesUpTheScreen) {
    Ship ship;
    place(ship, Vec2(0.0, 0.0), 0.0);
    ship.thrust(0.2);
    EXPECT_DOUBLE_EQ(ship.vel.x, 0.0);
    EXPECT_DOUBLE_EQ(ship.vel.y, -0.2);
}

TEST_F(ShipTest, ThrustAtHeading64PushesRight) {
    Ship ship;
    place(ship, Vec2(0.0, 0.0), 64.0);
    ship.thrust(0.2);
    EXPECT_NEAR(ship.vel.x, 0.2, 1e-12);
    EXPECT_NEAR(ship.vel.y, -2.6536e-7, 1e-11);
    ship.thrust(-0.2);
    EXPECT_NEAR(ship.vel.x, 0.0, 1e-15);
}

TEST_F(ShipTest, OverTheLimitASpeedLosesATenthOfItsExcess) {
    Ship ship;
    place(ship, Vec2(0.0, 0.0), 64.0);
    ship.vel = Vec2(2.4, -3.2);
    ship.update();
    EXPECT_NEAR(ship.vel.length(), 3.9, 1e-12);
    EXPECT_NEAR(ship.vel.x, 2.34, 1e-12);
    EXPECT_NEAR(ship.vel.y, -3.12, 1e-12);
    EXPECT_NEAR(ship.pos.x, 2.34, 1e-12);
}

TEST_F(ShipTest, ASpeedExactlyAtTheLimitIsUntouched) {
    Ship ship;
    place(ship, Vec2(0.0, 0.0), 64.0);
    ship.vel = Vec2(-3.0, 0.0);
    ship.update();
    EXPECT_EQ(ship.vel.x, -3.0);
    EXPECT_EQ(ship.vel.y, 0.0);
}

TEST_F(ShipTest, SpeedBoostDoublesTheLimitAndTheDamping) {
    Ship ship;
    place(ship, Vec2(0.0, 0.0), 64.0);
    ship.add_flags(SPEED_BOOST);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 20.0);

    ship.vel = Vec2(4.0, 0.0);
    ship.update();
    EXPECT_EQ(ship.vel.x, 4.0);

    ship.vel = Vec2(0.0, 8.0);
    ship.update();
    EXPECT_NEAR(ship.vel.y, 7.9, 1e-12);
}

TEST_F(ShipTest, HomingLastsExactlySixHundredUpdates) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS);
    EXPECT_EQ(ship.homing_timer, 600);
    for (int i = 0; i < 599; i++) ship.update();
    EXPECT_TRUE(ship.flags & HOMING_SHOTS);
    ship.update();
    EXPECT_FALSE(ship.flags & HOMING_SHOTS);
    EXPECT_EQ(ship.homing_timer, 0);
}

TEST_F(ShipTest, TakingHomingAgainRestartsItsTime) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS);
    for (int i = 0; i < 100; i++) ship.update();
    ship.add_flags(HOMING_SHOTS);
    EXPECT_EQ(ship.homing_timer, 600);
}

TEST_F(ShipTest, CombinedFlagsHaveNoSideEffects) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS | SPEED_BOOST);
    EXPECT_EQ(ship.flags, 24u);
    EXPECT_EQ(ship.homing_timer, 0);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 10.0);
    for (int i = 0; i < 700; i++) ship.update();
    EXPECT_TRUE(ship.flags & HOMING_SHOTS);
}

TEST_F(ShipTest, RemoveFlagsClearsOnlyTheGivenBits) {
    Ship ship;
    ship.add_flags(TRIPLE_SHOT | FAST_SHOTS | QUICK_TURN);
    ship.remove_flags(FAST_SHOTS);
    EXPECT_EQ(ship.flags, unsigned(TRIPLE_SHOT | QUICK_TURN));
}

TEST_F(ShipTest, CountdownsRunDownToZeroAndStop) {
    Ship ship;
    ship.fire_cooldown = 2;
    ship.hit_flash = 1;
    ship.update();
    EXPECT_EQ(ship.fire_cooldown, 1);
    EXPECT_EQ(ship.hit_flash, 0);
    ship.update();
    ship.update();
    EXPECT_EQ(ship.fire_cooldown, 0);
    EXPECT_EQ(ship.hit_flash, 0);
}

TEST_F(ShipTest, ADeadShipComesBackOnTheSixtiethUpdate) {
    Ship ship;
    place(ship, Vec2(700.0, -300.0), 40.0);
    ship.add_flags(SPEED_BOOST);
    ship.add_flags(TRIPLE_SHOT | QUICK_TURN | FAST_SHOTS);
    ship.take_damage(150, Vec2(1.0, 2.0));
    ASSERT_LE(ship.health, 0);

    for (int i = 0; i < 59; i++) ship.update();
    EXPECT_LE(ship.health, 0);
    EXPECT_EQ(ship.respawn_timer, 59);
    EXPECT_EQ(ship.flags, unsigned(SPEED_BOOST | TRIPLE_SHOT | QUICK_TURN | FAST_SHOTS));

    std::srand(99);
    double x = std::rand() % 500 - 250;
    double y = std::rand() % 500 - 250;
    std::srand(99);
    ship.update();

    EXPECT_EQ(ship.health, 100);
    EXPECT_EQ(ship.flags, 0u);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 20.0);
    EXPECT_DOUBLE_EQ(ship.pos.x, x);
    EXPECT_DOUBLE_EQ(ship.pos.y, y);
    EXPECT_GE(ship.pos.x, -250.0);
    EXPECT_LE(ship.pos.x, 249.0);
    EXPECT_GE(ship.pos.y, -250.0);
    EXPECT_LE(ship.pos.y, 249.0);
    EXPECT_EQ(ship.respawn_timer, 60);
    EXPECT_EQ(ship.deaths, 1);
    EXPECT_DOUBLE_EQ(ship.angle, 40.0);
}

TEST_F(ShipTest, RespawnClearsHomingButItsClockRunsOn) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS);
    ship.take_damage(100, Vec2());
    for (int i = 0; i < 60; i++) ship.update();
    EXPECT_EQ(ship.health, 100);
    EXPECT_EQ(ship.flags, 0u);
    EXPECT_EQ(ship.homing_timer, 540);
}

TEST_F(ShipTest, ADeadShipKeepsDrifting) {
    Ship ship;
    place(ship, Vec2(10.0, 10.0), 0.0);
    ship.vel = Vec2(1.0, -2.0);
    ship.take_damage(100, Vec2());
    ship.update();
    EXPECT_DOUBLE_EQ(ship.pos.x, 11.0);
    EXPECT_DOUBLE_EQ(ship.pos.y, 8.0);
}

}  // namespace
