#include <allegro.h>
#include <cmath>
#include <cstdint>

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
// or top edge. Same numbers, same pixels. The products are taken in 64 bits:
// a sprite's width times a scale of 3.0 in 16.16 fixed point passes the range
// of an int from 10923 pixels on; the data-file check keeps drawn sprites
// small enough that every sum fits a fixed again.
static void rotate_scaled_sprite_at(BITMAP* target, BITMAP* sprite, int x, int y, fixed angle,
                                    fixed scale) {
    int64_t w = sprite->w;
    int64_t h = sprite->h;
    fixed left = static_cast<fixed>(int64_t{x} * 65536 + w * scale / 2);
    fixed top = static_cast<fixed>(int64_t{y} * 65536 + h * scale / 2);
    target->vtable->pivot_scaled_sprite_flip(target, sprite, left, top, static_cast<fixed>(w * 32768),
                                             static_cast<fixed>(h * 32768), angle, scale, FALSE);
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
