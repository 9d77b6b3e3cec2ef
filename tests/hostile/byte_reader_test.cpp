// The one reader under both walks of a data file: each field read from the
// row's bytes, and whether the reader stayed good.
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "datafile/byte_reader.h"

namespace {

struct Read { std::vector<unsigned char> bytes; std::function<int64_t(ByteReader&)> read; int64_t want; bool good; };

int64_t number(ByteReader& r) {
    int64_t v = -1;
    return r.number(v) ? v : -1;
}

}  // namespace

TEST(ByteReader, ReadsEachFieldWithinItsBytesOnly) {
    const std::vector<Read> rows = {
        {{0x12, 0x34}, [](ByteReader& r) { return r.get16(); }, 0x1234, true},
        {{0x12, 0x34}, [](ByteReader& r) { return r.iget16(); }, 0x3412, true},
        {{0xFF, 0xFE}, [](ByteReader& r) { return r.sget16(); }, -2, true},
        {{0x01, 0x02, 0x03, 0x04}, [](ByteReader& r) { return r.get32(); }, 0x01020304, true},
        {{0x01, 0x02, 0x03, 0x04}, [](ByteReader& r) { return r.iget32(); }, 0x04030201, true},
        {{0x01, 0x02, 0x03}, [](ByteReader& r) { return r.get32(); }, 0, false},
        {{0x01, 0x02, 0x03}, [](ByteReader& r) { return r.get16() + r.get16() + r.get8(); }, 0x0102, false},
        {{0x01, 0x02, 0x03}, [](ByteReader& r) { return r.skip(2) + r.get8() + r.at_end(); }, 5, true},
        {{0x01, 0x02, 0x03}, [](ByteReader& r) { return r.skip(4) + r.has(3) + r.has(-1); }, 1, false},
        {{0x01, 0x02, 0x03}, [](ByteReader& r) { return r.get8() + r.remaining() * 16; }, 33, true},
        {{0x40}, number, 0x40, true},
        {{0x81, 0x00}, number, 0x80, true},
        {{0xFF, 0xFF, 0xFF, 0x7F}, number, 0x0FFFFFFF, true},
        {{0x81, 0x80, 0x80, 0x80, 0x00}, number, -1, false},
        {{0x81, 0x80}, number, -1, false},
    };
    for (size_t i = 0; i < rows.size(); i++) {
        ByteReader r(rows[i].bytes.data(), static_cast<int64_t>(rows[i].bytes.size()));
        EXPECT_EQ(rows[i].read(r), rows[i].want) << "row " << i;
        EXPECT_EQ(r.good(), rows[i].good) << "row " << i;
    }
}

TEST(ByteReader, PassesOverBytesUnreadEvenBeyondTheEnd) {
    const unsigned char bytes[] = {5, 6, 7};
    ByteReader r(bytes, 3);
    r.pass(2);
    EXPECT_EQ(r.position(), bytes + 2);
    EXPECT_EQ(r.peek(), 7);
    r.pass(2);
    EXPECT_TRUE(r.at_end() && r.good() && !r.has(0) && r.peek() == 0);
    r.pass(-3);
    EXPECT_EQ(r.get8(), 6);
}
