#pragma once

#include "combat/body.h"
#include "combat/record_array.h"

// The eleven kinds of item; -1 in PowerUp::type marks a free slot.
enum PowerUpType {
    PU_FREE = -1,
    PU_TRIPLE_SHOT = 0,
    PU_BOUNCING_SHOTS = 1,
    PU_SPEED_BOOST = 2,
    PU_FAST_SHOTS = 3,
    PU_HOMING_SHOTS = 4,
    PU_REPAIR = 5,
    PU_TELEPORT = 6,
    PU_QUICK_TURN = 7,
    PU_WEAPON_0 = 8,
    PU_WEAPON_1 = 9,
    PU_WEAPON_2 = 10,
};

constexpr int POWERUP_KINDS = 11;

// One item slot: a 10 x 10 body that never moves.
class PowerUp : public Body {
public:
    int type = PU_FREE;

    PowerUp() { width = 10; height = 10; }
    virtual ~PowerUp() = default;
};

using PowerUpList = RecordArray<PowerUp>;
