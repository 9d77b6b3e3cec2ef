// The bank's slots and its music rules, without a sound driver: nothing
// here may start a real playback.
#include <allegro.h>
#include <cstdlib>
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "fakes/fake_datafile.h"

namespace {

// Catalogue object of each filled sample slot, in slot order.
const int SAMPLE_OBJECTS[6] = {26, 28, 27, 4, 16, 2};

void expect_empty(const SoundBank& bank) {
    EXPECT_FALSE(bank.music_on);
    EXPECT_EQ(bank.current_song, 0);
    for (int slot = 0; slot < SAMPLE_SLOTS; slot++) EXPECT_EQ(bank.samples[slot], nullptr) << slot;
    for (int slot = 0; slot < SONG_SLOTS; slot++) EXPECT_EQ(bank.songs[slot], nullptr) << slot;
}

// The number rand() gives first after srand(seed); the sequence is
// restarted, so the code under test draws from the same point.
int first_rand_after(unsigned seed) {
    std::srand(seed);
    int first = std::rand();
    std::srand(seed);
    return first;
}

TEST(SoundBankSlots, NewBankIsEmptyWithMusicOff) {
    SoundBank bank;
    expect_empty(bank);
}

TEST(SoundBankSlots, GlobalBankStartsEmpty) {
    expect_empty(sound_bank);
}

TEST(SoundBankSlots, LoadFillsTheSixEffectAndSixSongSlotsFromTheirObjects) {
    FakeDataFile data;
    data.install();
    {
        SoundBank bank;
        bank.load();
        for (int slot = 0; slot < 6; slot++)
            EXPECT_EQ(bank.samples[slot], data.objects()[SAMPLE_OBJECTS[slot]].dat) << slot;
        for (int slot = 6; slot < SAMPLE_SLOTS; slot++) EXPECT_EQ(bank.samples[slot], nullptr) << slot;
        for (int slot = 0; slot < 6; slot++)
            EXPECT_EQ(bank.songs[slot], data.objects()[19 + slot].dat) << slot;
        EXPECT_EQ(bank.songs[6], nullptr);
        EXPECT_FALSE(bank.music_on);
        EXPECT_EQ(bank.current_song, 0);
    }
    // The bank released the objects it borrowed; the file must not again.
    for (int index : SAMPLE_OBJECTS) data.objects()[index].dat = nullptr;
    for (int slot = 0; slot < 6; slot++) data.objects()[19 + slot].dat = nullptr;
}

TEST(SoundBankSlots, DestroyingABankWithGapsReleasesOnlyFilledSlots) {
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

TEST(SoundBankMusic, UpdateBeforeTheFirstSongDoesNothing) {
    FakeDataFile data;
    data.install();
    SoundBank bank;
    bank.load();
    ASSERT_LT(midi_pos, 0);

    int expected = first_rand_after(5);
    bank.update_music();
    EXPECT_FALSE(bank.music_on);
    EXPECT_EQ(bank.current_song, 0);
    EXPECT_LT(midi_pos, 0);
    EXPECT_EQ(std::rand(), expected);

    // Leave the borrowed objects to the file in this test.
    for (MIDI*& song : bank.songs) song = nullptr;
    for (SAMPLE*& sample : bank.samples) sample = nullptr;
}

TEST(SoundBankMusic, EmptySongSlotIsRecordedButStartsNothing) {
    SoundBank bank;
    ASSERT_LT(midi_pos, 0);
    bank.play_song(6);
    EXPECT_TRUE(bank.music_on);
    EXPECT_EQ(bank.current_song, 6);
    EXPECT_LT(midi_pos, 0);
}

TEST(SoundBankMusic, WithNoOtherSongTheSearchGivesUpAtOnce) {
    SoundBank bank;
    bank.play_song(2);
    ASSERT_LT(midi_pos, 0);

    int expected = first_rand_after(77);
    bank.update_music();
    EXPECT_EQ(bank.current_song, 2);
    EXPECT_LT(midi_pos, 0);
    EXPECT_EQ(std::rand(), expected);
}

}  // namespace
