#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "pavement/LightRows.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

struct RowCase {
    const char* name;
    double length;
    int liteSpacing;
    int lights;
    double spacing;
};

class LightRowCase : public ::testing::TestWithParam<RowCase> {};

TEST_P(LightRowCase, PlacesEvenlySpacedLightsWithBothEndsLit) {
    const RowCase& c = GetParam();
    // A slanted row, so the spacing is measured along the line.
    const double a = 0.6;
    const std::array<DPoint, 2> row{DPoint{100.0, -50.0},
                                    DPoint{100.0 + c.length * std::cos(a), -50.0 + c.length * std::sin(a)}};
    std::vector<DPoint> points;
    double spacing = -1.0;
    EXPECT_EQ(LightPointsAlongLine(row, c.liteSpacing, points, spacing), c.lights);
    ASSERT_EQ(static_cast<int>(points.size()), c.lights);
    EXPECT_NEAR(spacing, c.spacing, 1e-9);
    EXPECT_EQ(points.front(), row[0]);
    EXPECT_NEAR(points.back().x, row[1].x, 1e-9);
    EXPECT_NEAR(points.back().y, row[1].y, 1e-9);
    for (std::size_t k = 1; k < points.size(); ++k) {
        EXPECT_NEAR(std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y), c.spacing,
                    1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Lights, LightRowCase,
                         ::testing::Values(RowCase{"row_450_spacing_100", 450.0, 100, 6, 90.0},
                                           RowCase{"row_150_always_three", 150.0, 100, 3, 75.0},
                                           RowCase{"row_150_ignores_long_spacing", 150.0, 500, 3, 75.0},
                                           RowCase{"exactly_100_general_rule", 100.0, 100, 2, 100.0},
                                           RowCase{"exactly_200_general_rule", 200.0, 100, 3, 100.0},
                                           RowCase{"row_30_raised_to_one_interval", 30.0, 100, 2, 30.0},
                                           RowCase{"spacing_0_counts_as_one_foot", 10.0, 0, 11, 1.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Lights, ARowOfOnePointIsASingleLight) {
    std::vector<DPoint> points;
    double spacing = -1.0;
    EXPECT_EQ(LightPointsAlongLine({DPoint{3, 4}, DPoint{3, 4}}, 100, points, spacing), 1);
    EXPECT_EQ(points, std::vector<DPoint>{(DPoint{3, 4})});
    EXPECT_EQ(spacing, 0.0);
}

TEST(Lights, DamagedRowsStayBounded) {
    std::vector<DPoint> points;
    double spacing = 0.0;
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{1e12, 0}}, 1, points, spacing), kMaxLightsPerRow);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{nan, 0}}, 100, points, spacing), 1);
}

// A rollpath along the x axis from (0, 0) to (length, 0), 50 ft wide.
struct Row {
    CRollpathDoc doc;
    RollpathSegment* s = nullptr;
    Row(double length, int class0, int class1) {
        const int a = testing::AddVertexAt(doc, 0.0, 0.0);
        const int b = testing::AddVertexAt(doc, length, 0.0);
        s = &testing::AddSegment(doc, a, b, 50.0);
        s->endClass0 = class0;
        s->endClass1 = class1;
    }
    // Cuts every stripe back to run from x0 to x1 (as junction curves do).
    void TrimStripes(double x0, double x1) {
        for (Quad* q : {&s->centreStripe, &s->rightEdgeStripe, &s->leftEdgeStripe}) {
            (*q)[0].x = (*q)[3].x = x0;
            (*q)[1].x = (*q)[2].x = x1;
        }
    }
};

void ExpectRows(const RollpathSegment& s, double x0, double x1, double offset) {
    EXPECT_NEAR(s.centreLightLine[0].x, x0, 1e-9);
    EXPECT_NEAR(s.centreLightLine[1].x, x1, 1e-9);
    EXPECT_NEAR(s.centreLightLine[0].y, 0.0, 1e-9);
    for (int i = 0; i < 2; ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_NEAR(s.rightLightLine[at].x, s.centreLightLine[at].x, 1e-9);
        EXPECT_NEAR(s.leftLightLine[at].x, s.centreLightLine[at].x, 1e-9);
        EXPECT_NEAR(s.rightLightLine[at].y, -offset, 1e-9);
        EXPECT_NEAR(s.leftLightLine[at].y, offset, 1e-9);
    }
}

