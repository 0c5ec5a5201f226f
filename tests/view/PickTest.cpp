// The picks: which object a world point falls on, in which order, and what
// the left and right buttons make of them.

#include <gtest/gtest.h>

#include "EditTestSupport.h"
#include "view/HitTest.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

GroundPolygon& AddSquare(CRollpathDoc& doc, const DPoint& centre, double half) {
    GroundPolygon& polygon = doc.AppendPolygon();
    polygon.kind = PolygonKind::Ordinary;
    polygon.points = {DPoint{centre.x - half, centre.y - half}, DPoint{centre.x - half, centre.y + half},
                      DPoint{centre.x + half, centre.y + half}, DPoint{centre.x + half, centre.y - half}};
    return polygon;
}

TEST(PickVertex, TheLowerIndexWinsBetweenTwoCloseVertices) {
    CRollpathDoc doc;
    AddVertexAt(doc, 10.0, 0.0);
    AddVertexAt(doc, 0.0, 0.0);
    EXPECT_EQ(PickVertex(doc, DPoint{5.0, 0.0}), 0);
    EXPECT_EQ(PickVertex(doc, DPoint{-20.0, 0.0}), 1);
    doc.Vertex(0).state = -1;
    EXPECT_EQ(PickVertex(doc, DPoint{5.0, 0.0}), 1);
}

TEST(PickVertex, TheBoxIsTwentyFiveFeetEachWayAndStrict) {
    CRollpathDoc doc;
    AddVertexAt(doc, 100.0, 100.0);
    EXPECT_EQ(PickVertex(doc, DPoint{124.99, 75.01}), 0);
    EXPECT_EQ(PickVertex(doc, DPoint{125.0, 100.0}), -1);
    EXPECT_EQ(PickVertex(doc, DPoint{100.0, 75.0}), -1);
}

struct SegmentPickCase {
    const char* name;
    DPoint p;
    bool hit;
};

// A 50 ft wide segment along x with the Vertex sensitivity at 25 ft: half a
// width of (25 + 50) / 2 = 37.5 ft either side, not past either vertex. The
// boundary test reaches a foot below an edge the northward ray crosses, so
// the south side is tested a foot further out.
TEST(PickSegment, TheRectangleIsHalfTheSensitivityAndWidthEachSide) {
    const SegmentPickCase cases[] = {
        {"centre", {50.0, 0.0}, true},
        {"north inside", {50.0, 37.4}, true},
        {"north outside", {50.0, 37.6}, false},
        {"south inside", {50.0, -37.4}, true},
        {"south outside", {50.0, -38.6}, false},
        {"before the first vertex", {-0.5, 0.0}, false},
        {"past the second vertex", {100.5, 0.0}, false},
        {"at the second vertex", {99.9, 20.0}, true},
    };
    CRollpathDoc doc;
    RollpathSegment& s = AddRollpath(doc, DPoint{0.0, 0.0}, DPoint{100.0, 0.0}, 50.0);
    for (const SegmentPickCase& c : cases) {
        EXPECT_EQ(PickSegment(doc, c.p) == &s, c.hit) << c.name;
    }
    s.state = -1;
    EXPECT_EQ(PickSegment(doc, DPoint{50.0, 0.0}), nullptr);
}

TEST(PickSegment, TheSensitivityComesFromTheSettingsAndTheRectangleTurnsWithTheSegment) {
    CRollpathDoc doc;
    Settings settings;
    settings.MaxVertexRadius = 5;
    doc.SetSettings(&settings);
    RollpathSegment& s = AddRollpath(doc, DPoint{0.0, 0.0}, DPoint{100.0, 100.0}, 20.0);
    // Half width 12.5 ft across the diagonal.
    const double r = 1.0 / std::sqrt(2.0);
    EXPECT_EQ(PickSegment(doc, DPoint{50.0 - 12.0 * r, 50.0 + 12.0 * r}), &s);
    EXPECT_EQ(PickSegment(doc, DPoint{50.0 - 14.0 * r, 50.0 + 14.0 * r}), nullptr);
}

