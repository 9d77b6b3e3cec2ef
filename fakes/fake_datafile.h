#pragma once

#include <allegro.h>

// A stand-in for vexo.dat built in memory: every catalogue index holds an
// object of the right type. Bitmap i is 16 x 16 (ships 32 x 32), filled with
// fake_object_colour(i) so a test can tell which object was drawn.
class FakeDataFile {
public:
    FakeDataFile();
    ~FakeDataFile();
    FakeDataFile(const FakeDataFile&) = delete;
    FakeDataFile& operator=(const FakeDataFile&) = delete;

    DATAFILE* objects() { return entries; }
    // Sets the game's data_file and bullet_sprites to this file.
    void install();
    // A power-up field destroys the item sprites it took (objects 5 to 15)
    // with itself, as the game's does, whose data file is never unloaded.
    // Once a field built on this file is gone, this keeps the file from
    // destroying them a second time.
    void forget_item_sprites();

    static int fake_object_colour(int index);

private:
    DATAFILE entries[30];
};

// A short MIDI song made in memory (one note), for tests of the music.
MIDI* make_test_midi();
void destroy_test_midi(MIDI* midi);
