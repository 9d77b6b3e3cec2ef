#include "catalogue_files.h"

#include <allegro.h>
#include <cstdio>
#include <cstdlib>

#include "shell/catalogue.h"

namespace {

// What the generator makes for each object, named by the game's own
// catalogue: where each object sits in vexo.dat, and so the order the file
// is packed in, and the type it must be grabbed as are the game's.
struct Recipe {
    int index;
    ObjectKind kind;
    int which;
    const char* file_name;
    const char* label;
};

using K = ObjectKind;
const Recipe RECIPES[] = {
    {CAT_BULLET_WEAPON_0, K::BULLET, 0, "bullet_weapon_0.bmp", "heavy shot"},
    {CAT_BULLET_WEAPON_1, K::BULLET, 1, "bullet_weapon_1.bmp", "needle"},
    {CAT_BULLET_WEAPON_2, K::BULLET, 2, "bullet_weapon_2.bmp", "bolt"},
    {CAT_POWERUP_0, K::POWERUP, 0, "powerup_0.bmp", "triple shot"},
    {CAT_POWERUP_1, K::POWERUP, 1, "powerup_1.bmp", "bouncing"},
    {CAT_POWERUP_2, K::POWERUP, 2, "powerup_2.bmp", "speed"},
    {CAT_POWERUP_2 + 1, K::POWERUP, 3, "powerup_3.bmp", "fast shots"},
    {CAT_POWERUP_2 + 2, K::POWERUP, 4, "powerup_4.bmp", "homing"},
    {CAT_POWERUP_2 + 3, K::POWERUP, 5, "powerup_5.bmp", "repair"},
    {CAT_POWERUP_2 + 4, K::POWERUP, 6, "powerup_6.bmp", "teleport"},
    {CAT_POWERUP_2 + 5, K::POWERUP, 7, "powerup_7.bmp", "quick turn"},
    {CAT_POWERUP_2 + 6, K::POWERUP, 8, "powerup_8.bmp", "heavy gun"},
    {CAT_POWERUP_2 + 7, K::POWERUP, 9, "powerup_9.bmp", "needle gun"},
    {CAT_POWERUP_10, K::POWERUP, 10, "powerup_10.bmp", "bolt gun"},
    {CAT_SHIP_1, K::SHIP, 0, "ship_1.bmp", "player 1"},
    {CAT_SHIP_2, K::SHIP, 1, "ship_2.bmp", "player 2"},
    {CAT_SOUND_FIRE_0, K::EFFECT, EFFECT_FIRE_0, "fire_weapon_0.wav", "heavy fire"},
    {CAT_SOUND_FIRE_1, K::EFFECT, EFFECT_FIRE_1, "fire_weapon_1.wav", "needle fire"},
    {CAT_SOUND_FIRE_2, K::EFFECT, EFFECT_FIRE_2, "fire_weapon_2.wav", "bolt fire"},
    {CAT_SOUND_HIT, K::EFFECT, EFFECT_HIT, "hit.wav", "hit"},
    {CAT_SOUND_DEATH, K::EFFECT, EFFECT_DEATH, "death.wav", "death"},
    {CAT_SOUND_SPARE, K::EFFECT, EFFECT_SPARE, "spare_chime.wav", "pickup chime"},
    {CAT_SONG_0, K::SONG, 0, "song1.mid", "song 1"},
    {CAT_SONG_0 + 1, K::SONG, 1, "song2.mid", "song 2"},
    {CAT_SONG_0 + 2, K::SONG, 2, "song3.mid", "song 3"},
    {CAT_SONG_0 + 3, K::SONG, 3, "song4.mid", "song 4"},
    {CAT_SONG_0 + 4, K::SONG, 4, "song5.mid", "song 5"},
    {CAT_SONG_0 + 5, K::SONG, 5, "song6.mid", "song 6"},
    {CAT_UNUSED, K::FILLER, 0, "unused.bin", "unused"},
};

// The library object type each kind of generated file becomes.
int library_type_of(ObjectKind kind) {
    switch (kind) {
    case K::BULLET:
    case K::POWERUP:
    case K::SHIP: return DAT_BITMAP;
    case K::EFFECT: return DAT_SAMPLE;
    case K::SONG: return DAT_MIDI;
    case K::FILLER: return 0;
    }
    return 0;
}

// The grabber's name for that type; the filler sits where any type will do.
const char* dat_type_of(int library_type) {
    switch (library_type) {
    case DAT_BITMAP: return "BMP";
    case DAT_SAMPLE: return "SAMP";
    case DAT_MIDI: return "MIDI";
    default: return "DATA";
    }
}

// A recipe at the wrong index, a type the game would refuse or an index left
// empty is a mistake in this table: the generator stops rather than pack a
// file the game cannot use.
[[noreturn]] void bad_table(const char* what, int index) {
    std::fprintf(stderr, "assetgen: catalogue object %d %s\n", index, what);
    std::exit(1);
}

std::vector<CatalogueFile> in_index_order() {
    std::vector<CatalogueFile> files(CAT_OBJECT_COUNT);
    std::vector<bool> made(CAT_OBJECT_COUNT, false);
    for (const Recipe& r : RECIPES) {
        if (r.index < 0 || r.index >= CAT_OBJECT_COUNT) bad_table("is outside the catalogue", r.index);
        if (made[r.index]) bad_table("has two recipes", r.index);
        int type = library_type_of(r.kind);
        if (type != catalogue_expected_type(r.index)) bad_table("is not of the type the game loads", r.index);
        files[r.index] = {r.index, r.kind, r.which, r.file_name, dat_type_of(type), r.label};
        made[r.index] = true;
    }
    for (int i = 0; i < CAT_OBJECT_COUNT; i++)
        if (!made[i]) bad_table("has no recipe", i);
    return files;
}

}  // namespace

const std::vector<CatalogueFile>& catalogue_files() {
    static const std::vector<CatalogueFile> files = in_index_order();
    return files;
}
