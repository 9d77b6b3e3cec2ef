#include <gtest/gtest.h>

#include "combat/ship.h"
#include "combat_fixture.h"

namespace {

class DamageTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        place(shooter, Vec2(-500.0, 0.0), 0.0);
        place(target, Vec2(200.0, 100.0), 0.0);
    }

    // A live bullet of the shooter's sitting at a given place.
    void put_bullet(int index, Vec2 where, int damage) {
        if (shooter.bullets.size() <= index) shooter.bullets.resize(index + 1);
        Bullet& b = shooter.bullets.at(index);
        b.kind = 1;
        b.pos = where;
        b.damage = damage;
        b.target = &target;
    }

    Ship shooter;
    Ship target;
};

TEST_F(DamageTest, AHitLowersHealthAndShowsSparks) {
    target.take_damage(5, Vec2(3.0, 4.0));
    EXPECT_EQ(target.health, 95);
    EXPECT_EQ(target.hit_flash, 10);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 3.0);
    EXPECT_DOUBLE_EQ(target.last_hit.y, 4.0);
    EXPECT_EQ(target.deaths, 0);
}

TEST_F(DamageTest, AKillingHitCountsADeathAndStartsTheRespawnClock) {
    target.health = 10;
    target.respawn_timer = 37;
    target.hit_flash = 3;
    target.take_damage(12, Vec2(-1.0, 2.0));
    EXPECT_EQ(target.health, -2);
    EXPECT_EQ(target.deaths, 1);
    EXPECT_EQ(target.respawn_timer, 0);
    EXPECT_EQ(target.hit_flash, 3);
    EXPECT_DOUBLE_EQ(target.last_hit.x, -1.0);
}

TEST_F(DamageTest, ANegativeAmountHealsPastFullHealth) {
    target.take_damage(-25, Vec2(8.0, 9.0));
    EXPECT_EQ(target.health, 125);
    EXPECT_EQ(target.hit_flash, 10);
    EXPECT_DOUBLE_EQ(target.last_hit.y, 9.0);
}

TEST_F(DamageTest, ADeadShipTakesNothing) {
    target.take_damage(100, Vec2(1.0, 1.0));
    ASSERT_EQ(target.health, 0);
    target.hit_flash = 0;
    target.respawn_timer = 20;

    target.take_damage(5, Vec2(50.0, 60.0));
    target.take_damage(-25, Vec2(50.0, 60.0));
    EXPECT_EQ(target.health, 0);
    EXPECT_EQ(target.deaths, 1);
    EXPECT_EQ(target.hit_flash, 0);
    EXPECT_EQ(target.respawn_timer, 20);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 1.0);
    EXPECT_DOUBLE_EQ(target.last_hit.y, 1.0);
}

TEST_F(DamageTest, AnOverlappingBulletHitsAndIsUsedUp) {
    put_bullet(0, Vec2(190.0, 110.0), 12);
    shooter.check_hits(target);
    EXPECT_EQ(target.health, 88);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 190.0);
    EXPECT_DOUBLE_EQ(target.last_hit.y, 110.0);
    EXPECT_EQ(shooter.bullets.at(0).kind, 0);
}

TEST_F(DamageTest, ABulletThatMissesFliesOn) {
    put_bullet(0, Vec2(184.0, 100.0), 12);
    shooter.check_hits(target);
    EXPECT_EQ(target.health, 100);
    EXPECT_EQ(shooter.bullets.at(0).kind, 1);
}

TEST_F(DamageTest, BulletsPassThroughADeadTarget) {
    target.take_damage(100, Vec2(0.0, 0.0));
    put_bullet(0, Vec2(200.0, 100.0), 12);
    put_bullet(1, Vec2(210.0, 110.0), 12);
    shooter.check_hits(target);
    EXPECT_EQ(shooter.bullets.at(0).kind, 1);
    EXPECT_EQ(shooter.bullets.at(1).kind, 1);
    EXPECT_EQ(target.health, 0);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 0.0);
}

TEST_F(DamageTest, AKillingVolleyIsUsedUpWhole) {
    target.health = 10;
    put_bullet(0, Vec2(205.0, 100.0), 12);
    put_bullet(1, Vec2(100.0, 100.0), 12);
    put_bullet(2, Vec2(210.0, 110.0), 12);
    put_bullet(3, Vec2(215.0, 120.0), 12);

    shooter.check_hits(target);

    EXPECT_EQ(target.health, -2);
    EXPECT_EQ(target.deaths, 1);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 205.0);
    EXPECT_EQ(shooter.bullets.at(0).kind, 0);
    EXPECT_EQ(shooter.bullets.at(1).kind, 1);
    EXPECT_EQ(shooter.bullets.at(2).kind, 0);
    EXPECT_EQ(shooter.bullets.at(3).kind, 0);
}

TEST_F(DamageTest, AShotFiredAtPointBlankHitsOnTheNextCheck) {
    place(shooter, Vec2(200.0, 100.0), 0.0);
    shooter.fire(target);
    shooter.check_hits(target);
    EXPECT_EQ(target.health, 88);
    EXPECT_EQ(live_bullets(shooter), 0);
}

}  // namespace
