#include "combat_fixture.h"

namespace {

using ShipTest = CombatTest;

TEST_F(ShipTest, TheFirstTwoShipsArePlayersZeroAndOneWithTheirOwnWeaponsFacingRight) {
    Ship first, second;
    EXPECT_EQ(first.player, 0);
    EXPECT_EQ(first.weapon, 0);
    EXPECT_EQ(second.player, 1);
    EXPECT_EQ(second.weapon, 1);
    EXPECT_DOUBLE_EQ(first.angle, 64.0);
    EXPECT_GT(first.vel.x, 0.0);
}

TEST_F(ShipTest, TurnsAndThrustFollowTheUnwrappedHeading) {
    Ship ship;
    place(ship, Vec2(), 0.0);
    ship.thrust(0.2);  // heading 0 is up the screen
    EXPECT_DOUBLE_EQ(ship.vel.x, 0.0);
    EXPECT_DOUBLE_EQ(ship.vel.y, -0.2);
    for (int i = 0; i < 300; i++) ship.rotate(-1.0);
    EXPECT_DOUBLE_EQ(ship.angle, -300.0);
    ship.add_flags(QUICK_TURN);
    ship.rotate(1.0);
    EXPECT_DOUBLE_EQ(ship.angle, -297.0);
    ship.angle = 64.0;
    ship.thrust(-0.2);
    EXPECT_NEAR(ship.vel.x, -0.2, 1e-12);
}

// Over the limit (3, or 6 with a boost) a speed loses its excess divided by
// the damping (10, or 20 with a boost) each tick.
struct SpeedCase {
    unsigned flags;
    Vec2 vel, vel_after;
};

class SpeedLimit : public CombatTest, public testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedLimit, OneTick) {
    Ship ship;
    place(ship, Vec2(), 64.0);
    ship.add_flags(GetParam().flags);
    ship.vel = GetParam().vel;
    ship.update();
    EXPECT_NEAR(ship.vel.x, GetParam().vel_after.x, 1e-12);
    EXPECT_NEAR(ship.vel.y, GetParam().vel_after.y, 1e-12);
    EXPECT_NEAR(ship.pos.x, GetParam().vel_after.x, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Ship, SpeedLimit, testing::Values(
    SpeedCase{0, {2.4, -3.2}, {2.34, -3.12}}, SpeedCase{0, {-3, 0}, {-3, 0}},
    SpeedCase{SPEED_BOOST, {4, 0}, {4, 0}}, SpeedCase{SPEED_BOOST, {0, 8}, {0, 7.9}}));

TEST_F(ShipTest, HomingLastsSixHundredUpdatesFromTheLastPickUp) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS);
    for (int i = 0; i < 100; i++) ship.update();
    ship.add_flags(HOMING_SHOTS);
    for (int i = 0; i < 599; i++) ship.update();
    EXPECT_TRUE(ship.flags & HOMING_SHOTS);
    ship.update();
    EXPECT_FALSE(ship.flags & HOMING_SHOTS);
}

TEST_F(ShipTest, AGrantOfSeveralAbilitiesStartsNoClockAndNoDamping) {
    Ship ship;
    ship.add_flags(511);
    ship.remove_flags(FAST_SHOTS);
    EXPECT_EQ(ship.flags, 509u);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 10.0);
    for (int i = 0; i < 700; i++) ship.update();
    EXPECT_TRUE(ship.flags & HOMING_SHOTS);
}

// Health 100 before, sparks shown for 3 more ticks, 37 ticks since a death.
struct Hit {
    const char* what;
    int health, amount, health_after, deaths, hit_flash, respawn_timer;
    bool marks_the_place;
};

class Damage : public CombatTest, public testing::WithParamInterface<Hit> {};

TEST_P(Damage, TakeDamage) {
    const Hit& c = GetParam();
    SCOPED_TRACE(c.what);
    Ship ship;
    ship.health = c.health;
    ship.hit_flash = 3;
    ship.respawn_timer = 37;
    ship.take_damage(c.amount, Vec2(8, 9));
    EXPECT_EQ(ship.health, c.health_after);
    EXPECT_EQ(ship.deaths, c.deaths);
    EXPECT_EQ(ship.hit_flash, c.hit_flash);
    EXPECT_EQ(ship.respawn_timer, c.respawn_timer);
    EXPECT_EQ(ship.last_hit.x == 8, c.marks_the_place);
}

INSTANTIATE_TEST_SUITE_P(Ship, Damage, testing::Values(
    Hit{"a hit", 100, 5, 95, 0, 10, 37, true},
    Hit{"a killing hit", 10, 12, -2, 1, 3, 0, true},
    Hit{"exactly to zero", 5, 5, 0, 1, 3, 0, true},
    Hit{"down to one", 6, 5, 1, 0, 10, 37, true},
    Hit{"a repair, past full", 100, -25, 125, 0, 10, 37, true},
    Hit{"a dead ship is hit", 0, 5, 0, 0, 3, 37, false},
    Hit{"a dead ship is repaired", -4, -25, -4, 0, 3, 37, false}));

TEST_F(ShipTest, ADeadShipDriftsAndComesBackOnTheSixtiethUpdate) {
    Ship ship;
    place(ship, Vec2(700, -300), 40.0);
    ship.vel = Vec2(1.0, -2.0);
    ship.add_flags(SPEED_BOOST);
    ship.add_flags(HOMING_SHOTS);
    ship.add_flags(TRIPLE_SHOT | QUICK_TURN);
    ship.hit_flash = 2;
    ship.take_damage(150, Vec2());
    ship.update();
    EXPECT_DOUBLE_EQ(ship.pos.x, 701.0);
    EXPECT_EQ(ship.hit_flash, 1);
    for (int i = 1; i < 59; i++) ship.update();
    EXPECT_LE(ship.health, 0);
    EXPECT_EQ(ship.hit_flash, 0);

    ship.update();
    EXPECT_EQ(ship.health, 100);
    EXPECT_EQ(ship.flags, 0u);
    EXPECT_EQ(ship.deaths, 1);
    EXPECT_DOUBLE_EQ(ship.angle, 40.0);
    EXPECT_DOUBLE_EQ(ship.speed_damping, 20.0);  // the boost's damping outlives it
    EXPECT_EQ(ship.homing_timer, 540);           // and the homing clock runs on
    EXPECT_GE(ship.pos.x, -250.0 + ship.vel.x);
    EXPECT_LE(ship.pos.x, 249.0 + ship.vel.x);
    EXPECT_GE(ship.pos.y, -250.0 + ship.vel.y);
    EXPECT_LE(ship.pos.y, 249.0 + ship.vel.y);
}

}  // namespace
