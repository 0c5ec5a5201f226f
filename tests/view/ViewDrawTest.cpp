#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "support/TempDir.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;

// Radius of an ellipse call, in logical units.
int Radius(const DrawCall& call) {
    return (call.bounds.right - call.bounds.left) / 2;
}

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

TEST_F(Drawing, TogglesAfterOpeningAndTheirCheckMarks) {
    OpenScene();
    EXPECT_EQ(view.m_bShowRunways, 1);
    EXPECT_EQ(view.m_bShowRollpaths, 1);
    EXPECT_EQ(view.m_bShowPolygons, 1);
    EXPECT_EQ(view.m_bShowVertices + view.m_bShowLights + view.m_bShowMarkings + view.m_bShowGrid, 0);
    EXPECT_EQ(view.m_bShowDiagram, 1);
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewRunways), (CommandUI{true, true, std::nullopt}));
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewVertices), (CommandUI{true, false, std::nullopt}));
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewLights), (CommandUI{true, false, std::nullopt}));
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewGrid), (CommandUI{true, std::nullopt, "Show &Grid"}));
    EXPECT_FALSE(view.UpdateCommandUI(CommandId::ViewDiagram)->enabled);  // no bitmap loaded
}

TEST_F(Drawing, NetworkRunwayAndPolygonTogglesRepaintOnlyTheirObjects) {
    OpenScene();
    const int whole = host.invalidations;
    view.OnCommand(CommandId::ViewPolygons);
    ASSERT_EQ(host.invalidatedAreas.size(), 1u);
    EXPECT_EQ(host.invalidations, whole);
    // The triangle's area, 100 units around its projected corners.
    LPoint corners[3];
    view.ProjectPoints(3, triangle->points.data(), corners, true);
    const LRect& area = host.invalidatedAreas[0];
    EXPECT_EQ(area.left, corners[0].x - 100);
    EXPECT_EQ(area.right, corners[2].x + 100);
    EXPECT_EQ(area.top, corners[0].y + 100);
    EXPECT_EQ(area.bottom, corners[1].y - 100);
    view.OnCommand(CommandId::ViewLights);
    EXPECT_EQ(host.invalidations, whole + 1);
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

TEST_F(Drawing, OutlineOnlyDrawsATriangleAsTwoStrokes) {
    OpenScene();
    view.OnChar('L');
    const RecordingCanvas canvas = Draw();
    const auto polygons = canvas.InLayer("polygons");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].kind, DrawKind::Polyline);
    ASSERT_EQ(polygons[0].points.size(), 3u);
    EXPECT_NE(polygons[0].points.front(), polygons[0].points.back());
    for (const DrawCall& call : canvas.calls) {
        EXPECT_NE(call.kind, DrawKind::FillPolygon) << call.layer;
    }
    view.OnChar('l');
    EXPECT_EQ(Draw().InLayer("polygons")[0].kind, DrawKind::FillPolygon);
}

TEST_F(Drawing, FewPointPolygonsDrawOnlyWhileCollected) {
    OpenScene();
    triangle->points.resize(1);
    EXPECT_EQ(Count(Draw(), "polygons"), 0u);
    triangle->points.push_back(DPoint{100.0, -900.0});
    EXPECT_EQ(Count(Draw(), "polygons"), 0u);
    view.m_pSelectedPolygon = triangle;
    EXPECT_EQ(Count(Draw(), "polygons"), 2u);  // only the two handles
    view.m_nDragState = DragState::CollectPolygon;
    const RecordingCanvas canvas = Draw();
    const auto calls = canvas.InLayer("polygons");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, DrawKind::Polyline);
    EXPECT_EQ(calls[0].points.size(), 2u);
    EXPECT_EQ(calls[0].op, RasterOp::NotXorPen);
}

TEST_F(Drawing, APolygonBeingCollectedByTheViewIsDrawnOpenAndUnclipped) {
    OpenScene();
    auto polygon = std::make_unique<GroundPolygon>();
    polygon->points = {DPoint{0.0, -300.0}, DPoint{1e6, -300.0}};  // far outside the window
    view.m_pSelectedPolygon = polygon.get();
    view.m_pNewPolygon = std::move(polygon);
    view.m_nDragState = DragState::CollectPolygon;
    const auto calls = Draw().InLayer("polygons");
    ASSERT_EQ(calls.size(), 2u);  // the triangle, then the open outline
    EXPECT_EQ(calls[1].kind, DrawKind::Polyline);
    EXPECT_GT(calls[1].points[1].x, 100000);
}

