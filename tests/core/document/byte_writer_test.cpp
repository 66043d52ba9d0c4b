// The little-endian writer against its reader: every field width and sign
// round-trips, the byte order is the files' one, and a field that does not
// fit is refused without touching the bytes around it.

#include "document/byte_reader.h"
#include "document/byte_writer.h"

#include <array>
#include <gtest/gtest.h>

namespace {

TEST(ByteWriter, WritesWhatTheReaderReadsBack)
{
    std::array<uint8_t, 17> buf;
    buf.fill(0xAA);
    ByteWriter w(buf.data(), buf.size());
    EXPECT_TRUE(w.u8(0x7F));
    EXPECT_TRUE(w.u16(0xBEEF));
    EXPECT_TRUE(w.i16(-2));
    EXPECT_TRUE(w.u32(0x01020304));
    EXPECT_TRUE(w.i32(-100000));
    EXPECT_TRUE(w.zeros(2));
    EXPECT_EQ(w.position(), 15u);
    EXPECT_TRUE(w.ok());
    // Low byte first, as every file of the editor stores them.
    EXPECT_EQ(buf[1], 0xEF);
    EXPECT_EQ(buf[2], 0xBE);
    EXPECT_EQ(buf[5], 0x04);
    EXPECT_EQ(buf[8], 0x01);
    EXPECT_EQ(buf[15], 0xAA); // past the last field: untouched

    ByteReader r(buf.data(), buf.size());
    EXPECT_EQ(r.u8(), 0x7F);
    EXPECT_EQ(r.u16(), 0xBEEF);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.u32(), 0x01020304u);
    EXPECT_EQ(r.i32(), -100000);
    EXPECT_EQ(r.u16(), 0);
}

TEST(ByteWriter, RefusesAFieldThatDoesNotFitAndEverythingAfterIt)
{
    std::array<uint8_t, 6> buf;
    buf.fill(0xAA);
    ByteWriter w(buf.data(), 5); // the last byte is not the writer's
    EXPECT_TRUE(w.u16(1));
    EXPECT_FALSE(w.u32(0xFFFFFFFF)); // 2 + 4 > 5
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(w.position(), 2u);
    EXPECT_EQ(buf[2], 0xAA);
    EXPECT_EQ(buf[5], 0xAA);
    // A field that would still fit is not written after a refusal: the
    // fields after it would sit at the wrong places.
    EXPECT_FALSE(w.u8(9));
    EXPECT_EQ(buf[2], 0xAA);
}

} // namespace
