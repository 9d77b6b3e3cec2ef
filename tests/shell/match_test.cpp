// The phase loop, and the keys of the two players on the one keyboard.
#include <thread>
#include <vector>

#include "support/match_fixture.h"

// The prompt's first twenty letters, white on black on the top text row, as
// the library's font draws them.
bool prompt_drawn(BITMAP* b) {
    Canvas want(160, 8);
    textout_ex(want, font, "Player 1, select you", 0, 0, makecol(255, 255, 255), 0);
    return want.count(-1, 0, 0, 159, 7, b) == 0;
}

// Player 1's choice with Enter held: the first frame comes before any tick,
// so Enter is not seen yet; the ticks due when it is seen still run, and the
// frame after them.
TEST_F(MatchTest, TheFirstFrameComesBeforeAnyTickAndAStopKeyLetsTheDueTicksRun) {
    key[KEY_ENTER] = 1;
    game_clock.ticks = 5;
    begin_phase(*match);  // the due ticks are cleared
    Canvas shown;  // where each frame is copied
    screen = shown;
    EXPECT_TRUE(phase_pass(*match, PHASE_PLAYER_1_SELECT));
    EXPECT_TRUE(prompt_drawn(buffer) && prompt_drawn(shown));
    screen = nullptr;

    clear_bitmap(buffer);
    Vec2 start = match->ship1.pos;
    game_clock.ticks = 3;
    EXPECT_FALSE(phase_pass(*match, PHASE_PLAYER_1_SELECT));
    // It fired once (cooldown 25, counted down by each tick) and drifted
    // three steps.
    EXPECT_EQ(match->ship1.fire_cooldown, 25 - 3);
    EXPECT_DOUBLE_EQ(match->ship1.pos.x, start.x + 3 * match->ship1.vel.x);
    EXPECT_TRUE(prompt_drawn(buffer));
}

// One battle tick with keys held, both ships at rest heading up the screen
// with weapons 0 and 1. What follows, ship 1's then ship 2's: heading,
// velocity down the screen, bullets flying, weapon and abilities; and the
// items lying in the arena.
struct Binding {
    int key1, key2, key3, shifts;
    std::vector<double> after;
};

class KeyBinding : public MatchTest, public testing::WithParamInterface<Binding> {};

TEST_P(KeyBinding, ActsOnTheRightShip) {
    const Binding& b = GetParam();
    start_battle(*match);
    EXPECT_TRUE(close_to(match->ship1.pos, Vec2(-100, -100)) && close_to(match->ship2.pos, Vec2(100, 100)));  // fixed
    match->ship1.vel = match->ship2.vel = Vec2();
    match->ship1.angle = match->ship2.angle = 0.0;
    battle_frame(*match);  // fits the view to the ships
    key[b.key1] = key[b.key2] = key[b.key3] = 1;
    key_shifts = b.shifts;
    battle_logic_step(*match);
    std::vector<double> after;
    for (const Ship* s : {&match->ship1, &match->ship2})
        after.insert(after.end(), {s->angle, s->vel.y, double(live_bullets(*s)), double(s->weapon), double(s->flags)});
    after.push_back(live_items(match->powerups));
    EXPECT_EQ(after, b.after);
}

// Ship 1: heading, velocity, bullets, weapon, ability bits; ship 2 the same; items.
INSTANTIATE_TEST_SUITE_P(Battle, KeyBinding, testing::Values(
    Binding{KEY_LEFT, KEY_G, 0, 0, {-1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0}},
    Binding{KEY_RIGHT, KEY_D, 0, 0, {1, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0}},
    Binding{KEY_UP, KEY_F, 0, 0, {0, -0.2, 0, 0, 0, 0, 0.1, 0, 1, 0, 0}},
    Binding{KEY_DOWN, KEY_R, 0, 0, {0, 0.2, 0, 0, 0, 0, -0.1, 0, 1, 0, 0}},
    Binding{0, 0, 0, KB_CTRL_FLAG, {0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0}},
    Binding{0, 0, 0, KB_SHIFT_FLAG, {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0}},
    Binding{KEY_2, 0, 0, 0, {0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
    Binding{KEY_1, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
    Binding{KEY_1, KEY_3, 0, 0, {0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0}},  // the last wins
    Binding{KEY_TAB, KEY_A, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1}},
    Binding{KEY_TAB, KEY_H, 0, 0, {0, 0, 0, 0, 8, 0, 0, 0, 1, 0, 0}},
    Binding{KEY_TAB, KEY_P, KEY_LEFT, 0, {-3, 0, 0, 0, 511, 0, 0, 0, 1, 0, 0}}));  // quick turn among them

using MatchDeathTest = MatchTest;

TEST_F(MatchDeathTest, AHeldEscRunsThroughEveryPhaseAndEndsWithStatusZero) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    key[KEY_ESC] = 1;
    auto timer = [] {  // stands in for the library timer
        for (;; std::this_thread::sleep_for(std::chrono::milliseconds(2))) game_clock.ticks++;
    };
    EXPECT_EXIT((std::thread(timer).detach(), run_match(*match)), testing::ExitedWithCode(0), "");
}
