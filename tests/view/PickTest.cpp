// The picks: a segment's pick rectangle, what a right click found, and the
// handles of the selected polygon.

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

struct SegmentPickCase {
    const char* name;
    DPoint p;
    bool hit;
};

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

struct ContextCase {
    const char* name;
    DPoint p;
    bool vertices;
    int kind;
};

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
