// The Edit menu and the right-button menu beyond what the undo table covers
// (their greyed items, polygon points and the corner limit), and the
// rollpath and polygon tools: the limits of a chain and of a polygon, and
// how Escape ends a tool; what the Layout Checks panel asks of the view.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/PolygonPoints.h"

namespace rollpath {
namespace {

using testing::AddPolygon;
using testing::AddRollpath;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;
using testing::Distance;

// A session on the runway from (-3000, 0) to (3000, 0), 150 ft wide.
class Editing : public ::testing::Test, protected testing::EditTest {
protected:
    Editing() { AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150); }
    void OpenFocused() {
        Open();
        Focus(DPoint{0.0, 1000.0});
        doc.SetModifiedFlag(false);
    }
    GroundPolygon& AddSquare() {
        return AddPolygon(doc, {{-50.0, 950.0}, {-50.0, 1050.0}, {50.0, 1050.0}, {50.0, 950.0}});
    }
};

// Joining would leave one segment from a back to a, or (regression) one
// lying on the segment that already joins d and f, as happened to a drawn
// chain's vertex between two ends pinned onto a runway's centre line.
TEST_F(Editing, DeleteVertexIsGreyedWhereTheJoinedSegmentWouldBeNoneOrTwice) {
    const int a = AddVertexAt(doc, -400.0, 1000.0);
    const int b = AddVertexAt(doc, 0.0, 1000.0);
    AddSegment(doc, a, b, 50.0);
    AddSegment(doc, b, a, 50.0);
    const int d = AddVertexAt(doc, -400.0, 1400.0);
    const int e = AddVertexAt(doc, 0.0, 1500.0);
    const int f = AddVertexAt(doc, 400.0, 1400.0);
    AddSegment(doc, d, e, 50.0);
    AddSegment(doc, e, f, 50.0);
    AddSegment(doc, d, f, 50.0);
    OpenFocused();
    view.OnCommand(CommandId::ViewVertices);
    for (const auto& [vertex, at] : {std::pair{b, DPoint{0.0, 1000.0}}, std::pair{e, DPoint{0.0, 1500.0}}}) {
        RightClick(at);
        ASSERT_EQ(view.m_Context.vertex, vertex);
        ASSERT_EQ(view.m_Context.segmentsAtVertex, 2);
        EXPECT_FALSE(Enabled(CommandId::DeleteVertex));
        view.OnCommand(CommandId::DeleteVertex);
        EXPECT_TRUE(doc.Vertex(vertex).live());
        EXPECT_EQ(doc.m_pSegments.size(), 5u);
        EXPECT_TRUE(std::all_of(doc.m_pSegments.begin(), doc.m_pSegments.end(),
                                [](const auto& s) { return s->live(); }));
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(Editing, PolygonPointsAreInsertedIntoTheNearestEdgeAndDeletedAtTheirHandle) {
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
TEST_F(Editing, EditsPastTheSimulatorsPolygonCornersAreRefused) {
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

TEST_F(Editing, TheSegmentListRefusesAFiveHundredAndThirteenthSegment) {
    OpenFocused();
    view.OnCommand(CommandId::RollpathTool);
    for (int i = 0; i <= kMaxListedSegments; ++i) {
        Click(DPoint{-300.0 + 30.0 * i, 1000.0});
    }
    EXPECT_TRUE(messages.Saw(kSegmentListLimitMessage));
    EXPECT_EQ(doc.m_pSegments.size(), static_cast<std::size_t>(kMaxListedSegments));
    EXPECT_EQ(view.m_bRollpathTool, 0);
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
}

TEST_F(Editing, APolygonClosedNearItsFirstPointHasNoDuplicate) {
    OpenFocused();
    view.OnCommand(CommandId::PolygonTool);
    for (const DPoint& p :
         {DPoint{0.0, 1000.0}, DPoint{100.0, 1000.0}, DPoint{100.0, 1100.0}, DPoint{5.0, 1005.0}}) {
        Click(p);
        EXPECT_EQ(view.m_nDragState, DragState::CollectPolygon);
    }
    RightClick(DPoint{5.0, 1005.0});
    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
    const GroundPolygon& p = *doc.m_pPolygons[0];
    EXPECT_EQ(p.kind, PolygonKind::Ordinary);
    EXPECT_EQ(p.points, (std::vector<DPoint>{Seen(DPoint{0.0, 1000.0}), Seen(DPoint{100.0, 1000.0}),
                                             Seen(DPoint{100.0, 1100.0})}));
    EXPECT_EQ(view.m_pSelectedPolygon, nullptr);
    EXPECT_EQ(view.m_bPolygonTool, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(Editing, ThePolygonPointBufferRefusesMoreThanFiveHundredAndTwelvePoints) {
    OpenFocused();
    view.OnCommand(CommandId::PolygonTool);
    for (int i = 0; i < kMaxPolygonPoints + 3; ++i) {
        Click(DPoint{-200.0 + (i % 40) * 10.0, 900.0 + (i / 40) * 10.0});
    }
    EXPECT_EQ(view.m_pNewPolygon->count(), kMaxPolygonPoints);
    EXPECT_EQ(std::count(messages.shown.begin(), messages.shown.end(), kPolygonPointLimitMessage), 4);
    RightClick(DPoint{0.0, 0.0});
    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
}

struct EndingCase {
    const char* name;
    CommandId tool;
    std::vector<DPoint> clicks;
};

// A tool switched on, clicked at the case's points, then ended with the
// pointer elsewhere: by a right click there, or by Escape.
class EndedTool : public testing::EditTest {
public:
    EndedTool(const EndingCase& c, bool escape) {
        OpenWithRunway();
        Focus(DPoint{0.0, 1000.0});
        view.OnCommand(c.tool);
        for (const DPoint& p : c.clicks) {
            Click(p);
        }
        view.OnSetCursor();
        const DPoint pointer{200.0, 1200.0};
        if (escape) {
            Move(pointer);
            handled = view.OnKeyDown(ViewKey::Escape);
        } else {
            RightClick(pointer);
        }
    }

    // The segments' ends and the polygons' points the tool left.
    std::vector<std::vector<DPoint>> Shapes() const {
        std::vector<std::vector<DPoint>> shapes;
        for (const auto& s : doc.m_pSegments) {
            shapes.push_back({doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos()});
        }
        for (const auto& p : doc.m_pPolygons) {
            shapes.push_back(p->points);
        }
        return shapes;
    }
    bool ToolOn() const {
        return view.m_bRollpathTool + view.m_bPolygonTool + view.m_bPlaceSource + view.m_bPlaceSink != 0;
    }

    bool handled = false;
};

TEST(ToolEnding, EscapeEndsAToolAsARightClickAtThePointerWould) {
    const EndingCase cases[] = {
        {"rollpath chain", CommandId::RollpathTool, {{0.0, 1000.0}, {150.0, 1000.0}}},
        {"rollpath tool before a click", CommandId::RollpathTool, {}},
        {"polygon", CommandId::PolygonTool, {{0.0, 1000.0}, {100.0, 1000.0}}},
        {"polygon tool before a click", CommandId::PolygonTool, {}},
        {"Source", CommandId::PlaceSource, {}},
        {"Sink", CommandId::PlaceSink, {}},
    };
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EndedTool rightClick(c, false);
        const EndedTool escape(c, true);
        EXPECT_TRUE(escape.handled);
        EXPECT_EQ(escape.Shapes(), rightClick.Shapes());
        EXPECT_EQ(escape.Shapes().empty(), c.clicks.empty());
        for (const EndedTool* ended : {&rightClick, &escape}) {
            EXPECT_FALSE(ended->ToolOn());
            EXPECT_EQ(ended->view.m_nDragState, DragState::Idle);
            EXPECT_EQ(ended->host.cursor, ViewCursor::Arrow);
            EXPECT_EQ(ended->host.prompt, "");
            EXPECT_TRUE(ended->host.contextMenus.empty());
        }
    }
    // With no tool on (zoom mode is none), Escape is left to others.
    const EndedTool idle({"zoom mode", CommandId::Zoom, {}}, true);
    EXPECT_FALSE(idle.handled);
}

// What the Layout Checks panel asks of the view: centring on a finding's
// place at any zoom and rotation, selecting its object, and opening the
// object's properties.

class FindingSelection : public ::testing::Test, protected testing::EditTest {
protected:
    FindingSelection() {
        OpenWithRunway();
        AddRollpath(doc, {0.0, 500.0}, {400.0, 500.0}, 50.0);  // segment 0, vertices 0 and 1
        GroundPolygon& g = doc.AppendPolygon();
        g.points = {{0, 800}, {0, 900}, {100, 900}};
        Focus(DPoint{0.0, 600.0});
    }
};

RC_GTEST_FIXTURE_PROP(FindingSelection, CentringPutsThePointUnderTheWindowCentre, ()) {
    // One turn of the view from a rotation a degree short of the wanted one.
    doc.m_dRotation = *rc::gen::inRange(0, 360) * 1.0;
    view.OnRotateCW();
    view.SetZoom(*rc::gen::inRange(kMinZoom, 5000));
    const DPoint p{*rc::gen::inRange(-20000, 20000) * 1.0, *rc::gen::inRange(-20000, 20000) * 1.0};
    view.CenterOnWorld(p);
    const DPoint seen = view.WindowToWorld(DevicePoint{host.client.width / 2, host.client.height / 2});
    // Within a pixel and the whole feet the scroll position keeps.
    const double pixelFeet = 1000.0 / host.dpi / view.UnitsPerFoot();
    RC_ASSERT(testing::Distance(seen, p) <= pixelFeet + 1.5);
}

TEST_F(FindingSelection, EachKindOfObjectIsSelectedAndShowsItsPropertiesAndAGoneOneIsNot) {
    const struct {
        ObjectRef object;
        bool exists;
        const char* layer;  // where the mark is drawn, or none
    } rows[] = {
        {ObjectRef::Segment(0), true, "marked"}, {ObjectRef::Vertex(1), true, "marked"},
        {ObjectRef::Polygon(0), true, nullptr},  {ObjectRef::Segment(1), false, nullptr},
        {ObjectRef::Vertex(99), false, nullptr}, {ObjectRef{}, false, nullptr},
    };
    for (const auto& row : rows) {
        view.m_pSelectedPolygon = nullptr;
        EXPECT_EQ(view.SelectObject(row.object), row.exists);
        EXPECT_EQ(Draw().InLayer("marked").empty(), row.layer == nullptr);
        EXPECT_EQ(view.m_pSelectedPolygon != nullptr,
                  row.object.kind == ObjectRef::Kind::Polygon && row.exists);
    }
    // Properties open the object's dialog.
    for (const ObjectRef object :
         {ObjectRef::Segment(0), ObjectRef::Vertex(0), ObjectRef::Polygon(0), ObjectRef::Vertex(99)}) {
        view.ObjectProperties(object);
    }
    EXPECT_EQ(host.dialogs.shown,
              (std::vector<std::string>{"Rollpath Properties", "Vertex Properties", "Polygon Properties"}));
    // A deleted segment is gone; the next left click takes a mark away.
    ASSERT_TRUE(view.SelectObject(ObjectRef::Segment(0)));
    Click(DPoint{2000.0, 2000.0});
    EXPECT_TRUE(Draw().InLayer("marked").empty());
    doc.m_pSegments[0]->state = -1;
    EXPECT_FALSE(view.SelectObject(ObjectRef::Segment(0)));
}

}  // namespace
}  // namespace rollpath
