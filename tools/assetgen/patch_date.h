#pragma once
#include <string>

// pat2dat writes the time it ran into the patch set's index ("# Date: " and
// ctime's 24 characters). Rewrites that line in place, same length, to the
// given moment (seconds since 1970, UTC), so that the same sources give the
// same patches.dat on every build.
bool set_patch_index_date(const std::string& path, long long seconds);
