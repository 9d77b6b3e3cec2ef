#include "combat/body.h"
// placeholder until the combat work lands
bool Body::overlaps(const Body&) const { return false; }
void Body::move() {}
