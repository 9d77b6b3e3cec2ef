#pragma once

#include "combat/ship.h"
#include "powerups/powerup_field.h"
#include "render/starfield.h"

struct BITMAP;

enum Phase {
    PHASE_PLAYER_1_SELECT = 0,
    PHASE_PLAYER_2_SELECT = 1,
    PHASE_BATTLE = 2,
};

// The game objects that live from the start-up to the process exit. Members
// are built in declaration order: ship 1 before ship 2 hands out the player
// indices, and the power-up field needs the data file already loaded.
struct Match {
    Ship ship1;
    Ship ship2;
    Starfield starfield;
    PowerUpField powerups;
    BITMAP* back_buffer;  // every frame is composed here, then copied out
    int screen_w;
    int screen_h;
    bool running = true;

    Match(BITMAP* buffer, int w, int h) : back_buffer(buffer), screen_w(w), screen_h(h) {}
};

constexpr double BATTLE_THRUST_PLAYER_1 = 0.2;
constexpr double BATTLE_THRUST_PLAYER_2 = 0.1;
constexpr double BATTLE_TURN_STEP = 1.0;

// One logic tick and one frame of each phase, callable one at a time.
void selection_logic_step(Match& m, Phase phase);
void selection_frame(Match& m, Phase phase);
void battle_logic_step(Match& m);
void battle_frame(Match& m);
void start_battle(Match& m);

// The fixed-step loop: clear the due ticks, then passes until a stop key.
void begin_phase(Match& m);
// Runs every due tick, then draws one frame. Returns whether the phase goes on.
bool phase_pass(Match& m, Phase phase);
void run_phase(Match& m, Phase phase);
// Both selection phases and the battle; ends the process with status 0.
[[noreturn]] void run_match(Match& m);
