#include "shell/match_steps.h"

#include <allegro.h>
#include <cstdlib>

#include "audio/sound_bank.h"
#include "combat/arena.h"
#include "render/camera.h"
#include "shell/game_clock.h"
#include "shell/stop_requests.h"

namespace {

constexpr double BATTLE_THRUST_PLAYER_1 = 0.2;
constexpr double BATTLE_THRUST_PLAYER_2 = 0.1;
constexpr double BATTLE_TURN_STEP = 1.0;

const Vec2 BATTLE_START_SHIP_1(-100.0, -100.0);
const Vec2 BATTLE_START_SHIP_2(100.0, 100.0);

// What tells the two selection phases apart.
struct Selection {
    Ship& chooser;
    Ship& other;
    int stop_key;  // besides Esc
    const char* prompt;
};

Selection player_1_selection(Match& m) {
    return {m.ship1, m.ship2, KEY_ENTER,
            "Player 1, select your weapon: Press 1, 2, or 3. Press Enter when ready"};
}

Selection player_2_selection(Match& m) {
    return {m.ship2, m.ship1, KEY_SPACE,
            "Player 2, select your weapon: Press 1, 2, or 3. Press Spacebar when ready"};
}

// Keys 1, 2 and 3 are tested in that order: when several are held, the last wins.
void weapon_keys(Ship& ship) {
    if (key[KEY_1]) ship.select_weapon(0);
    if (key[KEY_2]) ship.select_weapon(1);
    if (key[KEY_3]) ship.select_weapon(2);
}

void copy_to_screen(const Match& m) {
    if (screen) blit(m.back_buffer, screen, 0, 0, 0, 0, m.screen_w, m.screen_h);
}

void draw_arena_border(BITMAP* target) {
    Vec2 top_left = Vec2(ARENA_LEFT, ARENA_TOP).to_screen();
    Vec2 bottom_right = Vec2(ARENA_RIGHT, ARENA_BOTTOM).to_screen();
    rect(target, static_cast<int>(top_left.x), static_cast<int>(top_left.y),
         static_cast<int>(bottom_right.x), static_cast<int>(bottom_right.y),
         makecol(255, 128, 128));
}

void selection_logic_step(Match& m, const Selection& s) {
    s.chooser.fire(s.other);
    weapon_keys(s.chooser);
    if (key[s.stop_key] || key[KEY_ESC]) m.running = false;
    s.chooser.update();
}

void selection_frame(Match& m, const Selection& s) {
    clear_bitmap(m.back_buffer);
    s.chooser.draw(m.back_buffer);
    // The prompt is opaque: its background covers what the ship drew beneath.
    textprintf_ex(m.back_buffer, font, 0, 0, makecol(255, 255, 255), 0, "%s", s.prompt);
    copy_to_screen(m);
}

void run_phase(Match& m, Phase phase) {
    begin_phase(m);
    while (phase_pass(m, phase)) end_if_stop_requested();
}

}  // namespace

void start_battle(Match& m) {
    m.ship1.set_position(BATTLE_START_SHIP_1);
    m.ship2.set_position(BATTLE_START_SHIP_2);
}

void battle_logic_step(Match& m) {
    if (key[KEY_ESC]) m.running = false;
    if (key[KEY_TAB] && key[KEY_A]) m.powerups.spawn();
    if (key[KEY_TAB] && key[KEY_H]) m.ship1.add_flags(HOMING_SHOTS);
    if (key[KEY_TAB] && key[KEY_P]) m.ship1.add_flags(ALL_SHIP_FLAGS);

    weapon_keys(m.ship1);
    if (key[KEY_LEFT]) m.ship1.rotate(-BATTLE_TURN_STEP);
    if (key[KEY_RIGHT]) m.ship1.rotate(BATTLE_TURN_STEP);
    if (key[KEY_UP]) m.ship1.thrust(BATTLE_THRUST_PLAYER_1);
    if (key[KEY_DOWN]) m.ship1.thrust(-BATTLE_THRUST_PLAYER_1);
    if (key_shifts & KB_CTRL_FLAG) m.ship1.fire(m.ship2);

    if (key[KEY_D]) m.ship2.rotate(-BATTLE_TURN_STEP);
    if (key[KEY_G]) m.ship2.rotate(BATTLE_TURN_STEP);
    if (key[KEY_R]) m.ship2.thrust(BATTLE_THRUST_PLAYER_2);
    if (key[KEY_F]) m.ship2.thrust(-BATTLE_THRUST_PLAYER_2);
    if (key_shifts & KB_SHIFT_FLAG) m.ship2.fire(m.ship1);

    m.ship1.update();
    m.ship2.update();
    m.powerups.tick();
    m.ship1.check_hits(m.ship2);
    m.ship2.check_hits(m.ship1);
    m.powerups.collect(m.ship1);
    m.powerups.collect(m.ship2);
    sound_bank.update_music();
}

void battle_frame(Match& m) {
    clear_bitmap(m.back_buffer);
    camera.fit(m.ship1, m.ship2);
    m.starfield.draw(m.back_buffer);
    m.powerups.draw(m.back_buffer);
    m.ship2.draw(m.back_buffer);
    m.ship1.draw(m.back_buffer);
    draw_arena_border(m.back_buffer);
    copy_to_screen(m);
}

void begin_phase(Match& m) {
    game_clock.ticks = 0;
    m.running = true;
}

// Every due tick runs before the next frame, however many there are.
bool phase_pass(Match& m, Phase phase) {
    if (phase == PHASE_BATTLE) {
        while (game_clock.ticks > 0) {
            battle_logic_step(m);
            game_clock.ticks--;
        }
        battle_frame(m);
        return m.running;
    }

    Selection s = phase == PHASE_PLAYER_1_SELECT ? player_1_selection(m) : player_2_selection(m);
    while (game_clock.ticks > 0) {
        selection_logic_step(m, s);
        game_clock.ticks--;
    }
    selection_frame(m, s);
    return m.running;
}

void run_match(Match& m) {
    run_phase(m, PHASE_PLAYER_1_SELECT);
    run_phase(m, PHASE_PLAYER_2_SELECT);
    start_battle(m);
    run_phase(m, PHASE_BATTLE);
    std::exit(0);
}
