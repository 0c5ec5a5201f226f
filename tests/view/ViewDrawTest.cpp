#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;

std::size_t Count(const RecordingCanvas& canvas, std::string_view layer) {
    return canvas.InLayer(layer).size();
}

class Drawing : public ::testing::Test, protected testing::ViewTest {
protected:
    // A runway of marking class 4, a rollpath north of it, a triangle south
    // of it: all inside the window after the initial fit.
    void OpenScene() {
        RunwayRecord& runway = AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
        runway.endAttr0 = 4;
        rollpath = &AddRollpath(doc, DPoint{-1000.0, 500.0}, DPoint{1000.0, 500.0}, 50.0);
        GroundPolygon& p = doc.AppendPolygon();
        p.kind = PolygonKind::Ordinary;
        p.points = {DPoint{-500.0, -500.0}, DPoint{0.0, -1000.0}, DPoint{500.0, -500.0}};
        triangle = &p;
        Open();
    }

    // Junction products as the junction construction leaves them.
    void AddJunctionProducts(int k) {
        NetworkVertex& v = doc.Vertex(k);
        const DPoint c = v.pos();
        GroundPolygon j;
        j.kind = PolygonKind::Junction;
        j.points = {DPoint{c.x - 30, c.y - 30}, DPoint{c.x - 30, c.y + 30}, DPoint{c.x + 30, c.y + 30},
                    DPoint{c.x + 30, c.y - 30}};
        v.junctionPolys.push_back(j);
        v.edgeQuads.push_back(Quad{DPoint{c.x - 20, c.y - 20}, DPoint{c.x - 20, c.y - 19},
                                   DPoint{c.x + 20, c.y - 19}, DPoint{c.x + 20, c.y - 20}});
        v.centreQuads.push_back(Quad{DPoint{c.x - 1, c.y - 20}, DPoint{c.x - 1, c.y + 20},
                                     DPoint{c.x + 1, c.y + 20}, DPoint{c.x + 1, c.y - 20}});
        v.lightPts0.push_back(DPoint{c.x + 10, c.y});
        v.lightPts1.push_back(DPoint{c.x - 10, c.y});
    }

    void ShowEverything() {
        view.OnCommand(CommandId::ViewMarkings);
        view.OnCommand(CommandId::ViewLights);
        view.OnCommand(CommandId::ViewVertices);
        view.OnCommand(CommandId::ViewGrid);
        view.OnChar('t');
    }

    RollpathSegment* rollpath = nullptr;
    GroundPolygon* triangle = nullptr;
};

TEST_F(Drawing, NothingAtAllWithoutAnAirport) {
    Open();
    view.m_bShowRunways = view.m_bShowPolygons = view.m_bShowGrid = 1;
    EXPECT_TRUE(Draw().calls.empty());
    for (const CommandId id :
         {CommandId::ViewRunways, CommandId::ViewRollpaths, CommandId::ViewPolygons, CommandId::ViewVertices,
          CommandId::ViewLights, CommandId::ViewMarkings, CommandId::ViewGrid, CommandId::ViewDiagram}) {
        EXPECT_FALSE(view.UpdateCommandUI(id)->enabled) << static_cast<int>(id);
    }
}

TEST_F(Drawing, LayersComeInTheirOrder) {
    OpenScene();
    AddJunctionProducts(rollpath->vertex0);
    doc.m_nSource = rollpath->vertex0;
    doc.m_nSink = rollpath->vertex1;
    doc.m_TriErrors.push_back({DPoint{-100, -100}, DPoint{-100, 100}, DPoint{100, 100}});
    view.m_StraightenedVertices = {rollpath->vertex1};
    view.m_bShowStraightened = 1;
    ShowEverything();
    const RecordingCanvas canvas = Draw();
    const std::vector<std::string> expected = {
        "polygons",  "junctions", "segments", "junction-edge-markings", "runways",     "runway-markings",
        "markings",  "lights",    "vertices", "straightened",           "source-sink", "triangulation-errors",
        "benchmark", "grid"};
    EXPECT_EQ(canvas.LayerOrder(), expected);
    EXPECT_EQ(Count(canvas, "source-sink"), 2u);
    EXPECT_EQ(canvas.InLayer("source-sink")[0].brush, kSourceGreen);
    EXPECT_EQ(canvas.InLayer("source-sink")[1].brush, kSinkRed);
    EXPECT_EQ(canvas.InLayer("straightened")[0].brush, kStraightenedSkyBlue);
    EXPECT_EQ(canvas.InLayer("triangulation-errors")[0].brush, kTriangulationErrorRed);
}

struct ToggleCase {
    const char* name;
    CommandId command;
    const char* layer;
};

