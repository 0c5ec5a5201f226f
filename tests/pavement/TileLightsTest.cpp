// The light section of a tile: which rows and junction lights it holds, as
// single lights or runs, in which order.

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <ostream>
#include <tuple>
#include <vector>

#include "TileWriterTestSupport.h"
#include "pavement/TileLights.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {
namespace {

struct Light {
    std::uint32_t shape;
    std::uint32_t lightClass;
    std::array<float, 4> coords;
    float spacing;
    friend bool operator==(const Light&, const Light&) = default;
};

std::ostream& operator<<(std::ostream& out, const Light& l) {
    return out << "{" << l.shape << " class " << l.lightClass << " " << l.coords[0] << "," << l.coords[1]
               << " " << l.coords[2] << "," << l.coords[3] << " d " << l.spacing << "}";
}

Light LightPoint(std::uint32_t lightClass, float x, float y) {
    return Light{1, lightClass, {x, y, 0.0f, 0.0f}, 0.0f};
}

Light LightRun(std::uint32_t lightClass, float x0, float y0, float x1, float y1, float spacing) {
    return Light{2, lightClass, {x0, y0, x1, y1}, spacing};
}

std::vector<Light> Lights(const DecodedTile& tile) {
    std::vector<Light> lights;
    for (const LightEntryRecord& r : tile.lights) {
        lights.push_back(Light{r.shape, r.lightClass, r.coords, r.spacing});
    }
    return lights;
}

using TileLights = TileWriterTest;

// A rollpath along the x axis whose centre row alone lies in the grid (its
// edge rows are far north), lights every 100 ft, over tiles 300 ft wide.
struct RowCase {
    const char* name;
    double gridX0;
    double rowEnd;
    std::vector<std::vector<Light>> tiles;  // the written tiles, west to east
};

class CentreRow : public TileLights, public ::testing::WithParamInterface<RowCase> {};

TEST_P(CentreRow, GivesEachTileItsFirstStretch) {
    const RowCase& c = GetParam();
    Grid(c.gridX0, -150.0, 300.0f);
    RollpathSegment& s = AddRollpath(doc, {0.0, 0.0}, {c.rowEnd, 0.0}, 20.0);
    s.centreLightLine = {DPoint{0.0, 0.0}, DPoint{c.rowEnd, 0.0}};
    s.rightLightLine = {DPoint{0.0, 90000.0}, DPoint{c.rowEnd, 90000.0}};
    s.leftLightLine = s.rightLightLine;
    std::vector<std::vector<Light>> tiles;
    for (const DecodedTile& t : DecodeTiles(Encode())) {
        tiles.push_back(Lights(t));
    }
    EXPECT_EQ(tiles, c.tiles);
}

INSTANTIATE_TEST_SUITE_P(TileLights, CentreRow,
                         ::testing::Values(
                             // Light 1 in the first tile, lights 2 to 4 in the second, 5 to 7 in
                             // the third.
                             RowCase{"SevenLightsSplitThreeAndThree",
                                     -250.0,
                                     600.0,
                                     {{LightPoint(0, 0, 0)},
                                      {LightRun(0, 100, 0, 300, 0, 100)},
                                      {LightRun(0, 400, 0, 600, 0, 100)}}},
                             RowCase{"OnlyTheLastLightInATile",
                                     -350.0,
                                     300.0,
                                     {{LightRun(0, 0, 0, 200, 0, 100)}, {LightPoint(0, 300, 0)}}}),
                         [](const ::testing::TestParamInfo<RowCase>& info) { return info.param.name; });

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

// Rows given point by point, as no straight row could lie: the stretch
// rule itself.
struct StretchCase {
    const char* name;
    std::vector<DPoint> row;
    std::vector<Light> expected;
};

class FirstStretch : public ::testing::TestWithParam<StretchCase> {};

TEST_P(FirstStretch, OnlyTheFirstRunOfPointsInsideCounts) {
    const StretchCase& c = GetParam();
    PlacedLightRows rows;
    rows.points = c.row;
    PlacedLightRow row;
    row.lightClass = 1;
    row.count = c.row.size();
    row.spacing = 25.0;
    row.min = {-1e9, -1e9};
    row.max = {1e9, 1e9};
    std::vector<TileLightPoint> points;
    std::vector<TileLightRun> runs;
    const ClipRect tile{0.0, 100.0, 100.0, 0.0};
    AddFirstStretch(rows, row, tile, points, runs);
    std::vector<Light> lights;
    for (const TileLightPoint& p : points) {
        lights.push_back(LightPoint(p.lightClass, static_cast<float>(p.x), static_cast<float>(p.y)));
    }
    for (const TileLightRun& r : runs) {
        lights.push_back(LightRun(r.lightClass, static_cast<float>(r.x0), static_cast<float>(r.y0),
                                  static_cast<float>(r.x1), static_cast<float>(r.y1),
                                  static_cast<float>(r.spacing)));
    }
    EXPECT_EQ(lights, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    TileLights, FirstStretch,
    ::testing::Values(
        StretchCase{"LeavesAndComesBack",
                    {{-10, 50}, {10, 50}, {20, 50}, {150, 50}, {30, 50}, {40, 50}},
                    {LightRun(1, 10, 50, 20, 50, 25)}},
        StretchCase{"OnePointThenOut", {{10, 50}, {150, 50}, {20, 50}, {30, 50}}, {LightPoint(1, 10, 50)}},
        StretchCase{"SidesAreInside", {{0, 0}, {100, 100}}, {LightRun(1, 0, 0, 100, 100, 25)}},
        StretchCase{"AllOutside", {{-1, 50}, {101, 50}, {50, 101}}, {}},
        StretchCase{"NotANumberIsNeverInside",
                    {{std::numeric_limits<double>::quiet_NaN(), 50}, {50, 50}},
                    {LightPoint(1, 50, 50)}}),
    [](const ::testing::TestParamInfo<StretchCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rollpath::testing
