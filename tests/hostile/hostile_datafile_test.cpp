// Damaged data files must never crash or hang the start-up: each one is
// refused by the structure check, or it loads, serves every catalogue index
// and has its songs played. Every load runs in a child process.
#include <algorithm>
#include <allegro.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "sample_datafile.h"
#include "datafile/file_image.h"
#include "datafile/structure_check.h"

namespace {

using u8 = unsigned char;
using Bytes = std::vector<u8>;
using Edit = std::function<void(Bytes&)>;

// A child's exit status: loaded, refused by the check or by the loader, or
// the first index the catalogue refuses (CATALOGUE + index). A sanitizer
// report exits with 1; a signal shows as 100 + its number (114: out of time).
// ANY: whatever does not crash.
enum Outcome { LOADED = 0, REFUSED = 10, LOADER = 11, CATALOGUE = 20, ANY = -1 };

// Loads the file as the start-up does, then plays every song through the
// library's MIDI player: a seek of 1000 beats (about eight minutes at the
// starting tempo) runs the player's ticks at once.
int load_in_child(const std::string& path) {
    pid_t child = fork();
    if (child == 0) {
        alarm(20);
        if (!datafile_structure_ok(path.c_str())) _exit(REFUSED);
        DATAFILE* file = load_datafile(path.c_str());
        if (!file) _exit(LOADER);
        if (catalogue_first_bad_index(file) >= 0) _exit(CATALOGUE + catalogue_first_bad_index(file));
        for (int slot = 0; slot < 6; slot++) {
            if (play_midi(static_cast<MIDI*>(file[CAT_SONG_0 + slot].dat), FALSE) == 0) midi_seek(1000);
        }
        _exit(LOADED);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -2;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

long be32(const Bytes& b, size_t i) { return int(unsigned(b[i]) << 24 | b[i + 1] << 16 | b[i + 2] << 8 | b[i + 3]); }
Bytes word(long v) { return {u8(v >> 24), u8(v >> 16), u8(v >> 8), u8(v)}; }

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes b;
    for (const Bytes& part : parts) b.insert(b.end(), part.begin(), part.end());
    return b;
}

Bytes object(long type, const Bytes& b) { return cat({word(type), word(b.size()), word(b.size()), b}); }

// An offset from the type field of the sample's object at catalogue index
// `o`, which follows its name (29: the info object), or from the start of
// the file when `o` is -1.
size_t at(const Bytes& b, int o, long k) {
    if (o < 0) return size_t(k);
    std::string name = o < CAT_OBJECT_COUNT ? "OBJ_" + std::to_string(100 + o).substr(1) : "GrabberInfo";
    return size_t(std::search(b.begin(), b.end(), name.begin(), name.end()) - b.begin()) + name.size() + k;
}
Edit cut(int o, long k) { return [=](Bytes& b) { b.resize(at(b, o, k)); }; }
Edit byte(int o, long k, int v) { return [=](Bytes& b) { b[at(b, o, k)] = u8(v); }; }
Edit set(int o, long k, long v) { return [=](Bytes& b) { std::copy_n(word(v).begin(), 4, b.begin() + at(b, o, k)); }; }
Edit add(int o, long k, long v) { return [=](Bytes& b) { set(o, k, be32(b, at(b, o, k)) + v)(b); }; }
Edit both(Edit first, Edit then) { return [=](Bytes& b) { first(b), then(b); }; }
// Objects `os` each replaced by `other`, type, sizes and body.
Edit put(std::vector<int> os, const Bytes& other) {
    return [=](Bytes& b) {
        for (int o : os) {
            auto from = b.begin() + at(b, o, 0);
            b.insert(b.erase(from, from + 12 + be32(b, at(b, o, 4))), other.begin(), other.end());
        }
    };
}
const Edit none = [](Bytes&) {};
const Edit more = [](Bytes& b) { b.push_back(0); };

// The files damaged: the sample plain, with its objects packed, packed as a
// whole, and the generated one, as built and repacked the same two ways.
enum Base { PLAIN, OBJECTS_PACKED, FILE_PACKED, GENERATED, GENERATED_OBJECTS_PACKED, GENERATED_FILE_PACKED };

struct Row { std::string what; Edit edit; int want; Base base = PLAIN; };

// In the sample object 4 is a sound, 17 ship 1's bitmap, 19 a song, 25 a
// nested file holding a bitmap and 29 the info object; the generated file is
// the build's own vexo.dat.
class HostileDatafile : public testing::Test {
protected:
    std::string path = testing::TempDir() + "vexo-hostile-" + std::to_string(getpid());
    Bytes base[6];

    void SetUp() override {
        for (int b = PLAIN; b <= GENERATED_FILE_PACKED; b++) {
            ASSERT_TRUE(b >= GENERATED || write_sample_datafile(path, b == FILE_PACKED, b == OBJECTS_PACKED));
            std::string name = b < GENERATED ? path : VEXO_REPACKED_DATAFILE + std::to_string(b - GENERATED) + ".dat";
            std::ifstream in(b == GENERATED ? VEXO_GENERATED_DATAFILE : name, std::ios::binary);
            base[b].assign(std::istreambuf_iterator<char>(in), {});
        }
    }
    void TearDown() override { std::remove(path.c_str()); }

    // Each row's edit made to its base and the result loaded in a child.
    void run(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            Bytes b = base[row.base];
            row.edit(b);
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), long(b.size()));
            int got = load_in_child(path);
            bool safe = got == LOADED || got == REFUSED || got == LOADER || (got >= CATALOGUE && got < 64);
            EXPECT_TRUE(row.want == ANY ? safe : got == row.want) << row.what << ": " << got << ", not " << row.want;
        }
    }
};

