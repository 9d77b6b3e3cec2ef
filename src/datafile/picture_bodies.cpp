#include "datafile/object_bodies.h"

#include <allegro.h>

namespace {

// Sprites are drawn rotated and scaled in 16.16 fixed point, up to three
// times their size, at screen positions a few thousand pixels out: larger
// sides would overflow those coordinates.
constexpr int64_t MAX_SPRITE_SIDE = 2048;
// The largest side a 16-bit size field can give.
constexpr int64_t ANY_SIDE = 0xFFFF;
// Bitmaps of any depth may be converted to 32 bits per pixel on loading.
constexpr int64_t LOADED_BYTES_PER_PIXEL = 4;
// Glyphs of the library's oldest font formats.
constexpr int OLD_FONT_GLYPHS = 224;

int16_t as_signed16(int v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

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
bool pixels_ok(ByteReader& body, int bits, int64_t max_side, Budget& budget) {
    int64_t width = body.get16();
    int64_t height = body.get16();
    int64_t bytes_per_pixel = stored_bytes_per_pixel(bits);
    if (!body.good() || bytes_per_pixel == 0 || width <= 0 || height <= 0) return false;
    if (width > max_side || height > max_side) return false;
    return body.skip(width * height * bytes_per_pixel) &&
           budget.spend(width * height * LOADED_BYTES_PER_PIXEL);
}

// One row of an RLE sprite: runs and gaps until the end-of-line marker,
// covering no more than the sprite's width. Counts the words the loader
// stores for it.
bool rle_row_ok(ByteReader& body, int bits, int64_t width, int64_t& words) {
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

// A range of glyphs: first and last character, then each glyph.
bool font_range_ok(ByteReader& body, Budget& budget) {
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
        } else if (!pixels_ok(body, depth, ANY_SIDE, budget)) {
            return false;
        }
    }
    return body.good();
}

}  // namespace

// Bitmaps and compiled sprites (which the library loads as bitmaps).
bool bitmap_body_ok(ByteReader body, bool drawn, Budget& budget) {
    int bits = body.sget16();
    return pixels_ok(body, bits, drawn ? MAX_SPRITE_SIDE : ANY_SIDE, budget) && body.remaining() == 0;
}

bool rle_sprite_body_ok(ByteReader body, Budget& budget) {
    int bits = body.sget16();
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

bool font_body_ok(ByteReader body, Budget& budget) {
    int height = body.sget16();
    if (!body.good()) return false;
    if (height > 0) {  // the oldest fixed-size font: every glyph 8 pixels wide
        return body.remaining() == static_cast<int64_t>(OLD_FONT_GLYPHS) * height;
    }
    if (height < 0) {  // the old proportional font: 8-bit glyphs until the data ends
        for (int g = 0; g < OLD_FONT_GLYPHS && body.remaining() > 0; g++) {
            if (!pixels_ok(body, 8, ANY_SIDE, budget)) return false;
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
