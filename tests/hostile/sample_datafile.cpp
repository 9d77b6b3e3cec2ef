#include "sample_datafile.h"

#include <allegro.h>

static void write_object(PACKFILE* f, const std::string& name, int type, int index, bool pack);

// Bitmaps of 16 bits, 6 by 7; sounds of 8 bits, the death sound in stereo;
// songs of one note; the nested file a bitmap.
static void write_body(PACKFILE* f, int type, int index, bool pack) {
    if (type == DAT_BITMAP) {
        for (int word : {16, 6, 7}) pack_mputw(word, f);
        for (int i = 0; i < 6 * 7; i++) pack_iputw(index * 977 + i * 31, f);
    } else if (type == DAT_SAMPLE) {
        for (int word : {index == CAT_SOUND_DEATH ? -8 : 8, 22050, 0, 40 + index}) pack_mputw(word, f);
        for (int i = 0; i < (40 + index) * (index == CAT_SOUND_DEATH ? 2 : 1); i++) pack_putc(128 + i % 16 * 4, f);
    } else if (type == DAT_MIDI) {
        // 96 beat divisions, track 0 of 12 bytes (a note on, off and the
        // track's end), then 31 empty tracks.
        const unsigned char song[18 + 31 * 4] = {0, 96, 0, 0, 0, 12,
                                                 0, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
        pack_fwrite(song, sizeof song, f);
    } else if (type == DAT_FILE) {
        pack_mputl(1, f);
        write_object(f, "INNER_BMP", DAT_BITMAP, 99, pack);
    } else {
        pack_fwrite("spare bytes", 11, f);
    }
}

static void write_object(PACKFILE* f, const std::string& name, int type, int index, bool pack) {
    for (long word : {long(DAT_PROPERTY), long(DAT_NAME), long(name.size())}) pack_mputl(word, f);
    pack_fwrite(name.data(), long(name.size()), f);
    pack_mputl(type, f);
    PACKFILE* chunk = pack_fopen_chunk(f, pack);
    write_body(chunk, type, index, pack);
    pack_fclose_chunk(chunk);
}

bool write_sample_datafile(const std::string& path, bool pack_file, bool pack_objects, int objects, int wrong_at) {
    PACKFILE* f = pack_fopen(path.c_str(), pack_file ? F_WRITE_PACKED : F_WRITE_NOPACK);
    if (!f) return false;
    for (long word : {long(DAT_MAGIC), long(objects + 1)}) pack_mputl(word, f);
    for (int i = 0; i < objects; i++) {
        int type = catalogue_expected_type(i);
        if (i == wrong_at) type = type == DAT_SAMPLE ? DAT_BITMAP : DAT_SAMPLE;
        write_object(f, "OBJ_" + std::to_string(100 + i).substr(1), type ? type : DAT_FILE, i, pack_objects);
    }
    write_object(f, "GrabberInfo", DAT_ID('i', 'n', 'f', 'o'), -1, pack_objects);
    return pack_fclose(f) == 0;
}
