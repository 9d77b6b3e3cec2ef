#include "combat/ship.h"
// placeholder until the render work lands
void Ship::draw(BITMAP*) const {}
