#include <gtest/gtest.h>

#include "pavement/SplitSegment.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

TEST(SplitSegment, OuterHalfOfARunwayExtensionBecomesARollpath) {
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 900, 0), AddVertexAt(doc, 1400, 0), 100.0,
                                    SegmentType::RunwayCentreLine);
    ASSERT_EQ(s.endClass1, EndClass::Extension);
    ASSERT_EQ(s.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt1);
    s.flags |= SegmentFlag::NoLighting;
    const int x = AddVertexAt(doc, 1200, 0);
    RollpathSegment& copy = doc.AppendSegment();
    SplitSegment(doc, copy, s, x);

    EXPECT_EQ(copy.type, SegmentType::Rollpath);
    EXPECT_EQ(copy.endClass0, EndClass::Rollpath);
    EXPECT_EQ(copy.endClass1, EndClass::DeadEnd);
    EXPECT_EQ(copy.flags, SegmentFlag::NoLighting);
    // The half reaching into the runway keeps its extension.
    EXPECT_EQ(s.type, SegmentType::RunwayCentreLine);
    EXPECT_EQ(s.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt1);
    EXPECT_EQ(s.endClass1, EndClass::Extension);
}

TEST(SplitSegment, RefusesDamagedInput) {
    CRollpathDoc doc;
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0, 0), AddVertexAt(doc, 100, 0), 50.0);
    RollpathSegment& copy = doc.AppendSegment();
    const RollpathSegment before = s;
    const RollpathSegment blank = copy;
    for (const int bad : {-1, 2, kMaxVertices}) {
        SplitSegment(doc, copy, s, bad);
        EXPECT_EQ(s, before);
        EXPECT_EQ(copy, blank);
    }
    SplitSegment(doc, s, s, 1);
    EXPECT_EQ(s, before);
}

}  // namespace
}  // namespace rollpath
