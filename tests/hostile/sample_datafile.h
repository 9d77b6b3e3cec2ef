#pragma once

#include <string>
#include <vector>

#include "shell/catalogue.h"

using Bytes = std::vector<unsigned char>;

// How a sample data file is written: the whole file LZSS-packed or plain,
// each object's body compressed on its own or stored as is, how many of the
// catalogue's objects it holds, and one index given a type the game refuses.
struct SampleLayout {
    bool pack_file;
    bool pack_objects;
    int objects = CAT_OBJECT_COUNT;
    int wrong_at = -1;
};

// Writes, with the library's own packfile writer, a small data file that
// serves every catalogue index it holds: a name property on each object,
// object 25 a nested file of two objects, and a trailing grabber info object.
bool write_sample_datafile(const std::string& path, SampleLayout layout);

// The whole file as stored, and its contents after the pack magic unpacked
// (what the loader parses).
Bytes read_raw_file(const std::string& path);
Bytes read_unpacked_file(const std::string& path);
bool write_raw_file(const std::string& path, const Bytes& bytes);
// Stores an unpacked image behind the plain magic, or LZSS-packed again.
bool write_unpacked_image(const std::string& path, const Bytes& image, bool pack);
