// The sound bank through the library's real ALSA driver, which it finds
// only through its X system driver: this program runs under a virtual X
// server, with ALSA_CONFIG_PATH pointing at the capture configuration in
// tests/support. The music runs on the silent MIDI driver, whose player
// still moves midi_pos through the song and reports the notes it plays.
#include <allegro.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "audio/sound_bank.h"
#include "combat/ship.h"
#include "fakes/fake_datafile.h"

static volatile int last_note = -1;

// The game's bank loaded from a stand-in data file. Its song slot s strikes
// note 60 + s for one beat (the third byte of the stand-in's track, its
// note-off the seventh), which the MIDI player reports; its played effects
// last a second, so that they still play when the test looks at the voices.
class Sound : public testing::Test {
protected:
    FakeDataFile data;
    Sound() {
        for (int slot = 0; slot < 6; slot++) {
            unsigned char* track = static_cast<MIDI*>(data.objects()[19 + slot].dat)->track[0].data;
            track[2] = track[6] = static_cast<unsigned char>(60 + slot);
        }
        for (int index : {26, 28, 27, 4, 16}) {
            auto* effect = static_cast<SAMPLE*>(data.objects()[index].dat);
            effect->len = effect->freq;
            effect->data = std::memset(std::realloc(effect->data, effect->len * 2), 0x80, effect->len * 2);
        }
        data.install();
        sound_bank.load();
        midi_msg_callback = [](int message, int note, int) {
            if ((message & 0xF0) == 0x90) last_note = note;
        };
    }
    ~Sound() override {  // the file releases its objects itself
        stop_midi();
        for (SAMPLE*& effect : sound_bank.samples) effect = nullptr;
        for (MIDI*& song : sound_bank.songs) song = nullptr;
    }
    // Waits until no song plays; the slot of the one that played out.
    int slot_played_out() {
        for (int waited = 0; waited < 5000 && midi_pos >= 0; waited += 2) rest(2);
        return midi_pos < 0 ? last_note - 60 : -1;
    }
    // True if exactly `count` voices were playing, each catalogue object
    // `index` at full volume, centred and at its own rate; stops them.
    bool played(int index, int count = 1) {
        int playing = 0, right = 0;
        for (int v = 0; v < digi_driver->voices; v++) {
            SAMPLE* s = voice_check(v);
            playing += s != nullptr;
            right += s == data.objects()[index].dat && voice_get_volume(v) == 255 &&
                     voice_get_pan(v) == 128 && voice_get_frequency(v) == 22050;
            if (s) deallocate_voice(v);
        }
        return playing == count && right == count;
    }
};

// The catalogue's songs fill slots 0 to 5; slot 6 stays empty.
TEST_F(Sound, AnEndedSongIsFollowedByAnotherCatalogueSongWhichPlays) {
    for (int first = 0; first <= 6; first++) {
        sound_bank.play_song(first);
        if (first < 6) { EXPECT_EQ(slot_played_out(), first); }
        sound_bank.update_music();
        EXPECT_TRUE(sound_bank.current_song != first && sound_bank.current_song < 6) << first;
        EXPECT_EQ(slot_played_out(), sound_bank.current_song);
    }
}

TEST_F(Sound, TheOnlySongStartsAgain) {
    for (int slot : {0, 1, 3, 4, 5}) sound_bank.songs[slot] = nullptr;
    sound_bank.play_song(2);
    EXPECT_EQ(slot_played_out(), 2);
    sound_bank.update_music();
    EXPECT_EQ(sound_bank.current_song, 2);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(Sound, APlayingSongGoesOnThroughUpdatesAndAnEmptySlot) {
    sound_bank.play_song(0);
    for (int call = 0; call < 10; call++) sound_bank.update_music();
    EXPECT_EQ(sound_bank.current_song, 0);
    sound_bank.play_song(6);
    EXPECT_EQ(sound_bank.current_song, 6);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(Sound, FiringHitsAndDeathsPlayTheirCatalogueEffects) {
    Ship shooter, target;
    shooter.add_flags(TRIPLE_SHOT);
    const int fire_objects[3] = {26, 28, 27};
    for (int weapon : {0, 1, 2}) {
        shooter.select_weapon(weapon);
        shooter.fire_cooldown = 0;
        shooter.fire(target);
        EXPECT_TRUE(played(fire_objects[weapon])) << "one effect for three bullets of weapon " << weapon;
    }
    target.take_damage(5, Vec2(1, 2));
    target.take_damage(5, Vec2(1, 2));
    EXPECT_TRUE(played(4, 2)) << "hits overlap";
    target.take_damage(500, Vec2(1, 2));
    EXPECT_TRUE(played(16));
}


int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (allegro_init() != 0 || install_timer() != 0 || install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
        std::fprintf(stderr, "cannot start the sound drivers: %s\n", allegro_error);
        return 1;
    }
    return RUN_ALL_TESTS();
}
