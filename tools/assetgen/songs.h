#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "midi_file.h"

// How one of the game's songs is put together. A song is a row of
// sections (intro I, verse A, chorus B, breakdown C, outro O) over four-bar
// chord loops in one mode; the composer turns this into notes.
enum class BassLine { EIGHTHS, GALLOP, OCTAVES, LONG };
enum class Beat { ROCK, DRIVE, HALF_TIME, BREAKBEAT };

struct SongStyle {
    std::string title;
    int beats_per_minute;
    int tonic;                     // MIDI key of the tonic, around the third octave
    std::array<int, 7> mode;       // semitones of the seven scale degrees
    std::array<int, 4> verse;      // chord roots as scale degrees, one per bar
    std::array<int, 4> chorus;
    std::string form;              // e.g. "IAABCABO"
    int lead, bass, pad, arp;      // General MIDI programs (0-based)
    BassLine bass_line;
    Beat beat;
    uint32_t seed;
};

constexpr int TICKS_PER_BEAT = 480;
constexpr int MIDI_DRUM_CHANNEL = 9;  // channel 10 as musicians count

// The six songs, in song slot order.
const std::vector<SongStyle>& game_songs();
// Every General MIDI program the songs use, for the patch set's record.
std::vector<int> programs_used();

std::vector<MidiTrack> compose(const SongStyle& style);
int song_bars(const SongStyle& style);