TEST_F(Drawing, TheSelectedPolygonIsHighlightedWithHandles) {
    OpenScene();
    view.m_pSelectedPolygon = triangle;
    const RecordingCanvas canvas = Draw();
    const auto calls = canvas.InLayer("polygons");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].kind, DrawKind::FillPolygon);
    EXPECT_EQ(calls[0].op, RasterOp::NotXorPen);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(calls[i].kind, DrawKind::Rectangle);
        EXPECT_EQ(calls[i].op, RasterOp::CopyPen);
        EXPECT_EQ(calls[i].brush, kHandleBlack);
        EXPECT_EQ(calls[i].bounds.right - calls[i].bounds.left, 40);
    }
    EXPECT_EQ(canvas.calls.back().op, RasterOp::CopyPen);
    doc.m_bLoadedFromTms = 1;
    EXPECT_EQ(Count(Draw(), "polygons"), 1u);
}

struct RadiusCase {
    int zoom;
    int radius;
};

TEST_F(Drawing, LightDotsShrinkAsTheZoomValueGrows) {
    OpenScene();
    view.OnCommand(CommandId::ViewLights);
    for (const RadiusCase c : {RadiusCase{1500, 25}, RadiusCase{1501, 20}, RadiusCase{2500, 20},
                               RadiusCase{2501, 15}, RadiusCase{7500, 15}, RadiusCase{7501, 10}}) {
        view.SetZoom(c.zoom);
        const RecordingCanvas canvas = Draw();
        const auto lights = canvas.InLayer("lights");
        ASSERT_FALSE(lights.empty()) << c.zoom;
        for (const DrawCall& call : lights) {
            EXPECT_EQ(Radius(call), c.radius) << c.zoom;
        }
    }
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

TEST_F(Drawing, JunctionLightsFollowTheVertexsLightingFlag) {
    OpenScene();
    view.OnCommand(CommandId::ViewLights);
    rollpath->flags |= SegmentFlag::NoLighting;
    const int k = rollpath->vertex0;
    AddJunctionProducts(k);
    EXPECT_EQ(Count(Draw(), "lights"), 2u);
    doc.Vertex(k).flags = VertexFlag::NoLighting;
    EXPECT_EQ(Count(Draw(), "lights"), 0u);
    doc.Vertex(k).flags = VertexFlag::NoMarkings;
    EXPECT_EQ(Count(Draw(), "lights"), 2u);
    doc.Vertex(k).flags = VertexFlag::NoPolygon;
    EXPECT_EQ(Count(Draw(), "lights"), 0u);
}

TEST_F(Drawing, LightsReadFromAPavementFileAreDotsAlongTheirRuns) {
    OpenScene();
    doc.m_bLoadedFromTms = 1;
    view.OnCommand(CommandId::ViewLights);
    auto run = std::make_unique<LightRecord>();
    run->shape = LightShape::Run;
    run->lightClass = LightClass::CentreLine;
    run->x = -200.0f;
    run->y = 300.0f;
    run->x1 = 200.0f;
    run->y1 = 300.0f;
    run->spacing = 100.0f;
    doc.m_pLights.push_back(std::move(run));
    auto point = std::make_unique<LightRecord>();
    point->x = 50.0f;
    point->y = 50.0f;
    doc.m_pLights.push_back(std::move(point));
    auto broken = std::make_unique<LightRecord>(*doc.m_pLights[0]);
    broken->spacing = 0.0f;  // a damaged run: its first light only
    doc.m_pLights.push_back(std::move(broken));
    const auto lights = Draw().InLayer("lights");
    ASSERT_EQ(lights.size(), 7u);
    EXPECT_EQ(lights[0].brush, kCentreLightGreen);
    EXPECT_EQ(lights[5].brush, kEdgeLightBlue);
}

TEST_F(Drawing, ClosedRunwaysGetTwoYellowCrosses) {
    OpenScene();
    doc.m_pRunways[0]->closed = 1;
    view.OnCommand(CommandId::ViewMarkings);
    const auto pieces = Draw().InLayer("runway-markings");
    ASSERT_EQ(pieces.size(), 4u);
    for (const DrawCall& p : pieces) {
        EXPECT_EQ(p.brush, kMarkingYellow);
    }
}

struct ClassCase {
    int attribute;
    int pieces;  // threshold bars and centre-line dashes
};

TEST_F(Drawing, OpenRunwayMarkingsByClass) {
    OpenScene();
    view.OnCommand(CommandId::ViewMarkings);
    // 6000 ft: 28 dashes between lines 200 ft in (L = 5600), 30 for class 1.
    for (const ClassCase c :
         {ClassCase{0, 0}, ClassCase{1, 30}, ClassCase{4, 16 + 28}, ClassCase{0x104, 16 + 28},
          ClassCase{6, 16 + 28 + 4}, ClassCase{7, 16 + 28 + 4}, ClassCase{5, 0}}) {
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
                                SurfaceCase{1 << kDirt, 0x333333}, SurfaceCase{1 << kGravel, 0x333333},
                                SurfaceCase{1 << kSand, 0x333333}, SurfaceCase{1 << kAsphalt, 0x444444},
                                SurfaceCase{1 << kWater, 0x444444}, SurfaceCase{0, 0x444444}}) {
        doc.m_pRunways[0]->surface = c.bits;
        EXPECT_EQ(Draw().InLayer("runways")[0].brush, c.color) << c.bits;
    }
    view.m_bPositioning = 1;
    EXPECT_EQ(Draw().InLayer("runways")[0].brush, kPositioningRunway);
}

