#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/Arrowhead.h"
#include "pavement/RunwayMarkings.h"
#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;

class RunwayMarkings : public ::testing::Test {
protected:
    // 10000 ft east-west, 150 ft wide: runway x runs along the axis from end 1.
    RunwayRecord& Runway(int attribute, int d0 = 0, int d1 = 0) {
        RunwayRecord& r = AddRunway(doc, DPoint{0.0, 0.0}, DPoint{10000.0, 0.0}, 150);
        r.endAttr0 = attribute;
        r.displaced0 = d0;
        r.displaced1 = d1;
        return r;
    }
    CRollpathDoc doc;
    std::vector<Quad> pieces;
};

struct ClassCase {
    int attribute;
    std::size_t bars;
    std::size_t dashes;
    std::size_t aiming;
};

TEST_F(RunwayMarkings, PiecesByMarkingClass) {
    // 10000 ft: 48 dashes between lines 200 ft in (9600 ft), 50 without the inset.
    for (const ClassCase c :
         {ClassCase{0, 0, 0, 0}, ClassCase{1, 0, 50, 0}, ClassCase{2, 0, 0, 0}, ClassCase{4, 16, 48, 0},
          ClassCase{6, 16, 48, 4}, ClassCase{7, 16, 48, 4}, ClassCase{0x207, 16, 48, 4}}) {
        doc.CleanUp();
        const RunwayRecord& r = Runway(c.attribute);
        std::vector<Quad> bars;
        std::vector<Quad> dashes;
        std::vector<Quad> aiming;
        AppendThresholdBars(r, bars);
        AppendCentreLineDashes(r, dashes);
        AppendAimingPointBars(r, aiming);
        EXPECT_EQ(bars.size(), c.bars) << c.attribute;
        EXPECT_EQ(dashes.size(), c.dashes) << c.attribute;
        EXPECT_EQ(aiming.size(), c.aiming) << c.attribute;
        pieces.clear();
        BuildRunwayMarkings(r, pieces);
        EXPECT_EQ(pieces.size(), c.bars + c.dashes + c.aiming) << c.attribute;
    }
}

struct ArrowCase {
    int displaced;
    std::size_t arrows;
};

TEST_F(RunwayMarkings, ArrowsPointTowardTheThresholdAtBothEnds) {
    const RunwayRecord& r = Runway(1, 200, 200);
    AppendDisplacedThresholdMarks(r, 0, pieces);
    ASSERT_EQ(pieces.size(), 7u);
    // The head's tip is its point nearest the threshold.
    EXPECT_NEAR(pieces[1][0].x, 190.0, 1e-9);
    EXPECT_GT(pieces[1][0].x, pieces[1][3].x);
    pieces.clear();
    AppendDisplacedThresholdMarks(r, 1, pieces);
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_NEAR(pieces[1][0].x, 10000.0 - 190.0, 1e-9);
    EXPECT_LT(pieces[1][0].x, pieces[1][3].x);
}

// Every piece of an open runway lies on the runway, whatever its heading.
TEST_F(RunwayMarkings, PiecesStayOnTheRunway) {
    testing::DeterministicRandom rng(3);
    for (int i = 0; i < 200; ++i) {
        doc.CleanUp();
        const double a = rng.Uniform(0.0, kTwoPi);
        const double length = rng.Uniform(1200.0, 14000.0);
        const DPoint e0{rng.Uniform(-5000, 5000), rng.Uniform(-5000, 5000)};
        RunwayRecord& r = AddRunway(doc, e0, DPoint{e0.x + length * std::cos(a), e0.y + length * std::sin(a)},
                                    rng.Int(40, 200));
        r.endAttr0 = std::vector<int>{1, 4, 6, 7}[static_cast<std::size_t>(rng.Int(0, 3))];
        r.displaced0 = rng.Chance(0.5) ? rng.Int(0, static_cast<int>(length / 4.0)) : 0;
        r.displaced1 = rng.Chance(0.5) ? rng.Int(0, static_cast<int>(length / 4.0)) : 0;
        pieces.clear();
        BuildRunwayMarkings(r, pieces);
        for (const Quad& q : pieces) {
            for (const DPoint& p : q) {
                EXPECT_GE(PointInPolygon(p.x, p.y, r.corners.data(), 4), 0) << i;
            }
        }
    }
}

}  // namespace
}  // namespace rollpath
