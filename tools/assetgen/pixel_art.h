#pragma once
#include <allegro.h>
#include <vector>

// Sprites are drawn as maps of material numbers (an 8-bit bitmap, 0 =
// empty) and then shaded: every material region gets its own bevel from its
// distance to other regions, lit from the upper left, with a dark rim
// where the sprite meets empty space. Empty pixels become the mask colour.
struct Material {
    int r, g, b;
    double bulge;     // how far the bevel rises, 0 = flat panel
    bool glows;       // lights itself: no shading, no rim
};

BITMAP* create_material_map(int w, int h);
BITMAP* shade_materials(BITMAP* map, const std::vector<Material>& materials);

// Mirror the left half of a map onto the right half (ships are symmetric).
void mirror_left_to_right(BITMAP* map);

// Polygon from a flat list of x, y pairs.
void fill_shape(BITMAP* map, std::initializer_list<int> points, int material);

int mask_colour();
// A drawn colour that must never turn into the mask colour at 15 or 16 bits.
int safe_colour(int r, int g, int b);
