// What the view draws: nothing without an airport, the layers in their
// order, each toggle hiding its layer, a vertex drag drawn in not-xor, and
// what lies off the window left out; the SVG canvas that renders it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/CommandIds.h"
#include "view/StatusPanes.h"
#include "view/SvgCanvas.h"
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
        testing::AddPolygon(doc, {{-500.0, -500.0}, {0.0, -1000.0}, {500.0, -500.0}});
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

TEST_F(Drawing, LayersComeInTheirOrderAndEachToggleHidesItsLayer) {
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

    // Each toggle hides its layer.
    const struct {
        const char* name;
        CommandId command;
        const char* layer;
    } cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_GT(Count(Draw(), c.layer), 0u) << c.name;
        EXPECT_TRUE(view.OnCommand(c.command));
        EXPECT_EQ(Count(Draw(), c.layer), 0u) << c.name;
        view.OnCommand(c.command);
    }
    view.OnChar('T');
    EXPECT_EQ(Count(Draw(), "triangulation-errors"), 0u);
    view.OnChar('t');
    EXPECT_EQ(Count(Draw(), "triangulation-errors"), 1u);
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

// --- The SVG canvas of rendered pictures ---------------------------------------------

// Every kind of shape, a not-xor pen, an escaped layer name and a part of a
// bitmap (embedded as a BMP file in base64), in pixels at 96 dpi.
TEST(SvgCanvas, WritesThePictureAsItsGoldenText) {
    SvgCanvas canvas(200, 100, 96);
    const LPoint triangle[] = {{0, 0}, {1000, -500}, {0, -1000}};
    canvas.BeginLayer("runways&lights");
    canvas.FillPolygon(triangle, 0x00FFFF);
    canvas.EndLayer();
    canvas.SetNullBrush();
    canvas.Ellipse(LRect{-60, 60, 60, -60});
    canvas.SetPen(0x0000FF);
    canvas.SetRasterOp(RasterOp::NotXorPen);
    const LPoint line[] = {{0, 0}, {100, -100}};
    canvas.Polyline(line);
    canvas.SetRasterOp(RasterOp::CopyPen);
    DibImage image;
    image.width = 2;
    image.height = 2;
    image.pixels = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C};
    canvas.StretchDib(image, 1000, 0, 500, -1000, 1, 0, 1, 2);  // the right column
    EXPECT_EQ(
        canvas.Finish(),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100\" viewBox=\"0 0 200 100\">\n"
        "<rect width=\"200\" height=\"100\" fill=\"#ffffff\"/>\n"
        "<g class=\"runways&amp;lights\">\n"
        "<polygon points=\"0,0 96,48 0,96\" fill=\"#ffff00\" fill-rule=\"nonzero\" stroke=\"none\"/>\n"
        "</g>\n"
        "<ellipse cx=\"0\" cy=\"0\" rx=\"5.76\" ry=\"5.76\" fill=\"none\" stroke=\"#000000\" "
        "stroke-width=\"1\"/>\n"
        // Not-xor of red: a difference blend of cyan.
        "<polyline points=\"0,0 9.6,9.6\" fill=\"none\" stroke=\"#00ffff\" stroke-width=\"1\" "
        "style=\"mix-blend-mode:difference\"/>\n"
        // 62 bytes: rows bottom-up, BGR, padded to 4 bytes.
        "<image x=\"96\" y=\"0\" width=\"48\" height=\"96\" preserveAspectRatio=\"none\" "
        "href=\"data:image/bmp;base64,"
        "Qk0+AAAAAAAAADYAAAAoAAAAAQAAAAIAAAABABgAAAAAAAgAAAATCwAAEwsAAAAAAAAAAAAADAsKAAYFBAA=\"/>\n"
        "</svg>\n");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_TRUE(EncodeBmp(image, 5, 0, 1, 1).empty());
}

}  // namespace
}  // namespace rollpath
