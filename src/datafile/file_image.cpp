#include "datafile/file_image.h"

#include <allegro.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "datafile/byte_reader.h"

namespace {

// LZSS stores at most nine bits per byte: a larger file cannot fit the budget.
constexpr int64_t MAX_FILE_BYTES = 8 + UNPACKED_BUDGET / 8 * 9;

struct MemorySource {
    ByteReader bytes;
    int64_t consumed = 0;
};

int memory_getc(void* user) {
    MemorySource* m = static_cast<MemorySource*>(user);
    if (m->bytes.at_end()) return EOF;
    m->consumed++;
    return m->bytes.get8();
}
// The decompressor takes its input byte by byte through getc and never asks
// for a block; were it to, it would get nothing and the unpack come out short.
long memory_fread(void*, long, void*) { return 0; }
int memory_feof(void* user) { return static_cast<MemorySource*>(user)->bytes.at_end(); }
int memory_no_error(void*) { return 0; }
int memory_fclose(void*) { return 0; }
int memory_ungetc(int, void*) { return EOF; }
int memory_putc(int, void*) { return EOF; }
long memory_fwrite(const void*, long, void*) { return 0; }
int memory_fseek(void*, int) { return -1; }

PACKFILE_VTABLE memory_vtable = {memory_fclose, memory_getc, memory_ungetc, memory_fread, memory_putc,
                                 memory_fwrite, memory_fseek, memory_feof, memory_no_error};

}  // namespace

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
        ok = read_fully(fd, out);
    }
    close(fd);
    return ok;
}

bool read_fully(int fd, Bytes& out) {
    bool ok = true;
    size_t got = 0;
    while (ok && got < out.size()) {
        auto n = read(fd, out.data() + got, static_cast<unsigned>(out.size() - got));
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) got += static_cast<size_t>(n);
    }
    return ok;
}

bool lzss_unpack(const unsigned char* packed, int64_t packed_size, int64_t limit, Bytes& out,
                 int64_t& consumed) {
    MemorySource source{ByteReader(packed, packed_size)};
    PACKFILE* f = pack_fopen_vtable(&memory_vtable, &source);
    LZSS_UNPACK_DATA* state = create_lzss_unpack_data();
    bool ok = f && state;
    // The loader refills in steps of this size; each step asks for no more
    // than is still wanted, so the decompressor stops exactly where the
    // loader's does.
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

bool unpacked_image(const Bytes& file, Budget& budget, Bytes& image) {
    ByteReader in(file.data(), static_cast<int64_t>(file.size()));
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
