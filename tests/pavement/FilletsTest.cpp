#include <gtest/gtest.h>

#include <vector>

#include "pavement/Fillets.h"

namespace rollpath {
namespace {

// A quarter turn from heading east to heading north, with its lead points.
std::vector<DPoint> QuarterTurn(int depth, const Fillet& f) {
    std::vector<DPoint> polyline{{f.t1.x - 1.0, f.t1.y}};
    for (const DPoint& p : FilletCurve(f, depth)) {
        polyline.push_back(p);
    }
    polyline.push_back({f.t2.x, f.t2.y + 1.0});
    return polyline;
}

TEST(CurvedStrip, RefusedAtFortyQuadsOrWhenTheStripWouldNotFit) {
    const Fillet f{{0.0, 0.0}, {20.0, 0.0}, {40.0, 20.0}, {40.0, 40.0}};
    const EndEdge e0{{0.0, 0.5}, {0.0, -0.5}};
    const EndEdge e1{{39.5, 40.0}, {40.5, 40.0}};
    NetworkVertex full;
    for (int i = 0; i < kStripListLimit; ++i) {
        full.edgeQuads.push_back(Quad{});
    }
    EXPECT_FALSE(CurvedStrip(full, StripList::Centre, QuarterTurn(5, f), 1.0, e0, e1));
    EXPECT_EQ(full.centreQuads.size(), 0);

    NetworkVertex nearlyFull;
    for (int i = 0; i < kStripListLimit - 1; ++i) {
        nearlyFull.centreQuads.push_back(Quad{});
    }
    EXPECT_TRUE(CurvedStrip(nearlyFull, StripList::Centre, QuarterTurn(5, f), 1.0, e0, e1));
    EXPECT_EQ(nearlyFull.centreQuads.size(), 44);
    // 39 + 10 would pass the list's 45 entries: the strip is not cut short.
    NetworkVertex tight;
    for (int i = 0; i < kStripListLimit - 1; ++i) {
        tight.centreQuads.push_back(Quad{});
    }
    EXPECT_FALSE(CurvedStrip(tight, StripList::Centre, QuarterTurn(10, f), 1.0, e0, e1));
    EXPECT_EQ(tight.centreQuads.size(), kStripListLimit - 1);
    EXPECT_FALSE(
        CurvedStrip(tight, StripList::Centre, std::vector<DPoint>{{0, 0}, {1, 1}, {2, 2}}, 1.0, e0, e1));
}

}  // namespace
}  // namespace rollpath
