// The drags that follow a pick, the handles of the selected polygon at any
// rotation, and what the view lets go of when the document drops records or
// renumbers its vertices.

#include <gtest/gtest.h>

#include <algorithm>

#include "ViewTestSupport.h"
#include "document/CompactNetwork.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;

class Drags : public ::testing::Test, protected testing::EditTest {};

TEST_F(Drags, AVertexInsideTwoRunwaysIsNotDragged) {
    AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
    AddRunway(doc, DPoint{0.0, -3000.0}, DPoint{0.0, 3000.0}, 150, "18", "36");
    RollpathSegment& s = AddRollpath(doc, DPoint{0.0, 0.0}, DPoint{500.0, 500.0}, 50.0);
    Open();
    const DPoint where = doc.Vertex(s.vertex0).pos();
    const RollpathSegment before = s;
    const int touched = doc.m_nTouched;
    Focus(where);
    Drag(where, DPoint{where.x + 100.0, where.y + 200.0});
    EXPECT_EQ(doc.Vertex(s.vertex0).pos(), where);
    EXPECT_EQ(s, before);
    EXPECT_EQ(doc.m_nTouched, touched);
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

// A rollpath north from (0, 1000) whose first end is taken to meet a runway.
class HoldDrags : public Drags {
protected:
    void SetUp() override {
        AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
        segment = &AddRollpath(doc, DPoint{0.0, 1000.0}, DPoint{0.0, 1500.0}, 40.0);
        Open();
        segment->flags = SegmentFlag::RunwayHold | SegmentFlag::CriticalHold;
        segment->endClass0 = EndClass::Runway;
        segment->extent0 = 75.0;
        segment->extent1 = 300.0;
        view.OnCommand(CommandId::ViewMarkings);
        Focus(DPoint{0.0, 1200.0});
    }
    RollpathSegment* segment = nullptr;
};

TEST_F(HoldDrags, TheRunwayHoldBarSetsTheFirstExtent) {
    Press(DPoint{5.0, 1078.0});
    ASSERT_EQ(view.m_nDragState, DragState::MoveRunwayHold);
    EXPECT_EQ(view.m_nHoldEnd, 0);
    EXPECT_EQ(view.m_SegmentList, std::vector<RollpathSegment*>{segment});
    Move(DPoint{15.0, 1120.0});
    EXPECT_NEAR(segment->extent0, Seen(DPoint{15.0, 1120.0}).y - 1000.0, 1e-9);
    // The bar being dragged is drawn highlighted, and only so: drawn first
    // in yellow, the not-xor pass would turn it white.
    const auto markings = Draw().InLayer("markings");
    std::vector<std::vector<LPoint>> plain;
    std::vector<std::vector<LPoint>> highlighted;
    for (const DrawCall& c : markings) {
        (c.op == RasterOp::NotXorPen ? highlighted : plain).push_back(c.points);
    }
    EXPECT_FALSE(highlighted.empty());
    for (const auto& bar : highlighted) {
        EXPECT_EQ(std::count(plain.begin(), plain.end(), bar), 0);
    }
    // Beyond the segment the bar stays where it was.
    Move(DPoint{15.0, 1600.0});
    EXPECT_NEAR(segment->extent0, Seen(DPoint{15.0, 1120.0}).y - 1000.0, 1e-9);
    Release(DPoint{15.0, 1600.0});
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    EXPECT_TRUE(view.m_SegmentList.empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(segment->extent1, 300.0);
}

class PolygonDrags : public Drags {
protected:
    void SetUp() override {
        AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
        polygon = &testing::AddPolygon(doc, {{-50.0, 950.0}, {-50.0, 1050.0}, {50.0, 1050.0}, {50.0, 950.0}});
        Open();
        Focus(DPoint{0.0, 1000.0});
    }
    GroundPolygon* polygon = nullptr;
};

// --- What the view lets go of ------------------------------------------------------------

TEST_F(Drags, AfterTheVertexPoolIsRenumberedNoOldVertexNumberIsKept) {
    AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
    AddRollpath(doc, DPoint{0.0, 1000.0}, DPoint{200.0, 1000.0}, 50.0);
    Open();
    Focus(DPoint{100.0, 1000.0});
    Drag(DPoint{200.0, 1000.0}, DPoint{220.0, 1000.0});
    view.m_StraightenedVertices = {0, 1};
    view.m_bShowStraightened = 1;
    // A stretch is under way when the Save comes.
    view.OnCommand(CommandId::RollpathTool);
    Click(DPoint{0.0, 1100.0});
    ASSERT_EQ(view.m_nDragState, DragState::StretchSegment);
    CompactNetwork(doc);
    Move(DPoint{50.0, 1150.0});
    EXPECT_TRUE(view.m_StraightenedVertices.empty());
    EXPECT_EQ(view.m_bShowStraightened, 0);
    EXPECT_EQ(view.m_pNewSegment, nullptr);
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(view.m_bRollpathTool, 1);
    // The tool starts a new chain with the new numbers.
    Click(DPoint{0.0, 1100.0});
    Click(DPoint{0.0, 1200.0});
    RightClick(DPoint{0.0, 1200.0});
    EXPECT_EQ(doc.m_pSegments.size(), 2u);
}

TEST_F(Drags, AfterTheRecordsAreReleasedNoPointerIsKept) {
    OpenWithRunway();
    GroundPolygon& p = doc.AppendPolygon();
    p.points = {{-50.0, 950.0}, {-50.0, 1050.0}, {50.0, 1050.0}};
    Focus(DPoint{0.0, 1000.0});
    Click(DPoint{-20.0, 1030.0});
    ASSERT_EQ(view.m_pSelectedPolygon, &p);
    RightClick(DPoint{-20.0, 1030.0});
    ASSERT_EQ(view.m_Context.polygon, &p);
    doc.CleanUp();
    Move(DPoint{0.0, 0.0});
    EXPECT_EQ(view.m_pSelectedPolygon, nullptr);
    EXPECT_EQ(view.m_Context.kind, ContextKind::Nothing);
    EXPECT_EQ(view.m_Context.polygon, nullptr);
    EXPECT_FALSE(doc.History().CanUndo());
    // Drawing an empty document is safe.
    EXPECT_TRUE(Draw().calls.empty());
}

// --- The handles of the selected polygon ------------------------------------------------

// At zoom 500 a foot is 20 logical units: a handle is hit within 2 ft.
TEST_F(PolygonDrags, AHandleOfTheSelectedPolygonIsPickedWithinFortyUnitsAtAnyRotation) {
    Click(DPoint{-30.0, 1000.0});
    ASSERT_EQ(view.m_pSelectedPolygon, polygon);
    Press(DPoint{-51.0, 951.0});
    EXPECT_EQ(view.m_nDragState, DragState::MovePolygonPoint);
    EXPECT_EQ(view.m_nActiveIndex, 0);
    Release(DPoint{-60.0, 940.0});
    EXPECT_EQ(polygon->points[0].x, Seen(DPoint{-60.0, 940.0}).x);
    // Three feet off a corner is no handle: the polygon itself is dragged.
    Press(DPoint{-57.0, 1047.0});
    EXPECT_NE(view.m_nDragState, DragState::MovePolygonPoint);
    Release(DPoint{-57.0, 1047.0});
    // The handles follow the rotation.
    doc.m_dRotation = 30.0;
    view.OnRotateCW();  // 31 degrees, caches the angle
    Click(DPoint{-30.0, 1000.0});
    ASSERT_EQ(view.m_pSelectedPolygon, polygon);
    Press(DPoint{50.5, 1049.5});
    EXPECT_EQ(view.m_nDragState, DragState::MovePolygonPoint);
    EXPECT_EQ(view.m_nActiveIndex, 2);
}

}  // namespace
}  // namespace rollpath
