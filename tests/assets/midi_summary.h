#pragma once
#include <allegro.h>
#include <set>

// What a song holds, read from the library's loaded MIDI tracks.
struct MidiSummary {
    double seconds = 0.0;          // to the last event, through the tempo map
    std::set<int> programs;        // program changes on melodic channels
    std::set<int> drum_keys;       // keys struck on channel 10
    bool well_formed = true;       // every track parsed to its end-of-track event
};

MidiSummary summarise_midi(const MIDI* midi);
