#pragma once

class Ship;

// One step of Ship::fire: places one bullet of the shooter's weapon in the
// first free record of its list (growing the list by one when every record
// is flying) and restarts the shooter's cooldown. Only fire calls it in the
// game; tests place single shots with it.
void spawn_bullet(Ship& shooter, Ship& target, double heading, double multiplier, bool bounce);
