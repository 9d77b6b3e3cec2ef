#include <cmath>

#include "support/match_fixture.h"

namespace {

void one_battle_tick(Match& m) {
    game_clock.ticks = 1;
    phase_pass(m, PHASE_BATTLE);
}

int live_items(const PowerUpField& field) {
    int live = 0;
    for (int i = 0; i < field.powerups.size(); i++) live += field.powerups.at(i).type != PU_FREE;
    return live;
}

}  // namespace

TEST_F(MatchTest, PlayersTurnByOneUnitAndThrustByTheirOwnStep) {
    start_battle(*match);
    match->ship1.vel = Vec2();
    match->ship2.vel = Vec2();
    match->ship1.angle = 0.0;
    match->ship2.angle = 0.0;
    hold(KEY_LEFT);
    hold(KEY_D);
    one_battle_tick(*match);
    EXPECT_DOUBLE_EQ(match->ship1.angle, -1.0);
    EXPECT_DOUBLE_EQ(match->ship2.angle, -1.0);

    release_all_keys();
    hold(KEY_RIGHT);
    hold(KEY_G);
    one_battle_tick(*match);
    one_battle_tick(*match);
    EXPECT_DOUBLE_EQ(match->ship1.angle, 1.0);
    EXPECT_DOUBLE_EQ(match->ship2.angle, 1.0);

    release_all_keys();
    match->ship1.angle = 0.0;
    match->ship2.angle = 0.0;
    match->ship1.vel = Vec2();
    match->ship2.vel = Vec2();
    hold(KEY_UP);
    hold(KEY_R);
    one_battle_tick(*match);
    EXPECT_NEAR(match->ship1.vel.y, -0.2, 1e-12);
    EXPECT_NEAR(match->ship2.vel.y, -0.1, 1e-12);

    release_all_keys();
    hold(KEY_DOWN);
    hold(KEY_F);
    one_battle_tick(*match);
    EXPECT_NEAR(match->ship1.vel.y, 0.0, 1e-12);
    EXPECT_NEAR(match->ship2.vel.y, 0.0, 1e-12);
}

TEST_F(MatchTest, CtrlFiresShipOneAndShiftFiresShipTwo) {
    start_battle(*match);
    begin_phase(*match);
    phase_pass(*match, PHASE_BATTLE);  // the first frame fits the view to the ships
    key_shifts = KB_CTRL_FLAG;
    one_battle_tick(*match);
    EXPECT_NE(match->ship1.bullets.at(0).kind, 0);
    EXPECT_EQ(match->ship2.bullets.at(0).kind, 0);
    EXPECT_EQ(match->ship1.bullets.at(0).target, &match->ship2);

    key_shifts = KB_SHIFT_FLAG;
    one_battle_tick(*match);
    EXPECT_NE(match->ship2.bullets.at(0).kind, 0);
    EXPECT_EQ(match->ship2.bullets.at(0).target, &match->ship1);
}

TEST_F(MatchTest, TabCombinationsForPowerUpsAndAbilities) {
    start_battle(*match);
    hold(KEY_TAB);
    hold(KEY_A);
    for (int i = 0; i < 4; i++) one_battle_tick(*match);
    EXPECT_EQ(live_items(match->powerups), 4);

    release_all_keys();
    hold(KEY_TAB);
    hold(KEY_H);
    one_battle_tick(*match);
    EXPECT_TRUE(match->ship1.flags & HOMING_SHOTS);
    EXPECT_EQ(match->ship1.homing_timer, 600 - 1);  // set, then counted by the same tick
    EXPECT_EQ(match->ship2.flags, 0u);

    release_all_keys();
    hold(KEY_TAB);
    hold(KEY_P);
    double damping = match->ship1.speed_damping;
    one_battle_tick(*match);
    EXPECT_EQ(match->ship1.flags, 511u);
    EXPECT_EQ(match->ship1.speed_damping, damping);

    release_all_keys();
    hold(KEY_A);  // A alone spawns nothing
    int before = live_items(match->powerups);
    one_battle_tick(*match);
    EXPECT_EQ(live_items(match->powerups), before);
}

TEST_F(MatchTest, BattleFrameFitsTheViewAndDrawsTheArenaBorder) {
    start_battle(*match);
    match->ship1.pos = Vec2(-1500.0, 0.0);
    match->ship2.pos = Vec2(1500.0, 0.0);
    begin_phase(*match);
    phase_pass(*match, PHASE_BATTLE);
    EXPECT_DOUBLE_EQ(camera.zoom, 480.0 / 3000.0);
    // The ships sit on the left and right walls, 480 pixels apart around
    // the centre: the border's sides land at columns 80 and 560.
    int border = makecol(255, 128, 128);
    int left = static_cast<int>((-1500.0 - camera.left) * camera.zoom);
    int right = static_cast<int>((1500.0 - camera.left) * camera.zoom);
    EXPECT_EQ(left, 80);
    EXPECT_EQ(right, 560);
    EXPECT_EQ(getpixel(buffer, left, 100), border);
    EXPECT_EQ(getpixel(buffer, right, 100), border);
    int top = static_cast<int>((-1000.0 - camera.top) * camera.zoom);
    EXPECT_EQ(getpixel(buffer, 320, top), border);
}
