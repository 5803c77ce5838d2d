// The byte reader and writer: the bytes a writer produces, what a reader
// makes of them, and what it does when asked for more than there is.
#include "base/ByteIo.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace relayon {
namespace {

TEST(ByteIo, WriterLaysOutLeastSignificantByteFirst) {
    std::vector<uint8_t> out = {0xAA};  // appends, never overwrites
    ByteWriter w(out);
    w.U8(0x01);
    w.U16(0x0302);
    w.U32(0x07060504);
    w.I32(-2);
    w.U64(0x0F0E0D0C0B0A0908ull);
    w.F64(1.0);  // 0x3FF0000000000000
    w.Bytes(std::vector<uint8_t>{0x10, 0x11});
    w.Zeros(2);
    EXPECT_EQ(w.Size(), out.size());
    const std::vector<uint8_t> expected = {0xAA, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xFE, 0xFF, 0xFF, 0xFF,
                                           0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0, 0, 0, 0,
                                           0, 0, 0xF0, 0x3F, 0x10, 0x11, 0, 0};
    EXPECT_EQ(out, expected);
}

TEST(ByteIo, EveryValueReadsBackAsWritten) {
    std::vector<uint8_t> bytes;
    ByteWriter w(bytes);
    for (int32_t v : {0, 1, -1, INT32_MIN, INT32_MAX, 0x12345678}) w.I32(v);
    w.I16(-300);
    w.I64(INT64_MIN);
    for (double d : {0.0, -2.5, 45000.75, 1e300}) w.F64(d);
    w.F64(NAN);

    ByteReader r(bytes);
    for (int32_t v : {0, 1, -1, INT32_MIN, INT32_MAX, 0x12345678}) EXPECT_EQ(r.I32(), v);
    EXPECT_EQ(r.I16(), -300);
    EXPECT_EQ(r.I64(), INT64_MIN);
    for (double d : {0.0, -2.5, 45000.75, 1e300}) EXPECT_EQ(r.F64(), d);
    EXPECT_TRUE(std::isnan(r.F64()));
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ByteIo, AnOverReadYieldsZerosAndTheFailureSticks) {
    const std::vector<uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    ByteReader r(bytes);
    EXPECT_EQ(r.U32(), 0x04030201u);
    EXPECT_EQ(r.U32(), 0u);  // two bytes left: none of them is used
    EXPECT_FALSE(r.Ok());
    // The two bytes that were there are not handed out afterwards either.
    EXPECT_EQ(r.U8(), 0u);
    EXPECT_EQ(r.U16(), 0u);
    EXPECT_TRUE(r.Take(1).empty());
    r.Seek(0);
    EXPECT_EQ(r.U8(), 0u);
    EXPECT_FALSE(r.Ok());

    // Exactly to the end is fine; one more byte is not.
    ByteReader exact(bytes);
    EXPECT_EQ(exact.Take(6).size(), 6u);
    EXPECT_TRUE(exact.Take(0).empty());
    EXPECT_TRUE(exact.Ok());
    exact.Skip(1);
    EXPECT_FALSE(exact.Ok());

    // Seeking: to the end is allowed, past it fails; huge counts cannot wrap.
    ByteReader seek(bytes);
    seek.Seek(6);
    EXPECT_TRUE(seek.Ok());
    seek.Seek(4);
    EXPECT_EQ(seek.U16(), 0x0605u);
    seek.Seek(7);
    EXPECT_FALSE(seek.Ok());
    ByteReader huge(bytes);
    huge.Skip(2);
    EXPECT_TRUE(huge.Take(SIZE_MAX).empty());
    EXPECT_FALSE(huge.Ok());

    ByteReader empty(std::span<const uint8_t>{});
    EXPECT_EQ(empty.F64(), 0.0);
    EXPECT_FALSE(empty.Ok());
}

}  // namespace
}  // namespace relayon
