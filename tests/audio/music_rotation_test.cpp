// The bank's music rules with a real MIDI player moving midi_pos.
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

TEST_F(MusicTest, WhileASongPlaysUpdateLeavesIt) {
    bank.songs[0] = make_song(40);
    fill_songs({1, 2});
    bank.play_song(0);
    for (int call = 0; call < 10; call++) bank.update_music();
    EXPECT_EQ(bank.current_song, 0);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(MusicTest, AnEndedSongIsFollowedByAnotherFilledSlotWhichPlays) {
    fill_songs({0, 1, 2, 3, 4, 5});
    for (int first : {0, 1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(first);
        bank.play_song(first);
        if (first < 6) {  // slot 6 is empty: nothing plays
            ASSERT_TRUE(wait_for_song_end());
            EXPECT_EQ(midi_pos, song_end_position(first + 1));
        }
        bank.update_music();
        EXPECT_NE(bank.current_song, first);
        EXPECT_LT(bank.current_song, 6);
        ASSERT_TRUE(wait_for_song_end());
        EXPECT_EQ(midi_pos, song_end_position(bank.current_song + 1));
    }
}

TEST_F(MusicTest, AnEmptySlotLeavesAPlayingSongAlone) {
    bank.songs[0] = make_song(40);
    bank.play_song(0);
    rest(20);
    bank.play_song(6);
    EXPECT_EQ(bank.current_song, 6);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(MusicTest, TheOnlySongStartsAgain) {
    fill_songs({2});
    bank.play_song(2);
    ASSERT_TRUE(wait_for_song_end());
    bank.update_music();
    EXPECT_EQ(bank.current_song, 2);
    ASSERT_TRUE(wait_for_song_end());
    EXPECT_EQ(midi_pos, song_end_position(3));
}

}  // namespace
