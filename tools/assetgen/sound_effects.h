#pragma once
#include "synth.h"

// The game's effects, 22050 Hz mono, peaking below full scale and faded
// at both ends.
Sound fire_sound(int weapon);   // 0 heavy thump, 1 high needle, 2 middle zap
Sound hit_sound();
Sound death_sound();
Sound pickup_chime();           // sits in the spare slot; the game never plays it
