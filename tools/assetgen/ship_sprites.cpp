#include "pixel_art.h"
#include "sprites.h"

namespace {

enum { HULL = 1, WING, TRIM, GLASS, ENGINE };

// Player 1 flies a narrow dart: long pointed nose, swept wings, twin
// burners; warm reds around the HUD's (255, 128, 128).
BITMAP* red_dart() {
    BITMAP* map = create_material_map(32, 32);
    fill_shape(map, {11, 14, 1, 24, 1, 28, 5, 28, 11, 25}, WING);
    fill_shape(map, {1, 21, 3, 21, 3, 29, 1, 29}, TRIM);
    fill_shape(map, {15, 1, 13, 8, 11, 17, 10, 27, 12, 29, 15, 29}, HULL);
    fill_shape(map, {13, 18, 15, 18, 15, 26, 13, 26}, TRIM);
    ellipsefill(map, 15, 11, 2, 4, GLASS);
    rectfill(map, 11, 29, 13, 30, ENGINE);
    mirror_left_to_right(map);
    BITMAP* sprite = shade_materials(map, {
        {235, 95, 85, 3.0, false},    // hull
        {185, 60, 55, 2.0, false},    // wings
        {255, 175, 130, 1.0, false},  // trim stripes
        {110, 200, 255, 2.5, false},  // canopy
        {255, 210, 90, 0.0, true},    // burners
    });
    destroy_bitmap(map);
    return sprite;
}

// Player 2 flies a broad manta with forward gun prongs and a round
// canopy; cool blues around (128, 128, 255).
BITMAP* blue_manta() {
    BITMAP* map = create_material_map(32, 32);
    fill_shape(map, {4, 19, 3, 8, 6, 7, 8, 17}, TRIM);
    fill_shape(map, {15, 3, 10, 11, 3, 19, 1, 27, 7, 25, 11, 28, 15, 27}, HULL);
    fill_shape(map, {9, 15, 3, 22, 2, 26, 7, 24, 10, 19}, WING);
    circlefill(map, 15, 14, 3, GLASS);
    rectfill(map, 9, 27, 12, 29, ENGINE);
    mirror_left_to_right(map);
    BITMAP* sprite = shade_materials(map, {
        {95, 115, 235, 3.0, false},   // hull
        {70, 80, 190, 2.0, false},    // wing plates
        {150, 170, 255, 1.5, false},  // gun prongs
        {255, 215, 110, 2.5, false},  // canopy
        {170, 235, 255, 0.0, true},   // burners
    });
    destroy_bitmap(map);
    return sprite;
}

}  // namespace

BITMAP* draw_ship_sprite(int player) { return player == 0 ? red_dart() : blue_manta(); }
