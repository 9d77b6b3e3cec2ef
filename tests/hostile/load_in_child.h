#pragma once

#include <string>

// How loading one file the way the game's start-up does it ended.
enum class LoadOutcome {
    LOADED,                // passed the structure check, the loader and the catalogue
    REFUSED_BY_CHECK,      // the structure check said no
    REFUSED_BY_LOADER,     // the library's loader returned nothing
    REFUSED_BY_CATALOGUE,  // loaded, but an index holds the wrong type
    CRASHED,               // killed by a signal, or a sanitizer report
    HUNG,                  // still running after the time limit
};

const char* outcome_name(LoadOutcome outcome);

// Loads the file in a forked child, so that a crash or a hang is reported
// here instead of ending the test run.
LoadOutcome load_in_child(const std::string& path);
