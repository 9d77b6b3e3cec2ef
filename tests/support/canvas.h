#pragma once

#include <allegro.h>

// A memory bitmap cleared to black that tests draw into and read back;
// colours are made at the bitmap's own depth.
struct Canvas {
    BITMAP* bmp;

    explicit Canvas(int w = 640, int h = 480, int depth = 16) : bmp(create_bitmap_ex(depth, w, h)) { clear_bitmap(bmp); }
    ~Canvas() { destroy_bitmap(bmp); }
    operator BITMAP*() const { return bmp; }
    int rgb(int r, int g, int b) const { return makecol_depth(bitmap_color_depth(bmp), r, g, b); }
    bool is(int x, int y, int r, int g, int b) const { return getpixel(bmp, x, y) == rgb(r, g, b); }

    // Pixels of the rectangle [x0, x1] x [y0, y1] that are lit (colour -1),
    // of the given colour, or unlike `other`'s; by default in the whole bitmap.
    int count(int colour = -1, int x0 = 0, int y0 = 0, int x1 = 9999, int y1 = 9999, BITMAP* other = nullptr) const {
        int n = 0;
        for (int y = y0; y <= y1 && y < bmp->h; y++)
            for (int x = x0; x <= x1 && x < bmp->w; x++) {
                const int p = getpixel(bmp, x, y);
                n += other ? p != getpixel(other, x, y) : colour < 0 ? p != 0 : p == colour;
            }
        return n;
    }
};
