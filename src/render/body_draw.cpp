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

// The library's rotate_scaled_sprite, with its placement worked out by
// multiplying instead of shifting: its inline shifts x and y left, which is
// undefined for the negative positions of bodies half off the screen's left
// or top edge. Same numbers, same pixels.
static void rotate_scaled_sprite_at(BITMAP* target, BITMAP* sprite, int x, int y, fixed angle,
                                    fixed scale) {
    target->vtable->pivot_scaled_sprite_flip(target, sprite, x * 65536 + (sprite->w * scale) / 2,
                                             y * 65536 + (sprite->h * scale) / 2,
                                             sprite->w * 32768, sprite->h * 32768, angle, scale,
                                             FALSE);
}

void Body::draw(BITMAP* target) const {
    int hw = sprite->w / 2;
    int hh = sprite->h / 2;

    // The half size is taken off in world units before scaling, so the scaled
    // sprite's centre falls on the body's screen position.
    int x = static_cast<int>(screen_x(pos.x, hw));
    int y = static_cast<int>(screen_y(pos.y, hh));

    fixed turn = ftofix(within_one_turn(angle));
    fixed scale = ftofix(camera.zoom);
    rotate_scaled_sprite_at(target, sprite, x, y, turn, scale);
}
