// Bodies moving through the arena, ships firing, bullets hitting, and the
// bullet records.
#include "combat/weapons.h"
#include "support/match_fixture.h"

// One tick of a body against the walls at x = -1500, 1500 and y = -1000,
// 1000: one found beyond a wall is put back 10 inside, at half speed inward.
// Rows: position, velocity; position and velocity after.
TEST(Body, WallRebound) {
    const Vec2 rows[][4] = {{{-1500, 1000}, {-3, 0}, {-1503, 1000}, {-3, 0}},  // on the walls: not yet
                            {{1500, -1000}, {3, -4}, {1503, -1004}, {3, -4}},
                            {{1600, -1200}, {-4, 6}, {1488, -987}, {-2, 3}},   // inward already
                            {{-1600, 1100}, {-2, 3}, {-1489, 988.5}, {1, -1.5}},
                            {{-1600, 1100}, {-2, 3}, {-1602, 1103}, {-2, 3}}};  // one that does not bounce
    for (const auto& r : rows) {
        Body b;
        b.bounces = &r != &rows[4];
        b.pos = r[0], b.vel = r[1];
        b.move();
        EXPECT_TRUE(close_to(b.pos, r[2]) && close_to(b.vel, r[3])) << b.pos.x << ", " << b.pos.y;
    }
}

// Two bullets' 16 x 16 boxes, anchored at their minimum corner, each way
// round: touching edges do not overlap.
TEST(Boxes, OverlapOnlyWhenTheyShareArea) {
    const std::vector<std::pair<Vec2, bool>> rows = {
        {{16, 0}, false}, {{0, 16}, false}, {{15.999, 0}, true}, {{0, -15.999}, true}};
    Bullet a, b;
    for (const auto& [where, overlaps] : rows) {
        b.pos = where;
        EXPECT_TRUE(a.overlaps(b) == overlaps && b.overlaps(a) == overlaps) << where.x << ", " << where.y;
    }
}

// One tick of a bullet launched at 13 a tick, in the view (0, 0)-(640, 480),
// its target at (300, 200). It is gone once outside the view, edges being
// inside. Homing pulls it half a unit toward the target, then takes back
// half of any excess over 13. Rows: homing, position, velocity; still
// flying and velocity after.
TEST(Bullet, OneTick) {
    camera.set_identity();
    Ship target;
    target.pos = Vec2(300, 200);
    struct { int homing; Vec2 pos, vel; bool flying; Vec2 after; } rows[] = {
        {0, {0, 0}, {0, 0}, true, {0, 0}}, {0, {640, 480}, {0, 0}, true, {0, 0}},
        {0, {-0.001, 10}, {0, 0}, false, {0, 0}}, {0, {640.001, 10}, {0, 0}, false, {0, 0}},
        {0, {10, 480.001}, {0, 0}, false, {0, 0}}, {1, {400, 200}, {0, 0}, true, {-0.5, 0}},
        {1, {400, 200}, {-13, 0}, true, {-13.25, 0}}, {1, {300, 200}, {2, 0}, true, {2, 0}}};  // on the target: no pull
    for (const auto& r : rows) {
        Bullet b;
        b.kind = 1, b.speed = 13.0, b.target = &target;
        b.homing = r.homing, b.pos = r.pos, b.vel = r.vel;
        b.update();
        EXPECT_TRUE((b.kind != 0) == r.flying && close_to(b.vel, r.after)) << r.pos.x << ", " << r.pos.y;
    }
}

// Over the limit (3, or 6 with a boost) a ship sheds the excess divided by
// the damping (10, or 20 with a boost) in a tick.
TEST(Ship, SpeedLimit) {
    struct { unsigned flags; Vec2 vel, after; } rows[] = {
        {0u, {2.4, -3.2}, {2.34, -3.12}}, {SPEED_BOOST, {4, 0}, {4, 0}}, {SPEED_BOOST, {0, 8}, {0, 7.9}}};
    for (const auto& r : rows) {
        Ship ship;
        ship.add_flags(r.flags);
        ship.vel = r.vel;
        ship.update();
        EXPECT_PRED2(close_to, ship.vel, r.after);
    }
}