TEST(PickPolygon, TheLaterPolygonWinsAndTheEdgeCounts) {
    CRollpathDoc doc;
    GroundPolygon& first = AddSquare(doc, DPoint{0.0, 0.0}, 100.0);
    GroundPolygon& second = AddSquare(doc, DPoint{150.0, 0.0}, 100.0);
    EXPECT_EQ(PickPolygon(doc, DPoint{75.0, 0.0}), &second);
    EXPECT_EQ(PickPolygon(doc, DPoint{-50.0, 0.0}), &first);
    // Exactly on the first square's edges, outside the second.
    for (const DPoint p :
         {DPoint{-100.0, 0.0}, DPoint{0.0, 100.0}, DPoint{0.0, -100.0}, DPoint{-100.0, 100.0}}) {
        EXPECT_EQ(PickPolygon(doc, p), &first) << p.x << ", " << p.y;
    }
    second.state = -1;
    EXPECT_EQ(PickPolygon(doc, DPoint{75.0, 0.0}), &first);
    EXPECT_EQ(PickPolygon(doc, DPoint{500.0, 0.0}), nullptr);
}

TEST(PickRunway, TheFirstRunwayHoldingThePointAndHowManyDo) {
    CRollpathDoc doc;
    RunwayRecord& a = AddRunway(doc, DPoint{-1000.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    RunwayRecord& b = AddRunway(doc, DPoint{0.0, -1000.0}, DPoint{0.0, 1000.0}, 100);
    EXPECT_EQ(PickRunway(doc, DPoint{0.0, 0.0}), &a);
    EXPECT_EQ(PickRunway(doc, DPoint{0.0, 500.0}), &b);
    RunwayRecord* first = nullptr;
    EXPECT_EQ(RunwaysAt(doc, DPoint{10.0, 10.0}, &first), 2);
    EXPECT_EQ(first, &a);
    EXPECT_EQ(RunwaysAt(doc, DPoint{500.0, 500.0}, &first), 0);
}

// A rollpath north from vertex0, 40 ft wide, with both holds.
class HoldBars : public ::testing::Test {
protected:
    HoldBars() {
        RollpathSegment& s = AddRollpath(doc, DPoint{0.0, 0.0}, DPoint{0.0, 500.0}, 40.0);
        s.flags = SegmentFlag::RunwayHold | SegmentFlag::CriticalHold;
        s.extent0 = 75.0;
        s.extent1 = 200.0;
        segment = &s;
    }
    CRollpathDoc doc;
    RollpathSegment* segment = nullptr;
};

TEST_F(HoldBars, TheRunwayHoldBarIsMeasuredFromTheRunwaySideEnd) {
    int end = -1;
    segment->endClass0 = EndClass::Runway;
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{10.0, 78.0}, end), segment);
    EXPECT_EQ(end, 0);
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{10.0, 90.0}, end), nullptr);
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{25.0, 78.0}, end), nullptr);
    // Runway end at the second vertex: 75 to 82 ft back from it.
    segment->endClass0 = EndClass::Rollpath;
    segment->endClass1 = EndClass::RunwayEnd;
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{0.0, 420.0}, end), segment);
    EXPECT_EQ(end, 1);
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{0.0, 78.0}, end), nullptr);
    // No runway at either end: no bar.
    segment->endClass1 = EndClass::DeadEnd;
    EXPECT_EQ(PickRunwayHoldBar(doc, DPoint{0.0, 420.0}, end), nullptr);
}

TEST_F(HoldBars, TheCriticalHoldBarIsFourFeetFromTheFirstVertex) {
    EXPECT_EQ(PickCriticalHoldBar(doc, DPoint{-15.0, 202.0}), segment);
    EXPECT_EQ(PickCriticalHoldBar(doc, DPoint{0.0, 206.0}), nullptr);
    segment->flags = SegmentFlag::RunwayHold;
    EXPECT_EQ(PickCriticalHoldBar(doc, DPoint{-15.0, 202.0}), nullptr);
}

