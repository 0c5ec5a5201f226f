#include <gtest/gtest.h>

#include "pavement/SplitSegment.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

void ExpectPoint(const DPoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(SplitSegment, HalvesShareTheCutAndKeepEverythingElse) {
    CRollpathDoc doc;
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 100.0, 0.0);
    RollpathSegment& s =
        AddSegment(doc, a, b, 50.0, SegmentType::Rollpath, SegmentFlag::RunwayHold | SegmentFlag::NoLighting);
    s.extent0 = 120.0;
    s.endClass0 = EndClass::Runway;
    const int x = AddVertexAt(doc, 50.0, 0.0);
    const RollpathSegment before = s;
    RollpathSegment& copy = doc.AppendSegment();
    SplitSegment(doc, copy, s, x);

    EXPECT_EQ(s.vertex0, a);
    EXPECT_EQ(s.vertex1, x);
    EXPECT_EQ(copy.vertex0, x);
    EXPECT_EQ(copy.vertex1, b);
    // The cut at the midpoint of the pavement edges.
    ExpectPoint(copy.outline[0], 50, 0);
    ExpectPoint(copy.outline[1], 50, 25);
    ExpectPoint(copy.outline[5], 50, -25);
    EXPECT_EQ(s.outline[2], copy.outline[1]);
    EXPECT_EQ(s.outline[3], copy.outline[0]);
    EXPECT_EQ(s.outline[4], copy.outline[5]);
    // Each half keeps its own far end; everything else is copied.
    EXPECT_EQ(s.outline[1], before.outline[1]);
    EXPECT_EQ(copy.outline[2], before.outline[2]);
    EXPECT_EQ(copy.flags, before.flags);
    EXPECT_EQ(copy.extent0, 120.0);
    EXPECT_EQ(copy.width, 50.0f);
    EXPECT_EQ(copy.type, SegmentType::Rollpath);
    EXPECT_EQ(copy.endClass0, EndClass::Runway);
    EXPECT_EQ(copy.centreStripe, before.centreStripe);
}

TEST(SplitSegment, CutLiesAcrossTheSegmentAtTheVertexWhereverItIs) {
    CRollpathDoc doc;
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 0.0, 200.0), 40.0);
    const int x = AddVertexAt(doc, 0.0, 30.0);
    RollpathSegment& copy = doc.AppendSegment();
    SplitSegment(doc, copy, s, x);
    // Heading north: left is west.
    ExpectPoint(copy.outline[1], -20, 30);
    ExpectPoint(copy.outline[5], 20, 30);
    ExpectPoint(s.outline[2], -20, 30);
    ExpectPoint(s.outline[4], 20, 30);
}

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

TEST(SplitSegment, ExtensionAtVertex0IsTheMirrorImage) {
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 1400, 0), AddVertexAt(doc, 900, 0), 100.0,
                                    SegmentType::RunwayCentreLine);
    ASSERT_EQ(s.endClass0, EndClass::Extension);
    ASSERT_EQ(s.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt0);
    const int x = AddVertexAt(doc, 1200, 0);
    RollpathSegment& copy = doc.AppendSegment();
    SplitSegment(doc, copy, s, x);

    // Outer half (1400 to 1200) is the original record: now a rollpath.
    EXPECT_EQ(s.type, SegmentType::Rollpath);
    EXPECT_EQ(s.endClass0, EndClass::DeadEnd);
    EXPECT_EQ(s.endClass1, EndClass::Rollpath);
    EXPECT_EQ(s.flags & SegmentFlag::Extension, 0);
    // The copy (1200 to 900) keeps the extension at its vertex0, the cut.
    EXPECT_EQ(copy.type, SegmentType::RunwayCentreLine);
    EXPECT_EQ(copy.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt0);
    EXPECT_EQ(copy.endClass0, EndClass::Extension);
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
