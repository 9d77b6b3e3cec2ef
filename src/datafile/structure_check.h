#pragma once

// Walks a data file's structure before the library's loader sees it: the
// loader crashes on truncated or damaged files, and its MIDI player on
// damaged songs. True when the file is a regular file that reads whole, every
// object's header and size are consistent with what the loader will read,
// every song keeps the player inside its tracks, and the whole unpacks within
// the game's memory allowance; only then may the loader be called.
bool datafile_structure_ok(const char* path);
