#pragma once
#include <allegro.h>
#include <set>

// What a song holds, read from the library's loaded MIDI tracks.
struct MidiSummary {
    double seconds = 0.0;          // to the last event, through the tempo map
    std::set<int> note_channels;   // channels 0..15 with at least one note
    std::set<int> programs;        // program changes on melodic channels
    std::set<int> drum_keys;       // keys struck on channel 10
    int notes = 0;
    bool well_formed = true;       // every track parsed to its end-of-track event
};

MidiSummary summarise_midi(const MIDI* midi);
