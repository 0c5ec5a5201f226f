// The Edit menu and the right-button menu: deleting and copying polygons and
// segments, splitting and joining at vertices, polygon points, the property
// dialogs, the rollpath width, and the straightening pass. How each is undone
// is the undo tests' business.

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

TEST_F(EditCommands, DeleteTakesTheSelectedPolygon) {
    AddRunwayOnly();
    GroundPolygon& polygon = AddSquare();
    OpenFocused();
    // Nothing selected: Cut, Delete and Copy are greyed; Paste too, as
    // nothing was copied.
    EXPECT_FALSE(Enabled(CommandId::EditCut));
    EXPECT_FALSE(Enabled(CommandId::EditDelete));
    EXPECT_FALSE(Enabled(CommandId::EditCopy));
    EXPECT_FALSE(Enabled(CommandId::EditPaste));
    Click(DPoint{0.0, 1000.0});
    EXPECT_TRUE(Enabled(CommandId::EditCut));
    EXPECT_TRUE(Enabled(CommandId::EditCopy));
    // The Delete key does what the Delete command does.
    view.OnKeyDown(ViewKey::Delete);
    EXPECT_FALSE(polygon.live());
    EXPECT_EQ(view.m_pSelectedPolygon, nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Enabled(CommandId::EditCut));
}

TEST_F(EditCommands, CutIsGreyedWhileThePolygonToolIsOn) {
    AddRunwayOnly();
    AddSquare();
    OpenFocused();
    Click(DPoint{0.0, 1000.0});
    ASSERT_TRUE(Enabled(CommandId::EditCut));
    view.OnCommand(CommandId::PolygonTool);
    EXPECT_FALSE(Enabled(CommandId::EditCut));
    view.OnCommand(CommandId::EditCut);
    EXPECT_TRUE(doc.m_pPolygons.front()->live());
}

