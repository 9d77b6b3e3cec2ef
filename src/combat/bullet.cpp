#include "combat/bullet.h"

#include "combat/ship.h"
#include "render/camera.h"

namespace {
constexpr double HOMING_PULL = 0.5;
}  // namespace

void Bullet::update() {
    // A bullet that has left the last drawn view is gone for good.
    if (pos.x < camera.left || pos.x > camera.right || pos.y < camera.top ||
        pos.y > camera.bottom) {
        kind = 0;
    }

    if (homing == 1) {
        Vec2 t = target->position();
        Vec2 away(pos.x - t.x, pos.y - t.y);
        away.set_length(HOMING_PULL);
        vel.x -= away.x;
        vel.y -= away.y;
        // Only half the excess over the launch speed is taken back, so a
        // bullet flying straight at its target settles half a pull faster.
        double s = vel.length();
        if (s > speed) vel.set_length(s - (s - speed) * 0.5);
    }

    move();
}
