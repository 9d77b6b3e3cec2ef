#pragma once

#include "combat/body.h"
#include "combat/record_array.h"

class Ship;

// One bullet record of a ship's BulletList. kind 0 marks a free record.
class Bullet : public Body {
public:
    Ship* target = nullptr;  // the opposing ship, not owned
    int homing = 0;          // 1: steers toward target every tick
    double speed = 0.0;      // launch speed; also the cap for homing steering
    int damage = 0;
    int kind = 0;            // 0 free; 1 for weapon 0, 2 for weapons 1 and 2

    Bullet() { width = 16; height = 16; }

    // One tick: leave when outside the last drawn view, home, then move.
    void update();
    int get_damage() const { return damage; }
    void set_damage(int d) { damage = d; }
};

using BulletList = RecordArray<Bullet>;
