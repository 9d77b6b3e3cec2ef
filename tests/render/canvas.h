#pragma once

#include <allegro.h>

// A memory bitmap cleared to black that tests draw into and read back.
// Colours are compared through makecol at the bitmap's own depth.
class Canvas {
public:
    explicit Canvas(int w = 640, int h = 480, int depth = 16)
        : bmp(create_bitmap_ex(depth, w, h)) {
        clear_bitmap(bmp);
    }
    ~Canvas() { destroy_bitmap(bmp); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    operator BITMAP*() const { return bmp; }
    int at(int x, int y) const { return getpixel(bmp, x, y); }
    int rgb(int r, int g, int b) const { return makecol_depth(bitmap_color_depth(bmp), r, g, b); }
    bool is(int x, int y, int r, int g, int b) const { return at(x, y) == rgb(r, g, b); }

    // How many pixels in the rectangle [x0, x1] x [y0, y1] are not black.
    int lit_in(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (at(x, y) != 0) n++;
        return n;
    }
    int count_of(int colour) const {
        int n = 0;
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++)
                if (at(x, y) == colour) n++;
        return n;
    }

    BITMAP* bmp;
};
