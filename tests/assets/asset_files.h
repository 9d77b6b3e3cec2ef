#pragma once
#include <allegro.h>

// The build's vexo.dat and patches.dat, loaded once per test run at the
// test main's 16-bit pixel layout, as the game loads them.
DATAFILE* vexo_dat();
DATAFILE* patches_dat();

BITMAP* sprite_object(int index);
SAMPLE* sample_object(int index);
MIDI* song_object(int index);
