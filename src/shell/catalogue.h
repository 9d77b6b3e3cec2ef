#pragma once

struct DATAFILE;

// What each object of vexo.dat holds, by index.
enum ResourceCatalogue {
    CAT_BULLET_WEAPON_2 = 0,
    CAT_BULLET_WEAPON_0 = 1,
    CAT_SOUND_SPARE = 2,  // loaded into slot 5, never played
    CAT_BULLET_WEAPON_1 = 3,
    CAT_SOUND_HIT = 4,
    CAT_POWERUP_0 = 5,
    CAT_POWERUP_1 = 6,
    CAT_POWERUP_10 = 7,
    CAT_POWERUP_2 = 8,  // kinds 2 to 9 at 8 to 15
    CAT_SOUND_DEATH = 16,
    CAT_SHIP_1 = 17,
    CAT_SHIP_2 = 18,
    CAT_SONG_0 = 19,  // songs of slots 0 to 5 at 19 to 24
    CAT_UNUSED = 25,
    CAT_SOUND_FIRE_0 = 26,
    CAT_SOUND_FIRE_2 = 27,
    CAT_SOUND_FIRE_1 = 28,
    CAT_OBJECT_COUNT = 29,
};

// The library's object type the game needs at an index (DAT_BITMAP,
// DAT_SAMPLE or DAT_MIDI), or 0 where any type will do.
int catalogue_expected_type(int index);
// Readable name of such a type, for the error line.
const char* catalogue_type_name(int type);
// First index at which the loaded file cannot serve the game (missing or of
// the wrong type), or -1 when every index the game uses is right.
int catalogue_first_bad_index(const DATAFILE* file);
