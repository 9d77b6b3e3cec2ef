// The bank's slots, filled from the data file without a sound driver, so the
// sanitizer build sees every read of the game's effect table.
#include <allegro.h>
#include <gtest/gtest.h>
#include <algorithm>

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

// Whenever the song playing ends, the next is drawn from the filled slots
// other than the one that ended: never it again, never the empty slot 6.
TEST(SoundBank, AnEndedSongIsFollowedByEachOtherFilledSlotAndNoOther) {
    MIDI* song = make_test_midi();
    SoundBank bank;
    std::fill_n(bank.songs, 6, song);
    bank.play_song(0);
    int chosen = 0;  // a bit for each slot started
    for (int end = 0; end < 300; end++) {
        const int ended = bank.current_song;
        midi_pos = -1;
        bank.update_music();
        EXPECT_TRUE(bank.current_song != ended && bank.current_song < 6) << ended << " then " << bank.current_song;
        chosen |= 1 << bank.current_song;
    }
    EXPECT_EQ(chosen, 0x3F);
    stop_midi();
    std::fill_n(bank.songs, 6, nullptr);
    destroy_test_midi(song);
}

// A song that plays goes on through any number of updates, and through a
// switch to the empty slot; the only song there is starts again when it ends.
TEST(SoundBank, APlayingSongGoesOnAndTheOnlySongStartsAgain) {
    MIDI* song = make_test_midi();
    SoundBank bank;
    bank.songs[2] = bank.songs[4] = song;
    bank.play_song(2);
    for (int call = 0; call < 10; call++) bank.update_music();
    EXPECT_EQ(bank.current_song, 2);
    bank.songs[4] = nullptr;
    bank.play_song(6);
    EXPECT_TRUE(bank.current_song == 6 && midi_pos >= 0);
    midi_pos = -1;
    bank.update_music();
    EXPECT_TRUE(bank.current_song == 2 && midi_pos >= 0);
    stop_midi();
    bank.songs[2] = nullptr;
    destroy_test_midi(song);
}