TEST(HoldAxis, TheDistanceAlongCountsOnlyWithinTheSegment) {
    const HoldAxis axis{DPoint{0.0, 0.0}, DPoint{0.0, 1.0}, 100.0};
    double d = 0.0;
    EXPECT_TRUE(DistanceAlongAxis(axis, DPoint{30.0, 40.0}, d));
    EXPECT_DOUBLE_EQ(d, 40.0);
    EXPECT_FALSE(DistanceAlongAxis(axis, DPoint{0.0, -1.0}, d));
    EXPECT_FALSE(DistanceAlongAxis(axis, DPoint{0.0, 100.0}, d));
    EXPECT_FALSE(DistanceAlongAxis(axis, DPoint{0.0, 120.0}, d));
}

TEST(ProjectOntoLine, TheFootOfThePerpendicularAlsoBeyondTheEnds) {
    const DPoint a{0.0, 0.0};
    const DPoint b{100.0, 100.0};
    const DPoint foot = ProjectOntoLine(a, b, DPoint{300.0, 100.0});
    EXPECT_DOUBLE_EQ(foot.x, 200.0);
    EXPECT_DOUBLE_EQ(foot.y, 200.0);
    const DPoint on = ProjectOntoLine(a, b, DPoint{50.0, 50.0});
    EXPECT_DOUBLE_EQ(on.x, 50.0);
    const DPoint same = ProjectOntoLine(a, a, DPoint{3.0, 4.0});
    EXPECT_EQ(same, (DPoint{3.0, 4.0}));
}

// --- Through the view ----------------------------------------------------------------

class ViewPicks : public ::testing::Test, protected testing::EditTest {
protected:
    // The runway from (-3000, 0) to (3000, 0); away from it a rollpath of two
    // segments through (0, 1000), (200, 1000), (400, 1000) and two
    // overlapping squares around (0, 2000) and (60, 2000).
    void SetUp() override {
        AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
        const int a = AddVertexAt(doc, 0.0, 1000.0);
        const int b = AddVertexAt(doc, 200.0, 1000.0);
        const int c = AddVertexAt(doc, 400.0, 1000.0);
        first = &AddSegment(doc, a, b, 50.0);
        second = &AddSegment(doc, b, c, 50.0);
        lower = &AddSquare(doc, DPoint{0.0, 2000.0}, 50.0);
        upper = &AddSquare(doc, DPoint{60.0, 2000.0}, 50.0);
        doc.m_nSource = a;
        doc.m_nSink = c;
        Open();
        Focus(DPoint{0.0, 1500.0}, 2000);
    }
    RollpathSegment* first = nullptr;
    RollpathSegment* second = nullptr;
    GroundPolygon* lower = nullptr;
    GroundPolygon* upper = nullptr;
};

TEST_F(ViewPicks, ALeftClickInsideTwoPolygonsSelectsTheLaterOne) {
    Press(DPoint{30.0, 2000.0});
    EXPECT_EQ(view.m_pSelectedPolygon, upper);
    EXPECT_EQ(view.m_nDragState, DragState::MovePolygon);
    Release(DPoint{30.0, 2000.0});
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    // A miss clears the selection.
    Click(DPoint{-500.0, 2000.0});
    EXPECT_EQ(view.m_pSelectedPolygon, nullptr);
}

TEST_F(ViewPicks, ALeftClickOnAnEdgeSelectsThePolygon) {
    Focus(DPoint{0.0, 2000.0}, 500);
    Click(DPoint{-20.0, 1950.0});
    EXPECT_EQ(view.m_pSelectedPolygon, lower);
}

