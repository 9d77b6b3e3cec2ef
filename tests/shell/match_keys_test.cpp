#include <cstdlib>

#include "support/match_fixture.h"

namespace {

// One battle tick with keys held, both ships at rest, heading up the screen,
// holding weapons 0 and 1.
struct Binding {
    const char* what;
    int key1, key2, shifts;
    double angle1, angle2, vel_y1, vel_y2;
    int bullets1, bullets2, weapon1, items;
    unsigned flags1;
};

class KeyBinding : public MatchTest, public testing::WithParamInterface<Binding> {};

TEST_P(KeyBinding, ActsOnTheRightShip) {
    const Binding& b = GetParam();
    SCOPED_TRACE(b.what);
    std::srand(1);
    start_battle(*match);
    for (Ship* ship : {&match->ship1, &match->ship2}) {
        ship->vel = Vec2();
        ship->angle = 0.0;
    }
    begin_phase(*match);
    run_ticks(PHASE_BATTLE, 0);  // the first frame fits the view to the ships
    key[b.key1] = key[b.key2] = 1;
    key_shifts = b.shifts;
    run_ticks(PHASE_BATTLE, 1);

    EXPECT_DOUBLE_EQ(match->ship1.angle, b.angle1);
    EXPECT_DOUBLE_EQ(match->ship2.angle, b.angle2);
    EXPECT_NEAR(match->ship1.vel.y, b.vel_y1, 1e-12);
    EXPECT_NEAR(match->ship2.vel.y, b.vel_y2, 1e-12);
    EXPECT_EQ(live_bullets(match->ship1), b.bullets1);
    EXPECT_EQ(live_bullets(match->ship2), b.bullets2);
    EXPECT_EQ(match->ship1.weapon, b.weapon1);
    EXPECT_EQ(match->ship2.weapon, 1);  // player 2 cannot change weapon in battle
    EXPECT_EQ(live_items(match->powerups), b.items);
    EXPECT_EQ(match->ship1.flags, b.flags1);
    EXPECT_EQ(match->ship2.flags, 0u);
}

INSTANTIATE_TEST_SUITE_P(Battle, KeyBinding, testing::Values(
    Binding{"nothing", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    Binding{"Left", KEY_LEFT, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0},
    Binding{"Right", KEY_RIGHT, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
    Binding{"Up", KEY_UP, 0, 0, 0, 0, -0.2, 0, 0, 0, 0, 0, 0},
    Binding{"Down", KEY_DOWN, 0, 0, 0, 0, 0.2, 0, 0, 0, 0, 0, 0},
    Binding{"D", KEY_D, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0},
    Binding{"G", KEY_G, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},
    Binding{"R", KEY_R, 0, 0, 0, 0, 0, -0.1, 0, 0, 0, 0, 0},
    Binding{"F", KEY_F, 0, 0, 0, 0, 0, 0.1, 0, 0, 0, 0, 0},
    Binding{"Ctrl", 0, 0, KB_CTRL_FLAG, 0, 0, 0, 0, 1, 0, 0, 0, 0},
    Binding{"Shift", 0, 0, KB_SHIFT_FLAG, 0, 0, 0, 0, 0, 1, 0, 0, 0},
    Binding{"2", KEY_2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0},
    Binding{"1 and 3: the last wins", KEY_1, KEY_3, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0},
    Binding{"Tab+A", KEY_TAB, KEY_A, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0},
    Binding{"A alone", KEY_A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    Binding{"Tab+H", KEY_TAB, KEY_H, 0, 0, 0, 0, 0, 0, 0, 0, 0, HOMING_SHOTS},
    Binding{"Tab+P", KEY_TAB, KEY_P, 0, 0, 0, 0, 0, 0, 0, 0, 0, 511}));

TEST_F(MatchTest, BattleFrameFitsTheViewAndDrawsTheArenaBorder) {
    start_battle(*match);
    match->ship1.pos = Vec2(-1500.0, 0.0);
    match->ship2.pos = Vec2(1500.0, 0.0);
    begin_phase(*match);
    run_ticks(PHASE_BATTLE, 0);
    // The ships sit on the left and right walls, 480 pixels apart around the
    // centre: the border's sides land at columns 80 and 560, its top at row 80.
    int border = makecol(255, 128, 128);
    EXPECT_EQ(getpixel(buffer, 80, 100), border);
    EXPECT_EQ(getpixel(buffer, 560, 100), border);
    EXPECT_EQ(getpixel(buffer, 320, 80), border);
}

}  // namespace