TEST_F(Drawing, EachToggleHidesItsLayer) {
    OpenScene();
    AddJunctionProducts(rollpath->vertex0);
    ShowEverything();
    const ToggleCase cases[] = {
        {"runways", CommandId::ViewRunways, "runways"},
        {"rollpaths", CommandId::ViewRollpaths, "segments"},
        {"rollpaths hide junctions", CommandId::ViewRollpaths, "junctions"},
        {"rollpaths hide lights", CommandId::ViewRollpaths, "lights"},
        {"polygons", CommandId::ViewPolygons, "polygons"},
        {"vertices", CommandId::ViewVertices, "vertices"},
        {"lights", CommandId::ViewLights, "lights"},
        {"markings", CommandId::ViewMarkings, "markings"},
        {"markings on runways", CommandId::ViewMarkings, "runway-markings"},
        {"markings at junctions", CommandId::ViewMarkings, "junction-edge-markings"},
        {"grid", CommandId::ViewGrid, "grid"},
    };
    for (const ToggleCase& c : cases) {
        EXPECT_GT(Count(Draw(), c.layer), 0u) << c.name;
        EXPECT_TRUE(view.OnCommand(c.command));
        EXPECT_EQ(Count(Draw(), c.layer), 0u) << c.name;
        view.OnCommand(c.command);
    }
    view.OnChar('T');
    doc.m_TriErrors.push_back({DPoint{-100, -100}, DPoint{-100, 100}, DPoint{100, 100}});
    EXPECT_EQ(Count(Draw(), "triangulation-errors"), 0u);
    view.OnChar('t');
    EXPECT_EQ(Count(Draw(), "triangulation-errors"), 1u);
}

TEST_F(Drawing, MenuTextsFollowTheGridAndDiagramToggles) {
    OpenScene();
    const auto has = [this](std::string_view text) {
        return std::find(host.viewMenu.begin(), host.viewMenu.end(), text) != host.viewMenu.end();
    };
    EXPECT_TRUE(has("Show &Grid"));
    EXPECT_TRUE(has("Hide &Diagram\tCtrl+D"));
    view.OnCommand(CommandId::ViewGrid);
    EXPECT_TRUE(has("Hide &Grid"));
    EXPECT_EQ(view.m_bShowGrid, 1);
    view.OnCommand(CommandId::ViewDiagram);
    EXPECT_TRUE(has("Show &Diagram\tCtrl+D"));
    EXPECT_EQ(view.m_bShowDiagram, 0);
    // Opening again brings both back to their resource texts.
    Open();
    EXPECT_TRUE(has("Show &Grid"));
    EXPECT_TRUE(has("Hide &Diagram\tCtrl+D"));
    // An item that is not found leaves the menu alone, and the toggle still flips.
    host.viewMenu.clear();
    view.OnCommand(CommandId::ViewGrid);
    EXPECT_EQ(view.m_bShowGrid, 1);
    EXPECT_TRUE(host.viewMenu.empty());
}

TEST_F(Drawing, LightsOfASegmentAreGreenOnTheCentreLineAndBlueAtTheEdges) {
    OpenScene();
    view.OnCommand(CommandId::ViewLights);
    const RecordingCanvas canvas = Draw();
    int green = 0;
    int blue = 0;
    for (const DrawCall& call : canvas.InLayer("lights")) {
        ASSERT_EQ(call.kind, DrawKind::Ellipse);
        EXPECT_EQ(call.pen, call.brush);
        green += call.brush == kCentreLightGreen ? 1 : 0;
        blue += call.brush == kEdgeLightBlue ? 1 : 0;
    }
    // A lone 2000 ft rollpath is lit from MarkShort (50 ft) in at either
    // dead end: 1900 ft rows at 100 ft spacing, 20 lights each.
    EXPECT_EQ(green, 20);
    EXPECT_EQ(blue, 40);
    rollpath->flags |= SegmentFlag::NoLighting;
    EXPECT_EQ(Count(Draw(), "lights"), 0u);
    rollpath->flags = SegmentFlag::NoPolygon;
    EXPECT_EQ(Count(Draw(), "lights"), 0u);
}

struct ClassCase {
    int attribute;
    int pieces;  // threshold bars and centre-line dashes
};

