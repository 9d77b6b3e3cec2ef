#pragma once

// Walks a data file's structure before the library's loader sees it: the
// loader crashes on truncated or damaged files. True when every object's
// header and size are consistent and the loader may be called.
bool datafile_structure_ok(const char* path);
