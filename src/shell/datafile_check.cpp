#include "shell/datafile_check.h"

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "shell/catalogue.h"
#include "shell/midi_track_check.h"

// The library's loader trusts every count and size it reads: a truncated file
// or a damaged header sends it past its buffers, and a damaged song sends its
// MIDI player past the track. So the file is read here in one go, unpacked
// with the library's own decompressor, and walked the way the loader and the
// player will walk it; the loader only ever sees files whose every size adds
// up.

namespace {

using Bytes = std::vector<unsigned char>;

// The shipped file unpacks to well under a megabyte. One allowance for the
// whole file: the unpacked image, every individually packed object, and the
// pixels the loader will allocate for each bitmap.
constexpr int64_t UNPACKED_BUDGET = 64LL << 20;
// LZSS stores at most nine bits per byte: a larger file cannot fit the budget.
constexpr int64_t MAX_FILE_BYTES = 8 + UNPACKED_BUDGET / 8 * 9;
// The loader recurses into nested files: a deep chain would exhaust its stack.
constexpr int MAX_NESTING = 8;
// Type id, two sizes: the least an object can take.
constexpr int64_t OBJECT_HEADER_BYTES = 12;
// Sprites are drawn rotated and scaled in 16.16 fixed point, up to three
// times their size, at screen positions a few thousand pixels out: larger
// sides would overflow those coordinates.
constexpr int64_t MAX_SPRITE_SIDE = 2048;
// Bitmaps of any depth may be converted to 32 bits per pixel on loading.
constexpr int64_t LOADED_BYTES_PER_PIXEL = 4;
constexpr int MIDI_TRACK_COUNT = 32;
// Glyphs of the library's oldest font formats.
constexpr int OLD_FONT_GLYPHS = 224;

// Reads big-endian fields from a span of memory; any read past the end
// marks the cursor bad instead of reading.
class Cursor {
public:
    Cursor(const unsigned char* start, int64_t length) : at(start), left(length) {}

    bool good() const { return ok; }
    int64_t remaining() const { return left; }
    const unsigned char* position() const { return at; }

    int32_t get32() { return static_cast<int32_t>(take(4)); }
    int get16() { return static_cast<int>(take(2)); }
    int get8() { return static_cast<int>(take(1)); }
    // Little-endian, as the library stores RLE sprite runs.
    int32_t iget32() {
        uint32_t v = static_cast<uint32_t>(take(4));
        return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24));
    }
    int iget16() {
        int v = get16();
        return ((v & 0xFF) << 8) | (v >> 8);
    }
    bool skip(int64_t n) {
        if (n < 0 || !need(n)) return false;
        advance(n);
        return true;
    }

private:
    const unsigned char* at;
    int64_t left;
    bool ok = true;

    uint32_t take(int n) {
        if (!need(n)) return 0;
        uint32_t v = 0;
        for (int i = 0; i < n; i++) v = (v << 8) | at[i];
        advance(n);
        return v;
    }
    bool need(int64_t n) {
        if (n > left) ok = false;
        return ok;
    }
    void advance(int64_t n) {
        at += n;
        left -= n;
    }
};

