#include "art_sheets.h"

#include <string>

#include "catalogue_files.h"
#include "pixel_art.h"
#include "rng.h"
#include "sprites.h"

BITMAP* sprite_for(const CatalogueFile& file) {
    switch (file.kind) {
    case ObjectKind::BULLET: return draw_bullet_sprite(file.which);
    case ObjectKind::POWERUP: return draw_powerup_sprite(file.which);
    case ObjectKind::SHIP: return draw_ship_sprite(file.which);
    default: return nullptr;
    }
}

BITMAP* draw_icon(int size) {
    // Laid out on a 64-pixel grid and scaled, so every size shows the same
    // picture; sprites grow as whole pixels would, keeping the pixel-art look.
    const double k = size / 64.0;
    auto at = [k](int grid) { return static_cast<int>(grid * k); };
    BITMAP* icon = create_bitmap(size, size);
    clear_to_color(icon, mask_colour());
    circlefill(icon, size / 2, size / 2, size / 2 - 1, makecol(14, 16, 34));
    circle(icon, size / 2, size / 2, size / 2 - 1, makecol(70, 80, 140));
    const int star = k > 1 ? static_cast<int>(k + 0.5) : 1;
    Rng rng(64);
    for (int i = 0; i < 40; ++i) {
        int x = 8 + rng.below(48), y = 8 + rng.below(48);
        int b = 90 + rng.below(150);
        if ((x - 32) * (x - 32) + (y - 32) * (y - 32) < 27 * 27)
            rectfill(icon, at(x), at(y), at(x) + star - 1, at(y) + star - 1, makecol(b, b, b));
    }
    BITMAP* manta = draw_ship_sprite(1);
    BITMAP* dart = draw_ship_sprite(0);
    BITMAP* needle = draw_bullet_sprite(1);
    rotate_scaled_sprite(icon, manta, at(30), at(8), itofix(128 + 16), ftofix(0.75 * k));
    rotate_scaled_sprite(icon, needle, at(22), at(14), itofix(16), ftofix(1.0 * k));
    rotate_scaled_sprite(icon, dart, at(5), at(22), itofix(16), ftofix(1.2 * k));
    destroy_bitmap(manta);
    destroy_bitmap(dart);
    destroy_bitmap(needle);
    return icon;
}

BITMAP* draw_contact_sheet() {
    const int cell_w = 128, cell_h = 130, columns = 6;
    const std::vector<CatalogueFile>& files = catalogue_files();
    int sprites = 0;
    for (const CatalogueFile& f : files)
        if (f.dat_type == "BMP") ++sprites;
    const int rows = (sprites + columns - 1) / columns;
    BITMAP* sheet = create_bitmap(columns * cell_w, rows * cell_h + 20);
    clear_to_color(sheet, makecol(8, 8, 16));
    textout_ex(sheet, font, "vexo.dat sprites: object index, zoom 1 and zoom 3", 6, 6, makecol(220, 220, 230), -1);
    int n = 0;
    for (const CatalogueFile& f : files) {
        BITMAP* sprite = sprite_for(f);
        if (!sprite) continue;
        const int x = (n % columns) * cell_w, y = 20 + (n / columns) * cell_h;
        rect(sheet, x + 2, y + 2, x + cell_w - 3, y + cell_h - 3, makecol(40, 44, 70));
        draw_sprite(sheet, sprite, x + 8, y + 10);
        stretch_sprite(sheet, sprite, x + 8 + 20, y + 10, sprite->w * 3, sprite->h * 3);
        std::string label = "#" + std::to_string(f.index) + " " + f.label;
        textout_ex(sheet, font, label.c_str(), x + 6, y + cell_h - 16, makecol(200, 200, 210), -1);
        destroy_bitmap(sprite);
        ++n;
    }
    return sheet;
}
