// The markings the pavement draws stay on their pavement: holds at runway
// entries, the chevrons of a blast pad, and a runway's own bars, dashes and
// arrows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
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

// Both hold markings span the rollpath symmetrically about its centre line,
// within its edges and on its own side of the runway, whatever its width and
// whichever end meets the runway.
TEST(HoldMarkings, SpanTheRollpathSymmetricallyWithinItsEdges) {
    for (int width = 12; width <= 300; width += 7) {
        for (const bool runwayAtVertex0 : {true, false}) {
            CRollpathDoc doc;
            const int r = AddVertexAt(doc, 0.0, 0.0);
            const int o = AddVertexAt(doc, 0.0, -600.0);
            RollpathSegment& s =
                runwayAtVertex0 ? AddSegment(doc, r, o, width) : AddSegment(doc, o, r, width);
            (runwayAtVertex0 ? s.endClass0 : s.endClass1) = EndClass::Runway;
            s.flags |= SegmentFlag::RunwayHold;
            for (const auto quads : {&RunwayHoldQuads, &CriticalHoldQuads}) {
                const std::string at = std::to_string(width) + " ft, runway at vertex " +
                                       (runwayAtVertex0 ? "0" : "1") +
                                       (quads == &RunwayHoldQuads ? ", runway hold" : ", critical hold");
                QuadBuffer b;
                ASSERT_GT(quads(doc, s, b), 0) << at;
                double left = 0.0;
                double right = 0.0;
                for (const Quad& q : b) {
                    for (const DPoint& p : q) {
                        left = std::min(left, p.x);
                        right = std::max(right, p.x);
                        EXPECT_TRUE(p.y <= kTol && p.y >= -600.0) << at;
                    }
                }
                EXPECT_NEAR(left, -right, kTol) << at;
                EXPECT_LE(right, width / 2.0 + kTol) << at;
            }
        }
    }
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

// Every piece of an open runway lies on the runway, whatever its heading.
TEST(RunwayMarkings, PiecesStayOnTheRunway) {
    testing::DeterministicRandom rng(3);
    CRollpathDoc doc;
    std::vector<Quad> pieces;
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
