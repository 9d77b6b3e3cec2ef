#pragma once

// The pieces of the match loop, one at a time: the game itself only calls
// run_match, while tests and the benchmark drive single ticks and frames.
#include "shell/match.h"

enum Phase {
    PHASE_PLAYER_1_SELECT = 0,
    PHASE_PLAYER_2_SELECT = 1,
    PHASE_BATTLE = 2,
};

// Puts the ships at their battle start; everything else carries over from
// the selection phases.
void start_battle(Match& m);
// One logic tick and one frame of the battle.
void battle_logic_step(Match& m);
void battle_frame(Match& m);

// The fixed-step loop: clear the due ticks, then passes until a stop key.
void begin_phase(Match& m);
// Runs every due tick, then draws one frame. Returns whether the phase goes on.
bool phase_pass(Match& m, Phase phase);
