#include "shell/catalogue.h"

#include <allegro.h>

int catalogue_expected_type(int index) {
    switch (index) {
    case CAT_SOUND_SPARE:
    case CAT_SOUND_HIT:
    case CAT_SOUND_DEATH:
    case CAT_SOUND_FIRE_0:
    case CAT_SOUND_FIRE_2:
    case CAT_SOUND_FIRE_1:
        return DAT_SAMPLE;
    case CAT_UNUSED:
        return 0;
    default:
        if (index >= CAT_SONG_0 && index < CAT_SONG_0 + 6) return DAT_MIDI;
        if (index >= 0 && index < CAT_OBJECT_COUNT) return DAT_BITMAP;
        return 0;
    }
}

const char* catalogue_type_name(int type) {
    switch (type) {
    case DAT_BITMAP: return "bitmap";
    case DAT_SAMPLE: return "sample";
    case DAT_MIDI: return "MIDI";
    default: return "any";
    }
}

int catalogue_first_bad_index(const DATAFILE* file) {
    if (!file) return 0;
    for (int i = 0; i < CAT_OBJECT_COUNT; i++) {
        if (file[i].type == DAT_END) return i;
        int wanted = catalogue_expected_type(i);
        if (wanted != 0 && (file[i].type != wanted || !file[i].dat)) return i;
    }
    return -1;
}
