#include <atomic>
#include <thread>

#include "support/match_fixture.h"

namespace {

bool ends_after_one_tick(Match& m, Phase phase) {
    begin_phase(m);
    game_clock.ticks = 1;
    return !phase_pass(m, phase);
}

}  // namespace

TEST_F(MatchTest, EachSelectionPhaseHasItsOwnStopKey) {
    hold(KEY_SPACE);
    EXPECT_FALSE(ends_after_one_tick(*match, PHASE_PLAYER_1_SELECT));
    EXPECT_TRUE(ends_after_one_tick(*match, PHASE_PLAYER_2_SELECT));
    release_all_keys();

    hold(KEY_ENTER);
    EXPECT_TRUE(ends_after_one_tick(*match, PHASE_PLAYER_1_SELECT));
    EXPECT_FALSE(ends_after_one_tick(*match, PHASE_PLAYER_2_SELECT));
    EXPECT_FALSE(ends_after_one_tick(*match, PHASE_BATTLE));
}

TEST_F(MatchTest, EscEndsEveryPhase) {
    hold(KEY_ESC);
    EXPECT_TRUE(ends_after_one_tick(*match, PHASE_PLAYER_1_SELECT));
    EXPECT_TRUE(ends_after_one_tick(*match, PHASE_PLAYER_2_SELECT));
    EXPECT_TRUE(ends_after_one_tick(*match, PHASE_BATTLE));
}

TEST_F(MatchTest, FirstFrameComesBeforeAnyTick) {
    hold(KEY_ENTER);
    begin_phase(*match);
    EXPECT_EQ(game_clock.ticks, 0);
    EXPECT_TRUE(phase_pass(*match, PHASE_PLAYER_1_SELECT));  // no tick ran: Enter unseen
    EXPECT_TRUE(prompt_drawn());
    EXPECT_EQ(match->ship1.bullets.at(0).kind, 0);  // no preview shot yet
}

TEST_F(MatchTest, AStopKeyLetsTheRemainingDueTicksAndTheFrameRun) {
    hold(KEY_ENTER);
    begin_phase(*match);
    game_clock.ticks = 3;
    Vec2 start = match->ship1.pos;
    EXPECT_FALSE(phase_pass(*match, PHASE_PLAYER_1_SELECT));
    EXPECT_EQ(game_clock.ticks, 0);
    // Three ticks of the selecting ship: it fired once (cooldown 25, counted
    // down by each tick's update) and drifted three steps.
    EXPECT_EQ(match->ship1.fire_cooldown, 25 - 3);
    EXPECT_DOUBLE_EQ(match->ship1.pos.x, start.x + 3 * match->ship1.vel.x);
    EXPECT_TRUE(prompt_drawn());
}

TEST_F(MatchTest, SelectionPhasesLeaveTheOtherShipAlone) {
    begin_phase(*match);
    game_clock.ticks = 30;
    Vec2 other = match->ship2.pos;
    phase_pass(*match, PHASE_PLAYER_1_SELECT);
    EXPECT_EQ(match->ship2.pos.x, other.x);
    EXPECT_EQ(match->ship2.fire_cooldown, 0);
    EXPECT_EQ(match->ship2.health, 100);
    EXPECT_DOUBLE_EQ(camera.zoom, 1.0);  // the view stays the identity
    EXPECT_DOUBLE_EQ(camera.right, 640.0);
}

TEST_F(MatchTest, WeaponKeysPickTheLastHeldAndFollowThePhase) {
    hold(KEY_1);
    hold(KEY_3);
    begin_phase(*match);
    game_clock.ticks = 1;
    phase_pass(*match, PHASE_PLAYER_1_SELECT);
    EXPECT_EQ(match->ship1.weapon, 2);
    EXPECT_EQ(match->ship2.weapon, 1);

    release_all_keys();
    hold(KEY_1);
    game_clock.ticks = 1;
    phase_pass(*match, PHASE_PLAYER_2_SELECT);
    EXPECT_EQ(match->ship2.weapon, 0);
    EXPECT_EQ(match->ship1.weapon, 2);

    release_all_keys();
    hold(KEY_2);
    game_clock.ticks = 1;
    phase_pass(*match, PHASE_BATTLE);
    EXPECT_EQ(match->ship1.weapon, 1);
    EXPECT_EQ(match->ship2.weapon, 0);  // player 2 cannot change weapon in battle
}

TEST_F(MatchTest, TheBattleStartsFromFixedPlacesKeepingEverythingElse) {
    match->ship1.vel = Vec2(1.5, -2.0);
    match->ship1.angle = 80.0;
    start_battle(*match);
    EXPECT_EQ(match->ship1.pos.x, -100.0);
    EXPECT_EQ(match->ship1.pos.y, -100.0);
    EXPECT_EQ(match->ship2.pos.x, 100.0);
    EXPECT_EQ(match->ship2.pos.y, 100.0);
    EXPECT_EQ(match->ship1.vel.x, 1.5);
    EXPECT_EQ(match->ship1.angle, 80.0);
}

TEST_F(MatchTest, WithNoTickDueTheSameStateIsDrawnAgain) {
    begin_phase(*match);
    start_battle(*match);
    Vec2 before = match->ship1.pos;
    for (int i = 0; i < 5; i++) EXPECT_TRUE(phase_pass(*match, PHASE_BATTLE));
    EXPECT_EQ(match->ship1.pos.x, before.x);
    EXPECT_EQ(match->ship1.pos.y, before.y);
}

using MatchDeathTest = MatchTest;

TEST_F(MatchDeathTest, AHeldEscRunsThroughEveryPhaseAndEndsWithStatusZero) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            hold(KEY_ESC);
            // Stands in for the library timer.
            std::thread timer([] {
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
