#include "shell/datafile_check.h"

#include <allegro.h>
#include <cstdint>
#include <vector>

// The library's loader trusts every count and size it reads: a truncated file
// or a damaged header sends it past its buffers. So the whole file is first
// unpacked through the library's own packfile layer and walked here, and the
// loader only ever sees files whose every size adds up.

namespace {

using Bytes = std::vector<unsigned char>;

// Far above anything the game ships; a larger file is not ours.
constexpr long MAX_UNPACKED_BYTES = 64L << 20;
// The loader recurses into nested files: a deep chain would exhaust its stack.
constexpr int MAX_NESTING = 8;
// Type id, two sizes: the least an object can take.
constexpr long OBJECT_HEADER_BYTES = 12;
constexpr int MIDI_TRACK_COUNT = 32;
constexpr int DAT_INFO = DAT_ID('i', 'n', 'f', 'o');

// Reads big-endian fields from a span of memory; any read past the end
// marks the cursor bad instead of reading.
class Cursor {
public:
    Cursor(const unsigned char* start, long length) : at(start), left(length) {}

    bool good() const { return ok; }
    long remaining() const { return left; }
    const unsigned char* position() const { return at; }

    int32_t get32() {
        if (!need(4)) return 0;
        uint32_t v = (uint32_t(at[0]) << 24) | (uint32_t(at[1]) << 16) | (uint32_t(at[2]) << 8) | at[3];
        advance(4);
        return static_cast<int32_t>(v);
    }
    int get16() {
        if (!need(2)) return 0;
        int v = (at[0] << 8) | at[1];
        advance(2);
        return v;
    }
    bool skip(long n) {
        if (n < 0 || !need(n)) return false;
        advance(n);
        return true;
    }

private:
    const unsigned char* at;
    long left;
    bool ok = true;

