#pragma once

#include "combat/ship.h"
#include "powerups/powerup_field.h"
#include "render/starfield.h"

struct BITMAP;

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

// Both selection phases and the battle; ends the process with status 0.
[[noreturn]] void run_match(Match& m);
