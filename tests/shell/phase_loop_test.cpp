#include <thread>

#include "support/match_fixture.h"

namespace {

struct StopKey {
    Phase phase;
    int key;
    bool ends;
};

class PhaseStop : public MatchTest, public testing::WithParamInterface<StopKey> {};

TEST_P(PhaseStop, EndsThePhaseAfterOneTickOrNot) {
    key[GetParam().key] = 1;
    begin_phase(*match);
    EXPECT_EQ(run_ticks(GetParam().phase, 1), !GetParam().ends);
}

INSTANTIATE_TEST_SUITE_P(Phases, PhaseStop, testing::Values(
    StopKey{PHASE_PLAYER_1_SELECT, KEY_ENTER, true}, StopKey{PHASE_PLAYER_1_SELECT, KEY_SPACE, false},
    StopKey{PHASE_PLAYER_2_SELECT, KEY_SPACE, true}, StopKey{PHASE_PLAYER_2_SELECT, KEY_ENTER, false},
    StopKey{PHASE_BATTLE, KEY_ENTER, false}, StopKey{PHASE_BATTLE, KEY_SPACE, false},
    StopKey{PHASE_PLAYER_1_SELECT, KEY_ESC, true}, StopKey{PHASE_PLAYER_2_SELECT, KEY_ESC, true},
    StopKey{PHASE_BATTLE, KEY_ESC, true}));

bool prompt_drawn(BITMAP* buffer) {
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8 * 20; x++)
            if (getpixel(buffer, x, y) == makecol(255, 255, 255)) return true;
    return false;
}

TEST_F(MatchTest, TheFirstFrameComesBeforeAnyTick) {
    key[KEY_ENTER] = 1;
    game_clock.ticks = 5;
    begin_phase(*match);
    EXPECT_TRUE(run_ticks(PHASE_PLAYER_1_SELECT, 0));  // no tick ran: Enter unseen
    EXPECT_TRUE(prompt_drawn(buffer));
    EXPECT_EQ(live_bullets(match->ship1), 0);  // no preview shot yet
}

TEST_F(MatchTest, AStopKeyLetsTheRemainingDueTicksAndTheFrameRun) {
    key[KEY_ENTER] = 1;
    begin_phase(*match);
    Vec2 start = match->ship1.pos;
    EXPECT_FALSE(run_ticks(PHASE_PLAYER_1_SELECT, 3));
    EXPECT_EQ(game_clock.ticks, 0);
    // Three ticks of the choosing ship: it fired once (cooldown 25, counted
    // down by each tick) and drifted three steps.
    EXPECT_EQ(match->ship1.fire_cooldown, 25 - 3);
    EXPECT_DOUBLE_EQ(match->ship1.pos.x, start.x + 3 * match->ship1.vel.x);
    EXPECT_TRUE(prompt_drawn(buffer));
}

TEST_F(MatchTest, EachChoiceMovesOnlyTheChoosingShipInTheStartUpView) {
    begin_phase(*match);
    Vec2 other = match->ship2.pos;
    key[KEY_3] = 1;
    run_ticks(PHASE_PLAYER_1_SELECT, 30);
    EXPECT_EQ(match->ship1.weapon, 2);
    EXPECT_EQ(match->ship2.weapon, 1);
    EXPECT_EQ(match->ship2.pos.x, other.x);
    EXPECT_EQ(live_bullets(match->ship2), 0);
    EXPECT_DOUBLE_EQ(camera.zoom, 1.0);
    EXPECT_DOUBLE_EQ(camera.right, 640.0);

    release_all_keys();
    key[KEY_1] = 1;
    run_ticks(PHASE_PLAYER_2_SELECT, 1);
    EXPECT_EQ(match->ship2.weapon, 0);
    EXPECT_EQ(match->ship1.weapon, 2);
}

TEST_F(MatchTest, TheBattleStartsFromFixedPlacesAndWaitsForItsTicks) {
    match->ship1.vel = Vec2(1.5, -2.0);
    start_battle(*match);
    EXPECT_EQ(match->ship1.pos.x, -100.0);
    EXPECT_EQ(match->ship1.pos.y, -100.0);
    EXPECT_EQ(match->ship2.pos.x, 100.0);
    EXPECT_EQ(match->ship2.pos.y, 100.0);
    begin_phase(*match);
    for (int i = 0; i < 5; i++) EXPECT_TRUE(run_ticks(PHASE_BATTLE, 0));
    EXPECT_EQ(match->ship1.pos.x, -100.0);
    EXPECT_EQ(match->ship1.vel.x, 1.5);
}

using MatchDeathTest = MatchTest;

TEST_F(MatchDeathTest, AHeldEscRunsThroughEveryPhaseAndEndsWithStatusZero) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            key[KEY_ESC] = 1;
            std::thread timer([] {  // stands in for the library timer
                for (;;) {
                    game_clock.ticks++;
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
            });
            timer.detach();
            run_match(*match);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
