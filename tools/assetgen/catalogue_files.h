#pragma once
#include <string>
#include <vector>

// The objects of vexo.dat in the index order of the game's catalogue: the
// file the generator writes for each and the type `dat` must grab it as.
enum class ObjectKind { BULLET, POWERUP, SHIP, EFFECT, SONG, FILLER };

struct CatalogueFile {
    int index;
    ObjectKind kind;
    int which;              // weapon, power-up kind, player, effect or song slot
    std::string file_name;
    std::string dat_type;   // BMP, SAMP, MIDI or DATA
    std::string label;      // short caption for the contact sheet
};

// Effects, by the `which` of an EFFECT entry.
enum { EFFECT_FIRE_0, EFFECT_FIRE_1, EFFECT_FIRE_2, EFFECT_HIT, EFFECT_DEATH, EFFECT_SPARE };

const std::vector<CatalogueFile>& catalogue_files();
