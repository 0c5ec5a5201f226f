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