TEST_F(Drawing, OpenRunwayMarkingsByClass) {
    OpenScene();
    view.OnCommand(CommandId::ViewMarkings);
    // 6000 ft: 28 dashes between lines 200 ft in (L = 5600), 30 for class 1.
    for (const ClassCase c : {ClassCase{0, 0}, ClassCase{1, 30}, ClassCase{4, 16 + 28},
                              ClassCase{0x104, 16 + 28}, ClassCase{7, 16 + 28 + 4}, ClassCase{5, 0}}) {
        doc.m_pRunways[0]->endAttr0 = c.attribute;
        const auto pieces = Draw().InLayer("runway-markings");
        EXPECT_EQ(static_cast<int>(pieces.size()), c.pieces) << c.attribute;
        for (const DrawCall& p : pieces) {
            EXPECT_EQ(p.brush, kRunwayMarkingWhite);
        }
    }
}

TEST_F(Drawing, RunwaysTakeTheirSurfaceColour) {
    OpenScene();
    settings.ConcreteColor = 0x111111;
    settings.TurfColor = 0x222222;
    settings.DirtColor = 0x333333;
    settings.AsphaltColor = 0x444444;
    struct SurfaceCase {
        int bits;
        ColorRef color;
    };
    for (const SurfaceCase c : {SurfaceCase{1 << kConcrete, 0x111111}, SurfaceCase{1 << kTurf, 0x222222},
                                SurfaceCase{1 << kDirt, 0x333333}, SurfaceCase{1 << kSand, 0x333333},
                                SurfaceCase{1 << kAsphalt, 0x444444}, SurfaceCase{0, 0x444444}}) {
        doc.m_pRunways[0]->surface = c.bits;
        EXPECT_EQ(Draw().InLayer("runways")[0].brush, c.color) << c.bits;
    }
    view.m_bPositioning = 1;
    EXPECT_EQ(Draw().InLayer("runways")[0].brush, kPositioningRunway);
}

// What the records' flags and kinds leave on the screen, with the markings
// shown.
TEST_F(Drawing, WhatIsDrawnFollowsTheRecordsFlags) {
    OpenScene();
    view.OnCommand(CommandId::ViewMarkings);
    const std::vector<DPoint> outline = triangle->points;
    const struct {
        const char* name;
        std::function<void()> change;
        const char* layer;
        std::size_t drawn;
    } rows[] = {
        {"a rollpath's centre and edge stripes", [] {}, "markings", 3},
        {"No Exit keeps exits on the screen",
         [this] {
             rollpath->exitMask = 0x5;
             rollpath->flags = SegmentFlag::NoExit | SegmentFlag::Stub0;
         },
         "markings", 6},
        {"No Markings", [this] { rollpath->flags = SegmentFlag::NoMarkings; }, "markings", 0},
        {"a closed runway's two yellow crosses", [this] { doc.m_pRunways[0]->closed = 1; }, "runway-markings",
         4},
        {"a runway centre line without its toggle",
         [this] { rollpath->type = SegmentType::RunwayCentreLine; }, "segments", 0},
        {"a polygon of two points", [this] { triangle->points.resize(2); }, "polygons", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        rollpath->flags = 0;
        rollpath->exitMask = 0;
        rollpath->type = SegmentType::Rollpath;
        doc.m_pRunways[0]->closed = 0;
        triangle->points = outline;
        row.change();
        EXPECT_EQ(Count(Draw(), row.layer), row.drawn);
    }
}

TEST_F(Drawing, DuringAVertexDragJunctionsMarksAndLightsAreLeftOut) {
    OpenScene();
    AddJunctionProducts(rollpath->vertex0);
    ShowEverything();
    view.m_nDragState = DragState::MoveVertex;
    view.m_SegmentList = {rollpath};
    const RecordingCanvas canvas = Draw();
    for (const char* layer : {"junctions", "junction-edge-markings", "markings", "lights", "vertices"}) {
        EXPECT_EQ(Count(canvas, layer), 0u) << layer;
    }
    const auto segments = canvas.InLayer("segments");
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].op, RasterOp::NotXorPen);
    view.m_SegmentList.clear();
    EXPECT_EQ(Draw().InLayer("segments")[0].op, RasterOp::CopyPen);
    view.m_nDragState = DragState::StretchSegment;
    EXPECT_EQ(Draw().InLayer("segments")[0].op, RasterOp::NotXorPen);
}

TEST_F(Drawing, ASourceOffTheWindowIsNotDrawn) {
    OpenScene();
    doc.m_nSource = rollpath->vertex0;
    view.m_nScrollX += 20000;  // everything moves far off to the left
    view.UpdateVisibleArea();
    EXPECT_EQ(Count(Draw(), "source-sink"), 0u);
    view.m_nScrollX -= 20000;
    view.UpdateVisibleArea();
    EXPECT_EQ(Count(Draw(), "source-sink"), 1u);
    doc.m_nSource = 9999;  // a damaged index draws nothing
    EXPECT_EQ(Count(Draw(), "source-sink"), 0u);
}

}  // namespace
}  // namespace rollpath