// A chain of `levels` nested files, the innermost empty.
Bytes nested(int levels) { return object(DAT_FILE, levels > 1 ? cat({word(1), nested(levels - 1)}) : word(0)); }

// An 8-bit bitmap, w x h.
Bytes bitmap8(int w, int h) { return object(DAT_BITMAP, cat({{0, 8, u8(w >> 8), u8(w), u8(h >> 8), u8(h)}, Bytes(w * h, 3)})); }

// A 4 x 3 RLE sprite of 15 bytes: in each row two pixels, then a gap (of
// two: 254 is -2), then the row's end; the first gap and the size given.
Bytes rle(u8 gap, u8 size = 15) {
    return object(DAT_RLE_SPRITE, {0, 8, 0, 4, 0, 3, 0, 0, 0, size, 2, 7, 9, gap, 0, 2, 7, 9, 254, 0, 2, 7, 9, 254, 0});
}

// A font of the oldest kind: 224 glyphs 8 pixels wide and `height` high.
Bytes old_font(u8 height, int glyph_bytes) { return object(DAT_FONT, cat({{0, height}, Bytes(glyph_bytes, 0x5A)})); }

// A font of one range at a depth (1 or 255: one bit a pixel): `glyphs` times
// `glyph`, its width, height and pixels, from character 32 on.
Bytes ranged_font(u8 depth, const Bytes& glyph, int glyphs) {
    Bytes body = cat({{0, 0, 0, 1, depth}, word(32), word(31 + glyphs)});
    for (int g = 0; g < glyphs; g++) body = cat({body, glyph});
    return object(DAT_FONT, body);
}

// A 3 x 2 bitmap and a one-pixel RLE sprite at a depth: the bytes of a stored
// pixel (px), of an RLE word (w, little-endian), and the RLE row's end marker.
struct Depth { int bits, px, w; long end; };
Bytes le(long v, int n) { Bytes b = {u8(v), u8(v >> 8), u8(v >> 16), 0}; b.resize(n); return b; }
Bytes head(Depth d, u8 w, u8 h) { return {u8(d.bits >> 8), u8(d.bits), 0, w, 0, h}; }
Bytes bitmap(Depth d) { return object(DAT_BITMAP, cat({head(d, 3, 2), Bytes(6 * d.px, 7)})); }
Bytes rle_pixel(Depth d) { return object(DAT_RLE_SPRITE, cat({head(d, 1, 1), word(3 * d.w), le(1, d.w), Bytes(d.px, 7), le(d.end, d.w)})); }

