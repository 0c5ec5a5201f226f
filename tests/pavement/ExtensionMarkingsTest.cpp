#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pavement/ExtensionMarkings.h"
#include "pavement/SegmentGeometry.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kTol = 1e-9;

constexpr double kSqrt2 = 1.4142135623730951;

double Dist(const DPoint& a, const DPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A runway from x = -1000 to 1000 along the x axis whose centre line runs on
// `beyond` feet past its east end: the extension's outer end is vertex1.
struct Extension {
    CRollpathDoc doc;
    RollpathSegment* s = nullptr;
    Extension(double width, double beyond, int flags = 0) {
        AddRunway(doc, {-1000.0, 0.0}, {1000.0, 0.0}, static_cast<int>(width));
        const int in = AddVertexAt(doc, 0.0, 0.0);
        const int out = AddVertexAt(doc, 1000.0 + beyond, 0.0);
        s = &AddSegment(doc, in, out, width, SegmentType::RunwayCentreLine, flags);
    }
};

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

// The layout: chevrons 50 ft apart on a pad shorter than 250 ft, else the
// tips of one 50 ft behind the end line and then chevrons 100 ft apart;
// arms 3 ft inside the edges, shortened where the pad ends; a rest of up to
// 25 ft left bare; a pad too long for the buffer cut there.
TEST(BlastPad, ChevronsAndTheirArms) {
    const double arm = (150.0 - 6.0) / kSqrt2;   // 101.8 ft on a 150 ft pad
    const double lastArm = 50.0 * kSqrt2 - 3.0;  // its stroke's corner on the pad's end
    struct Layout {
        double width, length;
        std::vector<double> apexes;  // feet beyond the runway's end; -50 the tips
        std::vector<double> arms;
    };
    const Layout layouts[] = {
        {150.0, 200.0, {0.0, 50.0, 100.0, 150.0}, {arm, arm, arm, lastArm}},
        {150.0, 300.0, {-50.0, 50.0, 150.0, 250.0}, {arm - 50.0 * kSqrt2, arm, arm, lastArm}},
        {100.0, 120.0, {0.0, 50.0}, {94.0 / kSqrt2, 94.0 / kSqrt2}},
    };
    for (const Layout& l : layouts) {
        Extension e(l.width, l.length, SegmentFlag::BlastPad);
        QuadBuffer b;
        ASSERT_EQ(BlastPadQuads(*e.s, b), 2 * static_cast<int>(l.apexes.size())) << l.length;
        for (std::size_t c = 0; c < l.apexes.size(); ++c) {
            for (int k = 0; k < 2; ++k) {
                const Quad& q = b[2 * static_cast<int>(c) + k];
                if (l.apexes[c] < 0.0) {
                    // A tip starts on the end line, 50 ft off the axis.
                    EXPECT_NEAR(q[0].x, 1000.0, kTol);
                    EXPECT_NEAR(std::fabs(q[0].y), 50.0, kTol);
                } else {
                    EXPECT_NEAR(q[0].x, 1000.0 + l.apexes[c], kTol);
                    EXPECT_NEAR(q[0].y, 0.0, kTol);
                }
                EXPECT_NEAR(Dist(q[0], q[1]), l.arms[c], kTol) << l.length << " chevron " << c;
                EXPECT_GT(q[1].x, q[0].x);                 // away from the runway
                EXPECT_NEAR(Dist(q[1], q[2]), 3.0, kTol);  // a 3 ft stroke
            }
            // One arm each side of the axis.
            EXPECT_LT(b[2 * static_cast<int>(c)][1].y * b[2 * static_cast<int>(c) + 1][1].y, 0.0);
        }
    }
    QuadBuffer b;
    Extension longPad(100.0, 1.0e7, SegmentFlag::BlastPad);
    EXPECT_EQ(BlastPadQuads(*longPad.s, b), kMarkingBufferQuads);
    EXPECT_TRUE(b.Cut());
    Extension none(100.0, -500.0);  // ends inside the runway: no extension
    EXPECT_EQ(BlastPadQuads(*none.s, b), 0);
}

}  // namespace
}  // namespace rollpath