// The rows follow the stretch the stripes cover (from `from` to `to`): at a
// dead end they start where the markings start, at a junction they stop
// 50 ft short of its stripe ends; a stretch shorter than two LiteSpacings
// (100 ft) with a junction at an end gets one light each at its middle.
TEST(LightLines, RowsFollowTheMarkedStretch) {
    constexpr int kDead = EndClass::DeadEnd;
    constexpr int kJoin = EndClass::Rollpath;
    struct Case {
        const char* name;
        double length;
        int class0, class1;
        double from, to;
        double row0, row1;
    };
    const Case cases[] = {
        {"between junctions", 460.0, kJoin, kJoin, 30.0, 430.0, 80.0, 380.0},
        {"exactly two spacings", 260.0, kJoin, kJoin, 30.0, 230.0, 80.0, 180.0},
        {"shorter than two spacings", 200.0, EndClass::Runway, kJoin, 20.0, 170.0, 95.0, 95.0},
        {"dead end at vertex0", 500.0, kDead, kJoin, 50.0, 470.0, 50.0, 420.0},
        {"dead end at vertex1", 500.0, kJoin, kDead, 0.0, 420.0, 50.0, 420.0},
        {"two dead ends", 500.0, kDead, kDead, 50.0, 450.0, 50.0, 450.0},
        {"short stub", 200.0, kDead, kJoin, 50.0, 90.0, 70.0, 70.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Row r(c.length, c.class0, c.class1);
        r.TrimStripes(c.from, c.to);
        r.doc.GetSettings().LiteOffset = 10.0;
        UpdateLightLines(r.doc, *r.s);
        // The edge rows lie LiteOffset outside the 50 ft pavement.
        ExpectRows(*r.s, c.row0, c.row1, 35.0);
    }
}

TEST(LightLines, TheShortestStripeSideGivesTheStretch) {
    Row r(600.0, EndClass::Rollpath, EndClass::Rollpath);
    r.TrimStripes(30.0, 570.0);
    // The left edge stripe's outer side is cut shortest: 100 .. 500.
    r.s->leftEdgeStripe[0].x = 100.0;
    r.s->leftEdgeStripe[1].x = 500.0;
    UpdateLightLines(r.doc, *r.s);
    ExpectRows(*r.s, 150.0, 450.0, 30.0);
    // The right stripe's inner side, cut on a slant, is projected across the
    // segment from its inner points.
    r.s->rightEdgeStripe[0] = DPoint{200.0, -22.0};
    r.s->rightEdgeStripe[1] = DPoint{420.0, -22.0};
    r.s->rightEdgeStripe[3] = DPoint{150.0, -23.0};
    UpdateLightLines(r.doc, *r.s);
    ExpectRows(*r.s, 250.0, 370.0, 30.0);
}

TEST(LightLines, RowsStayWhenTheStretchCannotBeProjected) {
    Row r(600.0, EndClass::Rollpath, EndClass::Rollpath);
    r.TrimStripes(30.0, 570.0);
    // The centre stripe is shortest and its vertex0 end edge runs along the
    // centre line: it never meets it.
    r.s->centreStripe[0] = DPoint{100.0, 0.0};
    r.s->centreStripe[3] = DPoint{120.0, 0.0};
    r.s->centreStripe[1] = DPoint{300.0, 0.5};
    const auto before = r.s->centreLightLine;
    UpdateLightLines(r.doc, *r.s);
    EXPECT_EQ(r.s->centreLightLine, before);
    // A segment whose vertex index is damaged is left alone too.
    r.s->vertex1 = -4;
    UpdateLightLines(r.doc, *r.s);
    EXPECT_EQ(r.s->centreLightLine, before);
}

}  // namespace
}  // namespace rollpath