TEST(Ship, HomingLastsSixHundredUpdatesFromTheLastPickUp) {
    Ship ship;
    ship.add_flags(HOMING_SHOTS);
    for (int i = 0; i < 100; i++) ship.update();
    ship.add_flags(HOMING_SHOTS);
    for (int i = 0; i < 599; i++) ship.update();
    EXPECT_TRUE(ship.flags & HOMING_SHOTS);
    ship.update();
    EXPECT_FALSE(ship.flags & HOMING_SHOTS);
}

// Health before and the amount taken; then, after one update, health,
// deaths, ticks of sparks left and ticks since the last death, which were 3
// and 37 before: only a wreck counts them.
TEST(Ship, TakeDamage) {
    const std::vector<std::vector<int>> rows = {
        {100, 5, 95, 0, 9, 37}, {6, 5, 1, 0, 9, 37}, {5, 5, 0, 1, 2, 1},
        {0, 5, 0, 0, 2, 38}};  // a wreck takes no more
    for (const auto& r : rows) {
        Ship ship;
        ship.health = r[0];
        ship.hit_flash = 3;
        ship.respawn_timer = 37;
        ship.take_damage(r[1], Vec2(8, 9));
        ship.update();
        std::vector<int> after = {ship.health, ship.deaths, ship.hit_flash, ship.respawn_timer};
        EXPECT_EQ(after, std::vector<int>(r.begin() + 2, r.end())) << "from " << r[0];
    }
}

TEST(Ship, AWreckDriftsCannotFireAndComesBackOnTheSixtiethUpdate) {
    Ship ship, other;
    ship.pos = Vec2(700, -300);
    ship.vel = Vec2(1.0, -2.0);
    ship.add_flags(TRIPLE_SHOT);
    ship.hit_flash = 3;
    ship.take_damage(100, Vec2());  // exactly to zero
    ship.fire(other);
    EXPECT_EQ(live_bullets(ship), 0);
    ship.update();
    EXPECT_DOUBLE_EQ(ship.pos.x, 701.0);
    for (int i = 1; i < 59; i++) ship.update();
    EXPECT_TRUE(ship.health == 0 && ship.hit_flash == 0) << ship.health << ", sparks " << ship.hit_flash;
    // Back in the 500 x 500 square around the centre, x drawn before y, then one step on.
    std::srand(7);
    const int x = std::rand() % 500 - 250, y = std::rand() % 500 - 250;
    std::srand(7);
    ship.update();
    EXPECT_TRUE(ship.health == 100 && ship.flags == 0u) << ship.health << ", abilities " << ship.flags;
    EXPECT_TRUE(ship.pos.x == x + 1 && ship.pos.y == y - 2) << ship.pos.x << ", " << ship.pos.y;
}

// A ship at rest heading up the screen holds fire, in a view so wide that no
// shot leaves it. Rows: weapon, speed, damage, kind, cooldown.
TEST(Weapons, HeldFireShootsTheRowsBulletOncePerCooldown) {
    camera = Camera{-1.0e6, -1.0e6, 1.0e6, 1.0e6, 1.0};
    struct { int weapon; double speed; int damage, kind, cooldown; } rows[] = {{0, 13.0, 12, 1, 25}, {1, 20.0, 5, 2, 12},
                                                                              {2, 16.0, 8, 2, 18}};
    for (auto [weapon, speed, damage, kind, cooldown] : rows) {
        Ship shooter, target;
        shooter.select_weapon(weapon);
        shooter.pos = shooter.vel = Vec2();
        shooter.angle = 0.0;
        std::vector<int> ready;  // the ticks at which it may fire again
        for (int t = 0; t <= 3 * cooldown; t++) {
            if (shooter.fire_cooldown == 0) ready.push_back(t);
            shooter.fire(target);
            shooter.update();
        }
        EXPECT_EQ(ready, (std::vector<int>{0, cooldown, 2 * cooldown, 3 * cooldown}));
        EXPECT_TRUE(live_bullets(shooter) == 4 && shooter.bullets.size() == 4);  // grown by one a shot while all fly
        const Bullet& b = shooter.bullets.at(0);
        EXPECT_TRUE(b.kind == kind && b.damage == damage && !b.bounces && !b.homing) << weapon;
        EXPECT_PRED2(close_to, b.vel, Vec2(0, -speed));
        EXPECT_PRED2(close_to, b.pos, Vec2(0, -(3 * cooldown + 1) * speed));  // flown on every update
        EXPECT_TRUE(WEAPONS[weapon].sound_slot == weapon && std::size(WEAPONS) == 3) << "each of three fires its own sound";
    }
}

