#include "catalogue_files.h"

const std::vector<CatalogueFile>& catalogue_files() {
    using K = ObjectKind;
    static const std::vector<CatalogueFile> files = {
        {0, K::BULLET, 2, "bullet_weapon_2.bmp", "BMP", "bolt"},
        {1, K::BULLET, 0, "bullet_weapon_0.bmp", "BMP", "heavy shot"},
        {2, K::EFFECT, EFFECT_SPARE, "spare_chime.wav", "SAMP", "pickup chime"},
        {3, K::BULLET, 1, "bullet_weapon_1.bmp", "BMP", "needle"},
        {4, K::EFFECT, EFFECT_HIT, "hit.wav", "SAMP", "hit"},
        {5, K::POWERUP, 0, "powerup_0.bmp", "BMP", "triple shot"},
        {6, K::POWERUP, 1, "powerup_1.bmp", "BMP", "bouncing"},
        {7, K::POWERUP, 10, "powerup_10.bmp", "BMP", "bolt gun"},
        {8, K::POWERUP, 2, "powerup_2.bmp", "BMP", "speed"},
        {9, K::POWERUP, 3, "powerup_3.bmp", "BMP", "fast shots"},
        {10, K::POWERUP, 4, "powerup_4.bmp", "BMP", "homing"},
        {11, K::POWERUP, 5, "powerup_5.bmp", "BMP", "repair"},
        {12, K::POWERUP, 6, "powerup_6.bmp", "BMP", "teleport"},
        {13, K::POWERUP, 7, "powerup_7.bmp", "BMP", "quick turn"},
        {14, K::POWERUP, 8, "powerup_8.bmp", "BMP", "heavy gun"},
        {15, K::POWERUP, 9, "powerup_9.bmp", "BMP", "needle gun"},
        {16, K::EFFECT, EFFECT_DEATH, "death.wav", "SAMP", "death"},
        {17, K::SHIP, 0, "ship_1.bmp", "BMP", "player 1"},
        {18, K::SHIP, 1, "ship_2.bmp", "BMP", "player 2"},
        {19, K::SONG, 0, "song1.mid", "MIDI", "song 1"},
        {20, K::SONG, 1, "song2.mid", "MIDI", "song 2"},
        {21, K::SONG, 2, "song3.mid", "MIDI", "song 3"},
        {22, K::SONG, 3, "song4.mid", "MIDI", "song 4"},
        {23, K::SONG, 4, "song5.mid", "MIDI", "song 5"},
        {24, K::SONG, 5, "song6.mid", "MIDI", "song 6"},
        {25, K::FILLER, 0, "unused.bin", "DATA", "unused"},
        {26, K::EFFECT, EFFECT_FIRE_0, "fire_weapon_0.wav", "SAMP", "heavy fire"},
        {27, K::EFFECT, EFFECT_FIRE_2, "fire_weapon_2.wav", "SAMP", "bolt fire"},
        {28, K::EFFECT, EFFECT_FIRE_1, "fire_weapon_1.wav", "SAMP", "needle fire"},
    };
    return files;
}