TEST_F(Drawing, RunwayCentreLinesDrawTheirBodyOnlyWithTheToggle) {
    OpenScene();
    rollpath->type = SegmentType::RunwayCentreLine;
    EXPECT_EQ(Count(Draw(), "segments"), 0u);
    view.OnChar('c');
    EXPECT_EQ(Count(Draw(), "segments"), 1u);
    view.OnChar('C');
    rollpath->flags |= SegmentFlag::ExtensionAt1;
    rollpath->extensionCorners = {DPoint{1100.0, 600.0}, DPoint{1100.0, 400.0}};
    const auto calls = Draw().InLayer("segments");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points.size(), 5u);
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

TEST_F(Drawing, SegmentMarkingsFollowTheirFlags) {
    OpenScene();
    view.OnCommand(CommandId::ViewMarkings);
    EXPECT_EQ(Count(Draw(), "markings"), 3u);  // centre stripe and two edge stripes
    rollpath->exitMask = 0x5;
    rollpath->flags = SegmentFlag::NoExit | SegmentFlag::Stub0;
    EXPECT_EQ(Count(Draw(), "markings"), 6u);  // No Exit keeps exits on the screen
    rollpath->flags = SegmentFlag::NoMarkings;
    EXPECT_EQ(Count(Draw(), "markings"), 0u);
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

TEST_F(Drawing, TheBenchmarkMarkIsAHollowCircleWithACross) {
    OpenScene();
    const RecordingCanvas canvas = Draw();
    const auto mark = canvas.InLayer("benchmark");
    ASSERT_EQ(mark.size(), 3u);
    EXPECT_EQ(mark[0].kind, DrawKind::Ellipse);
    EXPECT_TRUE(mark[0].nullBrush);
    EXPECT_EQ(mark[0].pen, kBlack);
    EXPECT_EQ(Radius(mark[0]), 60);
    const LPoint c = view.BenchmarkLogical();
    EXPECT_EQ(mark[1].points, (std::vector<LPoint>{{c.x, c.y + 90}, {c.x, c.y - 90}}));
    EXPECT_EQ(mark[2].points, (std::vector<LPoint>{{c.x - 90, c.y}, {c.x + 90, c.y}}));
    view.m_nScrollX -= 30000;  // the benchmark beyond the 16-bit range
    EXPECT_EQ(Count(Draw(), "benchmark"), 0u);
}

TEST_F(Drawing, ShapesAreClippedToTheVisibleArea) {
    OpenScene();
    view.SetZoom(100);  // the runway reaches far beyond the window
    const RecordingCanvas canvas = Draw();
    const auto runways = canvas.InLayer("runways");
    ASSERT_EQ(runways.size(), 1u);
    for (const LPoint& p : runways[0].points) {
        EXPECT_GT(p.x, -2000);
        EXPECT_LT(p.x, 14500);
    }
}

TEST_F(Drawing, TheTileGridCoversTheDrawing) {
    OpenScene();
    view.SetZoom(20000);  // the whole grid in the window
    view.OnCommand(CommandId::ViewGrid);
    const TileGrid& grid = doc.m_TileGrid;
    EXPECT_EQ(grid.columns, 8u);
    EXPECT_EQ(grid.lowerLeft[0], -3000.1);
    const auto squares = Draw().InLayer("grid");
    ASSERT_EQ(squares.size(), 64u);
    EXPECT_EQ(squares[0].points.size(), 5u);
    EXPECT_EQ(squares[0].points.front(), squares[0].points.back());
}

// A 2 x 2 pixel, 24-bit bitmap.
std::vector<char> TinyBitmap() {
    std::vector<char> b = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                           2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                           0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
    b.insert(b.end(), 16, '\x7f');
    return b;
}

TEST_F(Drawing, TheDiagramComesFirst) {
    testing::TempDir dir;
    const auto path = dir / "diagram.bmp";
    const std::vector<char> bytes = TinyBitmap();
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    doc.m_szBmpPath = path.string();
    OpenScene();
    EXPECT_EQ(view.m_bDiagramLoaded, 1);
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewDiagram),
              (CommandUI{true, std::nullopt, "Hide &Diagram\tCtrl+D"}));
    view.OnCommand(CommandId::ViewDiagram);
    EXPECT_EQ(view.UpdateCommandUI(CommandId::ViewDiagram)->text, "Show &Diagram\tCtrl+D");
    view.OnCommand(CommandId::ViewDiagram);
    const RecordingCanvas canvas = Draw();
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls[0].kind, DrawKind::StretchDib);
    view.OnCommand(CommandId::ViewDiagram);
    EXPECT_EQ(Count(Draw(), "diagram"), 0u);
}

}  // namespace
}  // namespace rollpath
