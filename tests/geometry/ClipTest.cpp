#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "geometry/Clip.h"
#include "geometry/PolygonMeasures.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

const ClipRect kRect{0.0, 100.0, 100.0, 0.0};

struct Recorder {
    std::vector<std::string> messages;
    ReportFn Fn() {
        return [this](std::string_view text) { messages.emplace_back(text); };
    }
};

bool HasPoint(const std::vector<DPoint>& v, DPoint p) {
    return std::find(v.begin(), v.end(), p) != v.end();
}

// ---- PreciseClipToRectangle --------------------------------------------------

TEST(PreciseClipToRectangle, PieceThroughSeveralSidesIsTracedOnce) {
    // A band across the top-left corner (entering through the left side and
    // again through the top) and an arm entering through the right side,
    // joined outside the rectangle. The entering intersections are listed
    // side by side: band-left, arm-right, band-top. The band must come out
    // once and the arm must not be lost.
    std::vector<DPoint> v{{-30, 30}, {-30, 60}, {40, 130}, {160, 130}, {160, 40},
                          {80, 40},  {80, 55},  {150, 55}, {150, 120}, {60, 120}};
    std::vector<DPoint> points;
    std::vector<int> counts;
    ASSERT_EQ(PreciseClipToRectangle(v.data(), static_cast<int>(v.size()), kRect, points, counts, {}), 2);
    ASSERT_EQ(counts, (std::vector<int>{4, 4}));
    const std::vector<DPoint> band(points.begin(), points.begin() + 4);
    const std::vector<DPoint> arm(points.begin() + 4, points.end());
    EXPECT_DOUBLE_EQ(PolygonArea(band.data(), 4), 750.0);
    EXPECT_DOUBLE_EQ(PolygonArea(arm.data(), 4), 300.0);
    EXPECT_TRUE(HasPoint(arm, {100, 40}) && HasPoint(arm, {80, 55}));
}

TEST(PreciseClipToRectangle, RefusesTooManyVertices) {
    std::vector<DPoint> big = testing::StarPolygon(kMaxSubjectNodes, 7u, 40.0, 45.0, {50, 50});
    std::vector<DPoint> points;
    std::vector<int> counts;
    Recorder recorder;
    EXPECT_EQ(PreciseClipToRectangle(big.data(), static_cast<int>(big.size()), kRect, points, counts,
                                     recorder.Fn()),
              0);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"ClipAgainstEdge2: maximum polygon size exceeded"});
    EXPECT_TRUE(points.empty());

    // One vertex fewer fits.
    big.pop_back();
    recorder.messages.clear();
    EXPECT_EQ(PreciseClipToRectangle(big.data(), static_cast<int>(big.size()), kRect, points, counts,
                                     recorder.Fn()),
              1);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(PreciseClipToRectangle, VerticesOnTheSidesStayWithinTheCapacities) {
    // Coordinates on a 25-foot grid put vertices exactly on the sides and
    // edges along them, where the strict intersection test misses crossings
    // and the tracing can lose its way. Whatever comes out stays within the
    // capacities and inside the rectangle.
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> grid(-4, 8);
    std::uniform_int_distribution<int> count(3, 30);
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<DPoint> v(static_cast<std::size_t>(count(rng)));
        for (DPoint& p : v) {
            p = {25.0 * grid(rng), 25.0 * grid(rng)};
        }
        std::vector<DPoint> points;
        std::vector<int> counts;
        Recorder recorder;
        const int pieces = PreciseClipToRectangle(v.data(), static_cast<int>(v.size()), kRect, points, counts,
                                                  recorder.Fn());
        ASSERT_GE(pieces, -1);
        ASSERT_LT(static_cast<int>(points.size()), kMaxClipOutputPoints);
        ASSERT_LT(static_cast<int>(counts.size()), kMaxClipPieces);
        if (pieces <= 0) {
            ASSERT_TRUE(points.empty());
            continue;
        }
        for (const DPoint& p : points) {
            ASSERT_TRUE(p.x >= 0.0 && p.x <= 100.0 && p.y >= 0.0 && p.y <= 100.0) << "trial " << trial;
        }
    }
}

// ---- Property checks against an independent computation -------------------

