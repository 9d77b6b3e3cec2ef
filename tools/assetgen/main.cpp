// Writes the game's art, sounds and songs as files, each made here from
// code and fixed seeds, so every run produces the same bytes.
//   vexo_assetgen objects DIR       the 29 data-file objects + manifest.txt
//   vexo_assetgen icon SIZE FILE.png  the desktop icon, SIZE pixels square
//   vexo_assetgen xpm SIZE FILE.cpp   the same icon as X11 pixmap data, vexo_icon_xpm
//   vexo_assetgen sheet FILE.png    contact sheet of every sprite
//   vexo_assetgen patch-date SECONDS patches.dat  pat2dat's time stamp set to SECONDS
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "art_sheets.h"
#include "catalogue_files.h"
#include "patch_date.h"
#include "png_file.h"
#include "songs.h"
#include "sound_effects.h"
#include "sprites.h"
#include "xpm_source.h"

namespace {

Sound effect(int which) {
    switch (which) {
    case EFFECT_FIRE_0: return fire_sound(0);
    case EFFECT_FIRE_1: return fire_sound(1);
    case EFFECT_FIRE_2: return fire_sound(2);
    case EFFECT_HIT: return hit_sound();
    case EFFECT_DEATH: return death_sound();
    default: return pickup_chime();
    }
}

bool write_filler(const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const char text[] = "vexo";
    bool written = std::fwrite(text, 1, 4, out) == 4;
    return std::fclose(out) == 0 && written;
}

bool write_object(const CatalogueFile& f, const std::string& path) {
    switch (f.kind) {
    case ObjectKind::BULLET:
    case ObjectKind::POWERUP:
    case ObjectKind::SHIP: {
        BITMAP* sprite = sprite_for(f);
        bool ok = save_bitmap(path.c_str(), sprite, nullptr) == 0;
        destroy_bitmap(sprite);
        return ok;
    }
    case ObjectKind::EFFECT: return write_wav(effect(f.which), path);
    case ObjectKind::SONG: return write_midi_file(path, TICKS_PER_BEAT, compose(game_songs()[f.which]));
    case ObjectKind::FILLER: return write_filler(path);
    }
    return false;
}

// One line per object, in index order: the dat type and the file name.
bool write_objects(const std::string& dir) {
    std::string manifest = dir + "/manifest.txt";
    FILE* list = std::fopen(manifest.c_str(), "w");
    if (!list) return false;
    bool ok = true;
    for (const CatalogueFile& f : catalogue_files()) {
        if (!write_object(f, dir + "/" + f.file_name)) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), f.file_name.c_str());
            ok = false;
        }
        std::fprintf(list, "%s %s\n", f.dat_type.c_str(), f.file_name.c_str());
    }
    return std::fclose(list) == 0 && ok;
}

bool write_picture(BITMAP* picture, const std::string& path, bool as_xpm = false) {
    bool ok = as_xpm ? write_xpm_source(picture, "vexo_icon_xpm", path) : write_png(picture, path);
    destroy_bitmap(picture);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const bool xpm = argc == 4 && std::strcmp(argv[1], "xpm") == 0;
    const bool icon = xpm || (argc == 4 && std::strcmp(argv[1], "icon") == 0);
    const bool patch_date = argc == 4 && std::strcmp(argv[1], "patch-date") == 0;
    if (argc != 3 && !icon && !patch_date) {
        std::fprintf(stderr, "usage: %s objects DIR | icon SIZE FILE.png | xpm SIZE FILE.cpp | sheet FILE.png"
                             " | patch-date SECONDS patches.dat\n", argv[0]);
        return 2;
    }
    if (patch_date) return set_patch_index_date(argv[3], std::atoll(argv[2])) ? 0 : 1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro\n");
        return 1;
    }
    // Drawn in true colour; the game converts on load to whatever depth it runs at.
    _rgb_r_shift_32 = 16; _rgb_g_shift_32 = 8; _rgb_b_shift_32 = 0;
    _rgb_r_shift_24 = 16; _rgb_g_shift_24 = 8; _rgb_b_shift_24 = 0;
    set_color_depth(32);
    const std::string what = argv[1], where = argv[argc - 1];
    bool ok = false;
    if (icon) {
        const int size = std::atoi(argv[2]);
        if (size >= 16 && size <= 1024) ok = write_picture(draw_icon(size), where, xpm);
        else std::fprintf(stderr, "icon size '%s' is not 16 to 1024\n", argv[2]);
    } else if (what == "objects") ok = write_objects(where);
    else if (what == "sheet") ok = write_picture(draw_contact_sheet(), where);
    else std::fprintf(stderr, "unknown output '%s'\n", what.c_str());
    return ok ? 0 : 1;
}