    bool need(long n) {
        if (n > left) ok = false;
        return ok;
    }
    void advance(long n) {
        at += n;
        left -= n;
    }
};

int16_t as_signed16(int v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// --- the whole file, unpacked ---------------------------------------------

bool read_unpacked(const char* path, Bytes& out) {
    PACKFILE* f = pack_fopen(path, F_READ_PACKED);
    if (!f) return false;
    unsigned char block[16384];
    long got;
    while (static_cast<long>(out.size()) <= MAX_UNPACKED_BYTES &&
           (got = pack_fread(block, sizeof block, f)) > 0) {
        out.insert(out.end(), block, block + got);
    }
    bool clean = !pack_ferror(f) && static_cast<long>(out.size()) <= MAX_UNPACKED_BYTES;
    pack_fclose(f);
    return clean;
}

// --- one individually compressed object, unpacked from memory ---------------

struct MemorySource {
    Cursor bytes;
    long consumed = 0;
};

int memory_getc(void* user) {
    MemorySource* m = static_cast<MemorySource*>(user);
    if (m->bytes.remaining() <= 0) return EOF;
    int c = *m->bytes.position();
    m->bytes.skip(1);
    m->consumed++;
    return c;
}
long memory_fread(void* p, long n, void* user) {
    unsigned char* out = static_cast<unsigned char*>(p);
    long i = 0;
    for (int c; i < n && (c = memory_getc(user)) != EOF; i++) out[i] = static_cast<unsigned char>(c);
    return i;
}
int memory_feof(void* user) { return static_cast<MemorySource*>(user)->bytes.remaining() <= 0; }
int memory_no_error(void*) { return 0; }
int memory_fclose(void*) { return 0; }
int memory_ungetc(int, void*) { return EOF; }
int memory_putc(int, void*) { return EOF; }
long memory_fwrite(const void*, long, void*) { return 0; }
int memory_fseek(void*, int) { return -1; }

PACKFILE_VTABLE memory_vtable = {memory_fclose, memory_getc, memory_ungetc, memory_fread, memory_putc,
                                 memory_fwrite, memory_fseek, memory_feof, memory_no_error};

// The packed bytes must unpack to exactly the promised size and be used up
// exactly, or the loader's position in the file drifts.
bool unpack_object(const unsigned char* packed, long packed_size, long unpacked_size, Bytes& out) {
    MemorySource source{Cursor(packed, packed_size)};
    PACKFILE* f = pack_fopen_vtable(&memory_vtable, &source);
    LZSS_UNPACK_DATA* state = create_lzss_unpack_data();
    bool done = false;
    if (f && state) {
        out.resize(static_cast<size_t>(unpacked_size) + 1);
        long got = lzss_read(f, state, static_cast<int>(unpacked_size) + 1, out.data());
        done = got == unpacked_size && source.consumed == packed_size;
        out.resize(static_cast<size_t>(unpacked_size));
    }
    if (state) free_lzss_unpack_data(state);
    if (f) pack_fclose(f);
    return done;
}

// --- object bodies ------------------------------------------------------------

bool bitmap_body_ok(Cursor body) {
    int bits = as_signed16(body.get16());
    long width = body.get16();
    long height = body.get16();
    long bytes_per_pixel;
    switch (bits) {
    case 8: bytes_per_pixel = 1; break;
    case 15:
    case 16: bytes_per_pixel = 2; break;
    case 24:
    case 32: bytes_per_pixel = 3; break;  // 32-bit pixels are stored without alpha
    case -32: bytes_per_pixel = 4; break;
    default: return false;
    }
    return body.good() && width > 0 && height > 0 && body.remaining() == width * height * bytes_per_pixel;
}

bool sample_body_ok(Cursor body) {
    int bits = as_signed16(body.get16());
    long freq = body.get16();
    long length = body.get32();
    long channels = bits < 0 ? 2 : 1;
    if (bits < 0) bits = -bits;
    if (!body.good() || (bits != 8 && bits != 16) || freq <= 0 || length < 0) return false;
    return body.remaining() == length * channels * (bits / 8);
}

bool midi_body_ok(Cursor body) {
    int divisions = body.get16();
    // The player divides by the beat divisions; SMPTE timing is not supported.
    if (divisions <= 0 || divisions > 0x7FFF) return false;
    long track_bytes = 0;
    for (int t = 0; t < MIDI_TRACK_COUNT; t++) {
        long length = body.get32();
        if (length < 0 || !body.skip(length)) return false;
        track_bytes += length;
    }
    return body.good() && body.remaining() == 0 && track_bytes >= 0;
}

bool objects_ok(Cursor& in, int depth);

bool nested_file_ok(Cursor body, int depth) {
    if (depth >= MAX_NESTING) return false;
    return objects_ok(body, depth + 1) && body.remaining() == 0;
}

// Only the types the game's file is made of; the library's other loaders
// (fonts, sprites, palettes) are never handed unchecked bytes.
bool body_ok(int type, const unsigned char* start, long size, int depth) {
    Cursor body(start, size);
    switch (type) {
    case DAT_BITMAP: return bitmap_body_ok(body);
    case DAT_SAMPLE: return sample_body_ok(body);
    case DAT_MIDI: return midi_body_ok(body);
    case DAT_FILE: return nested_file_ok(body, depth);
    case DAT_DATA:
    case DAT_INFO: return true;
    default: return false;
    }
}

// --- objects --------------------------------------------------------------------

// Any number of "prop" chunks, then the object's type id. Returns the type,
// or DAT_END when a property does not fit.
int skip_properties(Cursor& in) {
    int id = in.get32();
    while (in.good() && id == DAT_PROPERTY) {
        in.get32();  // the property's own id: any four bytes are harmless
        long size = in.get32();
        if (!in.skip(size)) return DAT_END;
        id = in.get32();
    }
    return in.good() ? id : DAT_END;
}

bool object_ok(Cursor& in, int depth) {
    int type = skip_properties(in);
    if (type == DAT_END) return false;
    long stored_size = in.get32();
    long unpacked_size = in.get32();
    if (!in.good() || stored_size < 0 || stored_size > in.remaining()) return false;

    const unsigned char* stored = in.position();
    in.skip(stored_size);
    if (unpacked_size >= 0) {
        return unpacked_size == stored_size && body_ok(type, stored, stored_size, depth);
    }
    if (-unpacked_size > MAX_UNPACKED_BYTES) return false;
    Bytes body;
    return unpack_object(stored, stored_size, -unpacked_size, body) &&
           body_ok(type, body.data(), static_cast<long>(body.size()), depth);
}

// An object count, then that many objects.
bool objects_ok(Cursor& in, int depth) {
    long count = in.get32();
    if (!in.good() || count < 0 || count > in.remaining() / OBJECT_HEADER_BYTES) return false;
    for (long i = 0; i < count; i++) {
        if (!object_ok(in, depth)) return false;
    }
    return true;
}

}  // namespace

bool datafile_structure_ok(const char* path) {
    Bytes file;
    if (!path || !read_unpacked(path, file)) return false;
    Cursor in(file.data(), static_cast<long>(file.size()));
    if (in.get32() != DAT_MAGIC) return false;
    return objects_ok(in, 0) && in.good() && in.remaining() == 0;
}
