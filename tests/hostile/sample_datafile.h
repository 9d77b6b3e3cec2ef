#pragma once

#include <string>

#include "shell/catalogue.h"

// Writes, with the library's own packfile writer, a small data file that
// serves the first `objects` catalogue indexes: the whole file LZSS-packed or
// not, each object's body packed on its own or not, a name property on each
// object, object 25 a nested file of one bitmap, a trailing grabber info
// object, and `wrong_at` given a type the game refuses there.
bool write_sample_datafile(const std::string& path, bool pack_file, bool pack_objects,
                           int objects = CAT_OBJECT_COUNT, int wrong_at = -1);
