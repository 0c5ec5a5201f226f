// The light section of a tile: which rows and junction lights it holds, as
// single lights or runs, in which order, under which switches.

#include <gtest/gtest.h>

#include <tuple>

#include "TileWriterTestSupport.h"
#include "pavement/TileLights.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {
namespace {

using TileLights = TileWriterTest;

TEST_F(TileLights, CollectionOrderClassesAndSwitches) {
    Grid(-100.0, -100.0, 1000.0f);
    // a: three runs. b: three single lights (rows of one point).
    RollpathSegment& a = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 400.0, 0.0), 20.0);
    a.rightLightLine = {DPoint{0, -15}, DPoint{400, -15}};
    a.leftLightLine = {DPoint{0, 15}, DPoint{400, 15}};
    a.centreLightLine = {DPoint{0, 0}, DPoint{400, 0}};
    RollpathSegment& b = AddSegment(doc, AddVertexAt(doc, 0.0, 300.0), AddVertexAt(doc, 200.0, 300.0), 20.0);
    b.rightLightLine = {DPoint{50, 200}, DPoint{50, 200}};
    b.leftLightLine = {DPoint{60, 200}, DPoint{60, 200}};
    b.centreLightLine = {DPoint{70, 200}, DPoint{70, 200}};
    // c: No Lighting; d: No Polygon keeps its centre row only; e: a runway
    // centre line carries no rows.
    RollpathSegment& c = AddSegment(doc, AddVertexAt(doc, 0.0, 500.0), AddVertexAt(doc, 200.0, 500.0), 20.0);
    c.flags = SegmentFlag::NoLighting;
    RollpathSegment& d = AddSegment(doc, AddVertexAt(doc, 0.0, 600.0), AddVertexAt(doc, 200.0, 600.0), 20.0);
    d.flags = SegmentFlag::NoPolygon;
    d.centreLightLine = {DPoint{80, 200}, DPoint{80, 200}};
    AddSegment(doc, AddVertexAt(doc, 0.0, 700.0), AddVertexAt(doc, 200.0, 700.0), 20.0,
               SegmentType::RunwayCentreLine);
    // Junction lights: kept at a lit vertex, left out at a vertex with No
    // Lighting and at a deleted one.
    NetworkVertex& lit = doc.Vertex(a.vertex0);
    lit.lightPts1.push_back({10, 50});
    lit.lightPts1.push_back({5000, 50});  // outside the tile
    lit.lightPts0.push_back({20, 50});
    NetworkVertex& dark = doc.Vertex(b.vertex0);
    dark.flags = VertexFlag::NoLighting;
    dark.lightPts1.push_back({30, 50});
    dark.lightPts0.push_back({40, 50});
    const int gone = AddVertexAt(doc, 800.0, 800.0);
    doc.Vertex(gone).lightPts1.push_back({800, 800});
    doc.Vertex(gone).state = -1;

    Golden g;
    g.tag("<lite>").u32(16 * 6 + 28 * 3 + 4);
    for (const auto& [cls, x, y] : std::vector<std::tuple<std::uint32_t, float, float>>{
             {1, 50, 200}, {1, 60, 200}, {1, 10, 50}, {0, 70, 200}, {0, 80, 200}, {0, 20, 50}}) {
        g.u32(1).u32(cls).f32(x).f32(y);
    }
    g.u32(2).u32(1).f32(0).f32(-15).f32(400).f32(-15).f32(100);
    g.u32(2).u32(1).f32(0).f32(15).f32(400).f32(15).f32(100);
    g.u32(2).u32(0).f32(0).f32(0).f32(400).f32(0).f32(100);
    g.u32(0);
    g.tag("<endo>").tag("<endo>");
    const Bytes bytes = Encode();
    ASSERT_GE(bytes.size(), g.bytes.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<std::ptrdiff_t>(g.bytes.size()), bytes.end()), g.bytes);
}

}  // namespace
}  // namespace rollpath::testing
