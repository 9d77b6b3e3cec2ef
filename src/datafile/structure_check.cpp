#include "datafile/structure_check.h"

#include <allegro.h>

#include "datafile/file_image.h"
#include "datafile/object_bodies.h"
#include "shell/catalogue.h"

// The library's loader trusts every count and size it reads: a truncated file
// or a damaged header sends it past its buffers, and a damaged song sends its
// MIDI player past the track. So the file is read here in one go, unpacked
// with the library's own decompressor, and walked the way the loader and the
// player will walk it; the loader only ever sees files whose every size adds
// up.

namespace {

// The loader recurses into nested files: a deep chain would exhaust its stack.
constexpr int MAX_NESTING = 8;
// Type id, two sizes: the least an object can take.
constexpr int64_t OBJECT_HEADER_BYTES = 12;

bool objects_ok(ByteReader& in, int depth, Budget& budget);

bool nested_file_ok(ByteReader body, int depth, Budget& budget) {
    if (depth >= MAX_NESTING) return false;
    return objects_ok(body, depth + 1, budget) && body.remaining() == 0;
}

// Every type the library has a loader for is walked as that loader reads it;
// any other type (palettes, plain data, the grabber's info) is read as a
// block of bytes and is safe whatever it holds.
bool body_ok(int type, const unsigned char* start, int64_t size, int depth, int64_t index, Budget& budget) {
    ByteReader body(start, size);
    bool drawn = depth == 0 && index < CAT_OBJECT_COUNT &&
                 catalogue_expected_type(static_cast<int>(index)) == DAT_BITMAP;
    switch (type) {
    case DAT_BITMAP:
    case DAT_C_SPRITE:
    case DAT_XC_SPRITE: return bitmap_body_ok(body, drawn, budget);
    case DAT_RLE_SPRITE: return rle_sprite_body_ok(body, budget);
    case DAT_FONT: return font_body_ok(body, budget);
    case DAT_SAMPLE: return sample_body_ok(body);
    case DAT_MIDI: return midi_body_ok(body);
    case DAT_FILE: return nested_file_ok(body, depth, budget);
    default: return true;
    }
}

// Any number of "prop" chunks, then the object's type id. Returns the type,
// or DAT_END when a property does not fit.
int skip_properties(ByteReader& in) {
    int id = in.get32();
    while (in.good() && id == DAT_PROPERTY) {
        in.get32();  // the property's own id: any four bytes are harmless
        int64_t size = in.get32();
        if (!in.skip(size)) return DAT_END;
        id = in.get32();
    }
    return in.good() ? id : DAT_END;
}

bool object_ok(ByteReader& in, int depth, int64_t index, Budget& budget) {
    int type = skip_properties(in);
    if (type == DAT_END) return false;
    int64_t stored_size = in.get32();
    int64_t unpacked_size = in.get32();
    if (!in.good() || stored_size < 0 || stored_size > in.remaining()) return false;

    const unsigned char* stored = in.position();
    in.skip(stored_size);
    if (unpacked_size >= 0) {
        // The loader reads the second size and ignores the first: they must agree.
        return unpacked_size == stored_size && body_ok(type, stored, stored_size, depth, index, budget);
    }
    // A packed body is read until it has given its unpacked size, wherever
    // that leaves the packed bytes: they must end exactly there, or the next
    // object's header would be read from inside this one.
    int64_t wanted = -unpacked_size;
    if (!budget.spend(wanted)) return false;
    Bytes body;
    int64_t consumed = 0;
    return lzss_unpack(stored, stored_size, wanted, body, consumed) &&
           static_cast<int64_t>(body.size()) == wanted && consumed == stored_size &&
           body_ok(type, body.data(), wanted, depth, index, budget);
}

// An object count, then that many objects.
bool objects_ok(ByteReader& in, int depth, Budget& budget) {
    int64_t count = in.get32();
    if (!in.good() || count < 0 || count > in.remaining() / OBJECT_HEADER_BYTES) return false;
    for (int64_t i = 0; i < count; i++) {
        if (!object_ok(in, depth, i, budget)) return false;
    }
    return true;
}

}  // namespace

bool datafile_structure_ok(const char* path) {
    Bytes file, image;
    Budget budget;
    if (!path || !read_whole_file(path, file) || !unpacked_image(file, budget, image)) return false;
    file = Bytes();
    ByteReader in(image.data(), static_cast<int64_t>(image.size()));
    if (in.get32() != DAT_MAGIC) return false;
    return objects_ok(in, 0, budget) && in.good() && in.remaining() == 0;
}