TEST_F(EditCommands, DeletingTheOnlySegmentOfAPairDeletesBothVertices) {
    AddRunwayOnly();
    RollpathSegment& s = testing::AddRollpath(doc, DPoint{-200.0, 1000.0}, DPoint{200.0, 1000.0}, 50.0);
    OpenFocused();
    RightClick(DPoint{0.0, 1000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Segment);
    EXPECT_TRUE(Enabled(CommandId::ContextCut));
    EXPECT_FALSE(Enabled(CommandId::ContextCopy));
    EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
    view.OnCommand(CommandId::ContextCut);
    EXPECT_FALSE(s.live());
    EXPECT_FALSE(doc.Vertex(s.vertex0).live());
    EXPECT_FALSE(doc.Vertex(s.vertex1).live());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditCommands, ASegmentsVertexStillUsedElsewhereStays) {
    AddRunwayOnly();
    const int a = AddVertexAt(doc, -400.0, 1000.0);
    const int b = AddVertexAt(doc, 0.0, 1000.0);
    const int c = AddVertexAt(doc, 0.0, 1400.0);
    RollpathSegment& ab = AddSegment(doc, a, b, 50.0);
    AddSegment(doc, b, c, 50.0);
    OpenFocused();
    RightClick(DPoint{-200.0, 1000.0});
    ASSERT_EQ(view.m_Context.segment, &ab);
    view.OnCommand(CommandId::ContextCut);
    EXPECT_FALSE(doc.Vertex(a).live());
    EXPECT_TRUE(doc.Vertex(b).live());
    EXPECT_EQ(LiveSegments(), 1);
}

class VertexJoins : public EditCommands {
protected:
    void SetUp() override {
        AddRunwayOnly();
        a = AddVertexAt(doc, -400.0, 1000.0);
        b = AddVertexAt(doc, 0.0, 1000.0);
        c = AddVertexAt(doc, 400.0, 1100.0);
        AddSegment(doc, a, b, 50.0);
        AddSegment(doc, b, c, 40.0);
    }
    void ShowVertices() {
        OpenFocused();
        view.OnCommand(CommandId::ViewVertices);
    }
    int a = -1;
    int b = -1;
    int c = -1;
};

TEST_F(VertexJoins, DeleteVertexJoinsTheTwoSegmentsIntoOne) {
    ShowVertices();
    RightClick(DPoint{0.0, 1000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Vertex);
    EXPECT_TRUE(Enabled(CommandId::DeleteVertex));
    EXPECT_FALSE(Enabled(CommandId::InsertVertex));
    EXPECT_FALSE(Enabled(CommandId::ContextCut));
    view.OnCommand(CommandId::DeleteVertex);
    ASSERT_EQ(LiveSegments(), 1);
    const RollpathSegment& s = *doc.m_pSegments.front();
    EXPECT_TRUE(s.live());
    EXPECT_EQ(s.vertex0, a);
    EXPECT_EQ(s.vertex1, c);
    // The first segment stays with its own width.
    EXPECT_NEAR(Width(s), 50.0, 1e-6);
    EXPECT_FALSE(doc.Vertex(b).live());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_NEAR(s.outline[3].x, 400.0, 1e-6);
}

TEST_F(VertexJoins, DeleteVertexIsOfferedOnlyWhereExactlyTwoSegmentsMeet) {
    const int d = AddVertexAt(doc, 0.0, 1400.0);
    AddSegment(doc, b, d, 50.0);
    ShowVertices();
    RightClick(DPoint{0.0, 1000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Vertex);
    EXPECT_EQ(view.m_Context.segmentsAtVertex, 3);
    EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
    RightClick(DPoint{-400.0, 1000.0});
    ASSERT_EQ(view.m_Context.vertex, a);
    EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
    // Even when asked, a vertex with one segment stays.
    view.OnCommand(CommandId::DeleteVertex);
    EXPECT_TRUE(doc.Vertex(a).live());
    EXPECT_EQ(LiveSegments(), 3);
}

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

TEST_F(VertexJoins, CutOnTheSourceClearsItAndCopyIsGreyedThere) {
    doc.m_nSource = a;
    ShowVertices();
    RightClick(DPoint{-400.0, 1000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Source);
    EXPECT_FALSE(Enabled(CommandId::ContextCopy));
    EXPECT_FALSE(Enabled(CommandId::ContextPaste));
    EXPECT_FALSE(Enabled(CommandId::InsertVertex));
    EXPECT_TRUE(Enabled(CommandId::ContextCut));
    view.OnCommand(CommandId::ContextCut);
    EXPECT_EQ(doc.m_nSource, -1);
    EXPECT_TRUE(doc.Vertex(a).live());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(VertexJoins, VertexPropertiesSetTheThreeFlagsAndKeepTheOthers) {
    doc.Vertex(b).flags = 0x100;
    ShowVertices();
    RightClick(DPoint{0.0, 1000.0});
    host.dialogs.Queue(DialogAnswer{{{"No Markings", "1"}}, DialogEnd::Ok});
    view.OnCommand(CommandId::ContextProperties);
    ASSERT_TRUE(host.dialogs.problems.empty()) << host.dialogs.problems.front();
    EXPECT_EQ(doc.Vertex(b).flags, 0x100 | VertexFlag::NoMarkings);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditCommands, InsertVertexSplitsTheSegmentWhereTheMouseWas) {
    AddRunwayOnly();
    RollpathSegment& s = testing::AddRollpath(doc, DPoint{-200.0, 1000.0}, DPoint{200.0, 1000.0}, 50.0);
    const int far = s.vertex1;
    OpenFocused();
    RightClick(DPoint{50.0, 1000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Segment);
    ASSERT_TRUE(Enabled(CommandId::InsertVertex));
    view.OnCommand(CommandId::InsertVertex);
    ASSERT_EQ(doc.m_pSegments.size(), 2u);
    const RollpathSegment& second = *doc.m_pSegments[1];
    EXPECT_EQ(s.vertex1, second.vertex0);
    EXPECT_EQ(second.vertex1, far);
    EXPECT_LT(Distance(doc.Vertex(s.vertex1).pos(), Seen(DPoint{50.0, 1000.0})), 1e-6);
    EXPECT_TRUE(doc.IsModified());
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

TEST_F(EditCommands, RollpathPropertiesCancelledOrUnchangedLeaveTheSegment) {
    AddRunwayOnly();
    RollpathSegment& s = testing::AddRollpath(doc, DPoint{-200.0, 1000.0}, DPoint{200.0, 1000.0}, 50.0);
    OpenFocused();
    RightClick(DPoint{0.0, 1000.0});
    host.dialogs.Queue(DialogAnswer{{{"Width", "35"}}, DialogEnd::Cancel});
    view.OnCommand(CommandId::ContextProperties);
    host.dialogs.Queue(DialogAnswer{{}, DialogEnd::Ok});
    view.OnCommand(CommandId::ContextProperties);
    EXPECT_EQ(s.width, 50.0f);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditCommands, RunwayPropertiesStoreTheClosedBoxOnlyWhenItChanged) {
    AddRunwayOnly();
    OpenFocused();
    RunwayRecord& runway = *doc.m_pRunways.front();
    view.m_Context = ViewContext{};
    view.m_Context.kind = ContextKind::Runway;
    view.m_Context.runway = &runway;
    host.dialogs.Queue(DialogAnswer{{}, DialogEnd::Ok});
    view.OnCommand(CommandId::ContextProperties);
    EXPECT_FALSE(doc.IsModified());
    host.dialogs.Queue(DialogAnswer{{{"Closed", "1"}}, DialogEnd::Ok});
    view.OnCommand(CommandId::ContextProperties);
    EXPECT_EQ(runway.closed, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditCommands, PropertiesOverNothingShowTheAirport) {
    AddRunwayOnly();
    OpenFocused();
    RightClick(DPoint{0.0, 3000.0});
    ASSERT_EQ(view.m_Context.kind, ContextKind::Nothing);
    view.OnCommand(CommandId::ContextProperties);
    view.OnCommand(CommandId::AirportProperties);
    EXPECT_EQ(host.dialogs.shown, (std::vector<std::string>{"Airport Properties", "Airport Properties"}));
}

TEST_F(EditCommands, SetRollpathWidthTakesTheEnteredValueAndShowsIt) {
    AddRunwayOnly();
    OpenFocused();
    ASSERT_TRUE(Enabled(CommandId::RollpathWidth));
    host.dialogs.Queue(DialogAnswer{{{"Width", "37.5"}}, DialogEnd::Ok});
    view.OnCommand(CommandId::RollpathWidth);
    EXPECT_EQ(view.m_dRollpathWidth, 37.5);
    EXPECT_EQ(host.statusWidth, 37.5);
    host.dialogs.Queue(DialogAnswer{{{"Width", "20"}}, DialogEnd::Cancel});
    view.OnCommand(CommandId::RollpathWidth);
    EXPECT_EQ(view.m_dRollpathWidth, 37.5);
}

TEST_F(EditCommands, CenterPutsTheClickedPointInTheMiddle) {
    AddRunwayOnly();
    OpenFocused();
    RightClick(DPoint{300.0, 1200.0});
    view.OnCommand(CommandId::CenterAtMouse);
    const DPoint middle = view.WindowToWorld(DevicePoint{host.client.width / 2, host.client.height / 2});
    EXPECT_LT(Distance(middle, DPoint{300.0, 1200.0}), 2.0);
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

class Straightening : public EditCommands {
protected:
    // A bend of one degree at b: the arms meet at 179 degrees.
    void SetUp() override {
        AddRunwayOnly();
        a = AddVertexAt(doc, -400.0, 1000.0);
        b = AddVertexAt(doc, 0.0, 1000.0 + 400.0 * std::tan(0.5 * 3.14159265358979323846 / 180.0));
        c = AddVertexAt(doc, 400.0, 1000.0);
        AddSegment(doc, a, b, 50.0);
        AddSegment(doc, b, c, 50.0);
        OpenFocused();
    }
    int a = -1;
    int b = -1;
    int c = -1;
};

TEST_F(Straightening, TheOKeyMovesASlightBendOntoTheLine) {
    ASSERT_TRUE(view.OnChar('O'));
    EXPECT_NEAR(doc.Vertex(b).y, 1000.0, 1e-9);
    EXPECT_NEAR(doc.Vertex(b).x, 0.0, 1e-9);
    EXPECT_EQ(view.m_StraightenedVertices, std::vector<int>{b});
    EXPECT_EQ(view.m_bShowStraightened, 1);
    EXPECT_TRUE(doc.IsModified());
    // The segments were rebuilt along the new line.
    EXPECT_NEAR(doc.m_pSegments.front()->outline[3].y, 1000.0, 1e-9);
}

TEST_F(Straightening, AStraightNetworkIsLeftAloneWithoutAnUndoStep) {
    view.OnChar('o');
    doc.History().Start();
    doc.SetModifiedFlag(false);
    view.OnChar('o');
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_TRUE(view.m_StraightenedVertices.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Straightening, TheRKeyRebuildsEverySegmentFromItsVertices) {
    doc.Vertex(b).y = 1000.0;
    ASSERT_GT(std::fabs(doc.m_pSegments.front()->outline[3].y - 1000.0), 1.0);
    EXPECT_TRUE(view.OnChar('r'));
    EXPECT_NEAR(doc.m_pSegments.front()->outline[3].y, 1000.0, 1e-9);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace rollpath
