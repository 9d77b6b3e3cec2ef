// The end-to-end runs' bad data files come from the same writer as the
// damaged-file run: write_sample PATH [OBJECTS [WRONG_INDEX]].
#include <allegro.h>
#include <cerrno>
#include <cstdlib>

#include "sample_datafile.h"

int main(int argc, char** argv) {
    if (argc < 2 || install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) return 2;
    int objects = argc > 2 ? std::atoi(argv[2]) : CAT_OBJECT_COUNT;
    return write_sample_datafile(argv[1], false, false, objects, argc > 3 ? std::atoi(argv[3]) : -1) ? 0 : 1;
}
