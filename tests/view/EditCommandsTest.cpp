// The Edit menu and the right-button menu beyond what the undo table covers:
// their greyed items, polygon points and the corner limit, Paste's placement,
// and the bits the Rollpath Properties dialog does not show.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "EditTestSupport.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;
using testing::Distance;

class EditCommands : public ::testing::Test, protected testing::EditTest {
protected:
    void OpenFocused() {
        Open();
        Focus(DPoint{0.0, 1000.0});
        doc.SetModifiedFlag(false);
    }
    void AddRunwayOnly() { AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150); }
    bool Enabled(CommandId id) const {
        const std::optional<CommandUI> ui = view.UpdateCommandUI(id);
        return ui.has_value() && ui->enabled;
    }
    GroundPolygon& AddSquare() {
        GroundPolygon& p = doc.AppendPolygon();
        p.kind = PolygonKind::Ordinary;
        p.points = {{-50.0, 950.0}, {-50.0, 1050.0}, {50.0, 1050.0}, {50.0, 950.0}};
        return p;
    }
    static double Width(const RollpathSegment& s) { return Distance(s.outline[1], s.outline[5]); }
    DPoint Seen(const DPoint& w) const { return view.WindowToWorld(At(w)); }
};

TEST_F(EditCommands, DeleteVertexIsGreyedAtALoopOfTwoSegments) {
    AddRunwayOnly();
    const int a = AddVertexAt(doc, -400.0, 1000.0);
    const int b = AddVertexAt(doc, 0.0, 1000.0);
    AddSegment(doc, a, b, 50.0);
    AddSegment(doc, b, a, 50.0);
    OpenFocused();
    view.OnCommand(CommandId::ViewVertices);
    RightClick(DPoint{0.0, 1000.0});
    ASSERT_EQ(view.m_Context.vertex, b);
    ASSERT_EQ(view.m_Context.segmentsAtVertex, 2);
    // Joining would leave one segment from a back to a.
    EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
    view.OnCommand(CommandId::DeleteVertex);
    EXPECT_TRUE(doc.Vertex(b).live());
    EXPECT_EQ(LiveSegments(), 2);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditCommands, PolygonPointsAreInsertedIntoTheNearestEdgeAndDeletedAtTheirHandle) {
    AddRunwayOnly();
    GroundPolygon& polygon = AddSquare();
    OpenFocused();
    RightClick(DPoint{0.0, 1045.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Polygon);
    EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
    EXPECT_TRUE(Enabled(CommandId::InsertVertex));
    view.OnCommand(CommandId::InsertVertex);
    ASSERT_EQ(polygon.count(), 5);
    // Between the two top corners.
    EXPECT_EQ(polygon.points[1], (DPoint{-50.0, 1050.0}));
    EXPECT_LT(Distance(polygon.points[2], Seen(DPoint{0.0, 1045.0})), 1e-6);
    EXPECT_EQ(polygon.points[3], (DPoint{50.0, 1050.0}));
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    RightClick(DPoint{49.5, 1049.5});
    ASSERT_EQ(view.m_Context.polygonPoint, 3);
    ASSERT_TRUE(Enabled(CommandId::DeleteVertex));
    view.OnCommand(CommandId::DeleteVertex);
    ASSERT_EQ(polygon.count(), 4);
    EXPECT_EQ(polygon.points[3], (DPoint{50.0, 950.0}));
    EXPECT_TRUE(doc.IsModified());

    // Below three points a polygon could no longer be seen or picked: it
    // goes whole, in one undo step that brings it back as it was.
    RightClick(DPoint{-49.5, 950.5});
    view.OnCommand(CommandId::DeleteVertex);
    ASSERT_EQ(polygon.count(), 3);
    const std::vector<DPoint> triangle = polygon.points;
    RightClick(DPoint{-49.5, 1049.5});
    view.OnCommand(CommandId::DeleteVertex);
    EXPECT_FALSE(polygon.live());
    EXPECT_EQ(host.prompt, "Polygon removed: a polygon needs three points");
    view.OnCommand(CommandId::EditUndo);
    EXPECT_TRUE(polygon.live());
    EXPECT_EQ(polygon.points, triangle);
}

// The simulator takes 8192 polygon corners in one file: an edit that would
// pass them is refused with that message, not the file at its next open.
TEST_F(EditCommands, EditsPastTheSimulatorsPolygonCornersAreRefused) {
    AddRunwayOnly();
    GroundPolygon& square = AddSquare();
    GroundPolygon& big = doc.AppendPolygon();
    big.kind = PolygonKind::Ordinary;
    for (int i = 0; i < 8188; ++i) {
        big.points.push_back({5000.0 + i, 5000.0 + (i % 2)});
    }
    OpenFocused();
    RightClick(DPoint{0.0, 1045.0});
    view.OnCommand(CommandId::InsertVertex);
    EXPECT_EQ(square.count(), 4);
    view.OnCommand(CommandId::PolygonTool);
    for (const DPoint& p : {DPoint{200, 900}, DPoint{300, 900}, DPoint{250, 1000}}) {
        Click(p);
    }
    RightClick(DPoint{250, 1000});
    EXPECT_EQ(doc.m_pPolygons.size(), 2u);
    EXPECT_EQ(messages.shown, std::vector<std::string>(2, "Maximum of 8192 polygon vertices exceeded"));
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace rollpath
