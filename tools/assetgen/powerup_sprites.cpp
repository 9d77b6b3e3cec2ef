#include "pixel_art.h"
#include "sprites.h"

// Power-up badges: a 12 x 12 bevelled frame in the kind's colour with a
// bright 8 x 8 glyph on a dark field, corners cut so the mask shows.
namespace {

struct Badge {
    int r, g, b;         // frame
    int gr, gg, gb;      // glyph
    const char* glyph[8];
};

const Badge BADGES[11] = {
    // 0 triple shot: a three-way spread
    {235, 200, 60, 255, 240, 150,
     {"#..##..#", "#..##..#", ".#.##.#.", ".#.##.#.", "..####..", "...##...", "...##...", "...##..."}},
    // 1 bouncing shots: a shot glancing off a wall
    {170, 100, 240, 230, 200, 255,
     {"#......#", "#......#", ".#....#.", ".#....#.", "..#..#..", "...##...", "........", "########"}},
    // 2 speed boost: double chevron
    {60, 200, 190, 200, 255, 245,
     {"...##...", "..####..", ".##..##.", "#......#", "...##...", "..####..", ".##..##.", "#......#"}},
    // 3 fast shots: lightning
    {240, 80, 120, 255, 230, 120,
     {"....###.", "...###..", "..###...", ".######.", "...###..", "..###...", ".##.....", "#......."}},
    // 4 homing shots: bullseye
    {250, 120, 40, 255, 230, 200,
     {"..####..", ".#....#.", "#..##..#", "#.####.#", "#.####.#", "#..##..#", ".#....#.", "..####.."}},
    // 5 repair: plus
    {70, 210, 80, 230, 255, 230,
     {"...##...", "...##...", "...##...", "########", "########", "...##...", "...##...", "...##..."}},
    // 6 teleport: a ring of sparks round a point
    {90, 150, 255, 220, 240, 255,
     {"..#..#..", "........", "#......#", "...##...", "...##...", "#......#", "........", "..#..#.."}},
    // 7 quick turn: circling arrow
    {200, 200, 215, 255, 255, 255,
     {"..####..", ".#....#.", "#......#", "#......#", "#....###", ".#....#.", "..##....", "........"}},
    // 8 to 10: weapons 1, 2 and 3, in their bullets' colours
    {120, 130, 150, 255, 160, 60,
     {"...##...", "..###...", ".####...", "...##...", "...##...", "...##...", "...##...", ".######."}},
    {120, 130, 150, 130, 235, 255,
     {"..####..", ".##..##.", ".....##.", "....##..", "...##...", "..##....", ".##.....", ".######."}},
    {120, 130, 150, 140, 245, 110,
     {"..####..", ".##..##.", ".....##.", "...###..", ".....##.", ".....##.", ".##..##.", "..####.."}},
};

enum { FRAME = 1, FIELD, GLYPH };

}  // namespace

BITMAP* draw_powerup_sprite(int kind) {
    const Badge& badge = BADGES[kind];
    BITMAP* map = create_material_map(12, 12);
    fill_shape(map, {2, 0, 9, 0, 11, 2, 11, 9, 9, 11, 2, 11, 0, 9, 0, 2}, FRAME);
    rectfill(map, 2, 2, 9, 9, FIELD);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (badge.glyph[y][x] == '#') putpixel(map, 2 + x, 2 + y, GLYPH);
    BITMAP* sprite = shade_materials(map, {
        {badge.r, badge.g, badge.b, 2.0, false},
        {badge.r / 5, badge.g / 5, badge.b / 5, 0.0, true},
        {badge.gr, badge.gg, badge.gb, 0.0, true},
    });
    destroy_bitmap(map);
    return sprite;
}