// Track 0 of the first song replaced, the other 31 empty.
Edit song(const Bytes& t) { return put({19}, object(DAT_MIDI, cat({{0, 96}, word(t.size()), t, Bytes(124, 0)}))); }

// A data object packed from about `mib` MiB of zeros: groups of a flag byte
// and eight back-references of 18 bytes into the decompressor's zeroed window.
Bytes packed_zeros(long mib) {
    const Bytes group = {0, 0, 15, 0, 15, 0, 15, 0, 15, 0, 15, 0, 15, 0, 15, 0, 15};
    Bytes stream;
    for (long g = 0; g < (mib << 20) / 144; g++) stream.insert(stream.end(), group.begin(), group.end());
    return cat({word(DAT_DATA), word(stream.size()), word(-144 * ((mib << 20) / 144)), stream});
}

}  // namespace

TEST_F(HostileDatafile, DamagedCopiesOfTheSampleAndGeneratedFilesAreLoadedOrRefused) {
    std::vector<Row> rows = {
        {"packing: none", none, LOADED}, {"packing: objects", none, LOADED, OBJECTS_PACKED},
        {"packing: the generated file", none, LOADED, GENERATED},
        {"packing: the generated file, objects repacked", none, LOADED, GENERATED_OBJECTS_PACKED},
        {"packing: the generated file, repacked whole", none, LOADED, GENERATED_FILE_PACKED},
        {"data: a byte of the packed file", byte(-1, 1000, 0x55), ANY, FILE_PACKED},
        {"header: magic ALL!", byte(-1, 7, '!'), REFUSED},
        {"header: pack magic slh?", byte(-1, 3, '?'), REFUSED, FILE_PACKED},
        {"count: root + 1", add(-1, 8, 1), REFUSED}, {"count: nested - 1", add(25, 12, -1), REFUSED},
        {"size: unpacked + 1", add(17, 8, 1), REFUSED},
        {"size: packed body a byte longer", add(29, 8, -1), REFUSED, OBJECTS_PACKED},
        {"size: packed body + 00 at the end", both(add(29, 4, 1), more), REFUSED, OBJECTS_PACKED},
        {"size: packed objects of 2 x 20 MiB", put({25, 29}, packed_zeros(20)), LOADED},
        {"size: packed objects of 2 x 33 MiB", put({25, 29}, packed_zeros(33)), REFUSED},
        {"body: bitmap width + 1", byte(17, 15, 7), REFUSED},
        {"body: sound depth 12", byte(4, 13, 12), REFUSED}, {"body: sound length + 1", add(4, 16, 1), REFUSED},
        {"body: song beat divisions 0", byte(19, 13, 0), REFUSED},
        {"body: song beat divisions 0x7FFF", both(byte(19, 12, 0x7F), byte(19, 13, 0xFF)), LOADED},
        {"body: song track 0 a byte longer", add(19, 14, 1), REFUSED},
        {"body: song track 1 of length -1", set(19, 30, -1), REFUSED},
        {"body: ship 2048 wide", put({17}, bitmap8(2048, 1)), LOADED},
        {"body: ship 2049 wide", put({17}, bitmap8(2049, 1)), REFUSED},
        {"body: ship 2048 high", put({17}, bitmap8(1, 2048)), LOADED},
        {"body: ship 2049 high", put({17}, bitmap8(1, 2049)), REFUSED},
        {"body: RLE sprite row too wide", put({25}, rle(253)), REFUSED},
        {"body: RLE sprite a byte too small for its runs", put({25}, rle(254, 14)), REFUSED},
        {"body: RLE sprite 0 wide", put({25}, object(DAT_RLE_SPRITE, {0, 8, 0, 0, 0, 1, 0, 0, 0, 1, 0})), REFUSED},
        {"body: font a byte short", put({25}, old_font(8, 224 * 8 - 1)), REFUSED},
        {"body: bitmap 0 wide", put({25}, object(DAT_BITMAP, {0, 8, 0, 0, 0, 1})), REFUSED},
        {"count: two empty objects nested, at the bound", put({25}, object(DAT_FILE, cat({word(2), Bytes(24, 0)}))), LOADED},
        {"nesting: 8 deep", put({25}, nested(8)), LOADED}, {"nesting: 9 deep", put({25}, nested(9)), REFUSED},
        {"run on: a byte more", more, REFUSED},
        {"type: ship a palette, for the catalogue to name", set(17, 0, DAT_PALETTE), CATALOGUE + CAT_SHIP_1},
        // Objects of any kind load where the game allows any, at 25 and 29.
        {"other type: palette", put({25, 29}, object(DAT_PALETTE, Bytes(768, 0x21))), LOADED},
        {"other type: RLE sprite", put({25, 29}, rle(254)), LOADED},
        {"other type: fixed-size font 1 high", put({25, 29}, old_font(1, 224)), LOADED},
        {"other type: fixed-size font 8 high", put({25, 29}, old_font(8, 224 * 8)), LOADED},
        {"other type: font of 1-bit 9 x 3 glyphs", put({25, 29}, ranged_font(255, {0, 9, 0, 3, 1, 2, 3, 4, 5, 6}, 2)), LOADED},
        {"count: font glyphs at their bound", put({25, 29}, ranged_font(1, {0, 0, 0, 0}, 3)), LOADED},
        {"other type: font of 16-bit 1 x 1 glyphs", put({25, 29}, ranged_font(16, {0, 1, 0, 1, 7, 7}, 2)), LOADED},
        {"other type: sound of no samples", put({25, 29}, object(DAT_SAMPLE, {0, 8, 0x56, 0x22, 0, 0, 0, 0})), LOADED},
        {"other type: bitmap 2049 wide", put({25, 29}, bitmap8(2049, 1)), LOADED},
        // Track 0 of the first song: the player must stay inside it.
        {"song: system exclusive", song({0, 0xF0, 3, 0x7E, 0x7F, 9, 0, 0xFF, 0x2F, 0}), LOADED},
        {"song: four-byte delta", song({0x81, 0x80, 0x80, 0, 0x90, 0x40, 0x64, 0, 0xFF, 0x2F, 0}), LOADED},
        {"song: running status after a meta", song({0, 0x90, 0x40, 0x64, 0, 0xFF, 1, 0, 0, 0x40, 0x64, 0, 0xFF, 0x2F, 0}), LOADED},
        {"song: position and select", song({0, 0xF2, 1, 2, 0, 0xF3, 1, 0, 0xFF, 0x2F, 0}), LOADED},
        {"song: select and position past the end", song({0, 0xFF, 0x2F, 0, 0, 0xF3, 1, 0, 0xF2}), LOADED},
        {"song: no end of track", song({0, 0x90, 0x40, 0x64, 0x60, 0x80, 0x40, 0}), REFUSED},
        {"song: status at the end", song({0, 0x90}), REFUSED}, {"song: a track of one byte", song({0}), REFUSED},
        {"song: running status cut short by a status", song({0, 0x90, 0x40, 0x64, 0, 0x40, 0xFF, 0x2F, 0}), REFUSED},
        {"song: five-byte delta", song({0, 0xC0, 5, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0}), REFUSED},
        {"song: huge meta length", song({0, 0xFF, 1, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0xFF, 0x2F, 0}), REFUSED},
        {"song: sysex past the end", song({0x81, 0, 0xF0, 0x7F, 0, 0xFF, 0x2F, 0}), REFUSED},
        {"song: tempo cut short after the end", song({0, 0xFF, 0x2F, 0, 0, 0xFF, 0x51}), REFUSED},
        // The instrument scan reads the track from its first byte, delta and all.
        {"song: program 128 to the instrument scan", song({0xC0, 0x80, 0, 0xFF, 0x2F, 0}), REFUSED},
        {"song: drum note 128 to the instrument scan", song({0x99, 0x80, 0, 0xFF, 0x2F, 0}), REFUSED},
    };
    // A bitmap's body read as a type whose shape it lacks.
    for (const char* t : {"FONT", "RLE ", "SAMP", "MIDI", "FILE"})
        rows.push_back({std::string("type: ship a ") + t, set(17, 0, DAT_ID(t[0], t[1], t[2], t[3])), REFUSED});
    for (Depth d : {Depth{8, 1, 1, 0}, {15, 2, 2, MASK_COLOR_16}, {16, 2, 2, MASK_COLOR_16}, {24, 3, 4, MASK_COLOR_32},
                    {32, 3, 4, MASK_COLOR_32}, {-32, 4, 4, MASK_COLOR_32}})
        rows.insert(rows.end(), {{"other type: bitmap at " + std::to_string(d.bits), put({25, 29}, bitmap(d)), LOADED},
                                 {"other type: RLE pixel at " + std::to_string(d.bits), put({25, 29}, rle_pixel(d)), LOADED}});
    // Cut at field boundaries: in a name, at the type, in the sizes, in the
    // body; and the packed file in its magic and in its stream.
    for (int o : {4, 17, 19, 25, 29})
        for (long k : {-1, 0, 6, 14, 20})
            rows.push_back({"cut: object " + std::to_string(o) + " + " + std::to_string(k), cut(o, k), REFUSED});
    for (long n : {0, 3, 4, 1000})
        rows.push_back({"cut: packed file at " + std::to_string(n), cut(-1, n), REFUSED, FILE_PACKED});
    // The generated file cut, or a byte inverted, every 4001 bytes.
    for (long at = 7; at < long(base[GENERATED].size()); at += 4001) {
        rows.push_back({"generated: cut at " + std::to_string(at), cut(-1, at), REFUSED, GENERATED});
        rows.push_back({"generated: byte " + std::to_string(at), byte(-1, at, ~base[GENERATED][at]), ANY, GENERATED});
    }
    run(rows);
}

