#include "combat/vec2.h"

#include <cmath>

void Vec2::set_length(double m) {
    double len = length();
    // A bullet sitting exactly on its target asks for the length of (0, 0):
    // there is no direction to keep, so the vector stays as it is.
    if (len == 0.0) return;
    double scale = m / len;
    x *= scale;
    y *= scale;
}

void Vec2::set_from_angle(double a, double m) {
    x = std::sin(a) * m;
    y = std::cos(a) * m;
}

double Vec2::distance_to(const Vec2& p) const {
    double dx = x - p.x;
    double dy = y - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

double Vec2::length() const {
    return std::sqrt(x * x + y * y);
}
