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

// Paste is there once something was copied. Edit > Paste puts the copy 50 ft
// right of and below the last one on the screen, whatever the rotation; the
// right-button menu's centres it where the menu was opened. Each is one undo
// step and selects the new polygon.
TEST_F(EditCommands, PasteAddsTheCopyBesideItOrAtThePointer) {
    AddRunwayOnly();
    GroundPolygon& square = AddSquare();
    OpenFocused();
    EXPECT_FALSE(Enabled(CommandId::EditPaste));
    RightClick(DPoint{300.0, 1300.0});
    EXPECT_FALSE(Enabled(CommandId::ContextPaste));
    RightClick(DPoint{0.0, 1000.0});
    view.OnCommand(CommandId::ContextCopy);
    EXPECT_EQ(view.m_CopiedPolygon, square.points);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(Enabled(CommandId::EditPaste));
    EXPECT_TRUE(Enabled(CommandId::ContextPaste));

    const double k = view.UnitsPerFoot();
    const std::vector<DPoint> copied = square.points;
    for (const int turns : {0, 90, 30}) {
        SCOPED_TRACE(turns);
        for (int i = 0; i < turns; ++i) {
            view.OnRotateCW();
        }
        std::vector<LPoint> before(copied.size());
        view.ProjectPoints(static_cast<int>(copied.size()), view.m_CopiedPolygon.data(), before.data(), true);
        view.OnCommand(CommandId::EditPaste);
        const GroundPolygon& pasted = *doc.m_pPolygons.back();
        ASSERT_EQ(pasted.points.size(), copied.size());
        EXPECT_EQ(view.m_pSelectedPolygon, &pasted);
        EXPECT_EQ(doc.History().UndoKind(), UndoKind::PolygonPasted);
        std::vector<LPoint> after(copied.size());
        view.ProjectPoints(static_cast<int>(copied.size()), pasted.points.data(), after.data(), true);
        for (std::size_t i = 0; i < copied.size(); ++i) {
            EXPECT_NEAR(after[i].x - before[i].x, 50.0 * k, 2.0);
            EXPECT_NEAR(after[i].y - before[i].y, -50.0 * k, 2.0);
        }
    }
    EXPECT_EQ(doc.m_pPolygons.size(), 4u);
    EXPECT_TRUE(doc.IsModified());
    // Undo takes only the last paste away.
    view.OnCommand(CommandId::EditUndo);
    ASSERT_EQ(doc.m_pPolygons.size(), 3u);
    EXPECT_TRUE(doc.m_pPolygons[2]->live());

    RightClick(DPoint{300.0, 1300.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Nothing);
    view.OnCommand(CommandId::ContextPaste);
    const GroundPolygon& placed = *doc.m_pPolygons.back();
    const DPoint pointer = view.WindowToWorld(At(DPoint{300.0, 1300.0}));
    const DPoint shift{pointer.x - 0.0, pointer.y - 1000.0};
    ASSERT_EQ(placed.points.size(), copied.size());
    for (std::size_t i = 0; i < copied.size(); ++i) {
        EXPECT_NEAR(placed.points[i].x, copied[i].x + shift.x, 1e-9);
        EXPECT_NEAR(placed.points[i].y, copied[i].y + shift.y, 1e-9);
    }
    view.OnCommand(CommandId::EditUndo);
    EXPECT_EQ(doc.m_pPolygons.size(), 3u);
    // Nothing pastes while a polygon is being drawn.
    view.OnCommand(CommandId::PolygonTool);
    Click(DPoint{-300.0, 1300.0});
    EXPECT_FALSE(Enabled(CommandId::EditPaste));
}

TEST_F(EditCommands, RollpathPropertiesOkChangesTheWidthAndRebuilds) {
    AddRunwayOnly();
    RollpathSegment& s = testing::AddRollpath(doc, DPoint{-200.0, 1000.0}, DPoint{200.0, 1000.0}, 50.0);
    // A bit the dialog does not show.
    constexpr int kOtherBit = 0x4000;
    s.flags = kOtherBit;
    OpenFocused();
    RightClick(DPoint{0.0, 1000.0});
    host.dialogs.Queue(DialogAnswer{{{"Width", "35"}, {"No Lighting", "1"}}, DialogEnd::Ok});
    view.OnCommand(CommandId::ContextProperties);
    ASSERT_TRUE(host.dialogs.problems.empty()) << host.dialogs.problems.front();
    EXPECT_EQ(host.dialogs.shown.back(), "Rollpath Properties");
    EXPECT_EQ(s.width, 35.0f);
    EXPECT_NEAR(Width(s), 35.0, 1e-6);
    EXPECT_EQ(s.flags, kOtherBit | SegmentFlag::NoLighting);
    EXPECT_TRUE(doc.IsModified());
}

// The greyed items of the right-button menu, by what the click hit.
TEST_F(EditCommands, TheContextMenuGreysItemsByKind) {
    AddRunwayOnly();
    OpenFocused();
    struct Case {
        const char* what;
        int kind;
        int polygonPoint;
        bool cut, copy, insert, remove;
    };
    const Case cases[] = {
        {"nothing", ContextKind::Nothing, -1, false, false, false, false},
        {"a segment", ContextKind::Segment, -1, true, false, true, false},
        {"a polygon off its points", ContextKind::Polygon, -1, true, true, true, false},
        {"a polygon at a point", ContextKind::Polygon, 2, true, true, true, true},
        {"the Source", ContextKind::Source, -1, true, false, false, false},
        {"the Sink", ContextKind::Sink, -1, true, false, false, false},
        {"a runway", ContextKind::Runway, -1, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        view.m_Context = ViewContext{};
        view.m_Context.kind = c.kind;
        view.m_Context.polygonPoint = c.polygonPoint;
        EXPECT_EQ(Enabled(CommandId::ContextCut), c.cut);
        EXPECT_EQ(Enabled(CommandId::ContextCopy), c.copy);
        EXPECT_FALSE(Enabled(CommandId::ContextPaste));
        EXPECT_EQ(Enabled(CommandId::InsertVertex), c.insert);
        EXPECT_EQ(Enabled(CommandId::DeleteVertex), c.remove);
        EXPECT_TRUE(Enabled(CommandId::CenterAtMouse));
        EXPECT_TRUE(Enabled(CommandId::ContextProperties));
    }
}

}  // namespace
}  // namespace rollpath
