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

DPoint Centre(const Quad& q) {
    return DPoint{(q[0].x + q[1].x + q[2].x + q[3].x) / 4.0, (q[0].y + q[1].y + q[2].y + q[3].y) / 4.0};
}

double Length(const DPoint& a, const DPoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

struct Box {
    double x0, x1, y0, y1;
};

Box Bounds(const Quad& q) {
    Box b{q[0].x, q[0].x, q[0].y, q[0].y};
    for (const DPoint& p : q) {
        b.x0 = std::min(b.x0, p.x);
        b.x1 = std::max(b.x1, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.y1 = std::max(b.y1, p.y);
    }
    return b;
}

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

TEST_F(RunwayMarkings, ClosedRunwayCrossesSit75FeetInAt45And135Degrees) {
    RunwayRecord& r = Runway(4);
    r.closed = 1;
    BuildRunwayMarkings(r, pieces);
    ASSERT_EQ(pieces.size(), 4u);
    const DPoint centres[] = {{75.0, 0.0}, {75.0, 0.0}, {9925.0, 0.0}, {9925.0, 0.0}};
    for (std::size_t i = 0; i < 4; ++i) {
        const Quad& q = pieces[i];
        EXPECT_NEAR(Centre(q).x, centres[i].x, 1e-9);
        EXPECT_NEAR(Centre(q).y, centres[i].y, 1e-9);
        EXPECT_NEAR(Length(q[0], q[1]), 60.0, 1e-9);
        EXPECT_NEAR(Length(q[1], q[2]), 10.0, 1e-9);
        const double angle = std::atan2(q[1].y - q[0].y, q[1].x - q[0].x) * kRadToDeg;
        EXPECT_NEAR(NormalizeAngle(angle, 360.0), i % 2 == 0 ? 45.0 : 135.0, 1e-9);
    }
}

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

TEST_F(RunwayMarkings, ThresholdBarsSpreadAcrossTheWidth) {
    const RunwayRecord& r = Runway(4);
    AppendThresholdBars(r, pieces);
    ASSERT_EQ(pieces.size(), 16u);
    const double s = 150.0 / 11.0;
    for (int i = 0; i < 4; ++i) {
        const Box left = Bounds(pieces[static_cast<std::size_t>(2 * i)]);
        const Box right = Bounds(pieces[static_cast<std::size_t>(2 * i + 1)]);
        EXPECT_NEAR(left.x0, 5.0, 1e-9);
        EXPECT_NEAR(left.x1, 125.0, 1e-9);
        EXPECT_NEAR(left.y0, (i + 0.5) * s, 1e-9);
        EXPECT_NEAR(left.y1, (i + 0.5) * s + 2.0 * s / 3.0, 1e-9);
        EXPECT_NEAR(right.y1, -(i + 0.5) * s, 1e-9);
        // At end 2 the bars run back from 5 ft inside it.
        const Box far = Bounds(pieces[static_cast<std::size_t>(8 + 2 * i)]);
        EXPECT_NEAR(far.x1, 9995.0, 1e-9);
        EXPECT_NEAR(far.x0, 9875.0, 1e-9);
    }
}

TEST_F(RunwayMarkings, DisplacedThresholdsMoveBarsAndDashes) {
    const RunwayRecord& r = Runway(4, 350, 120);
    AppendThresholdBars(r, pieces);
    EXPECT_NEAR(Bounds(pieces[0]).x0, 358.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces[8]).x1, 10000.0 - 128.0, 1e-9);
    pieces.clear();
    AppendCentreLineDashes(r, pieces);
    // The line from 550 to 9680 ft: 9130 ft, 45 dashes.
    ASSERT_EQ(pieces.size(), 45u);
    EXPECT_NEAR(Bounds(pieces[0]).x0, 550.0 + 80.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces[0]).x1, 750.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces[0]).y1 - Bounds(pieces[0]).y0, 2.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces.back()).x1, 550.0 + 45 * 200.0, 1e-9);
}

struct ArrowCase {
    int displaced;
    std::size_t arrows;
};

