#pragma once

#include "combat/ship.h"
#include "powerups/powerup_field.h"

// Records in use: a ship's flying bullets, a field's lying items.
inline int live_bullets(const Ship& ship) {
    int live = 0;
    for (int i = 0; i < ship.bullets.size(); i++) live += ship.bullets.at(i).kind != 0;
    return live;
}

inline int live_items(const PowerUpField& field) {
    int live = 0;
    for (int i = 0; i < field.powerups.size(); i++) live += field.powerups.at(i).type != PU_FREE;
    return live;
}
