#include "combat/body.h"

#include <cmath>

#include "combat/arena.h"

// Boxes that only touch along an edge do not overlap.
bool Body::overlaps(const Body& other) const {
    if (other.pos.x + other.width <= pos.x) return false;
    if (pos.x + width <= other.pos.x) return false;
    if (other.pos.y + other.height <= pos.y) return false;
    if (pos.y + height <= other.pos.y) return false;
    return true;
}

// The walls are tested before the step, so a body that crosses one spends a
// tick beyond it and is then put back inside with half its speed, inward.
void Body::move() {
    if (bounces) {
        if (pos.x < ARENA_LEFT) {
            pos.x = ARENA_LEFT + WALL_REBOUND_INSET;
            vel.x = std::fabs(vel.x) * 0.5;
        }
        if (pos.x > ARENA_RIGHT) {
            pos.x = ARENA_RIGHT - WALL_REBOUND_INSET;
            vel.x = -std::fabs(vel.x) * 0.5;
        }
        if (pos.y < ARENA_TOP) {
            pos.y = ARENA_TOP + WALL_REBOUND_INSET;
            vel.y = std::fabs(vel.y) * 0.5;
        }
        if (pos.y > ARENA_BOTTOM) {
            pos.y = ARENA_BOTTOM - WALL_REBOUND_INSET;
            vel.y = -std::fabs(vel.y) * 0.5;
        }
    }
    pos.x += vel.x;
    pos.y += vel.y;
}
