#pragma once

// One row of the weapon table; a ship's `weapon` selects the row.
struct WeaponSpec {
    double speed_factor;  // launch speed before the fast-shots multiplier
    int damage;           // health taken from the target by a hit
    int kind;             // stored in the bullet: non-zero marks it live
    int cooldown;         // ticks before the ship may fire again
    int sound_slot;       // sound bank slot played by each firing
};

constexpr int WEAPON_COUNT = 3;

// Weapon 0 is the heavy slow shot, 1 the fast needle, 2 the middle bolt.
extern const WeaponSpec WEAPONS[WEAPON_COUNT];
