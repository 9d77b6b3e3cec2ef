#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "asset_files.h"
#include "midi_summary.h"
#include "shell/catalogue.h"

namespace {

MidiSummary song(int slot) { return summarise_midi(song_object(CAT_SONG_0 + slot)); }

// The patch set's index: General MIDI program (0-based) or drum key to
// the name of the instrument object that plays it.
struct PatchIndex {
    std::map<int, std::string> programs, drums;
};

PatchIndex read_patch_index(DATAFILE* patches) {
    PatchIndex index;
    DATAFILE* cfg = find_datafile_object(patches, "default_cfg");
    if (!cfg) return index;
    std::istringstream text(std::string(static_cast<const char*>(cfg->dat), cfg->size));
    std::string line;
    bool in_drums = false;
    while (std::getline(text, line)) {
        if (line.find("begin_multipatch") != std::string::npos) in_drums = true;
        if (line.empty() || line[0] == '#' || line.find("begin_multipatch") != std::string::npos) continue;
        std::istringstream fields(line);
        int number = 0;
        std::string name;
        if (!(fields >> number >> name)) continue;
        if (in_drums) index.drums[number] = name;
        else index.programs[number - 1] = name;
    }
    return index;
}

}  // namespace

TEST(Songs, AreWellFormedAndLastOneToThreeMinutes) {
    for (int slot = 0; slot < 6; ++slot) {
        MidiSummary s = song(slot);
        EXPECT_TRUE(s.well_formed) << "song " << slot;
        EXPECT_GE(s.seconds, 60.0) << "song " << slot;
        EXPECT_LE(s.seconds, 180.0) << "song " << slot;
    }
}

TEST(Songs, PlayOnlyInstrumentsThePatchSetHolds) {
    DATAFILE* patches = patches_dat();
    ASSERT_NE(patches, nullptr);
    PatchIndex index = read_patch_index(patches);
    ASSERT_FALSE(index.programs.empty());
    for (int slot = 0; slot < 6; ++slot) {
        MidiSummary s = song(slot);
        // The piano is cut from the set, so no song may fall back to program 0.
        EXPECT_FALSE(s.programs.count(0)) << "song " << slot;
        for (int program : s.programs) {
            ASSERT_TRUE(index.programs.count(program)) << "program " << program;
            EXPECT_NE(find_datafile_object(patches, index.programs[program].c_str()), nullptr)
                << "song " << slot << " program " << program;
        }
        for (int key : s.drum_keys) {
            ASSERT_TRUE(index.drums.count(key)) << "drum key " << key;
            EXPECT_NE(find_datafile_object(patches, index.drums[key].c_str()), nullptr)
                << "song " << slot << " drum key " << key;
        }
    }
}
