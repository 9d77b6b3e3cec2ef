#include "mutants.h"

#include <allegro.h>
#include <random>

namespace {

using Rng = std::mt19937;

std::string at_text(const char* what, size_t at) { return std::string(what) + " @" + std::to_string(at); }

Mutation truncate(MutantForm form, size_t length, const char* what) {
    return {at_text(what, length), form, true, [length](Bytes& b) { b.resize(length); }};
}

Mutation set_byte(MutantForm form, size_t at, unsigned char value, const char* what) {
    return {at_text(what, at) + " = " + std::to_string(value), form, false, [at, value](Bytes& b) { b[at] = value; }};
}

Mutation set_field(size_t at, long value, const char* what) {
    return {at_text(what, at) + " = " + std::to_string(value), MutantForm::PLAIN_IMAGE, false,
            [at, value](Bytes& b) { write_be32(b, at, value); }};
}

Mutation add_to_field(size_t at, long delta, const char* what) {
    return {at_text(what, at) + " + " + std::to_string(delta), MutantForm::PLAIN_IMAGE, false,
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
        out.push_back({at_text("both sizes - 2", stored), MutantForm::PLAIN_IMAGE, false,
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

}  // namespace

std::vector<Mutation> make_mutations(const Bytes& raw, const Bytes& image, unsigned seed) {
    Rng rng(seed);
    ImageLayout layout = map_image(image);
    std::vector<Mutation> out;
    add_truncations(out, raw, layout, image.size());
    add_header_damage(out, layout, rng);
    add_count_and_size_changes(out, layout);
    add_type_swaps(out, layout);
    add_data_damage(out, raw, layout, rng);
    add_repacked(out, rng);
    return out;
}