TEST_F(RunwayMarkings, OneArrowPerHundredFeetOfDisplacementAtMostFive) {
    for (const ArrowCase c : {ArrowCase{0, 0}, ArrowCase{60, 0}, ArrowCase{100, 1}, ArrowCase{299, 2},
                              ArrowCase{500, 5}, ArrowCase{1200, 5}, ArrowCase{-300, 0}}) {
        doc.CleanUp();
        const RunwayRecord& r = Runway(1, c.displaced);
        pieces.clear();
        AppendDisplacedThresholdMarks(r, 0, pieces);
        const std::size_t expected = c.displaced > 0 ? 1 + 3 * c.arrows : 0;
        EXPECT_EQ(pieces.size(), expected) << c.displaced;
        if (c.displaced > 0) {
            const Box bar = Bounds(pieces[0]);
            EXPECT_NEAR(bar.x0, c.displaced, 1e-9);
            EXPECT_NEAR(bar.x1, c.displaced + 3.0, 1e-9);
            EXPECT_NEAR(bar.y0, -75.0, 1e-9);
            EXPECT_NEAR(bar.y1, 75.0, 1e-9);
        }
        // Every arrow lies in the displaced area, on the centre line.
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Box b = Bounds(pieces[i]);
            EXPECT_GE(b.x0, 0.0) << c.displaced;
            EXPECT_LE(b.x1, c.displaced) << c.displaced;
            EXPECT_LE(std::max(std::fabs(b.y0), std::fabs(b.y1)), 150.0 / 4.0) << c.displaced;
        }
    }
}

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

TEST(Arrowhead, ArmsAreStrokeWideAndOpenAtTenDegrees) {
    for (const double stroke : {1.0, 1.5, 2.0}) {
        const DPoint tip{100.0, 50.0};
        const double phi = 0.7;
        const auto p = ArrowheadPoints(tip, phi, 25.0, stroke);
        EXPECT_EQ(p[0], tip);
        EXPECT_NEAR(Length(p[0], p[3]), 25.0, 1e-9);
        EXPECT_NEAR(Length(p[0], p[5]), 25.0, 1e-9);
        EXPECT_NEAR(std::atan2(p[3].y - p[0].y, p[3].x - p[0].x), phi - 10.0 * kDegToRad, 1e-12);
        EXPECT_NEAR(std::atan2(p[5].y - p[0].y, p[5].x - p[0].x), phi + 10.0 * kDegToRad, 1e-12);
        // The arm's inner edge (p1 to p2) runs parallel to its outer edge, a stroke apart.
        const DPoint dir{std::cos(phi - 10.0 * kDegToRad), std::sin(phi - 10.0 * kDegToRad)};
        const double apart = std::fabs((p[1].x - p[0].x) * dir.y - (p[1].y - p[0].y) * dir.x);
        EXPECT_NEAR(apart, stroke, 1e-9);
        std::vector<Quad> quads;
        AppendArrowheadQuads(p, quads);
        ASSERT_EQ(quads.size(), 2u);
        EXPECT_EQ(quads[1], (Quad{p[0], p[1], p[4], p[5]}));
    }
    EXPECT_EQ(ArrowStrokeFor(50.0), 1.0);
    EXPECT_EQ(ArrowStrokeFor(50.5), 1.5);
    EXPECT_EQ(ArrowStrokeFor(100.0), 1.5);
    EXPECT_EQ(ArrowStrokeFor(150.0), 2.0);
}

TEST_F(RunwayMarkings, AimingPointBarsAreAThousandFeetPastTheThreshold) {
    const RunwayRecord& r = Runway(7, 300);
    AppendAimingPointBars(r, pieces);
    ASSERT_EQ(pieces.size(), 4u);
    const Box left = Bounds(pieces[0]);
    EXPECT_NEAR(left.x0, 1300.0, 1e-9);
    EXPECT_NEAR(left.x1, 1450.0, 1e-9);
    EXPECT_NEAR(left.y0, 0.45 * 75.0, 1e-9);
    EXPECT_NEAR(left.y1, 0.85 * 75.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces[1]).y1, -0.45 * 75.0, 1e-9);
    EXPECT_NEAR(Bounds(pieces[2]).x1, 9000.0, 1e-9);
    // A runway too short for bars in its own half gets none.
    doc.CleanUp();
    RunwayRecord& shortRunway = AddRunway(doc, DPoint{0.0, 0.0}, DPoint{2200.0, 0.0}, 75);
    shortRunway.endAttr0 = 7;
    pieces.clear();
    AppendAimingPointBars(shortRunway, pieces);
    EXPECT_TRUE(pieces.empty());
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
