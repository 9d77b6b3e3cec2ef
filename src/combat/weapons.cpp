#include "combat/weapons.h"
const WeaponSpec WEAPONS[WEAPON_COUNT] = {
    {13.0, 12, 1, 25, 0},
    {20.0, 5, 2, 12, 1},
    {16.0, 8, 2, 18, 2},
};
