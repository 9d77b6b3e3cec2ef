#include "mutants.h"

#include <allegro.h>
#include <random>

namespace {

using Rng = std::mt19937;

std::string at_text(const char* what, size_t at) { return std::string(what) + " @" + std::to_string(at); }

Mutation truncate(MutantForm form, size_t length, const char* what) {
    return {at_text(what, length), form, MustBe::REFUSED_BY_CHECK, [length](Bytes& b) { b.resize(length); }};
}

Mutation set_byte(MutantForm form, size_t at, unsigned char value, const char* what) {
    return {at_text(what, at) + " = " + std::to_string(value), form, MustBe::SAFE,
            [at, value](Bytes& b) { b[at] = value; }};
}

Mutation set_field(size_t at, long value, const char* what) {
    return {at_text(what, at) + " = " + std::to_string(value), MutantForm::PLAIN_IMAGE, MustBe::SAFE,
            [at, value](Bytes& b) { write_be32(b, at, value); }};
}

Mutation add_to_field(size_t at, long delta, const char* what) {
    return {at_text(what, at) + " + " + std::to_string(delta), MutantForm::PLAIN_IMAGE, MustBe::SAFE,
            [at, delta](Bytes& b) { write_be32(b, at, read_be32(b, at) + delta); }};
}

void add_truncations(std::vector<Mutation>& out, const Bytes& raw, const ImageLayout& layout, size_t image_size) {
    for (size_t n = 0; n < 16 && n < raw.size(); n++) out.push_back(truncate(MutantForm::RAW_FILE, n, "raw cut"));
    for (size_t i = 1; i <= 60; i++) out.push_back(truncate(MutantForm::RAW_FILE, raw.size() * i / 61, "raw cut"));
    for (size_t n = 1; n <= 8; n++) out.push_back(truncate(MutantForm::RAW_FILE, raw.size() - n, "raw cut"));
    for (const ObjectFields& o : layout.objects) {
        for (size_t at : {o.type_at, o.type_at + 2, o.stored_size_at + 1, o.unpacked_size_at + 3, o.body_at,
                          o.body_at + 3, o.body_at + o.body_size - 1}) {
            out.push_back(truncate(MutantForm::PLAIN_IMAGE, at, "image cut"));
        }
    }
    for (size_t i = 1; i <= 40; i++) out.push_back(truncate(MutantForm::PLAIN_IMAGE, image_size * i / 41, "image cut"));
    out.push_back(truncate(MutantForm::PLAIN_IMAGE, image_size - 1, "image cut"));
}

void add_header_damage(std::vector<Mutation>& out, const ImageLayout& layout, Rng& rng) {
    const unsigned char values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    for (size_t at = 0; at < 4; at++) out.push_back(set_byte(MutantForm::PLAIN_IMAGE, at, 0x20, "magic byte"));
    for (const ObjectFields& o : layout.objects) {
        for (size_t at = o.type_at; at < o.body_at; at++) {
            out.push_back(set_byte(MutantForm::PLAIN_IMAGE, at, values[rng() % 5], "object header byte"));
        }
        for (size_t at = o.body_at; at < o.body_at + 10 && at < o.body_at + o.body_size; at++) {
            out.push_back(set_byte(MutantForm::PLAIN_IMAGE, at, values[rng() % 5], "body header byte"));
        }
    }
}

void add_count_and_size_changes(std::vector<Mutation>& out, const ImageLayout& layout) {
    for (size_t at : layout.count_at) {
        for (long delta : {1L, -1L}) out.push_back(add_to_field(at, delta, "object count"));
        for (long value : {0L, -1L, 0x10000L, 0x7FFFFFFFL}) out.push_back(set_field(at, value, "object count"));
    }
    for (const ObjectFields& o : layout.objects) {
        out.push_back(add_to_field(o.stored_size_at, 1, "stored size"));
        out.push_back(add_to_field(o.stored_size_at, -1, "stored size"));
        out.push_back(add_to_field(o.unpacked_size_at, 1, "unpacked size"));
        out.push_back(set_field(o.unpacked_size_at, -o.body_size, "unpacked size"));
        out.push_back(set_field(o.stored_size_at, 0x7FFFFFFF, "stored size"));
        // Both sizes shrunk together: the object header agrees, its body does not.
        size_t stored = o.stored_size_at, unpacked = o.unpacked_size_at;
        bool packed = o.packed;
        out.push_back({at_text("both sizes - 2", stored), MutantForm::PLAIN_IMAGE, MustBe::SAFE,
                       [stored, unpacked, packed](Bytes& b) {
                           write_be32(b, stored, read_be32(b, stored) - 2);
                           if (!packed) write_be32(b, unpacked, read_be32(b, unpacked) - 2);
                       }});
        for (size_t at : o.property_size_at) {
            out.push_back(add_to_field(at, 1, "property size"));
            out.push_back(add_to_field(at, -1, "property size"));
            out.push_back(set_field(at, 0x7FFFFFFF, "property size"));
            out.push_back(set_field(at, -5, "property size"));
        }
    }
}

void add_type_swaps(std::vector<Mutation>& out, const ImageLayout& layout) {
    const long swaps[] = {DAT_FONT, DAT_RLE_SPRITE, DAT_PALETTE, DAT_FILE, DAT_PROPERTY, DAT_BITMAP, DAT_SAMPLE,
                          DAT_MIDI, DAT_C_SPRITE, DAT_END};
    for (const ObjectFields& o : layout.objects) {
        for (long type : swaps) {
            if (type != o.type) out.push_back(set_field(o.type_at, type, "type"));
        }
    }
}

void add_data_damage(std::vector<Mutation>& out, const Bytes& raw, const ImageLayout& layout, Rng& rng) {
    for (int i = 0; i < 80; i++) {
        const ObjectFields& o = layout.objects[rng() % layout.objects.size()];
        if (o.body_size <= 0) continue;
        size_t at = o.body_at + rng() % o.body_size;
        out.push_back(set_byte(MutantForm::PLAIN_IMAGE, at, static_cast<unsigned char>(rng()), "body byte"));
    }
    for (int i = 0; i < 60; i++) {
        size_t at = i < 12 ? static_cast<size_t>(i) : rng() % raw.size();
        out.push_back(set_byte(MutantForm::RAW_FILE, at, static_cast<unsigned char>(rng()), "raw byte"));
    }
}

// A few damaged images packed again, so the damage sits behind the LZSS layer.
void add_repacked(std::vector<Mutation>& out, Rng& rng) {
    size_t plain = out.size();
    for (int i = 0; i < 30; i++) {
        Mutation m = out[rng() % plain];
        if (m.form != MutantForm::PLAIN_IMAGE) continue;
        m.form = MutantForm::PACKED_IMAGE;
        m.what = "packed " + m.what;
        out.push_back(m);
    }
}

// --- packed bodies with bytes after their end ---------------------------------

void add_packed_trailers(std::vector<Mutation>& out, const ImageLayout& layout) {
    // A flag byte alone, a flag byte and half a back-reference, a literal.
    const Bytes trailers[] = {{0x00}, {0xFF}, {0x00, 0x12}, {0xFF, 0x41}, {0x00, 0x00, 0x0F}};
    for (const ObjectFields& o : layout.objects) {
        if (!o.packed) continue;
        for (const Bytes& extra : trailers) {
            size_t end = o.body_at + static_cast<size_t>(o.body_size);
            size_t stored = o.stored_size_at;
            long grow = static_cast<long>(extra.size());
            out.push_back({at_text("packed body + trailing bytes", end) + " x" + std::to_string(grow),
                           MutantForm::PLAIN_IMAGE, MustBe::SAFE, [end, stored, grow, extra](Bytes& b) {
                               b.insert(b.begin() + static_cast<long>(end), extra.begin(), extra.end());
                               write_be32(b, stored, read_be32(b, stored) + grow);
                           }});
        }
    }
}

// --- song events --------------------------------------------------------------

constexpr size_t TRACK_0_AT = 2 + 4;  // after the beat divisions and track 0's length

// Replaces track 0 of the plain root object `o` and makes every size agree.
void replace_track(Bytes& b, const ObjectFields& o, size_t old_length, const Bytes& track) {
    size_t at = o.body_at + TRACK_0_AT;
    b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + old_length));
    b.insert(b.begin() + static_cast<long>(at), track.begin(), track.end());
    long grow = static_cast<long>(track.size()) - static_cast<long>(old_length);
    write_be32(b, o.body_at + 2, static_cast<long>(track.size()));
    write_be32(b, o.stored_size_at, o.body_size + grow);
    write_be32(b, o.unpacked_size_at, o.body_size + grow);
}

