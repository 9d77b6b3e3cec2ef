#pragma once
#include <allegro.h>

// Each returns a new bitmap at the current colour depth, mask colour
// around the drawing, nose or arrow pointing up.
BITMAP* draw_ship_sprite(int player);        // 0 = red dart, 1 = blue manta
BITMAP* draw_bullet_sprite(int weapon);      // 0 heavy, 1 needle, 2 bolt
BITMAP* draw_powerup_sprite(int kind);       // power-up kinds 0 to 10
