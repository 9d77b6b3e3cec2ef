#pragma once

#include <cstdint>

// True when the library's MIDI player, and its scan for the instruments a
// song needs, both stay inside this track's bytes: every event and length
// fits, every note and instrument number is one of the 128, and an
// end-of-track event stops the player.
bool midi_track_ok(const unsigned char* track, int64_t length);
