#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "pavement/HoldMarkings.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

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

struct HoldCase {
    const char* name;
    double width;
    int dashes;      // per dashed line
    double endDash;  // length of the first and last dash
    double reach;    // the dashes span -reach .. +reach across the rollpath
};

class RunwayHoldCase : public ::testing::TestWithParam<HoldCase> {};

TEST_P(RunwayHoldCase, DashedLinesAreSymmetricWithThreeFootDashesAndGaps) {
    const HoldCase& c = GetParam();
    for (const bool atVertex0 : {true, false}) {
        SCOPED_TRACE(atVertex0 ? "runway at vertex0" : "runway at vertex1");
        SouthFromRunway r(c.width, atVertex0);
        r.s->extent0 = 75.0;
        QuadBuffer b;
        EXPECT_EQ(RunwayHoldQuads(r.doc, *r.s, b), 2 * c.dashes + 2);
        EXPECT_FALSE(b.Cut());
        // Dashed lines at 75..76 and 77..78 ft from the runway side.
        for (const double at : {75.0, 77.0}) {
            const auto dashes = AcrossAt(b, -(at + 1.0), -at);
            ASSERT_EQ(static_cast<int>(dashes.size()), c.dashes) << at;
            EXPECT_NEAR(dashes.front().from, -c.reach, kTol);
            EXPECT_NEAR(dashes.back().to, c.reach, kTol);
            for (std::size_t i = 0; i < dashes.size(); ++i) {
                const bool end = i == 0 || i + 1 == dashes.size();
                EXPECT_NEAR(dashes[i].to - dashes[i].from, end ? c.endDash : 3.0, kTol) << i;
                if (i > 0) {
                    EXPECT_NEAR(dashes[i].from - dashes[i - 1].to, 3.0, kTol) << i;
                }
            }
        }
        // Solid lines across the whole width at 79..80 and 81..82 ft.
        for (const double at : {79.0, 81.0}) {
            const auto solid = AcrossAt(b, -(at + 1.0), -at);
            ASSERT_EQ(solid.size(), 1u) << at;
            EXPECT_NEAR(solid[0].from, -c.width / 2.0, kTol);
            EXPECT_NEAR(solid[0].to, c.width / 2.0, kTol);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, RunwayHoldCase,
                         ::testing::Values(HoldCase{"width_50", 50.0, 9, 2.5, 25.0},
                                           HoldCase{"width_35", 35.0, 7, 1.0, 17.5},
                                           HoldCase{"width_36", 36.0, 7, 1.5, 18.0},
                                           HoldCase{"width_30_starts_inside", 30.0, 5, 3.0, 13.5},
                                           HoldCase{"width_27_whole_periods", 27.0, 5, 3.0, 13.5},
                                           HoldCase{"width_2_one_dash", 2.0, 1, 3.0, 1.5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HoldMarkings, TheCentreLineIsCutAroundTheHold) {
    for (const bool atVertex0 : {true, false}) {
        SCOPED_TRACE(atVertex0 ? "runway at vertex0" : "runway at vertex1");
        SouthFromRunway r(50.0, atVertex0);
        r.s->extent0 = 75.0;
        QuadBuffer b;
        ASSERT_EQ(HoldEndQuads(r.doc, *r.s, SegmentFlag::RunwayHold, b), 2);
        const Quad& first = b[0];   // from vertex0
        const Quad& second = b[1];  // to vertex1
        const Quad& stripe = r.s->centreStripe;
        // Each piece keeps its own vertex's end of the stripe.
        EXPECT_EQ(first[0], stripe[0]);
        EXPECT_EQ(first[3], stripe[3]);
        EXPECT_EQ(second[1], stripe[1]);
        EXPECT_EQ(second[2], stripe[2]);
        const double nearEnd = atVertex0 ? first[1].y : second[0].y;
        const double farEnd = atVertex0 ? second[0].y : first[1].y;
        EXPECT_NEAR(nearEnd, -72.0, kTol);
        EXPECT_NEAR(farEnd, -82.5, kTol);
        // The cut ends keep the stripe's width.
        EXPECT_NEAR(std::fabs(first[1].x - first[2].x), 1.0, kTol);
        EXPECT_NEAR(std::fabs(second[0].x - second[3].x), 1.0, kTol);
    }
    // A critical hold 60 ft from vertex0 (here the far end, at (0, -600)),
    // whatever the runway side, cuts the line from 59.5 to 64.5 ft.
    SouthFromRunway r(50.0, false);
    r.s->extent1 = 60.0;
    QuadBuffer b;
    ASSERT_EQ(HoldEndQuads(r.doc, *r.s, SegmentFlag::CriticalHold, b), 2);
    EXPECT_NEAR(b[0][1].y, -600.0 + 59.5, kTol);
    EXPECT_NEAR(b[1][0].y, -600.0 + 64.5, kTol);
    EXPECT_EQ(HoldEndQuads(r.doc, *r.s, SegmentFlag::BlastPad, b), 0);
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

TEST(HoldMarkings, DamagedSegmentsGiveNothingOrFiniteCounts) {
    SouthFromRunway r(50.0, true);
    QuadBuffer b;
    r.s->width = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(RunwayHoldQuads(r.doc, *r.s, b), 0);
    EXPECT_EQ(CriticalHoldQuads(r.doc, *r.s, b), 2);
    r.s->width = 50.0f;
    r.s->vertex1 = kMaxVertices + 3;
    EXPECT_EQ(RunwayHoldQuads(r.doc, *r.s, b), 0);
    EXPECT_EQ(CriticalHoldQuads(r.doc, *r.s, b), 0);
    EXPECT_EQ(HoldEndQuads(r.doc, *r.s, SegmentFlag::RunwayHold, b), 0);
}

}  // namespace
}  // namespace rollpath
