#include "audio/sound_bank.h"

#include <allegro.h>
#include <cstdlib>

#include "shell/catalogue.h"
#include "shell/resources.h"

SoundBank sound_bank;

namespace {

// Sample slot i holds this catalogue object; the second and third firing
// sounds lie in the data file in the opposite order to the weapons.
const int SAMPLE_SOURCES[] = {
    CAT_SOUND_FIRE_0, CAT_SOUND_FIRE_1, CAT_SOUND_FIRE_2,
    CAT_SOUND_HIT, CAT_SOUND_DEATH, CAT_SOUND_SPARE,
};
constexpr int LOADED_SAMPLES = sizeof SAMPLE_SOURCES / sizeof SAMPLE_SOURCES[0];
constexpr int LOADED_SONGS = 6;

constexpr int EFFECTS_VOLUME = 255;
constexpr int MUSIC_VOLUME = 200;
constexpr int CENTRE_PAN = 128;
constexpr int OWN_PITCH = 1000;

bool holds_song_besides(MIDI* const (&songs)[SONG_SLOTS], int slot) {
    for (int other = 0; other < SONG_SLOTS; other++)
        if (other != slot && songs[other]) return true;
    return false;
}

}  // namespace

// The slots borrow data-file objects, and the data file is never unloaded,
// so this is their only release. It runs at exit, after the library's own
// shutdown has stopped every voice and the music.
SoundBank::~SoundBank() {
    for (SAMPLE* sample : samples)
        if (sample) destroy_sample(sample);
    for (MIDI* song : songs)
        if (song) destroy_midi(song);
}

void SoundBank::load() {
    for (int slot = 0; slot < LOADED_SAMPLES; slot++)
        samples[slot] = static_cast<SAMPLE*>(data_object(SAMPLE_SOURCES[slot]));
    for (int slot = 0; slot < LOADED_SONGS; slot++)
        songs[slot] = static_cast<MIDI*>(data_object(CAT_SONG_0 + slot));
    set_volume(EFFECTS_VOLUME, MUSIC_VOLUME);
}

// Every call starts a fresh playback, so an effect may overlap itself.
void SoundBank::play_sound(int slot) {
    if (samples[slot]) play_sample(samples[slot], EFFECTS_VOLUME, CENTRE_PAN, OWN_PITCH, 0);
}

// An empty slot starts nothing and leaves a playing song alone, but still
// becomes the current song.
void SoundBank::play_song(int slot) {
    music_on = true;
    current_song = slot;
    if (songs[slot]) play_midi(songs[slot], 0);
}

void SoundBank::update_music() {
    if (!music_on) return;
    if (midi_pos >= 0) return;

    int old = current_song;
    if (!holds_song_besides(songs, old)) {
        // A data file with a single song: play it again rather than search
        // for another one forever.
        if (songs[old]) play_song(old);
        return;
    }
    do {
        current_song = std::rand() % SONG_SLOTS;
    } while (current_song == old || !songs[current_song]);
    play_song(current_song);
}
