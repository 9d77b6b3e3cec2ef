// The bank's music rules with a real MIDI player moving midi_pos.
#include <cstdlib>
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "test_sounds.h"

namespace {

// Song slot i lasts i + 1 beats, so the position a song ends at tells which
// slot was playing. The bank releases the songs when it goes.
class MusicTest : public testing::Test {
protected:
    SoundBank bank;

    void fill_songs(std::initializer_list<int> slots) {
        for (int slot : slots) bank.songs[slot] = make_song(slot + 1);
    }

    ~MusicTest() override { stop_midi(); }
};

// The slot update_music is expected to choose after `old`, from a random
// sequence restarted at `seed` (which is restarted again for the bank).
int expected_next_song(const SoundBank& bank, int old, unsigned seed) {
    std::srand(seed);
    int next = old;
    while (next == old || !bank.songs[next]) next = std::rand() % SONG_SLOTS;
    std::srand(seed);
    return next;
}

TEST_F(MusicTest, WhileASongPlaysUpdateReturnsWithoutADraw) {
    bank.songs[0] = make_song(40);
    fill_songs({1, 2});
    bank.play_song(0);
    ASSERT_GE(midi_pos, 0);

    std::srand(1234);
    int first = std::rand();
    std::srand(1234);
    for (int call = 0; call < 10; call++) bank.update_music();
    EXPECT_EQ(std::rand(), first);
    EXPECT_EQ(bank.current_song, 0);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(MusicTest, EndedSongIsFollowedByAnotherFilledSlotNeverSix) {
    fill_songs({0, 1, 2, 3, 4, 5});
    for (int round = 0; round < 12; round++) {
        int k = round % 6;
        SCOPED_TRACE(k);
        bank.play_song(k);
        ASSERT_TRUE(wait_for_song_end());
        EXPECT_EQ(midi_pos, song_end_position(k + 1));

        int expected = expected_next_song(bank, k, 500 + round);
        bank.update_music();
        EXPECT_EQ(bank.current_song, expected);
        EXPECT_NE(bank.current_song, k);
        EXPECT_NE(bank.current_song, 6);
        EXPECT_GE(midi_pos, 0);

        // The song that started is the chosen slot's own.
        ASSERT_TRUE(wait_for_song_end());
        EXPECT_EQ(midi_pos, song_end_position(bank.current_song + 1));
    }
}

TEST_F(MusicTest, AfterAnEmptySlotAnyFilledSongMayFollow) {
    fill_songs({0, 1, 2, 3, 4, 5});
    bank.play_song(6);
    EXPECT_EQ(bank.current_song, 6);
    EXPECT_LT(midi_pos, 0);

    int expected = expected_next_song(bank, 6, 99);
    bank.update_music();
    EXPECT_EQ(bank.current_song, expected);
    ASSERT_TRUE(wait_for_song_end());
    EXPECT_EQ(midi_pos, song_end_position(expected + 1));
}

TEST_F(MusicTest, EmptySlotLeavesAPlayingSongAlone) {
    bank.songs[0] = make_song(40);
    bank.play_song(0);
    rest(20);
    bank.play_song(6);
    EXPECT_EQ(bank.current_song, 6);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(MusicTest, OnlySongLeftStartsAgainWithoutADraw) {
    fill_songs({2});
    bank.play_song(2);
    ASSERT_TRUE(wait_for_song_end());

    std::srand(8);
    int first = std::rand();
    std::srand(8);
    bank.update_music();
    EXPECT_EQ(std::rand(), first);
    EXPECT_EQ(bank.current_song, 2);
    EXPECT_GE(midi_pos, 0);
    ASSERT_TRUE(wait_for_song_end());
    EXPECT_EQ(midi_pos, song_end_position(3));
}

}  // namespace
