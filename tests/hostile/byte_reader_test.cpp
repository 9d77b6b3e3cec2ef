// The one reader under both walks of a data file: both byte orders, the
// songs' variable-length numbers, and never a byte beyond its span.
#include <gtest/gtest.h>

#include "datafile/byte_reader.h"

TEST(ByteReader, ReadsBothByteOrdersAndNumbersWithinItsBytesOnly) {
    const unsigned char b[] = {0x81, 0x81, 0x80, 0x80, 0x00, 0xFE, 0xFF};
    ByteReader r(b + 1, 6), word(b, 4), too_long(b, 7), cut(b, 2);
    int64_t n = 0;
    EXPECT_TRUE(r.number(n) && n == 1 << 21 && r.sget16() == -257 && r.at_end() && r.good());  // four bytes: the longest
    // A read past the end reads nothing and leaves the reader bad for good.
    EXPECT_TRUE(word.iget32() == int32_t(0x80808181) && word.position() == b + 4 && word.get16() == 0 && !word.good() && !word.skip(0));
    EXPECT_FALSE(too_long.number(n) || too_long.good() || cut.number(n) || cut.good());
}
