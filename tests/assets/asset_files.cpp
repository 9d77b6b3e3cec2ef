#include "asset_files.h"

DATAFILE* vexo_dat() {
    static DATAFILE* file = load_datafile(VEXO_DATA_FILE);
    return file;
}

DATAFILE* patches_dat() {
    static DATAFILE* file = load_datafile(VEXO_PATCHES_FILE);
    return file;
}

BITMAP* sprite_object(int index) { return static_cast<BITMAP*>(vexo_dat()[index].dat); }
SAMPLE* sample_object(int index) { return static_cast<SAMPLE*>(vexo_dat()[index].dat); }
MIDI* song_object(int index) { return static_cast<MIDI*>(vexo_dat()[index].dat); }