TEST_F(ViewPicks, WithTheRollpathsOffNoVertexIsDraggedButTheRightClickFindsVertices) {
    view.OnCommand(CommandId::ViewRollpaths);
    view.OnCommand(CommandId::ViewVertices);
    Press(DPoint{200.0, 1000.0});
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    Release(DPoint{200.0, 1000.0});
    RightClick(DPoint{200.0, 1000.0});
    EXPECT_EQ(view.m_Context.kind, ContextKind::Vertex);
    EXPECT_EQ(view.m_Context.vertex, 1);
    EXPECT_EQ(view.m_Context.segmentsAtVertex, 2);
}

struct ContextCase {
    const char* name;
    DPoint p;
    bool vertices;
    int kind;
};

TEST_F(ViewPicks, TheRightClickRecordsTheContextKindAndAsksForTheMenu) {
    const ContextCase cases[] = {
        {"the Source", {0.0, 1000.0}, true, ContextKind::Source},
        {"the Sink", {400.0, 1000.0}, true, ContextKind::Sink},
        {"a vertex", {200.0, 1000.0}, true, ContextKind::Vertex},
        {"a vertex while vertices are hidden", {200.0, 1000.0}, false, ContextKind::Segment},
        {"a segment", {100.0, 1020.0}, true, ContextKind::Segment},
        {"a polygon", {30.0, 2000.0}, true, ContextKind::Polygon},
        {"a runway", {1000.0, 0.0}, true, ContextKind::Runway},
        {"nothing", {1000.0, 1500.0}, true, ContextKind::Nothing},
    };
    for (const ContextCase& c : cases) {
        if ((view.m_bShowVertices != 0) != c.vertices) {
            view.OnCommand(CommandId::ViewVertices);
        }
        const std::size_t menus = host.contextMenus.size();
        RightClick(c.p);
        EXPECT_EQ(view.m_Context.kind, c.kind) << c.name;
        EXPECT_EQ(host.contextMenus.size(), menus + 1) << c.name;
    }
}

TEST_F(ViewPicks, ARightClickOnAPolygonFindsAPointNearTheClick) {
    Focus(DPoint{0.0, 2000.0}, 500);
    RightClick(DPoint{-49.0, 2049.0});
    EXPECT_EQ(view.m_Context.kind, ContextKind::Polygon);
    EXPECT_EQ(view.m_Context.polygon, lower);
    EXPECT_EQ(view.m_Context.polygonPoint, 1);
    RightClick(DPoint{-30.0, 2030.0});
    EXPECT_EQ(view.m_Context.polygonPoint, -1);
}

// At zoom 500 a foot is 20 logical units: a handle is hit within 2 ft.
TEST_F(ViewPicks, AHandleOfTheSelectedPolygonIsPickedWithinFortyUnits) {
    Focus(DPoint{0.0, 2000.0}, 500);
    Click(DPoint{-30.0, 2000.0});
    ASSERT_EQ(view.m_pSelectedPolygon, lower);
    Press(DPoint{-51.0, 1951.0});
    EXPECT_EQ(view.m_nDragState, DragState::MovePolygonPoint);
    EXPECT_EQ(view.m_nActiveIndex, 0);
    Release(DPoint{-60.0, 1940.0});
    EXPECT_EQ(lower->points[0].x, view.WindowToWorld(At(DPoint{-60.0, 1940.0})).x);
    // Three feet off a corner is no handle: the polygon itself is dragged.
    Press(DPoint{-57.0, 2047.0});
    EXPECT_NE(view.m_nDragState, DragState::MovePolygonPoint);
}

TEST_F(ViewPicks, HandlesFollowTheRotation) {
    Focus(DPoint{0.0, 2000.0}, 500);
    doc.m_dRotation = 30.0;
    view.OnRotateCW();  // 31 degrees, caches the angle
    Click(DPoint{-30.0, 2000.0});
    ASSERT_EQ(view.m_pSelectedPolygon, lower);
    Press(DPoint{50.5, 2049.5});
    EXPECT_EQ(view.m_nDragState, DragState::MovePolygonPoint);
    EXPECT_EQ(view.m_nActiveIndex, 2);
}

}  // namespace
}  // namespace rollpath
