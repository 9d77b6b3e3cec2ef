#include "combat/record_array.h"

void record_array_bad_index(int index, int count) {
    std::fprintf(stderr, "Illegal vector index: %d max index = %d\n", index, count - 1);
    std::fflush(stderr);
    std::exit(1);
}

void record_array_out_of_memory(int count) {
    std::fprintf(stderr, "Out of memory growing a record array to %d records\n", count);
    std::fflush(stderr);
    std::exit(1);
}
