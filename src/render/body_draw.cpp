#include <allegro.h>
#include <cmath>

#include "combat/body.h"
#include "render/camera.h"

// Headings are never wrapped, but ftofix saturates beyond +-32767: keep only
// the part within one turn so a ship that has spun many times one way is
// still drawn facing where it flies.
static double within_one_turn(double angle) {
    return std::fmod(angle, 256.0);
}

void Body::draw(BITMAP* target) const {
    int hw = sprite->w / 2;
    int hh = sprite->h / 2;

    // The half size is taken off in world units before scaling, so the scaled
    // sprite's centre falls on the body's screen position.
    int x = static_cast<int>(((pos.x - camera.left) - hw) * camera.zoom);
    int y = static_cast<int>(((pos.y - camera.top) - hh) * camera.zoom);

    fixed turn = ftofix(within_one_turn(angle));
    fixed scale = ftofix(camera.zoom);
    rotate_scaled_sprite(target, sprite, x, y, turn, scale);
}
