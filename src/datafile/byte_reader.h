#pragma once

#include <cstdint>

// Reads numbers from a span of memory without ever leaving it: a read that
// would go past the end reads nothing, gives 0 and marks the reader bad for
// good, so a walk can read a whole header and test once. Multi-byte fields
// are big-endian as the data file stores them, or little-endian where the
// library stores them so (RLE sprite runs); songs add their variable-length
// numbers.
class ByteReader {
public:
    ByteReader(const unsigned char* start, int64_t length) : start(start), length(length) {}

    bool good() const { return ok; }
    // Bytes left; negative after pass() went beyond the end.
    int64_t remaining() const { return length - offset; }
    bool at_end() const { return offset >= length; }
    bool has(int64_t n) const { return n >= 0 && n <= remaining(); }
    const unsigned char* position() const { return start + offset; }

    int get8() { return static_cast<int>(take(1)); }
    int get16() { return static_cast<int>(take(2)); }
    int32_t get32() { return static_cast<int32_t>(take(4)); }
    int sget16() { return static_cast<int16_t>(static_cast<uint16_t>(take(2))); }
    int iget16();
    int32_t iget32();
    // The next byte without reading it; 0 at the end.
    int peek() const { return at_end() ? 0 : start[offset]; }
    // A variable-length number: seven bits a byte, high bit set on every
    // byte but the last, at most four bytes (more would overflow the MIDI
    // player's time arithmetic). False, and the reader bad, otherwise.
    bool number(int64_t& value);
    bool skip(int64_t n);
    // Moves without reading and without a bound, as a reader that does not
    // look at the bytes it passes over would; a step back undoes a read.
    void pass(int64_t n) { offset += n; }

private:
    const unsigned char* start;
    int64_t length;
    int64_t offset = 0;
    bool ok = true;

    uint32_t take(int n);
};
