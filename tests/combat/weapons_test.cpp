#include <allegro.h>
#include <vector>

#include <gtest/gtest.h>

#include "combat/ship.h"
#include "combat_fixture.h"
#include "shell/resources.h"

namespace {

// The bullet sprites are borrowed from the data file in the game; here three
// small bitmaps stand in so each weapon's choice can be seen.
class WeaponsTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        for (int i = 0; i < 3; i++) bullet_sprites[i] = create_bitmap(4, 4);
        place(shooter, Vec2(100.0, 50.0), 0.0);
        place(target, Vec2(-400.0, 50.0), 0.0);
    }
    void TearDown() override {
        for (int i = 0; i < 3; i++) {
            destroy_bitmap(bullet_sprites[i]);
            bullet_sprites[i] = nullptr;
        }
        CombatTest::TearDown();
    }

    // Holds fire for the given number of ticks (fire, then update, as the
    // battle does) and returns the ticks on which a shot left the ship.
    std::vector<int> hold_fire(int ticks) {
        std::vector<int> shots;
        for (int t = 0; t < ticks; t++) {
            int before = live_bullets(shooter);
            shooter.fire(target);
            if (live_bullets(shooter) > before) shots.push_back(t);
            shooter.update();
        }
        return shots;
    }

    Ship shooter;
    Ship target;
};

TEST_F(WeaponsTest, HeldFireWithTheHeavyShotFiresEvery25Ticks) {
    shooter.select_weapon(0);
    EXPECT_EQ(hold_fire(101), (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST_F(WeaponsTest, HeldFireWithTheNeedleFiresEvery12Ticks) {
    shooter.select_weapon(1);
    EXPECT_EQ(hold_fire(40), (std::vector<int>{0, 12, 24, 36}));
}

TEST_F(WeaponsTest, HeldFireWithTheBoltFiresEvery18Ticks) {
    shooter.select_weapon(2);
    EXPECT_EQ(hold_fire(40), (std::vector<int>{0, 18, 36}));
}

TEST_F(WeaponsTest, AShipAtRestFiresTheHeavyShotStraightUp) {
    shooter.select_weapon(0);
    shooter.fire(target);

    const Bullet& b = shooter.bullets.at(0);
    EXPECT_EQ(b.kind, 1);
    EXPECT_DOUBLE_EQ(b.pos.x, 100.0);
    EXPECT_DOUBLE_EQ(b.pos.y, 50.0);
    EXPECT_DOUBLE_EQ(b.vel.x, 0.0);
    EXPECT_DOUBLE_EQ(b.vel.y, -13.0);
    EXPECT_DOUBLE_EQ(b.speed, 13.0);
    EXPECT_EQ(b.damage, 12);
    EXPECT_EQ(b.get_damage(), 12);
    EXPECT_DOUBLE_EQ(b.angle, 0.0);
    EXPECT_EQ(b.sprite, bullet_sprites[0]);
    EXPECT_EQ(b.target, &target);
    EXPECT_EQ(b.homing, 0);
    EXPECT_FALSE(b.bounces);
    EXPECT_EQ(shooter.fire_cooldown, 25);
}

TEST_F(WeaponsTest, EachWeaponFillsItsOwnRow) {
    shooter.select_weapon(1);
    shooter.fire(target);
    const Bullet& needle = shooter.bullets.at(0);
    EXPECT_EQ(needle.kind, 2);
    EXPECT_EQ(needle.damage, 5);
    EXPECT_DOUBLE_EQ(needle.speed, 20.0);
    EXPECT_DOUBLE_EQ(needle.vel.y, -20.0);
    EXPECT_EQ(needle.sprite, bullet_sprites[1]);
    EXPECT_EQ(shooter.fire_cooldown, 12);

    shooter.fire_cooldown = 0;
    shooter.select_weapon(2);
    shooter.fire(target);
    const Bullet& bolt = shooter.bullets.at(1);
    EXPECT_EQ(bolt.kind, 2);
    EXPECT_EQ(bolt.damage, 8);
    EXPECT_DOUBLE_EQ(bolt.speed, 16.0);
    EXPECT_DOUBLE_EQ(bolt.vel.y, -16.0);
    EXPECT_EQ(bolt.sprite, bullet_sprites[2]);
    EXPECT_EQ(shooter.fire_cooldown, 18);
}

TEST_F(WeaponsTest, FastShotsDoubleTheSpeed) {
    shooter.add_flags(FAST_SHOTS);
    shooter.fire(target);
    const Bullet& b = shooter.bullets.at(0);
    EXPECT_DOUBLE_EQ(b.vel.x, 0.0);
    EXPECT_DOUBLE_EQ(b.vel.y, -26.0);
    EXPECT_DOUBLE_EQ(b.speed, 26.0);
}

TEST_F(WeaponsTest, ABulletInheritsTheShootersVelocity) {
    place(shooter, Vec2(0.0, 0.0), 64.0);
    shooter.vel = Vec2(1.0, 2.0);
    shooter.fire(target);
    const Bullet& b = shooter.bullets.at(0);
    EXPECT_NEAR(b.vel.x, 14.0, 1e-9);
    EXPECT_NEAR(b.vel.y, 2.0, 1e-4);
    EXPECT_DOUBLE_EQ(b.angle, 64.0);
}

TEST_F(WeaponsTest, TripleShotPlacesThreeBulletsForOneCooldown) {
    place(shooter, Vec2(0.0, 0.0), 64.0);
    shooter.add_flags(TRIPLE_SHOT);
    shooter.fire(target);

    ASSERT_EQ(shooter.bullets.size(), 3);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(0).angle, 64.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(1).angle, 56.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(2).angle, 72.0);
    for (int i = 0; i < 3; i++) EXPECT_EQ(shooter.bullets.at(i).kind, 1);
    EXPECT_EQ(shooter.fire_cooldown, 25);

    // Eight units either side of straight right: mirror images about the x axis.
    Vec2 lower = shooter.bullets.at(1).vel;
    Vec2 upper = shooter.bullets.at(2).vel;
    EXPECT_NEAR(lower.x, upper.x, 1e-4);
    EXPECT_NEAR(lower.y, -upper.y, 1e-4);
    EXPECT_LT(lower.y, 0.0);
}

TEST_F(WeaponsTest, AbilitiesAreCarriedIntoTheBullet) {
    shooter.add_flags(BOUNCING_SHOTS | HOMING_SHOTS);
    shooter.fire(target);
    EXPECT_TRUE(shooter.bullets.at(0).bounces);
    EXPECT_EQ(shooter.bullets.at(0).homing, 1);
}

TEST_F(WeaponsTest, NoShotDuringTheCooldown) {
    shooter.fire_cooldown = 1;
    shooter.fire(target);
    EXPECT_EQ(live_bullets(shooter), 0);
    EXPECT_EQ(shooter.fire_cooldown, 1);
}

TEST_F(WeaponsTest, ADeadShipCannotFire) {
    shooter.take_damage(100, Vec2());
    shooter.fire(target);
    EXPECT_EQ(live_bullets(shooter), 0);
    EXPECT_EQ(shooter.fire_cooldown, 0);
}

TEST_F(WeaponsTest, TheLastSelectedWeaponIsFired) {
    shooter.select_weapon(2);
    shooter.fire(target);
    EXPECT_EQ(shooter.bullets.at(0).damage, 8);
    EXPECT_EQ(shooter.fire_cooldown, 18);
}

}  // namespace
