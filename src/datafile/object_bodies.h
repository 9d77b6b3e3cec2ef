#pragma once

#include "datafile/budget.h"
#include "datafile/byte_reader.h"

// Each object type the library has a loader for, walked as that loader
// reads it: true when the body holds exactly what the loader will take from
// it. What the loader will allocate for pictures is spent from the budget.

// Bitmaps and compiled sprites; `drawn` ones are held to the sprite size the
// game can rotate and scale.
bool bitmap_body_ok(ByteReader body, bool drawn, Budget& budget);
bool rle_sprite_body_ok(ByteReader body, Budget& budget);
bool font_body_ok(ByteReader body, Budget& budget);
bool sample_body_ok(ByteReader body);
// Beat divisions, then 32 tracks, each one kept inside by midi_track_ok.
bool midi_body_ok(ByteReader body);
