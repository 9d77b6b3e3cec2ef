#include "shell/match.h"

#include <allegro.h>
#include <cstdlib>

#include "audio/sound_bank.h"
#include "render/camera.h"
#include "shell/game_clock.h"
#include "shell/stop_signals.h"

namespace {

// What tells the two selection phases apart.
struct SelectionPhase {
    int stop_key;  // besides Esc
    const char* prompt;
};

const SelectionPhase SELECTION[2] = {
    {KEY_ENTER, "Player 1, select your weapon: Press 1, 2, or 3. Press Enter when ready"},
    {KEY_SPACE, "Player 2, select your weapon: Press 1, 2, or 3. Press Spacebar when ready"},
};

const Vec2 BATTLE_START_SHIP_1(-100.0, -100.0);
const Vec2 BATTLE_START_SHIP_2(100.0, 100.0);

Ship& selecting_ship(Match& m, Phase phase) {
    return phase == PHASE_PLAYER_1_SELECT ? m.ship1 : m.ship2;
}

Ship& other_ship(Match& m, Phase phase) {
    return phase == PHASE_PLAYER_1_SELECT ? m.ship2 : m.ship1;
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
    Vec2 top_left(-1500.0, -1000.0);
    Vec2 bottom_right(1500.0, 1000.0);
    top_left.to_screen();
    bottom_right.to_screen();
    rect(target, static_cast<int>(top_left.x), static_cast<int>(top_left.y),
         static_cast<int>(bottom_right.x), static_cast<int>(bottom_right.y),
         makecol(255, 128, 128));
}

}  // namespace

void selection_logic_step(Match& m, Phase phase) {
    Ship& ship = selecting_ship(m, phase);
    ship.fire(other_ship(m, phase));
    weapon_keys(ship);
    if (key[SELECTION[phase].stop_key] || key[KEY_ESC]) m.running = false;
    ship.update();
}

void selection_frame(Match& m, Phase phase) {
    clear_bitmap(m.back_buffer);
    selecting_ship(m, phase).draw(m.back_buffer);
    // The prompt is opaque: its background covers what the ship drew beneath.
    textprintf_ex(m.back_buffer, font, 0, 0, makecol(255, 255, 255), 0, "%s",
                  SELECTION[phase].prompt);
    copy_to_screen(m);
}

void start_battle(Match& m) {
    m.ship1.set_position(BATTLE_START_SHIP_1);
    m.ship2.set_position(BATTLE_START_SHIP_2);
}

void battle_logic_step(Match& m) {
    if (key[KEY_ESC]) m.running = false;
    if (key[KEY_TAB] && key[KEY_A]) m.powerups.spawn();
    if (key[KEY_TAB] && key[KEY_H]) m.ship1.add_flags(HOMING_SHOTS);
    if (key[KEY_TAB] && key[KEY_P]) m.ship1.add_flags(511);

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

bool phase_pass(Match& m, Phase phase) {
    // Every due tick runs before the next frame, however many there are.
    while (game_clock.ticks > 0) {
        if (phase == PHASE_BATTLE) battle_logic_step(m);
        else selection_logic_step(m, phase);
        game_clock.ticks--;
    }
    if (phase == PHASE_BATTLE) battle_frame(m);
    else selection_frame(m, phase);
    return m.running;
}

void run_phase(Match& m, Phase phase) {
    begin_phase(m);
    while (phase_pass(m, phase)) end_if_stop_signalled();
}

void run_match(Match& m) {
    run_phase(m, PHASE_PLAYER_1_SELECT);
    run_phase(m, PHASE_PLAYER_2_SELECT);
    start_battle(m);
    run_phase(m, PHASE_BATTLE);
    std::exit(0);
}
