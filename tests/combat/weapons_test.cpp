#include <vector>

#include "combat_fixture.h"
#include "shell/resources.h"

namespace {

class Firing : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        place(shooter, Vec2(100, 50), 0.0);
        place(target, Vec2(-400, 50), 0.0);
    }
    Ship shooter;
    Ship target;
};

struct WeaponRow {
    int weapon;
    double speed;
    int damage, kind, cooldown;
};

class Weapons : public Firing, public testing::WithParamInterface<WeaponRow> {};

TEST_P(Weapons, HeldFireShootsTheRowsBulletOncePerCooldown) {
    const WeaponRow& w = GetParam();
    shooter.select_weapon(w.weapon);
    std::vector<int> shots;
    for (int t = 0; t <= 4 * w.cooldown; t++) {
        int before = live_bullets(shooter);
        shooter.fire(target);
        if (live_bullets(shooter) > before) shots.push_back(t);
        shooter.update();
    }
    int c = w.cooldown;
    EXPECT_EQ(shots, (std::vector<int>{0, c, 2 * c, 3 * c, 4 * c}));

    const Bullet& b = shooter.bullets.at(0);  // heading 0 is up the screen
    EXPECT_EQ(b.kind, w.kind);
    EXPECT_EQ(b.damage, w.damage);
    EXPECT_DOUBLE_EQ(b.speed, w.speed);
    EXPECT_DOUBLE_EQ(b.vel.x, 0.0);
    EXPECT_DOUBLE_EQ(b.vel.y, -w.speed);
    EXPECT_DOUBLE_EQ(b.pos.y, 50.0 - (4 * c + 1) * w.speed);
    EXPECT_EQ(b.sprite, bullet_sprites[w.weapon]);
    EXPECT_EQ(b.target, &target);
    EXPECT_FALSE(b.bounces || b.homing);

    Ship fast;
    place(fast, Vec2(), 0.0);
    fast.select_weapon(w.weapon);
    fast.add_flags(FAST_SHOTS);
    fast.fire(target);
    EXPECT_DOUBLE_EQ(fast.bullets.at(0).vel.y, -2 * w.speed);
    EXPECT_DOUBLE_EQ(fast.bullets.at(0).speed, 2 * w.speed);
}

INSTANTIATE_TEST_SUITE_P(Rows, Weapons, testing::Values(
    WeaponRow{0, 13.0, 12, 1, 25}, WeaponRow{1, 20.0, 5, 2, 12}, WeaponRow{2, 16.0, 8, 2, 18}));

TEST_F(Firing, TripleShotFansThreeBulletsForOneCooldown) {
    place(shooter, Vec2(), 64.0);
    shooter.add_flags(TRIPLE_SHOT);
    shooter.fire(target);
    ASSERT_EQ(live_bullets(shooter), 3);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(0).angle, 64.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(1).angle, 56.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(2).angle, 72.0);
    EXPECT_EQ(shooter.fire_cooldown, 25);
    // Eight units either side of straight right: mirror images about the x axis.
    Vec2 lower = shooter.bullets.at(1).vel, upper = shooter.bullets.at(2).vel;
    EXPECT_NEAR(lower.x, upper.x, 1e-4);
    EXPECT_NEAR(lower.y, -upper.y, 1e-4);
    EXPECT_LT(lower.y, -1.0);
}

TEST_F(Firing, ABulletInheritsTheShootersVelocityAndAbilities) {
    place(shooter, Vec2(), 64.0);
    shooter.vel = Vec2(1.0, 2.0);
    shooter.add_flags(BOUNCING_SHOTS);
    shooter.add_flags(HOMING_SHOTS);
    shooter.fire(target);
    const Bullet& b = shooter.bullets.at(0);
    EXPECT_NEAR(b.vel.x, 14.0, 1e-9);
    EXPECT_NEAR(b.vel.y, 2.0, 1e-4);
    EXPECT_TRUE(b.bounces);
    EXPECT_EQ(b.homing, 1);
}

TEST_F(Firing, NoShotDuringTheCooldownNorFromADeadShip) {
    shooter.fire_cooldown = 1;
    shooter.fire(target);
    EXPECT_EQ(live_bullets(shooter), 0);
    shooter.fire_cooldown = 0;
    shooter.take_damage(100, Vec2());
    shooter.fire(target);
    EXPECT_EQ(live_bullets(shooter), 0);
}

// The target is tested once per check: the rest of a volley that kills is
// used up on the wreck, and later bullets pass through it.
TEST_F(Firing, AKillingVolleyIsUsedUpWholeAMissFliesOnAndTheWreckLetsShotsThrough) {
    place(target, Vec2(200, 100), 0.0);
    target.health = 10;
    const Vec2 volley[5] = {{205, 100}, {184, 100}, {210, 110}, {215, 116}, {200, 100}};
    shooter.bullets.resize(5);
    for (int i = 0; i < 5; i++) {
        Bullet& b = shooter.bullets.at(i);
        b.kind = i < 4 ? 1 : 0;
        b.pos = volley[i];
        b.damage = 12;
    }
    shooter.check_hits(target);
    EXPECT_EQ(target.health, -2);
    EXPECT_EQ(target.deaths, 1);
    EXPECT_DOUBLE_EQ(target.last_hit.x, 205.0);
    for (int i = 0; i < 4; i++) EXPECT_EQ(shooter.bullets.at(i).kind, i == 1 ? 1 : 0) << i;  // 1 only touched
    shooter.bullets.at(4).kind = 1;
    shooter.check_hits(target);
    EXPECT_EQ(shooter.bullets.at(4).kind, 1);
}

TEST_F(Firing, APointBlankShotHitsOnTheNextCheck) {
    place(shooter, target.pos, 0.0);
    shooter.fire(target);
    shooter.check_hits(target);
    EXPECT_EQ(target.health, 88);
    EXPECT_EQ(live_bullets(shooter), 0);
}

}  // namespace