// Whole tracks, well made and damaged in the ways the player cares about.
const std::vector<std::pair<const char*, Bytes>>& song_tracks() {
    static const std::vector<std::pair<const char*, Bytes>> tracks = {
        {"running status", {0x00, 0x90, 0x40, 0x64, 0x60, 0x40, 0x00, 0x00, 0xFF, 0x2F, 0x00}},
        {"tempo change", {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x40, 0x64, 0x60, 0x80, 0x40, 0x00,
                          0x00, 0xFF, 0x2F, 0x00}},
        {"system exclusive", {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0x09, 0x00, 0xFF, 0x2F, 0x00}},
        {"text event", {0x00, 0xFF, 0x01, 0x04, 0x41, 0x42, 0x43, 0x44, 0x00, 0xFF, 0x2F, 0x00}},
        {"long first delta", {0x81, 0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00}},
        {"bytes after the end", {0x00, 0xFF, 0x2F, 0x00, 0x90, 0x40}},
        {"program change", {0x00, 0xC0, 0x05, 0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00}},
        {"drum", {0x00, 0x99, 0x24, 0x64, 0x00, 0xFF, 0x2F, 0x00}},
        {"data without a status", {0x00, 0x40, 0x64, 0x00, 0xFF, 0x2F, 0x00}},
        {"huge meta length", {0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0xFF, 0x2F, 0x00}},
        {"no end of track", {0x00, 0x90, 0x40, 0x64, 0x60, 0x80, 0x40, 0x00}},
        {"end of track cut", {0x00, 0x90, 0x40, 0x64, 0x00, 0xFF, 0x2F}},
        {"sysex past the end", {0x00, 0xF0, 0x7F, 0x01, 0x00, 0xFF, 0x2F, 0x00}},
        {"program 128", {0x00, 0xC0, 0x80, 0x00, 0xFF, 0x2F, 0x00}},
        {"drum note 128", {0x00, 0x99, 0x80, 0x64, 0x00, 0xFF, 0x2F, 0x00}},
        {"five-byte delta", {0x00, 0x90, 0x40, 0x64, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x80, 0x40, 0x00, 0x00, 0xFF, 0x2F,
                             0x00}},
        {"tempo cut short", {0x00, 0xFF, 0x2F, 0x00, 0x00, 0xFF, 0x51}},
        {"status at the end", {0x00, 0x90}},
        {"delta only", {0x00}},
        {"meta past the end", {0x00, 0xFF, 0x05, 0x7F, 0x41, 0x00, 0xFF, 0x2F, 0x00}},
    };
    return tracks;
}

