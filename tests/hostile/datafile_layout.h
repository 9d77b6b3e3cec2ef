#pragma once

#include <cstddef>
#include <vector>

#include "sample_datafile.h"

// Where the fields of one object lie in an unpacked data-file image.
struct ObjectFields {
    int type = 0;
    size_t type_at = 0;
    size_t stored_size_at = 0;
    size_t unpacked_size_at = 0;
    size_t body_at = 0;
    long body_size = 0;
    bool packed = false;  // body compressed on its own
    std::vector<size_t> property_size_at;
};

// Every object of an image, nested ones included, in file order, and the
// object counts of the root and of each nested file.
struct ImageLayout {
    std::vector<size_t> count_at;
    std::vector<ObjectFields> objects;
};

// Walks a well-formed image (the good file the mutants are made from).
ImageLayout map_image(const Bytes& image);

long read_be32(const Bytes& b, size_t at);
void write_be32(Bytes& b, size_t at, long value);
