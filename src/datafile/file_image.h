#pragma once

#include <cstdint>
#include <vector>

#include "datafile/budget.h"

using Bytes = std::vector<unsigned char>;

// Only a regular file, opened without waiting (a FIFO would block the open),
// and read whole: a read that delivers less than the size promised is a
// refusal, where the library's reader would try again for ever.
bool read_whole_file(const char* path, Bytes& out);
// Fills `out` from the descriptor however short each read comes, asking each
// time for no more than the buffer still holds; false at the end of the data.
bool read_fully(int fd, Bytes& out);

// Unpacks up to `limit` bytes of LZSS with the library's own decompressor,
// in the loader's refill steps; `consumed` is how many packed bytes that took.
bool lzss_unpack(const unsigned char* packed, int64_t packed_size, int64_t limit, Bytes& out, int64_t& consumed);

// The unpacked image the loader parses: behind the plain magic as stored,
// behind the packed magic unpacked to the end of the file. Spends its size
// from the budget.
bool unpacked_image(const Bytes& file, Budget& budget, Bytes& image);
