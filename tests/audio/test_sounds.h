#pragma once

#include <allegro.h>

// Sounds made in memory for the tests that play through a real driver.

// A one-note song lasting `beats` beats at a brisk 25 ms per beat. When it
// has played out, midi_pos reads -(beats + 1), which tells songs of
// different lengths apart.
MIDI* make_song(int beats);
long song_end_position(int beats);
// Waits (up to a few seconds) until no song is playing; true if it ended.
bool wait_for_song_end();

// A square-wave tone, 16-bit mono, at its own sample rate.
SAMPLE* make_tone(int sample_rate, double seconds, int amplitude);

int active_voice_count();
// How many voices are playing this very sample.
int voices_playing(const SAMPLE* sample);
void stop_all_voices();
