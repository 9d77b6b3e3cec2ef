// The bank's slots and its music rules, without a sound driver: nothing
// here may start a real playback.
#include <allegro.h>
#include <cstdlib>
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "fakes/fake_datafile.h"

namespace {

TEST(SoundBank, LoadFillsTheSixEffectAndSixSongSlotsFromTheirObjects) {
    const int sample_objects[6] = {26, 28, 27, 4, 16, 2};  // in slot order
    FakeDataFile data;
    data.install();
    {
        SoundBank bank;
        bank.load();
        for (int slot = 0; slot < SAMPLE_SLOTS; slot++)
            EXPECT_EQ(bank.samples[slot], slot < 6 ? data.objects()[sample_objects[slot]].dat : nullptr) << slot;
        for (int slot = 0; slot < SONG_SLOTS; slot++)
            EXPECT_EQ(bank.songs[slot], slot < 6 ? data.objects()[19 + slot].dat : nullptr) << slot;
        EXPECT_FALSE(bank.music_on);
    }
    // The bank released the objects it borrowed; the file must not again.
    for (int index : sample_objects) data.objects()[index].dat = nullptr;
    for (int slot = 0; slot < 6; slot++) data.objects()[19 + slot].dat = nullptr;
}

TEST(SoundBankDeathTest, DestroyingABankWithGapsReleasesOnlyFilledSlots) {
    EXPECT_EXIT(
        {
            auto* bank = new SoundBank;
            bank->samples[5] = create_sample(16, 0, 22050, 8);
            bank->samples[19] = create_sample(8, 1, 11025, 8);
            bank->songs[3] = make_test_midi();
            delete bank;
            delete new SoundBank;
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(SoundBank, MusicWaitsForItsFirstSongAndAnEmptySlotStartsNothing) {
    SoundBank bank;
    MIDI* other = make_test_midi();
    bank.songs[1] = other;
    bank.update_music();
    EXPECT_FALSE(bank.music_on);
    EXPECT_EQ(bank.current_song, 0);
    EXPECT_LT(midi_pos, 0);

    bank.play_song(6);
    EXPECT_TRUE(bank.music_on);
    EXPECT_EQ(bank.current_song, 6);
    EXPECT_LT(midi_pos, 0);
    bank.songs[1] = nullptr;  // made here, released here
    destroy_test_midi(other);
}

// A data file with no other song must not send the search round forever.
TEST(SoundBank, WithNoOtherSongTheSearchGivesUpAtOnce) {
    SoundBank bank;
    bank.play_song(2);
    bank.update_music();
    EXPECT_EQ(bank.current_song, 2);
    EXPECT_LT(midi_pos, 0);
}

}  // namespace