// Track 0's first and last bytes (its first events, its end-of-track event)
// set to values that mean the most to the player, and the whole track
// replaced.
void add_song_damage(std::vector<Mutation>& out, const Bytes& image, const ImageLayout& layout) {
    const unsigned char values[] = {0x00, 0x2F, 0x51, 0x7F, 0x80, 0x99, 0xC0, 0xF0, 0xFF};
    for (const ObjectFields& o : layout.objects) {
        if (o.type != DAT_MIDI || o.packed) continue;
        size_t length = static_cast<size_t>(read_be32(image, o.body_at + 2));
        for (size_t i = 0; i < length; i++) {
            if (i >= 12 && i + 4 < length) continue;
            for (unsigned char v : values) {
                out.push_back(set_byte(MutantForm::PLAIN_IMAGE, o.body_at + TRACK_0_AT + i, v, "song byte"));
            }
        }
        for (const auto& [name, track] : song_tracks()) {
            out.push_back({at_text("song track", o.body_at) + ": " + name, MutantForm::PLAIN_IMAGE, MustBe::SAFE,
                           [o, length, track = track](Bytes& b) { replace_track(b, o, length, track); }});
        }
    }
}

// --- legal objects of other types where the game allows any --------------------

void put16(Bytes& b, int v) {
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}
void put32(Bytes& b, long v) {
    put16(b, static_cast<int>((v >> 16) & 0xFFFF));
    put16(b, static_cast<int>(v & 0xFFFF));
}
void iput16(Bytes& b, int v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void iput32(Bytes& b, long v) {
    iput16(b, static_cast<int>(v & 0xFFFF));
    iput16(b, static_cast<int>((v >> 16) & 0xFFFF));
}

// A 4 x 3 RLE sprite: each row two solid pixels, then a gap of two.
Bytes rle_sprite(int bits) {
    Bytes b;
    put16(b, bits);
    put16(b, 4);
    put16(b, 3);
    int word = bits == 8 ? 1 : bits == 16 ? 2 : 4;
    put32(b, 3 * 5 * word);
    for (int row = 0; row < 3; row++) {
        if (bits == 8) b.insert(b.end(), {2, 7, 9, 0xFE, 0});
        if (bits == 16) {
            for (int w : {2, 0x1234, 0x4321, 0xFFFE, 0xF81F}) iput16(b, w);
        }
        if (bits == 32) {
            iput32(b, 2);
            b.insert(b.end(), {10, 20, 30, 40, 50, 60});
            iput32(b, -2);
            iput32(b, 0xFF00FF);
        }
    }
    return b;
}

Bytes bitmap(int bits, int w, int h) {
    Bytes b;
    put16(b, bits);
    put16(b, w);
    put16(b, h);
    int bytes = bits == 8 ? 1 : bits == 16 ? 2 : bits == -32 ? 4 : 3;
    for (int i = 0; i < w * h * bytes; i++) b.push_back(static_cast<unsigned char>(i * 7));
    return b;
}

Bytes font(int kind) {
    Bytes b;
    if (kind == 0) {  // oldest fixed size: 224 glyphs of 8 rows
        put16(b, 8);
        b.resize(2 + 224 * 8, 0x5A);
    } else if (kind == 1) {  // old proportional: 8-bit glyphs
        put16(b, -1);
        for (int g = 0; g < 3; g++) {
            Bytes glyph = bitmap(8, 4 + g, 6);
            b.insert(b.end(), glyph.begin() + 2, glyph.end());
        }
    } else {  // one range of two glyphs, mono or 8-bit colour
        put16(b, 0);
        put16(b, 1);
        b.push_back(kind == 2 ? 1 : 8);
        put32(b, 65);
        put32(b, 66);
        for (int g = 0; g < 2; g++) {
            if (kind == 2) {
                put16(b, 8);
                put16(b, 8);
                b.insert(b.end(), 8, 0x81);
            } else {
                Bytes glyph = bitmap(8, 3, 4);
                b.insert(b.end(), glyph.begin() + 2, glyph.end());
            }
        }
    }
    return b;
}

Bytes palette() {
    Bytes b;
    for (int i = 0; i < 256 * 3; i++) b.push_back(static_cast<unsigned char>(i % 64));
    return b;
}

Bytes object_bytes(long type, const Bytes& body) {
    Bytes b;
    put32(b, type);
    put32(b, static_cast<long>(body.size()));
    put32(b, static_cast<long>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

struct Foreign {
    const char* name;
    long type;
    Bytes body;
};

std::vector<Foreign> foreign_objects() {
    return {
        {"palette", DAT_PALETTE, palette()},
        {"8-bit RLE sprite", DAT_RLE_SPRITE, rle_sprite(8)},
        {"16-bit RLE sprite", DAT_RLE_SPRITE, rle_sprite(16)},
        {"32-bit RLE sprite", DAT_RLE_SPRITE, rle_sprite(32)},
        {"compiled sprite", DAT_C_SPRITE, bitmap(16, 4, 5)},
        {"mode-X compiled sprite", DAT_XC_SPRITE, bitmap(8, 4, 5)},
        {"fixed font", DAT_FONT, font(0)},
        {"proportional font", DAT_FONT, font(1)},
        {"mono font", DAT_FONT, font(2)},
        {"colour font", DAT_FONT, font(3)},
        {"32-bit alpha bitmap", DAT_BITMAP, bitmap(-32, 3, 3)},
        {"bitmap wider than any sprite", DAT_BITMAP, bitmap(8, 3000, 1)},
        {"animation", DAT_ID('F', 'L', 'I', 'C'), Bytes(40, 0xEE)},
        {"unknown type", DAT_ID('Z', 'Z', 'Z', '9'), Bytes(7, 0x01)},
    };
}

// Where a foreign object goes: in place of object 25's type, sizes and body,
// or after the last object with the root's count one higher.
struct Place {
    bool at_25;
    size_t from, to, count_at;
};

void put_foreign(Bytes& b, const Place& p, const Bytes& object) {
    if (p.at_25) {
        b.erase(b.begin() + static_cast<long>(p.from), b.begin() + static_cast<long>(p.to));
        b.insert(b.begin() + static_cast<long>(p.from), object.begin(), object.end());
    } else {
        write_be32(b, p.count_at, read_be32(b, p.count_at) + 1);
        b.insert(b.end(), object.begin(), object.end());
    }
}

void add_foreign_types(std::vector<Mutation>& out, const ImageLayout& layout) {
    if (layout.objects.size() < 29) return;
    const ObjectFields& o = layout.objects[25];
    for (const Foreign& f : foreign_objects()) {
        for (bool at_25 : {true, false}) {
            Place place{at_25, o.type_at, o.body_at + static_cast<size_t>(o.body_size), layout.count_at[0]};
            Bytes object = object_bytes(f.type, f.body);
            std::string where = at_25 ? "object 25 a " : "object 29 a ";
            for (MutantForm form : {MutantForm::PLAIN_IMAGE, MutantForm::PACKED_IMAGE}) {
                out.push_back({where + f.name, form, MustBe::LOADED,
                               [place, object](Bytes& b) { put_foreign(b, place, object); }});
            }
            // The same object damaged in its header or first bytes.
            for (size_t at = 12; at < object.size() && at < 20; at++) {
                for (unsigned char v : {0x00, 0xFF}) {
                    Bytes damaged = object;
                    damaged[at] = v;
                    out.push_back({where + f.name + " damaged @" + std::to_string(at) + " = " + std::to_string(v),
                                   MutantForm::PLAIN_IMAGE, MustBe::SAFE,
                                   [place, damaged](Bytes& b) { put_foreign(b, place, damaged); }});
                }
            }
        }
    }
}

void tag(std::vector<Mutation>& out, size_t from, const char* kind) {
    for (size_t i = from; i < out.size(); i++) out[i].kind = kind;
}

// --- decompression bombs --------------------------------------------------------

// An LZSS stream of `size` zero bytes: nothing but 18-byte back-references
// into the decompressor's zeroed window, eight to a flag byte.
Bytes zeros_packed(long size) {
    Bytes b;
    constexpr long LONGEST = 18;
    long refs = (size + LONGEST - 1) / LONGEST;
    for (long r = 0; r < refs; r++) {
        if (r % 8 == 0) b.push_back(0x00);
        long length = r == refs - 1 ? size - r * LONGEST : LONGEST;
        b.push_back(0x00);
        b.push_back(static_cast<unsigned char>(length - 3));
    }
    return b;
}

Bytes packed_zeros_object(long size) {
    Bytes stream = zeros_packed(size);
    Bytes b;
    put32(b, DAT_DATA);
    put32(b, static_cast<long>(stream.size()));
    put32(b, -size);
    b.insert(b.end(), stream.begin(), stream.end());
    return b;
}

// The image with `count` packed objects of `size` zeros each added at the end,
// stored as a plain file.
Mutation extra_packed_objects(const Bytes& image, int count, long size, MustBe must) {
    ImageLayout layout = map_image(image);
    size_t count_at = layout.count_at[0];
    std::string what = std::to_string(count) + " packed objects of " + std::to_string(size >> 20) + " MiB";
    return {what, MutantForm::RAW_FILE, must, [image, count_at, count, size](Bytes& b) {
                b = {'s', 'l', 'h', '.'};
                b.insert(b.end(), image.begin(), image.end());
                write_be32(b, 4 + count_at, read_be32(b, 4 + count_at) + count);
                Bytes object = packed_zeros_object(size);
                for (int i = 0; i < count; i++) b.insert(b.end(), object.begin(), object.end());
            }};
}

}  // namespace

std::vector<Mutation> make_bombs(const Bytes& image) {
    std::vector<Mutation> out;
    // A whole file that unpacks to 80 MiB: a root of one data object.
    out.push_back({"packed file of 80 MiB", MutantForm::RAW_FILE, MustBe::REFUSED_BY_CHECK, [](Bytes& b) {
                       long size = 80L << 20;
                       Bytes header = {'A', 'L', 'L', '.', 0, 0, 0, 1, 'D', 'A', 'T', 'A'};
                       put32(header, size);
                       put32(header, size);
                       // Twenty header bytes as literals, eight to a flag byte; the
                       // last flag byte's other four items are back-references.
                       b = {'s', 'l', 'h', '!', 0xFF};
                       b.insert(b.end(), header.begin(), header.begin() + 8);
                       b.push_back(0xFF);
                       b.insert(b.end(), header.begin() + 8, header.begin() + 16);
                       b.push_back(0x0F);
                       b.insert(b.end(), header.begin() + 16, header.end());
                       for (int r = 0; r < 4; r++) b.insert(b.end(), {0x00, 0x0F});
                       Bytes zeros = zeros_packed(size - 4 * 18);
                       b.insert(b.end(), zeros.begin(), zeros.end());
                   }});
    // Objects each far below the allowance, together above it.
    out.push_back(extra_packed_objects(image, 4, 20L << 20, MustBe::REFUSED_BY_CHECK));
    out.push_back(extra_packed_objects(image, 3, 22L << 20, MustBe::REFUSED_BY_CHECK));
    // Within it: a large file still plays.
    out.push_back(extra_packed_objects(image, 2, 20L << 20, MustBe::LOADED));
    tag(out, 0, "decompression bomb");
    return out;
}

std::vector<Mutation> make_mutations(const Bytes& raw, const Bytes& image, unsigned seed, bool foreign_types) {
    Rng rng(seed);
    ImageLayout layout = map_image(image);
    std::vector<Mutation> out;
    add_truncations(out, raw, layout, image.size());
    tag(out, 0, "truncation");
    size_t from = out.size();
    add_header_damage(out, layout, rng);
    add_count_and_size_changes(out, layout);
    add_type_swaps(out, layout);
    tag(out, from, "header, count, size, type");
    from = out.size();
    add_data_damage(out, raw, layout, rng);
    add_repacked(out, rng);
    tag(out, from, "data bytes");
    from = out.size();
    add_packed_trailers(out, layout);
    tag(out, from, "packed body with trailing bytes");
    from = out.size();
    add_song_damage(out, image, layout);
    tag(out, from, "song events");
    from = out.size();
    if (foreign_types) add_foreign_types(out, layout);
    tag(out, from, "other types at 25 and 29");
    return out;
}
