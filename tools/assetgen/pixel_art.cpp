#include "pixel_art.h"

#include <algorithm>
#include <cmath>

BITMAP* create_material_map(int w, int h) {
    BITMAP* map = create_bitmap_ex(8, w, h);
    clear_to_color(map, 0);
    return map;
}

int mask_colour() { return makecol(255, 0, 255); }

int safe_colour(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    // At 15 bits anything with r, b >= 248 and g < 8 collapses onto magenta.
    if (r >= 240 && b >= 240 && g < 16) g = 16;
    return makecol(r, g, b);
}

void mirror_left_to_right(BITMAP* map) {
    for (int y = 0; y < map->h; ++y)
        for (int x = 0; x < map->w / 2; ++x)
            putpixel(map, map->w - 1 - x, y, getpixel(map, x, y));
}

void fill_shape(BITMAP* map, std::initializer_list<int> points, int material) {
    std::vector<int> p(points);
    polygon(map, static_cast<int>(p.size() / 2), p.data(), material);
}

namespace {

// Chamfer distance (in pixels) from each pixel to the nearest pixel of
// another material, so each panel gets its own rounded bevel.
std::vector<double> region_distances(BITMAP* map) {
    const int w = map->w, h = map->h;
    const double big = 1e9;
    std::vector<double> d(w * h, big);
    auto id = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : getpixel(map, x, y); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int m = id(x, y);
            if (m == 0) { d[y * w + x] = 0; continue; }
            if (id(x - 1, y) != m || id(x + 1, y) != m || id(x, y - 1) != m || id(x, y + 1) != m)
                d[y * w + x] = 1;
        }
    auto relax = [&](int x, int y, int dx, int dy, double step) {
        int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= w || ny >= h) return;
        d[y * w + x] = std::min(d[y * w + x], d[ny * w + nx] + step);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            relax(x, y, -1, 0, 1); relax(x, y, 0, -1, 1);
            relax(x, y, -1, -1, 1.414); relax(x, y, 1, -1, 1.414);
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            relax(x, y, 1, 0, 1); relax(x, y, 0, 1, 1);
            relax(x, y, 1, 1, 1.414); relax(x, y, -1, 1, 1.414);
        }
    return d;
}

}  // namespace

BITMAP* shade_materials(BITMAP* map, const std::vector<Material>& materials) {
    const int w = map->w, h = map->h;
    std::vector<double> dist = region_distances(map);
    auto height = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        int m = getpixel(map, x, y);
        if (m == 0) return 0.0;
        const Material& mat = materials[m - 1];
        return mat.bulge * std::sqrt(std::min(dist[y * w + x], 4.0) / 4.0);
    };
    auto empty = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h || getpixel(map, x, y) == 0; };

    BITMAP* sprite = create_bitmap(w, h);
    clear_to_color(sprite, mask_colour());
    const double lx = -0.45, ly = -0.6, lz = 0.66;  // light from the upper left, toward the viewer
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int m = getpixel(map, x, y);
            if (m == 0) continue;
            const Material& mat = materials[m - 1];
            if (mat.glows) {
                putpixel(sprite, x, y, safe_colour(mat.r, mat.g, mat.b));
                continue;
            }
            double nx = height(x - 1, y) - height(x + 1, y);
            double ny = height(x, y - 1) - height(x, y + 1);
            double nz = 1.0;
            double len = std::sqrt(nx * nx + ny * ny + nz * nz);
            double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / len);
            double light = 0.35 + 0.85 * diffuse;
            double shine = std::pow(std::max(0.0, diffuse), 12.0) * 90.0;
            bool rim = empty(x - 1, y) || empty(x + 1, y) || empty(x, y - 1) || empty(x, y + 1);
            if (rim) light *= 0.55;
            // A faint top-to-bottom falloff keeps the nose brighter than the tail.
            light *= 1.05 - 0.15 * y / h;
            putpixel(sprite, x, y,
                     safe_colour(static_cast<int>(mat.r * light + shine),
                                 static_cast<int>(mat.g * light + shine),
                                 static_cast<int>(mat.b * light + shine)));
        }
    return sprite;
}