// Sutherland-Hodgman of a convex polygon against a rectangle, written
// directly: the reference for the area of polygon AND rectangle.
std::vector<DPoint> ReferenceClipConvex(std::vector<DPoint> poly, const ClipRect& r) {
    struct HalfPlane {
        double nx, ny, c;  // keep nx * x + ny * y <= c
    };
    const HalfPlane planes[] = {{-1, 0, -r.left}, {1, 0, r.right}, {0, 1, r.top}, {0, -1, -r.bottom}};
    for (const HalfPlane& h : planes) {
        std::vector<DPoint> next;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const DPoint a = poly[i];
            const DPoint b = poly[(i + 1) % poly.size()];
            const double fa = h.nx * a.x + h.ny * a.y - h.c;
            const double fb = h.nx * b.x + h.ny * b.y - h.c;
            if (fa <= 0) {
                next.push_back(a);
            }
            if ((fa < 0 && fb > 0) || (fa > 0 && fb < 0)) {
                const double t = fa / (fa - fb);
                next.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
            }
        }
        poly = next;
        if (poly.empty()) {
            break;
        }
    }
    return poly;
}

// A star-shaped polygon is exactly the fan of triangles from its centre; the
// area inside the rectangle is the sum of the clipped triangles.
double ReferenceArea(const std::vector<DPoint>& star, DPoint centre, const ClipRect& r) {
    double area = 0.0;
    for (std::size_t i = 0; i < star.size(); ++i) {
        const std::vector<DPoint> piece =
            ReferenceClipConvex({centre, star[i], star[(i + 1) % star.size()]}, r);
        area += std::fabs(testing::Shoelace(piece.data(), static_cast<int>(piece.size())));
    }
    return area;
}

TEST(ClipProperty, AreasMatchAnIndependentClipOfTheFan) {
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> vertexCount(3, 40);
    std::uniform_real_distribution<double> coord(-120.0, 120.0);
    std::uniform_real_distribution<double> size(10.0, 150.0);
    int cutCases = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const DPoint centre{coord(rng), coord(rng)};
        const int n = vertexCount(rng);
        const double rMax = size(rng);
        std::vector<DPoint> star =
            testing::StarPolygon(n, static_cast<std::uint32_t>(trial), rMax * 0.2, rMax, centre);
        const double left = coord(rng);
        const double bottom = coord(rng);
        const ClipRect rect{left, left + size(rng), bottom + size(rng), bottom};
        const double expected = ReferenceArea(star, centre, rect);
        const double tolerance = 1e-7 * (1.0 + expected);

        // The output may be the input vector itself.
        std::vector<DPoint> fast = star;
        const int fastCount = ClipToRectangle(fast.data(), n, rect, fast);
        const double fastArea = fastCount == 0 ? 0.0 : std::fabs(PolygonArea(fast.data(), fastCount));
        ASSERT_NEAR(fastArea, expected, tolerance) << "trial " << trial;

        // Half the trials pass the outline clockwise.
        if (trial % 2 == 1) {
            star = testing::Reversed(star);
        }
        std::vector<DPoint> points;
        std::vector<int> counts;
        Recorder recorder;
        const int pieces = PreciseClipToRectangle(star.data(), n, rect, points, counts, recorder.Fn());
        ASSERT_GE(pieces, 0) << "trial " << trial;
        ASSERT_TRUE(recorder.messages.empty());
        ASSERT_EQ(static_cast<int>(counts.size()), pieces);
        double total = 0.0;
        std::size_t first = 0;
        for (const int count : counts) {
            const double a = PolygonArea(&points[first], count);
            EXPECT_GE(a, -tolerance) << "a piece runs counter-clockwise, trial " << trial;
            total += a;
            first += static_cast<std::size_t>(count);
        }
        ASSERT_EQ(first, points.size());
        ASSERT_NEAR(total, expected, tolerance) << "trial " << trial << ", " << pieces << " pieces";

        const double slack = 1e-9 * 300.0;
        for (const std::vector<DPoint>* out : {&fast, &points}) {
            for (const DPoint& p : *out) {
                ASSERT_TRUE(p.x >= rect.left - slack && p.x <= rect.right + slack &&
                            p.y >= rect.bottom - slack && p.y <= rect.top + slack)
                    << "trial " << trial << " at " << p.x << ", " << p.y;
            }
        }
        if (pieces > 1) {
            ++cutCases;
        }
    }
    // The random cases must include outlines cut into several pieces.
    EXPECT_GT(cutCases, 20);
}

}  // namespace
}  // namespace rollpath