// Names that are no regular file, or one that reads shorter than its size
// (files under /sys claim a page and deliver a few bytes): the library's
// reader would block in the open or retry the read for ever. And a packed
// file that unpacks beyond the game's allowance of 64 MiB.
TEST_F(HostileDatafile, FilesTheReaderCannotTakeWholeAreRefused) {
    PACKFILE* f = pack_fopen(path.c_str(), F_WRITE_PACKED);
    Bytes image = cat({{'A', 'L', 'L', '.', 0, 0, 0, 1}, object(DAT_DATA, Bytes(80 << 20, 0))});
    pack_fwrite(image.data(), long(image.size()), f);
    pack_fclose(f);
    EXPECT_EQ(load_in_child(path), REFUSED) << "a packed file of 80 MiB";
    std::remove(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    for (std::string name : {path, testing::TempDir(), path + ".absent", std::string("/sys/devices/system/cpu/online")})
        EXPECT_EQ(load_in_child(name), REFUSED) << name;
}

// A read that comes short, the rest coming later with more behind it, as
// from a file that grows while it is read: the buffer is filled, and what
// lies past it is left unread.
TEST(FileImage, AShortReadIsFinishedWithoutAskingPastTheBuffer) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const Bytes first(2048, 7), then(2048 + 64, 9);
    ASSERT_EQ(write(ends[1], first.data(), first.size()), 2048);
    std::thread writer([&] {
        for (int waiting = 1; waiting > 0;) ioctl(ends[0], FIONREAD, &waiting);  // until the first part is taken
        EXPECT_EQ(write(ends[1], then.data(), then.size()), 2048 + 64);
    });
    Bytes out(4096);
    EXPECT_TRUE(read_fully(ends[0], out));
    writer.join();
    int left = 0;
    ioctl(ends[0], FIONREAD, &left);
    EXPECT_TRUE(left == 64 && out == cat({first, Bytes(2048, 9)})) << left;
    close(ends[0]);
    close(ends[1]);
}
