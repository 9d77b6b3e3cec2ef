// The bank's slots, filled from the data file without a sound driver, so the
// sanitizer build sees every read of the game's effect table.
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "fakes/fake_datafile.h"

TEST(SoundBank, LoadFillsTheSixEffectAndSixSongSlotsAndNoOther) {
    const int effect_objects[6] = {26, 28, 27, 4, 16, 2};  // in slot order
    FakeDataFile data;
    data.install();
    {
        SoundBank bank;
        bank.load();
        for (int slot = 0; slot < SAMPLE_SLOTS; slot++)
            EXPECT_EQ(bank.samples[slot], slot < 6 ? data.objects()[effect_objects[slot]].dat : nullptr) << slot;
        for (int slot = 0; slot < SONG_SLOTS; slot++)
            EXPECT_EQ(bank.songs[slot], slot < 6 ? data.objects()[19 + slot].dat : nullptr) << slot;
    }
    // The bank released what it borrowed; the file must not again.
    for (int index : effect_objects) data.objects()[index].dat = nullptr;
    for (int slot = 0; slot < 6; slot++) data.objects()[19 + slot].dat = nullptr;
}
