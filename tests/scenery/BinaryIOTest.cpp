#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "scenery/BinaryIO.h"
#include "scenery/TaggedRecords.h"

namespace rollpath {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ByteWriter, WritesLittleEndianFieldByField) {
    ByteWriter w;
    w.U32(0x01020304u);
    w.I32(-2);
    w.F32(1.0f);
    w.F64(-2.0);
    w.Tag("<edge>");
    w.Text("ab");
    const Bytes expected{0x04, 0x03, 0x02, 0x01,                          // u32
                         0xFE, 0xFF, 0xFF, 0xFF,                          // -2
                         0x00, 0x00, 0x80, 0x3F,                          // 1.0f
                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0,  // -2.0
                         '<',  'e',  'd',  'g',  'e',  '>',  0x00,        // tag
                         'a',  'b',  0x00};
    EXPECT_EQ(w.bytes(), expected);
}

TEST(ByteReader, ReadsWhatTheWriterWrote) {
    ByteWriter w;
    w.U32(4000000000u);
    w.I32(std::numeric_limits<std::int32_t>::min());
    w.F32(-0.15625f);
    w.F64(1296000.0 - 441000.0);
    ByteReader r(w.bytes());
    std::uint32_t u = 0;
    std::int32_t i = 0;
    float f = 0;
    double d = 0;
    ASSERT_TRUE(r.U32(u) && r.I32(i) && r.F32(f) && r.F64(d));
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(i, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(f, -0.15625f);
    EXPECT_EQ(d, 855000.0);
    EXPECT_TRUE(r.AtEnd());
}

TEST(ByteReader, AShortReadFailsAndConsumesNothing) {
    const Bytes three{1, 2, 3};
    ByteReader r(three);
    std::uint32_t u = 77;
    double d = 5;
    EXPECT_FALSE(r.U32(u));
    EXPECT_FALSE(r.F64(d));
    EXPECT_EQ(u, 77u);
    EXPECT_EQ(d, 5.0);
    EXPECT_EQ(r.offset(), 0u);
    EXPECT_FALSE(r.Skip(4));
    EXPECT_TRUE(r.Skip(3));
    EXPECT_TRUE(r.AtEnd());
}

TEST(ByteReader, HoldsIsSafeForAnyCount) {
    const Bytes twelve(12, 0);
    ByteReader r(twelve);
    EXPECT_TRUE(r.Holds(1, 12));
    EXPECT_FALSE(r.Holds(2, 12));
    EXPECT_TRUE(r.Holds(3, 4));
    EXPECT_FALSE(r.Holds(0xFFFFFFFFu, 12));
    EXPECT_FALSE(r.Holds(std::numeric_limits<std::uint64_t>::max(), 4));
    EXPECT_TRUE(r.Holds(0, 24));
}

TEST(ReadTag, SkipsTrailingTextUpToTheNul) {
    using namespace std::string_literals;
    const std::string text = "<vert> ---- vertex pool ----\0<endo>\0<ab"s;
    const Bytes data(text.begin(), text.end());
    ByteReader r(data);
    RecordTag tag;
    ASSERT_TRUE(ReadTag(r, tag));
    EXPECT_TRUE(tag.Is("<vert>"));
    EXPECT_EQ(tag.trailing, " ---- vertex pool ----");
    EXPECT_EQ(tag.offset, 0u);
    ASSERT_TRUE(ReadTag(r, tag));
    EXPECT_TRUE(tag.Is("<endo>"));
    EXPECT_EQ(tag.trailing, "");
    EXPECT_EQ(tag.offset, 29u);
    // Fewer than six bytes left: the end of the file.
    EXPECT_FALSE(ReadTag(r, tag));
    EXPECT_EQ(r.remaining(), 3u);
}

TEST(ReadTag, ATagWithoutNulRunsToTheEnd) {
    const std::string text = "<endo>xyz";
    const Bytes data(text.begin(), text.end());
    ByteReader r(data);
    RecordTag tag;
    ASSERT_TRUE(ReadTag(r, tag));
    EXPECT_TRUE(tag.Is("<endo>"));
    EXPECT_EQ(tag.trailing, "xyz");
    EXPECT_TRUE(r.AtEnd());
}

TEST(RecordTag, NameStopsAtANulAsAMessageShowsIt) {
    RecordTag tag;
    tag.chars = {'<', 'x', '\0', 'y', 'z', '>'};
    EXPECT_EQ(tag.Name(), "<x");
    EXPECT_EQ(UnknownTokenMessage(tag), "Unknown token: <x");
    tag.chars = {'<', 'q', 'q', 'q', 'q', '>'};
    EXPECT_EQ(UnknownTokenMessage(tag), "Unknown token: <qqqq>");
}

}  // namespace
}  // namespace rollpath
