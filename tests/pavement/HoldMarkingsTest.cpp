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

}  // namespace
}  // namespace rollpath
