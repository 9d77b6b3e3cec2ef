#include "pixel_art.h"
#include "sprites.h"

// Bullets glow rather than take light: each is a stack of flat layers,
// dark outside to white-hot inside, 16 x 16 with the tip at the top.
namespace {

BITMAP* flat_layers(BITMAP* map, const std::vector<Material>& colours) {
    BITMAP* sprite = shade_materials(map, colours);
    destroy_bitmap(map);
    return sprite;
}

// Weapon 0: a slow, heavy fireball trailing flame.
BITMAP* heavy_shot() {
    BITMAP* map = create_material_map(16, 16);
    fill_shape(map, {4, 7, 8, 15, 11, 7}, 1);
    circlefill(map, 7, 6, 5, 1);
    fill_shape(map, {5, 7, 8, 13, 10, 7}, 2);
    circlefill(map, 7, 6, 4, 2);
    circlefill(map, 7, 5, 2, 3);
    putpixel(map, 6, 4, 4);
    mirror_left_to_right(map);
    return flat_layers(map, {
        {170, 50, 20, 0, true},
        {250, 130, 30, 0, true},
        {255, 220, 90, 0, true},
        {255, 255, 230, 0, true},
    });
}

// Weapon 1: a fast, thin needle of cyan light.
BITMAP* needle() {
    BITMAP* map = create_material_map(16, 16);
    fill_shape(map, {7, 1, 6, 5, 6, 13, 7, 14}, 1);
    vline(map, 7, 2, 11, 2);
    vline(map, 7, 1, 5, 3);
    mirror_left_to_right(map);
    return flat_layers(map, {
        {40, 120, 200, 0, true},
        {120, 230, 255, 0, true},
        {240, 255, 255, 0, true},
    });
}

// Weapon 2: a middle-weight plasma bolt, a green lozenge.
BITMAP* bolt() {
    BITMAP* map = create_material_map(16, 16);
    fill_shape(map, {7, 1, 4, 6, 5, 11, 7, 14}, 1);
    fill_shape(map, {7, 3, 5, 7, 6, 11, 7, 13}, 2);
    fill_shape(map, {7, 4, 6, 7, 7, 10}, 3);
    mirror_left_to_right(map);
    return flat_layers(map, {
        {30, 130, 40, 0, true},
        {110, 240, 90, 0, true},
        {230, 255, 200, 0, true},
    });
}

}  // namespace

BITMAP* draw_bullet_sprite(int weapon) {
    if (weapon == 0) return heavy_shot();
    if (weapon == 1) return needle();
    return bolt();
}
