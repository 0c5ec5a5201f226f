#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddRunway;

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

}  // namespace
}  // namespace rollpath
