#include "render/starfield.h"

#include <allegro.h>
#include <cstdlib>

#include "render/camera.h"

void Starfield::scatter() {
    for (Vec2& star : stars) {
        star.x = std::rand() % 5000 - 2500;
        star.y = std::rand() % 3500 - 1750;
    }
}

// Stars brighten with their index from 128; the later ones would pass white,
// so they stay at white.
static int grey_level(int index) {
    int v = 128 + index / 4;
    return v > 255 ? 255 : v;
}

// The usual back buffer (640 x 480 or more, 15 or 16 bits) takes the direct
// 16-bit write, the visibility test already keeping it inside. Any other
// size or depth goes through the clipped pixel routine of its own depth.
static bool takes_direct_writes(BITMAP* target) {
    int depth = bitmap_color_depth(target);
    return (depth == 15 || depth == 16) &&
           target->w >= VIEW_COLUMNS && target->h >= VIEW_ROWS;
}

void Starfield::draw(BITMAP* target) const {
    int depth = bitmap_color_depth(target);
    bool direct = takes_direct_writes(target);

    for (int i = 0; i < STAR_COUNT; i++) {
        int sx = static_cast<int>(screen_x(stars[i].x));
        int sy = static_cast<int>(screen_y(stars[i].y));
        if (!(0 < sx && sx < VIEW_COLUMNS && 0 < sy && sy < VIEW_ROWS))
            continue;

        int v = grey_level(i);
        int colour = makecol_depth(depth, v, v, v);
        if (direct)
            _putpixel16(target, sx, sy, colour);
        else
            putpixel(target, sx, sy, colour);
    }
}
