// The bank's slots, filled from the data file, and what it asks the library
// to play: the library's play_sample is replaced here by a recorder, so the
// sanitizer build sees every read of the game's effect table.
#include <allegro.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

#include "audio/sound_bank.h"
#include "combat/ship.h"
#include "fakes/fake_datafile.h"

// Each effect started: the sample, volume, pan, pitch (1000: its own rate) and loop.
std::vector<std::vector<intptr_t>> started;
int play_sample(const SAMPLE* sample, int volume, int pan, int pitch, int loop) {
    started.push_back({intptr_t(sample), volume, pan, pitch, loop});
    return 0;
}

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

// One effect for the three bullets of a triple shot of each weapon, one for
// each hit, overlapping, and one for the death: each its catalogue object at
// full volume, centred, at its own rate, once.
TEST(SoundBank, FiringHitsAndDeathsPlayTheirCatalogueEffects) {
    FakeDataFile data;
    data.install();
    sound_bank.load();
    Ship shooter, target;
    shooter.add_flags(TRIPLE_SHOT);
    for (int weapon : {0, 1, 2}) {
        shooter.select_weapon(weapon);
        shooter.fire_cooldown = 0;
        shooter.fire(target);
    }
    for (int damage : {5, 5, 500}) target.take_damage(damage, Vec2(1, 2));
    std::vector<std::vector<intptr_t>> want;
    for (int index : {26, 28, 27, 4, 4, 16}) want.push_back({intptr_t(data.objects()[index].dat), 255, 128, 1000, 0});
    EXPECT_EQ(started, want);
    std::fill_n(sound_bank.samples, SAMPLE_SLOTS, nullptr);  // the file releases its objects itself
    std::fill_n(sound_bank.songs, SONG_SLOTS, nullptr);
}
// Whenever the song playing ends, the next is drawn from the filled slots
// other than the one that ended: never it again, never the empty slot 6. A
// song that plays goes on through any number of updates, from its first
// beat, and through a switch to the empty slot; the only song there is starts
// again when it ends.
TEST(SoundBank, AnEndedSongIsFollowedByAnotherAPlayingOneGoesOnTheOnlyOneStartsAgain) {
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

    std::fill_n(bank.songs, 6, nullptr);
    bank.songs[2] = bank.songs[4] = song;
    bank.play_song(2);
    for (int call = 0; call < 10; call++) bank.update_music();
    midi_pos = 0;  // at its first beat
    bank.update_music();
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
