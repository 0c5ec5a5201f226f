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

double AbsArea(const std::vector<DPoint>& v) {
    return std::fabs(PolygonArea(v.data(), static_cast<int>(v.size())));
}

bool HasPoint(const std::vector<DPoint>& v, DPoint p) {
    return std::find(v.begin(), v.end(), p) != v.end();
}

// ---- ClipAgainstEdge and ClipToRectangle ------------------------------------

struct EdgeCase {
    const char* name;
    int side;
    double c;
    std::vector<DPoint> expected;
};

TEST(ClipAgainstEdge, EachSideKeepsItsHalfPlane) {
    // A clockwise square from (0,0) to (10,10), cut at 4 on each side.
    const std::vector<DPoint> square{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    const EdgeCase cases[] = {
        {"left keeps x >= 4", kClipLeft, 4.0, {{4, 10}, {10, 10}, {10, 0}, {4, 0}}},
        {"right keeps x <= 4", kClipRight, 4.0, {{0, 0}, {0, 10}, {4, 10}, {4, 0}}},
        {"top keeps y <= 4", kClipTop, 4.0, {{0, 0}, {0, 4}, {10, 4}, {10, 0}}},
        {"bottom keeps y >= 4", kClipBottom, 4.0, {{0, 4}, {0, 10}, {10, 10}, {10, 4}}},
    };
    for (const EdgeCase& c : cases) {
        std::vector<DPoint> out;
        const int count = ClipAgainstEdge(square.data(), 4, c.c, c.side, out);
        EXPECT_EQ(count, static_cast<int>(c.expected.size())) << c.name;
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(ClipAgainstEdge, VertexOnTheBoundaryIsInside) {
    // (4, 5) lies on the boundary x = 4 and is kept against either side. Its
    // difference is zero and counts as positive, so both edges at it count
    // as crossings too and repeat it: degenerate edges, no lost area.
    const std::vector<DPoint> triangle{{0, 0}, {4, 5}, {0, 10}};
    std::vector<DPoint> out;
    EXPECT_EQ(ClipAgainstEdge(triangle.data(), 3, 4.0, kClipRight, out), 5);
    EXPECT_EQ(out, (std::vector<DPoint>{{0, 0}, {4, 5}, {4, 5}, {4, 5}, {0, 10}}));
    EXPECT_EQ(ClipAgainstEdge(triangle.data(), 3, 4.0, kClipLeft, out), 3);
    EXPECT_EQ(out, (std::vector<DPoint>{{4, 5}, {4, 5}, {4, 5}}));
}

TEST(ClipAgainstEdge, UnknownSideAndEmptyInputGiveNothing) {
    const std::vector<DPoint> square{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    std::vector<DPoint> out{{1, 1}};
    EXPECT_EQ(ClipAgainstEdge(square.data(), 4, 5.0, 4, out), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ClipAgainstEdge(square.data(), 0, 5.0, kClipLeft, out), 0);
    EXPECT_EQ(ClipAgainstEdge(nullptr, 4, 5.0, kClipLeft, out), 0);
}

TEST(ClipToRectangle, InsideOutsideAndContaining) {
    const std::vector<DPoint> inside{{10, 10}, {20, 80}, {90, 50}};
    std::vector<DPoint> out;
    EXPECT_EQ(ClipToRectangle(inside.data(), 3, kRect, out), 3);
    EXPECT_EQ(out, inside);

    const std::vector<DPoint> outside{{200, 10}, {220, 80}, {290, 50}};
    EXPECT_EQ(ClipToRectangle(outside.data(), 3, kRect, out), 0);
    EXPECT_TRUE(out.empty());

    const std::vector<DPoint> around{{-50, -50}, {-50, 150}, {150, 150}, {150, -50}};
    const int count = ClipToRectangle(around.data(), 4, kRect, out);
    EXPECT_GE(count, 4);
    for (const DPoint corner : {DPoint{0, 0}, DPoint{0, 100}, DPoint{100, 100}, DPoint{100, 0}}) {
        EXPECT_TRUE(HasPoint(out, corner)) << corner.x << "," << corner.y;
    }
    EXPECT_DOUBLE_EQ(AbsArea(out), 10000.0);

    EXPECT_EQ(ClipToRectangle(nullptr, 0, kRect, out), 0);
}

TEST(ClipToRectangle, OutputMayBeTheInputVector) {
    std::vector<DPoint> v{{-50, 50}, {50, 150}, {150, 50}, {50, -50}};
    const int count = ClipToRectangle(v.data(), 4, kRect, v);
    EXPECT_EQ(count, static_cast<int>(v.size()));
    // The diamond's corners are cut off: what is left is the octagon of area
    // 10000 less four corner triangles of area 0.
    EXPECT_DOUBLE_EQ(AbsArea(v), 10000.0);
}

TEST(ClipToRectangle, UShapeGivesOneJoinedPolygon) {
    // A U whose two arms reach up into the rectangle from below.
    const std::vector<DPoint> u{{10, -50}, {10, 50}, {30, 50}, {30, -30},
                                {70, -30}, {70, 50}, {90, 50}, {90, -50}};
    std::vector<DPoint> out;
    const int count = ClipToRectangle(u.data(), 8, kRect, out);
    EXPECT_GT(count, 0);
    // Both arms, joined by a run along the bottom side that adds no area.
    EXPECT_DOUBLE_EQ(AbsArea(out), 2 * 20.0 * 50.0);
    for (const DPoint& p : out) {
        EXPECT_GE(p.y, 0.0);
    }
}

TEST(ClipToRectangle, LargeInputsAreNotLimited) {
    // Far more working vertices than the classic 2048-entry buffer.
    const std::vector<DPoint> comb = testing::CombPolygon(1500);
    const ClipRect rect{-1.0, 1e6, 60.0, 10.0};
    std::vector<DPoint> out;
    const int count = ClipToRectangle(comb.data(), static_cast<int>(comb.size()), rect, out);
    EXPECT_GT(count, 2048);
    EXPECT_NEAR(AbsArea(out), 1500 * 10.0 * 40.0 + (2 * 1500 - 1) * 10.0 * 10.0, 1e-6);
}

// ---- ClipAgainstEdge2 --------------------------------------------------------

std::vector<ClipNode> Corners(const ClipRect& r) {
    return {{r.left, r.top, 1, kVertexNode, 0},
            {r.right, r.top, 2, kVertexNode, 0},
            {r.right, r.bottom, 3, kVertexNode, 0},
            {r.left, r.bottom, 0, kVertexNode, 0}};
}

std::vector<ClipNode> Subject(const std::vector<DPoint>& v) {
    std::vector<ClipNode> nodes;
    for (std::size_t i = 0; i < v.size(); ++i) {
        nodes.push_back({v[i].x, v[i].y, static_cast<int>((i + 1) % v.size()), kVertexNode, 0});
    }
    return nodes;
}

TEST(ClipAgainstEdge2, InsertsLinkedIntersectionsInBothLists) {
    // A clockwise square straddling the left side x = 0.
    auto subject = Subject({{-10, 20}, {-10, 40}, {10, 40}, {10, 20}});
    auto clip = Corners(kRect);
    std::vector<int> entering;
    ASSERT_EQ(ClipAgainstEdge2(subject, clip, entering, kClipLeft, {}), 1);
    ASSERT_EQ(subject.size(), 6u);
    ASSERT_EQ(clip.size(), 6u);
    ASSERT_EQ(entering.size(), 1u);

    // Entering on the top edge of the square, leaving on its bottom edge.
    const ClipNode& in = subject[static_cast<std::size_t>(entering[0])];
    EXPECT_EQ(in.kind, kEnteringNode);
    EXPECT_DOUBLE_EQ(in.x, 0.0);
    EXPECT_DOUBLE_EQ(in.y, 40.0);
    EXPECT_EQ(subject[1].next, entering[0]);
    EXPECT_EQ(in.next, 2);
    const ClipNode& inTwin = clip[static_cast<std::size_t>(in.link)];
    EXPECT_EQ(inTwin.link, entering[0]);
    EXPECT_EQ(inTwin.kind, kEnteringNode);

    const int outIndex = subject[3].next;
    const ClipNode& out = subject[static_cast<std::size_t>(outIndex)];
    EXPECT_EQ(out.kind, kLeavingNode);
    EXPECT_DOUBLE_EQ(out.y, 20.0);
    EXPECT_EQ(out.next, 0);

    // The left side runs from corner 3 (bottom) up to corner 0 (top): the
    // leaving point (y 20) comes first, then the entering one (y 40).
    const int first = clip[3].next;
    EXPECT_DOUBLE_EQ(clip[static_cast<std::size_t>(first)].y, 20.0);
    const int second = clip[static_cast<std::size_t>(first)].next;
    EXPECT_DOUBLE_EQ(clip[static_cast<std::size_t>(second)].y, 40.0);
    EXPECT_EQ(clip[static_cast<std::size_t>(second)].next, 0);
}

TEST(ClipAgainstEdge2, CrossingExactlyAtAVertexIsNotFound) {
    // The edge from (-10, 30) ends exactly on the left side at (0, 30).
    auto subject = Subject({{-10, 30}, {0, 30}, {10, 40}, {-10, 40}});
    auto clip = Corners(kRect);
    std::vector<int> entering;
    ASSERT_EQ(ClipAgainstEdge2(subject, clip, entering, kClipLeft, {}), 1);
    // Only the edge from (10, 40) to (-10, 40) gives an intersection.
    EXPECT_EQ(subject.size(), 5u);
    EXPECT_TRUE(entering.empty());
}

TEST(ClipAgainstEdge2, ReportsAFullList) {
    // A comb whose 70 teeth reach down through the bottom side: the entering
    // list fills up.
    std::vector<DPoint> comb = testing::CombPolygon(70);
    for (DPoint& p : comb) {
        p.y -= 50.0;  // teeth from y = -30 to 50, base below the rectangle
    }
    ReversePolygon(comb.data(), static_cast<int>(comb.size()));
    auto subject = Subject(comb);
    const ClipRect wide{-5.0, 2000.0, 100.0, 0.0};
    auto clip = Corners(wide);
    std::vector<int> entering;
    Recorder recorder;
    EXPECT_EQ(ClipAgainstEdge2(subject, clip, entering, kClipBottom, recorder.Fn()), 0);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"ClipAgainstEdge2: maximum polygon size exceeded"});
    EXPECT_LE(static_cast<int>(entering.size()), kMaxEnteringNodes);
}

TEST(ClipAgainstEdge2, MalformedListsAreRefused) {
    auto subject = Subject({{-10, 20}, {-10, 40}, {10, 40}});
    subject[1].next = 99;
    auto clip = Corners(kRect);
    std::vector<int> entering;
    EXPECT_EQ(ClipAgainstEdge2(subject, clip, entering, kClipLeft, {}), 0);
    auto fewCorners = std::vector<ClipNode>(clip.begin(), clip.begin() + 3);
    EXPECT_EQ(ClipAgainstEdge2(subject, fewCorners, entering, kClipLeft, {}), 0);
    EXPECT_EQ(ClipAgainstEdge2(subject, clip, entering, 7, {}), 0);
    // A side of the clip list that leads nowhere, crossed by a whole subject.
    auto straddling = Subject({{-10, 20}, {-10, 40}, {10, 40}, {10, 20}});
    for (ClipNode& corner : clip) {
        corner.next = 99;
    }
    EXPECT_EQ(ClipAgainstEdge2(straddling, clip, entering, kClipLeft, {}), 0);
}

// ---- PreciseClipToRectangle --------------------------------------------------

// Outlines in which no crossing of a side is found: inside (a vertex on a
// side counts as inside; the result, and the caller's array, run clockwise),
// outside, around the rectangle, or meeting its sides only at vertices and
// corners.
TEST(PreciseClipToRectangle, OutlinesWithoutCrossings) {
    const std::vector<DPoint> clockwise{{10, 10}, {20, 80}, {90, 50}};
    const std::vector<DPoint> corners{{0, 100}, {100, 100}, {100, 0}, {0, 0}};
    struct Case {
        const char* name;
        std::vector<DPoint> polygon;
        int pieces;
        std::vector<DPoint> points;
    };
    const Case cases[] = {
        {"inside", clockwise, 1, clockwise},
        {"inside, counter-clockwise", testing::Reversed(clockwise), 1, clockwise},
        {"inside, a vertex on a side", {{0, 50}, {50, 90}, {50, 10}}, 1, {{0, 50}, {50, 90}, {50, 10}}},
        {"outside", {{200, 10}, {220, 80}, {290, 50}}, 0, {}},
        {"two vertices", {{10, 10}, {20, 20}}, 0, {}},
        {"outside, within a foot of a corner", {{-1, 99}, {-5, 105}, {1, 102}}, 0, {}},
        {"outside, touching a side at a vertex", {{0, 50}, {-20, 40}, {-20, 60}}, 0, {}},
        {"around", {{-50, -50}, {-50, 150}, {150, 150}, {150, -50}}, 1, corners},
        {"around, through the corners", {{50, -50}, {-50, 50}, {50, 150}, {150, 50}}, 1, corners},
        // About 3200 sq ft inside, entering and leaving only at vertices on
        // the left side: the pieces cannot be traced.
        {"leaving and entering at vertices",
         {{50, 20}, {0, 40}, {-30, 50}, {0, 60}, {50, 80}, {80, 50}},
         -1,
         {}},
    };
    for (const Case& c : cases) {
        std::vector<DPoint> v = c.polygon;
        std::vector<DPoint> points{{1, 1}};
        std::vector<int> counts{1};
        EXPECT_EQ(PreciseClipToRectangle(v.data(), static_cast<int>(v.size()), kRect, points, counts, {}),
                  c.pieces)
            << c.name;
        EXPECT_EQ(points, c.points) << c.name;
        EXPECT_EQ(counts,
                  c.points.empty() ? std::vector<int>{} : std::vector<int>{static_cast<int>(c.points.size())})
            << c.name;
        if (c.points.size() == 3) {
            EXPECT_EQ(v, c.points) << c.name;
        }
    }
}

TEST(PreciseClipToRectangle, UShapeGivesTwoPieces) {
    std::vector<DPoint> u{{10, -50}, {10, 50}, {30, 50}, {30, -30}, {70, -30}, {70, 50}, {90, 50}, {90, -50}};
    std::vector<DPoint> points;
    std::vector<int> counts;
    ASSERT_EQ(PreciseClipToRectangle(u.data(), 8, kRect, points, counts, {}), 2);
    ASSERT_EQ(counts, (std::vector<int>{4, 4}));
    const std::vector<DPoint> first(points.begin(), points.begin() + 4);
    const std::vector<DPoint> second(points.begin() + 4, points.end());
    // Each arm is a clockwise 20 x 50 rectangle standing on the bottom side.
    EXPECT_DOUBLE_EQ(PolygonArea(first.data(), 4), 1000.0);
    EXPECT_DOUBLE_EQ(PolygonArea(second.data(), 4), 1000.0);
    EXPECT_TRUE(HasPoint(first, {10, 0}) && HasPoint(first, {30, 50}));
    EXPECT_TRUE(HasPoint(second, {70, 0}) && HasPoint(second, {90, 50}));
}

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

TEST(PreciseClipToRectangle, NodeListOverflowIsReportedAndGivesNothing) {
    std::vector<DPoint> comb = testing::CombPolygon(70);
    for (DPoint& p : comb) {
        p.y -= 50.0;
    }
    std::vector<DPoint> points;
    std::vector<int> counts;
    Recorder recorder;
    const ClipRect wide{-5.0, 2000.0, 100.0, 0.0};
    EXPECT_EQ(PreciseClipToRectangle(comb.data(), static_cast<int>(comb.size()), wide, points, counts,
                                     recorder.Fn()),
              0);
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(points.empty());
    EXPECT_TRUE(counts.empty());
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

double ShoelaceAbs(const std::vector<DPoint>& v) {
    double s = 0.0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        s += v[i].x * v[(i + 1) % v.size()].y - v[(i + 1) % v.size()].x * v[i].y;
    }
    return std::fabs(s) / 2.0;
}

// A star-shaped polygon is exactly the fan of triangles from its centre; the
// area inside the rectangle is the sum of the clipped triangles.
double ReferenceArea(const std::vector<DPoint>& star, DPoint centre, const ClipRect& r) {
    double area = 0.0;
    for (std::size_t i = 0; i < star.size(); ++i) {
        area += ShoelaceAbs(ReferenceClipConvex({centre, star[i], star[(i + 1) % star.size()]}, r));
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

        std::vector<DPoint> fast;
        const int fastCount = ClipToRectangle(star.data(), n, rect, fast);
        const double fastArea = fastCount == 0 ? 0.0 : AbsArea(fast);
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
                ASSERT_GE(p.x, rect.left - slack);
                ASSERT_LE(p.x, rect.right + slack);
                ASSERT_GE(p.y, rect.bottom - slack);
                ASSERT_LE(p.y, rect.top + slack);
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
