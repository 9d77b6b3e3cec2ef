#pragma once

#include <functional>
#include <string>
#include <vector>

#include "datafile_layout.h"

// What a mutation starts from and how the result is stored: the file as it
// lies on disk, or its unpacked image stored plain or packed again.
enum class MutantForm { RAW_FILE, PLAIN_IMAGE, PACKED_IMAGE };

struct Mutation {
    std::string what;
    MutantForm form;
    bool truncation;  // a cut-short file: the structure check alone must refuse it
    std::function<void(Bytes&)> apply;
};

// Truncations at many lengths, header and data bytes damaged, counts and
// sizes altered, types swapped; drawn from a fixed seed.
std::vector<Mutation> make_mutations(const Bytes& raw, const Bytes& image, unsigned seed);
