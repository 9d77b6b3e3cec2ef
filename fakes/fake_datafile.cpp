#include "fakes/fake_datafile.h"

#include <cstdlib>
#include <cstring>

#include "powerups/powerup.h"
#include "shell/catalogue.h"
#include "shell/resources.h"

int FakeDataFile::fake_object_colour(int index) {
    return makecol(40 + index * 7, 200 - index * 5, 60 + index * 6);
}

FakeDataFile::FakeDataFile() {
    std::memset(entries, 0, sizeof entries);
    for (int i = 0; i < CAT_OBJECT_COUNT; i++) {
        int type = catalogue_expected_type(i);
        DATAFILE& e = entries[i];
        if (type == DAT_SAMPLE) {
            e.dat = create_sample(16, 0, 22050, 64);
            std::memset(static_cast<SAMPLE*>(e.dat)->data, 0x80, 64 * 2);
        } else if (type == DAT_MIDI) {
            e.dat = make_test_midi();
        } else {
            type = DAT_BITMAP;
            int side = (i == CAT_SHIP_1 || i == CAT_SHIP_2) ? 32 : 16;
            BITMAP* b = create_bitmap(side, side);
            clear_to_color(b, fake_object_colour(i));
            e.dat = b;
        }
        e.type = type;
        e.size = 1;
    }
    entries[CAT_OBJECT_COUNT].type = DAT_END;
}

FakeDataFile::~FakeDataFile() {
    if (data_file == entries) data_file = nullptr;
    for (int i = 0; i < CAT_OBJECT_COUNT; i++) {
        DATAFILE& e = entries[i];
        if (e.type == DAT_SAMPLE) destroy_sample(static_cast<SAMPLE*>(e.dat));
        else if (e.type == DAT_MIDI) destroy_test_midi(static_cast<MIDI*>(e.dat));
        else if (e.type == DAT_BITMAP) destroy_bitmap(static_cast<BITMAP*>(e.dat));
    }
}

void FakeDataFile::install() {
    data_file = entries;
    bullet_sprites[0] = static_cast<BITMAP*>(entries[CAT_BULLET_WEAPON_0].dat);
    bullet_sprites[1] = static_cast<BITMAP*>(entries[CAT_BULLET_WEAPON_1].dat);
    bullet_sprites[2] = static_cast<BITMAP*>(entries[CAT_BULLET_WEAPON_2].dat);
}

void FakeDataFile::forget_item_sprites() {
    for (int i = CAT_POWERUP_0; i < CAT_POWERUP_0 + POWERUP_KINDS; i++) entries[i].dat = nullptr;
}

MIDI* make_test_midi() {
    // Note on, a quarter note later note off, end of track.
    static const unsigned char track[] = {
        0x00, 0x90, 60, 100,
        0x60, 0x80, 60, 0,
        0x00, 0xFF, 0x2F, 0x00,
    };
    MIDI* midi = static_cast<MIDI*>(std::calloc(1, sizeof(MIDI)));
    midi->divisions = 96;
    midi->track[0].data = static_cast<unsigned char*>(std::malloc(sizeof track));
    std::memcpy(midi->track[0].data, track, sizeof track);
    midi->track[0].len = sizeof track;
    return midi;
}

void destroy_test_midi(MIDI* midi) {
    if (!midi) return;
    for (auto& t : midi->track) std::free(t.data);
    std::free(midi);
}
