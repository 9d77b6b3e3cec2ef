#include "combat/vec2.h"
// placeholder until the combat work lands
void Vec2::set_length(double) {}
void Vec2::set_from_angle(double, double) {}
double Vec2::distance_to(const Vec2&) const { return 0; }
double Vec2::length() const { return 0; }