// Heading 64 points toward +x; the side shots go 8 units either side of it.
// All three leave at twice 13 with fast shots, on top of the shooter's
// velocity, and carry its abilities.
TEST(Firing, ATripleShotFansThreeBulletsForOneCooldown) {
    Ship shooter, target;
    shooter.select_weapon(0);
    shooter.angle = 64.0;
    shooter.vel = Vec2(1.0, 2.0);
    shooter.add_flags(TRIPLE_SHOT | BOUNCING_SHOTS | FAST_SHOTS | HOMING_SHOTS);
    shooter.fire(target);
    EXPECT_EQ(shooter.fire_cooldown, 25);
    const double headings[3] = {64.0, 56.0, 72.0};
    const Vec2 vels[3] = {{27.0, 2.0}, {26.5004, -3.0723}, {26.5004, 7.0723}};
    for (int i = 0; i < 3; i++) {
        const Bullet& b = shooter.bullets.at(i);
        EXPECT_DOUBLE_EQ(b.angle, headings[i]);
        EXPECT_TRUE(std::fabs(b.vel.x - vels[i].x) < 1e-4 && std::fabs(b.vel.y - vels[i].y) < 1e-4) << b.vel.x << ", " << b.vel.y;
        EXPECT_TRUE(b.kind && b.bounces && b.homing == 1);
    }
}

// The target is tested once per check: the rest of a volley that kills is
// used up on the wreck, a bullet that misses flies on, and later bullets
// pass through the wreck. The next shot takes the first free record.
TEST(Firing, AKillingVolleyIsUsedUpWholeAMissFliesOnAndTheWreckLetsShotsThrough) {
    Ship shooter, target;
    shooter.select_weapon(0);
    target.pos = Vec2(200, 100);
    target.health = 10;
    const Vec2 volley[5] = {{205, 100}, {184, 100}, {210, 110}, {215, 116}, {200, 100}};
    shooter.bullets.resize(5);
    for (int i = 0; i < 5; i++) {
        shooter.bullets.at(i).kind = i < 4 ? 1 : 0;
        shooter.bullets.at(i).pos = volley[i];
        shooter.bullets.at(i).damage = 12;
    }
    shooter.check_hits(target);
    EXPECT_TRUE(target.health == -2 && target.deaths == 1) << target.health << ", deaths " << target.deaths;
    shooter.bullets.at(4).kind = 1;
    shooter.check_hits(target);
    shooter.fire(target);
    std::vector<int> kinds;
    for (int i = 0; i < shooter.bullets.size(); i++) kinds.push_back(shooter.bullets.at(i).kind);
    EXPECT_EQ(kinds, (std::vector<int>{1, 1, 0, 0, 1}));
}

// The whole of what the process writes on its error stream, and status 1;
// also through the read-only access.
TEST(RecordArrayDeathTest, ABadIndexEndsTheProcessNamingIt) {
    BulletList list;
    list.resize(3);
    EXPECT_EXIT(list.at(-1), testing::ExitedWithCode(1), "^Illegal vector index: -1 max index = 2\n$");
    EXPECT_EXIT(std::as_const(list).at(3), testing::ExitedWithCode(1), "^Illegal vector index: 3 max index = 2\n$");
    list.resize(0);
    EXPECT_EXIT(list.at(0), testing::ExitedWithCode(1), "^Illegal vector index: 0 max index = -1\n$");
}
