#include "datafile/byte_reader.h"

namespace {
constexpr int MAX_NUMBER_BYTES = 4;
constexpr int MORE_BIT = 0x80;
}  // namespace

uint32_t ByteReader::take(int n) {
    if (!ok || !has(n)) {
        ok = false;
        return 0;
    }
    uint32_t v = 0;
    for (int i = 0; i < n; i++) v = (v << 8) | start[offset + i];
    offset += n;
    return v;
}

int ByteReader::iget16() {
    int v = get16();
    return ((v & 0xFF) << 8) | (v >> 8);
}

int32_t ByteReader::iget32() {
    uint32_t v = static_cast<uint32_t>(get32());
    return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24));
}

bool ByteReader::number(int64_t& value) {
    value = 0;
    for (int i = 0; i < MAX_NUMBER_BYTES; i++) {
        int b = get8();
        if (!ok) return false;
        value = (value << 7) | (b & ~MORE_BIT);
        if (!(b & MORE_BIT)) return true;
    }
    ok = false;
    return false;
}

bool ByteReader::skip(int64_t n) {
    if (!ok || !has(n)) {
        ok = false;
        return false;
    }
    offset += n;
    return true;
}
