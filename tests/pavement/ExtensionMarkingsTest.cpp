#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "pavement/ExtensionMarkings.h"
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

TEST(BlastPad, A200FootPadHasFourChevronsFiftyFeetApart) {
    Extension e(150.0, 200.0, SegmentFlag::BlastPad);
    ASSERT_NE(e.s->flags & SegmentFlag::ExtensionAt1, 0);
    QuadBuffer b;
    ASSERT_EQ(BlastPadQuads(*e.s, b), 8);
    const double arm = (150.0 - 6.0) * kSqrt2 / 2.0;  // 101.8 ft
    for (int c = 0; c < 4; ++c) {
        const DPoint apex{1000.0 + 50.0 * c, 0.0};
        for (int k = 0; k < 2; ++k) {
            const Quad& q = b[2 * c + k];
            EXPECT_NEAR(q[0].x, apex.x, kTol);
            EXPECT_NEAR(q[0].y, apex.y, kTol);
            EXPECT_NEAR(Dist(q[0], q[1]), arm, kTol);
            // The arm ends 3 ft inside the pavement edge, away from the runway.
            EXPECT_NEAR(std::fabs(q[1].y), 72.0, kTol);
            EXPECT_GT(q[1].x, apex.x);
            // The stroke is 3 ft wide.
            EXPECT_NEAR(Dist(q[1], q[2]), 3.0, kTol);
            EXPECT_NEAR(Dist(q[0], q[3]), 3.0 * kSqrt2, kTol);
        }
        // One arm each side of the axis.
        EXPECT_LT(b[2 * c][1].y * b[2 * c + 1][1].y, 0.0);
    }
}

TEST(BlastPad, A300FootPadStartsWithTipsAndEndsWithAShortChevron) {
    Extension e(150.0, 300.0, SegmentFlag::BlastPad);
    QuadBuffer b;
    ASSERT_EQ(BlastPadQuads(*e.s, b), 8);
    const double arm = (150.0 - 6.0) * kSqrt2 / 2.0;
    // The tips of the chevron 50 ft behind the runway's end start on the end
    // line, 50 ft either side of the axis.
    EXPECT_NEAR(b[0][0].x, 1000.0, kTol);
    EXPECT_NEAR(b[0][0].y, -50.0, kTol);
    EXPECT_NEAR(b[1][0].x, 1000.0, kTol);
    EXPECT_NEAR(b[1][0].y, 50.0, kTol);
    EXPECT_NEAR(Dist(b[0][0], b[0][1]), arm - 50.0 * kSqrt2, kTol);
    // Chevrons at 50 and 150 ft with full arms, and at 250 ft with the 50 ft
    // left over (arms 70.7 ft).
    const double apexes[] = {1050.0, 1150.0, 1250.0};
    const double arms[] = {arm, arm, 50.0 * kSqrt2};
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 2; ++k) {
            const Quad& q = b[2 + 2 * c + k];
            EXPECT_NEAR(q[0].x, apexes[c], kTol);
            EXPECT_NEAR(q[0].y, 0.0, kTol);
            EXPECT_NEAR(Dist(q[0], q[1]), arms[c], kTol);
        }
    }
}

TEST(BlastPad, AShortRestIsLeftBareAndALongPadIsCutAtTheBuffer) {
    Extension shortRest(100.0, 120.0, SegmentFlag::BlastPad);  // 2 chevrons, 20 ft left
    QuadBuffer b;
    EXPECT_EQ(BlastPadQuads(*shortRest.s, b), 4);
    Extension longPad(100.0, 1.0e7, SegmentFlag::BlastPad);
    EXPECT_EQ(BlastPadQuads(*longPad.s, b), kMarkingBufferQuads);
    EXPECT_TRUE(b.Cut());
    Extension none(100.0, -500.0);  // ends inside the runway: no extension
    EXPECT_EQ(BlastPadQuads(*none.s, b), 0);
}

struct ArrowCase {
    const char* name;
    double width;
    double stroke;
};

class ArrowheadCase : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowheadCase, FourArrowheadsPointBackAtTheRunway) {
    const ArrowCase& c = GetParam();
    Extension e(c.width, 300.0);
    ExtensionArrowheads(e.doc, *e.s);
    const double q = c.width / 4.0;
    const double arms = 10.0 * 3.141592653589793 / 180.0;
    for (int k = 0; k < 4; ++k) {
        const auto& m = e.s->extensionMarks[static_cast<std::size_t>(k)];
        // Tips 4 ft past the runway's end, a quarter width apart.
        EXPECT_NEAR(m[0].x, 1004.0, kTol);
        EXPECT_NEAR(m[0].y, (-1.5 + k) * q, kTol);
        // Arms q long, opening 10 degrees either side, away from the runway.
        for (const int tip : {3, 5}) {
            const DPoint& p = m[static_cast<std::size_t>(tip)];
            EXPECT_NEAR(Dist(m[0], p), q, kTol);
            EXPECT_NEAR(std::atan2(std::fabs(p.y - m[0].y), p.x - m[0].x), arms, kTol);
        }
        // Each arm is a stroke of the width for its rollpath: its inner
        // side (from p1) runs parallel to its outer side, `stroke` away.
        for (const int far : {2, 4}) {
            const DPoint& p = m[static_cast<std::size_t>(far)];
            const DPoint& outer = m[static_cast<std::size_t>(far + 1)];
            const double dx = outer.x - m[0].x;
            const double dy = outer.y - m[0].y;
            const double length = std::hypot(dx, dy);
            EXPECT_NEAR(std::fabs((m[1].x - m[0].x) * dy - (m[1].y - m[0].y) * dx) / length, c.stroke, 1e-9);
            EXPECT_NEAR(std::fabs((p.x - m[0].x) * dy - (p.y - m[0].y) * dx) / length, c.stroke, 1e-9);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ArrowheadCase,
                         ::testing::Values(ArrowCase{"width_50", 50.0, 1.0},
                                           ArrowCase{"width_100", 100.0, 1.5},
                                           ArrowCase{"width_150", 150.0, 2.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Arrowheads, AnExtensionAtVertex0PointsTheOtherWay) {
    CRollpathDoc doc;
    AddRunway(doc, {-1000.0, 0.0}, {1000.0, 0.0}, 100);
    const int out = AddVertexAt(doc, 1200.0, 0.0);
    const int in = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& s = AddSegment(doc, out, in, 100.0, SegmentType::RunwayCentreLine);
    ASSERT_NE(s.flags & SegmentFlag::ExtensionAt0, 0);
    ExtensionArrowheads(doc, s);
    EXPECT_NEAR(s.extensionMarks[0][0].x, 1004.0, kTol);
    EXPECT_GT(s.extensionMarks[0][3].x, 1004.0);
}

TEST(Arrowheads, ASegmentWithoutAnExtensionIsLeftAlone) {
    Extension e(100.0, -500.0);
    const auto before = e.s->extensionMarks;
    ExtensionArrowheads(e.doc, *e.s);
    EXPECT_EQ(e.s->extensionMarks, before);
}

}  // namespace
}  // namespace rollpath
