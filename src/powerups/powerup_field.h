#pragma once

#include "powerups/powerup.h"

struct BITMAP;
class Ship;

constexpr int FIRST_SPAWN_DELAY = 600;  // ticks before the first automatic item
constexpr int REPAIR_AMOUNT = 25;

// Every power-up item in the arena: drops them after random delays, hands
// them to the ships that touch them and draws them.
class PowerUpField {
public:
    BITMAP* sprites[POWERUP_KINDS] = {};
    PowerUpList powerups;
    int spawn_timer = FIRST_SPAWN_DELAY;

    // Takes the item sprites from the loaded data file.
    PowerUpField();
    virtual ~PowerUpField();
    PowerUpField(const PowerUpField&) = delete;
    PowerUpField& operator=(const PowerUpField&) = delete;

    void tick();
    void spawn();
    void collect(Ship& ship);
    void apply_effect(Ship& ship, const PowerUp& item);
    void draw(BITMAP* target) const;
};