int16_t as_signed16(int v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

// The memory a file may make the game use, spent as the walk goes.
class Budget {
public:
    bool spend(int64_t bytes) {
        if (bytes < 0 || bytes > left) return false;
        left -= bytes;
        return true;
    }

private:
    int64_t left = UNPACKED_BUDGET;
};

// --- the file as stored --------------------------------------------------------

// Only a regular file, opened without waiting (a FIFO would block the open),
// and read whole: a read that delivers less than the size promised is a
// refusal, where the library's reader would try again for ever.
bool read_whole_file(const char* path, Bytes& out) {
    int flags = O_RDONLY;
#ifdef O_NONBLOCK
    flags |= O_NONBLOCK;
#endif
#ifdef O_BINARY
    flags |= O_BINARY;
#endif
    int fd = open(path, flags);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MAX_FILE_BYTES;
    if (ok) {
        out.resize(static_cast<size_t>(st.st_size));
        size_t got = 0;
        while (ok && got < out.size()) {
            auto n = read(fd, out.data() + got, static_cast<unsigned>(out.size() - got));
            if (n < 0 && errno == EINTR) continue;
            ok = n > 0;
            if (ok) got += static_cast<size_t>(n);
        }
    }
    close(fd);
    return ok;
}

// --- LZSS, through the library's own decompressor --------------------------

struct MemorySource {
    Cursor bytes;
    int64_t consumed = 0;
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

// Unpacks up to `limit` bytes, in the library's refill steps; `consumed` is
// how many packed bytes that took. Each step asks for no more than is still
// wanted, so the decompressor stops exactly where the loader's does.
bool lzss_unpack(const unsigned char* packed, int64_t packed_size, int64_t limit, Bytes& out,
                 int64_t& consumed) {
    MemorySource source{Cursor(packed, packed_size)};
    PACKFILE* f = pack_fopen_vtable(&memory_vtable, &source);
    LZSS_UNPACK_DATA* state = create_lzss_unpack_data();
    bool ok = f && state;
    constexpr int64_t STEP = 4096;
    while (ok && static_cast<int64_t>(out.size()) < limit) {
        size_t at = out.size();
        int64_t want = limit - static_cast<int64_t>(at) < STEP ? limit - static_cast<int64_t>(at) : STEP;
        out.resize(at + static_cast<size_t>(want));
        int got = lzss_read(f, state, static_cast<int>(want), out.data() + at);
        out.resize(at + static_cast<size_t>(got > 0 ? got : 0));
        if (got < want) break;
    }
    consumed = source.consumed;
    if (state) free_lzss_unpack_data(state);
    if (f) pack_fclose(f);
    return ok;
}

// The unpacked image the loader parses: behind the plain magic as stored,
// behind the packed magic unpacked to the end of the file.
bool unpacked_image(const Bytes& file, Budget& budget, Bytes& image) {
    Cursor in(file.data(), static_cast<int64_t>(file.size()));
    uint32_t magic = static_cast<uint32_t>(in.get32());
    if (!in.good()) return false;
    if (magic == static_cast<uint32_t>(F_NOPACK_MAGIC)) {
        image.assign(in.position(), in.position() + in.remaining());
        return budget.spend(in.remaining());
    }
    if (magic != static_cast<uint32_t>(F_PACK_MAGIC)) return false;
    // One byte over the budget tells a bomb from a file that just fits.
    int64_t consumed = 0;
    return lzss_unpack(in.position(), in.remaining(), UNPACKED_BUDGET + 1, image, consumed) &&
           budget.spend(static_cast<int64_t>(image.size()));
}

// --- object bodies ---------------------------------------------------------------

// The pixel bytes the loader reads for a bitmap of the given depth word.
int64_t stored_bytes_per_pixel(int bits) {
    switch (bits) {
    case 8: return 1;
    case 15:
    case 16: return 2;
    case 24:
    case 32: return 3;  // 32-bit pixels are stored without alpha
    case -32: return 4;
    default: return 0;
    }
}

// Width, height and pixels, after the depth word.
bool pixels_ok(Cursor& body, int bits, int64_t max_side, Budget& budget) {
    int64_t width = body.get16();
    int64_t height = body.get16();
    int64_t bytes_per_pixel = stored_bytes_per_pixel(bits);
    if (!body.good() || bytes_per_pixel == 0 || width <= 0 || height <= 0) return false;
    if (width > max_side || height > max_side) return false;
    return body.skip(width * height * bytes_per_pixel) &&
           budget.spend(width * height * LOADED_BYTES_PER_PIXEL);
}

// Bitmaps and compiled sprites (which the library loads as bitmaps).
bool bitmap_body_ok(Cursor body, bool drawn, Budget& budget) {
    int bits = as_signed16(body.get16());
    return pixels_ok(body, bits, drawn ? MAX_SPRITE_SIDE : 0xFFFF, budget) && body.remaining() == 0;
}

// One row of an RLE sprite: runs and gaps until the end-of-line marker,
// covering no more than the sprite's width. Counts the words the loader
// stores for it.
bool rle_row_ok(Cursor& body, int bits, int64_t width, int64_t& words) {
    bool wide = bits == 24 || bits == 32 || bits == -32;
    int64_t pixel_bytes = bits == -32 ? 4 : wide ? 3 : bits == 8 ? 1 : 2;
    int64_t covered = 0;
    for (;;) {
        int64_t count;
        if (bits == 8) {
            count = static_cast<int8_t>(body.get8());
            if (body.good() && count == 0) break;
        } else if (wide) {
            int32_t c = body.iget32();
            if (body.good() && static_cast<uint32_t>(c) == MASK_COLOR_32) break;
            count = c;
        } else {
            int c = body.iget16();
            if (body.good() && c == MASK_COLOR_16) break;
            count = as_signed16(c);
        }
        if (!body.good()) return false;
        words++;
        int64_t pixels = count < 0 ? -count : count;
        covered += pixels;
        if (covered > width) return false;
        if (count > 0) {
            if (!body.skip(pixels * pixel_bytes)) return false;
            words += pixels;
        }
    }
    words++;  // the end-of-line marker
    return true;
}

bool rle_sprite_body_ok(Cursor body, Budget& budget) {
    int bits = as_signed16(body.get16());
    int64_t width = body.get16();
    int64_t height = body.get16();
    int64_t size = body.get32();
    if (!body.good() || stored_bytes_per_pixel(bits) == 0 || width <= 0 || height <= 0 || size < 0) return false;
    if (!budget.spend(size + width * height * LOADED_BYTES_PER_PIXEL)) return false;
    int64_t word_bytes = bits == 8 ? 1 : (bits == 15 || bits == 16) ? 2 : 4;
    int64_t words = 0;
    for (int64_t y = 0; y < height; y++) {
        if (!rle_row_ok(body, bits, width, words)) return false;
    }
    // The loader stores exactly this many words in a block of `size` bytes.
    return words * word_bytes == size && body.remaining() == 0;
}

bool sample_body_ok(Cursor body) {
    int bits = as_signed16(body.get16());
    int64_t freq = body.get16();
    int64_t length = body.get32();
    int64_t channels = bits < 0 ? 2 : 1;
    if (bits < 0) bits = -bits;
    if (!body.good() || (bits != 8 && bits != 16) || freq <= 0 || length < 0) return false;
    return body.remaining() == length * channels * (bits / 8);
}

bool midi_body_ok(Cursor body) {
    int divisions = body.get16();
    // The player divides by the beat divisions; SMPTE timing is not supported.
    if (divisions <= 0 || divisions > 0x7FFF) return false;
    for (int t = 0; t < MIDI_TRACK_COUNT; t++) {
        int64_t length = body.get32();
        const unsigned char* track = body.position();
        if (length < 0 || !body.skip(length)) return false;
        if (length > 0 && !midi_track_ok(track, length)) return false;
    }
    return body.good() && body.remaining() == 0;
}

// A range of glyphs: first and last character, then each glyph.
bool font_range_ok(Cursor& body, Budget& budget) {
    int depth = body.get8();
    int64_t first = body.get32();
    int64_t last = body.get32();
    int64_t glyphs = last + 1 - first;
    // Each glyph takes at least its two sizes: a count beyond that is damage,
    // and would size the loader's glyph table from nothing.
    if (!body.good() || glyphs < 1 || glyphs > body.remaining() / 4) return false;
    bool mono = depth == 1 || depth == 255;
    if (depth == 0) depth = 8;
    for (int64_t g = 0; g < glyphs; g++) {
        if (mono) {
            int64_t width = body.get16();
            int64_t height = body.get16();
            if (!body.skip((width + 7) / 8 * height)) return false;
        } else if (!pixels_ok(body, depth, 0xFFFF, budget)) {
            return false;
        }
    }
    return body.good();
}

bool font_body_ok(Cursor body, Budget& budget) {
    int height = as_signed16(body.get16());
    if (!body.good()) return false;
    if (height > 0) {  // the oldest fixed-size font: every glyph 8 pixels wide
        return body.remaining() == static_cast<int64_t>(OLD_FONT_GLYPHS) * height;
    }
    if (height < 0) {  // the old proportional font: 8-bit glyphs until the data ends
        for (int g = 0; g < OLD_FONT_GLYPHS && body.remaining() > 0; g++) {
            if (!pixels_ok(body, 8, 0xFFFF, budget)) return false;
        }
        return body.remaining() == 0;
    }
    int ranges = body.get16();
    if (!body.good() || ranges < 1) return false;
    for (int r = 0; r < ranges; r++) {
        if (!font_range_ok(body, budget)) return false;
    }
    return body.remaining() == 0;
}

bool objects_ok(Cursor& in, int depth, Budget& budget);

bool nested_file_ok(Cursor body, int depth, Budget& budget) {
    if (depth >= MAX_NESTING) return false;
    return objects_ok(body, depth + 1, budget) && body.remaining() == 0;
}

// Every type the library has a loader for is walked as that loader reads it;
// any other type (palettes, plain data, the grabber's info) is read as a
// block of bytes and is safe whatever it holds.
bool body_ok(int type, const unsigned char* start, int64_t size, int depth, int64_t index, Budget& budget) {
    Cursor body(start, size);
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

// --- objects --------------------------------------------------------------------

// Any number of "prop" chunks, then the object's type id. Returns the type,
// or DAT_END when a property does not fit.
int skip_properties(Cursor& in) {
    int id = in.get32();
    while (in.good() && id == DAT_PROPERTY) {
        in.get32();  // the property's own id: any four bytes are harmless
        int64_t size = in.get32();
        if (!in.skip(size)) return DAT_END;
        id = in.get32();
    }
    return in.good() ? id : DAT_END;
}

bool object_ok(Cursor& in, int depth, int64_t index, Budget& budget) {
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
bool objects_ok(Cursor& in, int depth, Budget& budget) {
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
    Cursor in(image.data(), static_cast<int64_t>(image.size()));
    if (in.get32() != DAT_MAGIC) return false;
    return objects_ok(in, 0, budget) && in.good() && in.remaining() == 0;
}
