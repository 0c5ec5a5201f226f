#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;

TEST(TileGrid, RunwaysAloneGetAGridAroundThem) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{-1000.0, 200.0}, DPoint{3000.0, 200.0}, 100);
    const TileGridUpdate update = ComputeTileGrid(doc);
    EXPECT_EQ(update.extent, 4000.0);
    EXPECT_TRUE(update.changed);
    const TileGrid& g = doc.m_TileGrid;
    EXPECT_EQ(g.columns, 8u);
    EXPECT_EQ(g.rows, 8u);
    EXPECT_EQ(g.side, static_cast<float>(4000.2 * 0.125));
    EXPECT_EQ(g.lowerLeft[0], -1000.1);
    EXPECT_EQ(g.lowerLeft[1], 0.0);
    EXPECT_EQ(g.lowerLeft[2], 150.0 - 0.1);
    // The union of the tiles reaches past the drawing on every side (give or
    // take the single precision of the side).
    EXPECT_GE(g.lowerLeft[0] + 8.0 * g.side, 3000.1 - 1e-3);
    EXPECT_GE(g.lowerLeft[2] + 8.0 * g.side, 250.1);
    EXPECT_FALSE(ComputeTileGrid(doc).changed);
}

TEST(TileGrid, EdgeLightRowsAndJunctionsWidenTheBox) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{0.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    // A rollpath 50 ft wide: its edge-light rows lie 30 ft either side.
    AddRollpath(doc, DPoint{0.0, 1000.0}, DPoint{1000.0, 1000.0}, 50.0);
    DrawingBox box = ComputeDrawingBox(doc);
    EXPECT_EQ(box.maxY, 1030.0);
    NetworkVertex& v = doc.Vertex(0);
    GroundPolygon junction;
    junction.points = {DPoint{-200.0, 1000.0}, DPoint{-150.0, 1010.0}, DPoint{-150.0, 990.0}};
    v.junctionPolys.push_back(junction);
    v.lightPts1.push_back(DPoint{500.0, 1500.0});
    box = ComputeDrawingBox(doc);
    EXPECT_EQ(box.minX, -200.0);
    EXPECT_EQ(box.maxY, 1500.0);
    v.state = -1;  // a deleted vertex adds nothing
    EXPECT_EQ(ComputeDrawingBox(doc).minX, 0.0);
}

TEST(TileGrid, DeletedObjectsAndDamagedPointsAreLeftOut) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{0.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    GroundPolygon& dead = doc.AppendPolygon();
    dead.points = {DPoint{-5000.0, 0.0}, DPoint{0.0, 1.0}, DPoint{1.0, 0.0}};
    dead.state = -1;
    GroundPolygon& damaged = doc.AppendPolygon();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    damaged.points = {DPoint{nan, nan}, DPoint{10.0, nan}, DPoint{20.0, 20.0}};
    const DrawingBox box = ComputeDrawingBox(doc);
    EXPECT_EQ(box.minX, 0.0);
    EXPECT_EQ(box.maxX, 1000.0);
    EXPECT_EQ(box.maxY, 50.0);
}

TEST(TileGrid, AGridReadFromAPavementFileStays) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{0.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    doc.m_bLoadedFromTms = 1;
    const TileGrid read{5, 3, 77.5f, {-12.0, 0.0, 40.0}};
    doc.m_TileGrid = read;
    const TileGridUpdate update = ComputeTileGrid(doc);
    EXPECT_EQ(update.extent, 1000.0);
    EXPECT_FALSE(update.changed);
    EXPECT_EQ(doc.m_TileGrid, read);
}

TEST(TileGrid, NothingToTileKeepsTheGrid) {
    CRollpathDoc doc;
    const TileGrid before = doc.m_TileGrid;
    const TileGridUpdate update = ComputeTileGrid(doc);
    EXPECT_LT(update.extent, 0.0);
    EXPECT_FALSE(update.changed);
    EXPECT_EQ(doc.m_TileGrid, before);
    EXPECT_TRUE(ComputeDrawingBox(doc).Empty());
}

}  // namespace
}  // namespace rollpath
