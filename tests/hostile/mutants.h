#pragma once

#include <functional>
#include <string>
#include <vector>

#include "datafile_layout.h"

// What a mutation starts from and how the result is stored: the file as it
// lies on disk, or its unpacked image stored plain or packed again.
enum class MutantForm { RAW_FILE, PLAIN_IMAGE, PACKED_IMAGE };

// What the run demands of a mutant beyond not crashing or hanging.
enum class MustBe { SAFE, REFUSED_BY_CHECK, LOADED };

struct Mutation {
    std::string what;
    MutantForm form;
    MustBe must;
    std::function<void(Bytes&)> apply;
    const char* kind = "";  // the row group it is counted in
};

// Truncations at many lengths, header and data bytes damaged, counts and
// sizes altered, types swapped, packed bodies with bytes after their end,
// damaged song events, legal objects of every other type where the game
// allows any (and the same damaged) when `foreign_types`; drawn from a fixed
// seed.
std::vector<Mutation> make_mutations(const Bytes& raw, const Bytes& image, unsigned seed, bool foreign_types);
// Whole files that unpack to more than the game's memory allowance, or that
// just fit it; built from the plain image of a sample file.
std::vector<Mutation> make_bombs(const Bytes& image);
