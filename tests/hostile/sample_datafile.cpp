#include "sample_datafile.h"

#include <allegro.h>
#include <cstdio>
#include <cstring>

#include "shell/catalogue.h"

namespace {

constexpr int DAT_INFO = DAT_ID('i', 'n', 'f', 'o');

void put_name(PACKFILE* f, const char* name) {
    pack_mputl(DAT_PROPERTY, f);
    pack_mputl(DAT_NAME, f);
    pack_mputl(static_cast<long>(std::strlen(name)), f);
    pack_fwrite(name, static_cast<long>(std::strlen(name)), f);
}

void bitmap_body(PACKFILE* f, int side, int seed) {
    pack_mputw(16, f);
    pack_mputw(side, f);
    pack_mputw(side + 1, f);
    for (int i = 0; i < side * (side + 1); i++) pack_iputw((seed * 977 + i * 31) & 0xFFFF, f);
}

void sample_body(PACKFILE* f, int bits, bool stereo, int length) {
    pack_mputw(stereo ? -bits : bits, f);
    pack_mputw(22050, f);
    pack_mputl(length, f);
    int values = length * (stereo ? 2 : 1);
    for (int i = 0; i < values; i++) {
        if (bits == 8) pack_putc(128 + (i % 16) * 4, f);
        else pack_iputw(32768 + (i % 32) * 512, f);
    }
}

void midi_body(PACKFILE* f, int note) {
    const unsigned char track[] = {0x00, 0x90, static_cast<unsigned char>(note), 100,
                                   0x60, 0x80, static_cast<unsigned char>(note), 0,
                                   0x00, 0xFF, 0x2F, 0x00};
    pack_mputw(96, f);
    for (int t = 0; t < 32; t++) {
        int length = t == 0 ? static_cast<int>(sizeof track) : 0;
        pack_mputl(length, f);
        if (length) pack_fwrite(track, length, f);
    }
}

void begin_object(PACKFILE* f, const char* name, int type) {
    put_name(f, name);
    pack_mputl(type, f);
}

void nested_file_body(PACKFILE* f, bool pack_objects) {
    pack_mputl(2, f);
    begin_object(f, "INNER_BMP", DAT_BITMAP);
    PACKFILE* chunk = pack_fopen_chunk(f, pack_objects);
    bitmap_body(chunk, 4, 99);
    pack_fclose_chunk(chunk);
    begin_object(f, "INNER_DATA", DAT_DATA);
    chunk = pack_fopen_chunk(f, pack_objects);
    pack_fwrite("spare bytes", 11, chunk);
    pack_fclose_chunk(chunk);
}

void catalogue_object(PACKFILE* f, int index, const SampleLayout& layout) {
    bool pack_objects = layout.pack_objects;
    int type = catalogue_expected_type(index);
    if (index == layout.wrong_at) type = type == DAT_SAMPLE ? DAT_BITMAP : DAT_SAMPLE;
    char name[16];
    std::snprintf(name, sizeof name, "OBJ_%02d", index);
    begin_object(f, name, type ? type : DAT_FILE);
    PACKFILE* chunk = pack_fopen_chunk(f, pack_objects);
    if (type == DAT_BITMAP) bitmap_body(chunk, index == CAT_SHIP_1 || index == CAT_SHIP_2 ? 12 : 6, index);
    else if (type == DAT_SAMPLE) sample_body(chunk, index % 2 ? 16 : 8, index == CAT_SOUND_DEATH, 40 + index);
    else if (type == DAT_MIDI) midi_body(chunk, 40 + index);
    else nested_file_body(chunk, pack_objects);
    pack_fclose_chunk(chunk);
}

}  // namespace

bool write_sample_datafile(const std::string& path, SampleLayout layout) {
    PACKFILE* f = pack_fopen(path.c_str(), layout.pack_file ? F_WRITE_PACKED : F_WRITE_NOPACK);
    if (!f) return false;
    pack_mputl(DAT_MAGIC, f);
    pack_mputl(layout.objects + 1, f);
    for (int i = 0; i < layout.objects; i++) catalogue_object(f, i, layout);
    begin_object(f, "GrabberInfo", DAT_INFO);
    PACKFILE* chunk = pack_fopen_chunk(f, false);
    pack_fwrite("pack=0", 6, chunk);
    pack_fclose_chunk(chunk);
    return pack_fclose(f) == 0;
}

Bytes read_raw_file(const std::string& path) {
    Bytes bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char block[65536];
        size_t got;
        while ((got = std::fread(block, 1, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + got);
        std::fclose(f);
    }
    return bytes;
}

Bytes read_unpacked_file(const std::string& path) {
    Bytes bytes;
    if (PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED)) {
        unsigned char block[65536];
        long got;
        while ((got = pack_fread(block, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + got);
        pack_fclose(f);
    }
    return bytes;
}

bool write_raw_file(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool whole = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && whole;
}

bool write_unpacked_image(const std::string& path, const Bytes& image, bool pack) {
    PACKFILE* f = pack_fopen(path.c_str(), pack ? F_WRITE_PACKED : F_WRITE_NOPACK);
    if (!f) return false;
    pack_fwrite(image.data(), static_cast<long>(image.size()), f);
    return pack_fclose(f) == 0;
}
