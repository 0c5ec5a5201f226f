// The markings the pavement draws: holds at runway entries, the chevrons of
// a blast pad, and a runway's own bars, dashes and arrows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/Arrowhead.h"
#include "pavement/ExtensionMarkings.h"
#include "pavement/HoldMarkings.h"
#include "pavement/RunwayMarkings.h"
#include "pavement/SegmentGeometry.h"
#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kTol = 1e-9;

// A rollpath running south from a runway vertex at the origin: from the
// runway side u = (0, -1) and n = (1, 0), so a quad's x is its place across
// the rollpath and -y its distance from the runway-side vertex.
struct SouthFromRunway {
    CRollpathDoc doc;
    RollpathSegment* s = nullptr;
    SouthFromRunway(double width, bool runwayAtVertex0) {
        const int r = AddVertexAt(doc, 0.0, 0.0);
        const int o = AddVertexAt(doc, 0.0, -600.0);
        s = runwayAtVertex0 ? &AddSegment(doc, r, o, width) : &AddSegment(doc, o, r, width);
        (runwayAtVertex0 ? s->endClass0 : s->endClass1) = EndClass::Runway;
        s->flags |= SegmentFlag::RunwayHold;
    }
};

struct Interval {
    double from;
    double to;
};

// The across-extent (x) of each quad whose along-extent covers y0..y1.
std::vector<Interval> AcrossAt(const QuadBuffer& b, double y0, double y1) {
    std::vector<Interval> out;
    for (const Quad& q : b) {
        double minX = q[0].x, maxX = q[0].x, minY = q[0].y, maxY = q[0].y;
        for (const DPoint& p : q) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        if (std::fabs(minY - y0) < kTol && std::fabs(maxY - y1) < kTol) {
            out.push_back({minX, maxX});
        }
    }
    std::sort(out.begin(), out.end(), [](const Interval& a, const Interval& b) { return a.from < b.from; });
    return out;
}

TEST(CriticalHold, FiftyFootRollpathHasEightBlocksBetweenTwoBars) {
    SouthFromRunway r(50.0, true);
    r.doc.GetSettings().EdgeInset = 2.0;
    r.doc.GetSettings().EdgeWidth = 1.0;
    r.s->extent1 = 40.0;
    QuadBuffer b;
    ASSERT_EQ(CriticalHoldQuads(r.doc, *r.s, b), 10);
    // Blocks from 41 to 43 ft along, at 3.5 .. 4.5, 5.5 .. 6.5, 13.5 .. 14.5
    // and 15.5 .. 16.5 either side (the next, 23.5, is not below W = 22).
    const auto blocks = AcrossAt(b, -43.0, -41.0);
    const std::vector<double> starts = {-16.5, -14.5, -6.5, -4.5, 3.5, 5.5, 13.5, 15.5};
    ASSERT_EQ(blocks.size(), starts.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_NEAR(blocks[i].from, starts[i], kTol);
        EXPECT_NEAR(blocks[i].to, starts[i] + 1.0, kTol);
    }
    // Bars 1 ft thick from -22 to 22 at 40 and 43 ft.
    for (const double at : {40.0, 43.0}) {
        const auto bar = AcrossAt(b, -(at + 1.0), -at);
        ASSERT_EQ(bar.size(), 1u) << at;
        EXPECT_NEAR(bar[0].from, -22.0, kTol);
        EXPECT_NEAR(bar[0].to, 22.0, kTol);
    }
    // A narrow rollpath gets only the bars: W = 6 - 2 - 1 = 3, not above 3.5.
    SouthFromRunway narrow(12.0, true);
    EXPECT_EQ(CriticalHoldQuads(narrow.doc, *narrow.s, b), 2);
}

TEST(HoldMarkings, AMarkingLargerThanTheBufferIsCutAtOneHundredQuads) {
    SouthFromRunway r(1000.0, true);
    QuadBuffer b;
    EXPECT_EQ(RunwayHoldQuads(r.doc, *r.s, b), kMarkingBufferQuads);
    EXPECT_TRUE(b.Cut());
    SouthFromRunway c(1e12, true);
    EXPECT_EQ(CriticalHoldQuads(c.doc, *c.s, b), kMarkingBufferQuads);
    EXPECT_TRUE(b.Cut());
    // A fresh marking clears the mark.
    SouthFromRunway small(50.0, true);
    EXPECT_EQ(RunwayHoldQuads(small.doc, *small.s, b), 20);
    EXPECT_FALSE(b.Cut());
}

// Every stroke of the chevrons lies on the pad, from the runway's end line
// to the pad's outer end and within its edges, whatever the pad's size and
// heading.
TEST(BlastPad, EveryChevronLiesOnThePad) {
    for (const double heading : {0.0, 2.3}) {
        const DPoint u{std::cos(heading), std::sin(heading)};
        for (int width = 30; width <= 300; width += 9) {
            CRollpathDoc doc;
            AddRunway(doc, {-1000.0 * u.x, -1000.0 * u.y}, {1000.0 * u.x, 1000.0 * u.y}, width);
            const int out = AddVertexAt(doc, 0.0, 0.0);
            RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), out, width,
                                            SegmentType::RunwayCentreLine, SegmentFlag::BlastPad);
            for (int length = 50; length <= 1000; length += 10) {
                doc.Vertex(out).x = (1000.0 + length) * u.x;
                doc.Vertex(out).y = (1000.0 + length) * u.y;
                SegmentGeometry(doc, s);
                ASSERT_NE(s.flags & SegmentFlag::ExtensionAt1, 0);
                QuadBuffer b;
                BlastPadQuads(s, b);
                const std::string pad = std::to_string(width) + " x " + std::to_string(length) + " ft";
                EXPECT_GE(b.size(), 2) << pad;
                for (int i = 0; i < b.size(); ++i) {
                    for (const DPoint& p : b[i]) {
                        const DPoint d{p.x - 1000.0 * u.x, p.y - 1000.0 * u.y};
                        const double along = d.x * u.x + d.y * u.y;
                        const double across = d.y * u.x - d.x * u.y;
                        ASSERT_TRUE(along >= -kTol && along <= length + kTol &&
                                    std::fabs(across) <= width / 2.0 + kTol)
                            << pad << ", quad " << i << " at " << along << " along, " << across << " across";
                    }
                }
            }
        }
    }
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
