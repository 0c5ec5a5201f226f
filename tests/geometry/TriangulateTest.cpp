#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "geometry/CrtRandom.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/Triangulate.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

using testing::Contours;

Contours Single(const std::vector<DPoint>& outline) {
    Contours c;
    c.Add(outline);
    return c;
}

int Triangulate(const Contours& c, std::vector<Triangle>& triangles, std::uint32_t seed) {
    return TriangulatePolygon(c.counts, c.vertices, triangles, seed);
}

double TwiceArea(const DPoint& a, const DPoint& b, const DPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Every property a triangulation of the region must have, checked without
// the triangulator's own help: the count, the vertex numbers, the
// orientation, the total area, and (on sampled points) no overlap.
void ExpectTiles(const Contours& c, const std::vector<Triangle>& triangles, int result,
                 const std::string& what) {
    const int n = c.VertexCount();
    ASSERT_EQ(result, n - 2 + 2 * c.Holes()) << what;
    ASSERT_EQ(static_cast<int>(triangles.size()), result) << what;

    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int i = 1; i <= n; ++i) {
        minX = std::min(minX, c.vertices[i].x);
        maxX = std::max(maxX, c.vertices[i].x);
        minY = std::min(minY, c.vertices[i].y);
        maxY = std::max(maxY, c.vertices[i].y);
    }
    const double scale = std::max(maxX - minX, maxY - minY);
    const double flat = 1e-12 * scale * scale;

    double sum = 0.0;
    for (const Triangle& t : triangles) {
        for (const int v : t) {
            ASSERT_GE(v, 1) << what;
            ASSERT_LE(v, n) << what;
        }
        ASSERT_TRUE(t[0] != t[1] && t[1] != t[2] && t[0] != t[2]) << what;
        const double a = TwiceArea(c.vertices[t[0]], c.vertices[t[1]], c.vertices[t[2]]);
        ASSERT_GE(a, -flat) << what << ": a clockwise triangle";
        sum += a / 2.0;
    }
    const double area = testing::RegionArea(c);
    ASSERT_NEAR(sum, area, 1e-6 * area) << what;

    // A point strictly inside one triangle lies in no other; the centroids of
    // the triangles and random points are sampled.
    auto strictlyInside = [&](const Triangle& t, DPoint p) {
        const DPoint& a = c.vertices[t[0]];
        const DPoint& b = c.vertices[t[1]];
        const DPoint& d = c.vertices[t[2]];
        const double margin = 1e-9 * scale * scale;
        return TwiceArea(a, b, p) > margin && TwiceArea(b, d, p) > margin && TwiceArea(d, a, p) > margin;
    };
    std::vector<DPoint> samples;
    const std::size_t step = std::max<std::size_t>(1, triangles.size() / 150);
    for (std::size_t i = 0; i < triangles.size(); i += step) {
        const Triangle& t = triangles[i];
        samples.push_back({(c.vertices[t[0]].x + c.vertices[t[1]].x + c.vertices[t[2]].x) / 3.0,
                           (c.vertices[t[0]].y + c.vertices[t[1]].y + c.vertices[t[2]].y) / 3.0});
    }
    std::mt19937 rng(static_cast<std::uint32_t>(n));
    std::uniform_real_distribution<double> ux(minX, maxX);
    std::uniform_real_distribution<double> uy(minY, maxY);
    for (int i = 0; i < 150; ++i) {
        samples.push_back({ux(rng), uy(rng)});
    }
    for (const DPoint& p : samples) {
        int covering = 0;
        for (const Triangle& t : triangles) {
            covering += strictlyInside(t, p) ? 1 : 0;
        }
        ASSERT_LE(covering, 1) << what << ": triangles overlap at " << p.x << ", " << p.y;
        if (covering == 1) {
            ASSERT_TRUE(testing::InsideRegion(c, p))
                << what << ": a triangle outside at " << p.x << ", " << p.y;
        }
    }
}

// ---- Small cases ----------------------------------------------------------------

struct SmallCase {
    const char* name;
    std::vector<DPoint> outline;  // counter-clockwise
};

TEST(TriangulatePolygon, SmallPolygons) {
    const SmallCase cases[] = {
        {"triangle", {{0, 0}, {10, 0}, {0, 10}}},
        {"convex quadrilateral", {{0, 0}, {10, 1}, {12, 9}, {-1, 8}}},
        {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
        {"square with collinear midpoints",
         {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {5, 10}, {0, 10}, {0, 5}}},
        {"L shape", {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}}},
        {"arrow", {{0, 0}, {10, 5}, {20, 0}, {10, 20}}},
        {"two equal-height peaks", {{0, 0}, {30, 0}, {30, 10}, {20, 5}, {10, 10}, {0, 10}}},
        {"horizontal top and bottom", {{0, 0}, {10, 0}, {15, 5}, {10, 10}, {0, 10}, {-5, 5}}},
        {"heights within the tolerance", {{0, 0}, {10, 0.00000005}, {10, 10}, {0, 10.00000004}}},
        {"vertical spikes", {{0, 0}, {1, 0}, {1, 10}, {2, 10}, {2, 0}, {3, 0}, {3, 20}, {0, 20}}},
        {"thin sliver far out",
         {{10000, 20000}, {10100, 20000.001}, {10200, 20000.001}, {10200, 20000.002}, {10000, 20000.0015}}},
    };
    for (const SmallCase& sc : cases) {
        const Contours c = Single(sc.outline);
        for (std::uint32_t seed = 0; seed < 60; ++seed) {
            std::vector<Triangle> triangles;
            const int result = Triangulate(c, triangles, seed);
            ExpectTiles(c, triangles, result, std::string(sc.name) + " seed " + std::to_string(seed));
        }
    }
}

// ---- Generated families ------------------------------------------------------

struct Family {
    const char* name;
    std::vector<DPoint> (*make)(int n, std::uint32_t seed);
};

const Family kFamilies[] = {
    {"star", [](int n, std::uint32_t seed) { return testing::StarPolygon(n, seed); }},
    {"convex", [](int n, std::uint32_t seed) { return testing::ConvexPolygon(n, seed); }},
    {"spiral", [](int n, std::uint32_t) { return testing::SpiralPolygon(n, std::max(0.3, n / 2.0 / 14.0)); }},
    {"comb", [](int n, std::uint32_t) { return testing::CombPolygon(std::max(1, n / 4)); }},
    {"sideways comb", [](int n, std::uint32_t) { return testing::CombPolygon(std::max(1, n / 4), true); }},
    {"collinear rectangle",
     [](int n, std::uint32_t) { return testing::CollinearRectangle(std::max(1, n / 4)); }},
    {"staircase", [](int n, std::uint32_t) { return testing::StaircasePolygon(std::max(1, (n - 2) / 2)); }},
    {"subdivided star",
     [](int n, std::uint32_t seed) {
         return testing::SubdividedPolygon(testing::StarPolygon(std::max(3, n / 3), seed), 3);
     }},
};

TEST(TriangulatePolygon, GeneratedFamiliesTileThePolygon) {
    const int sizes[] = {3, 4, 5, 7, 16, 33, 64, 200, 640, 1500, 1999};
    for (const Family& family : kFamilies) {
        for (const int size : sizes) {
            const std::vector<DPoint> outline = family.make(size, static_cast<std::uint32_t>(size));
            if (outline.size() < 3 || outline.size() > static_cast<std::size_t>(kMaxTriangulationVertices)) {
                continue;
            }
            ASSERT_LT(PolygonArea(outline.data(), static_cast<int>(outline.size())), 0.0) << family.name;
            const Contours c = Single(outline);
            for (std::uint32_t seed : {0u, 17u, 59u, 123456u}) {
                std::vector<Triangle> triangles;
                const int result = Triangulate(c, triangles, seed);
                ExpectTiles(c, triangles, result,
                            std::string(family.name) + " n " + std::to_string(outline.size()) + " seed " +
                                std::to_string(seed));
            }
        }
    }
}

TEST(TriangulatePolygon, PolygonsWithHoles) {
    struct HoleCase {
        int outer, holes, holeN;
    };
    const HoleCase cases[] = {{8, 1, 3}, {12, 1, 4}, {40, 4, 6}, {100, 9, 12}, {300, 25, 20}, {999, 40, 25}};
    for (const HoleCase& hc : cases) {
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            const Contours c = testing::PolygonWithHoles(hc.outer, hc.holes, hc.holeN, seed);
            ASSERT_LE(c.VertexCount(), kMaxTriangulationVertices);
            std::vector<Triangle> triangles;
            const int result = Triangulate(c, triangles, seed);
            ExpectTiles(c, triangles, result,
                        std::to_string(hc.outer) + " with " + std::to_string(hc.holes) + " holes, seed " +
                            std::to_string(seed));
        }
    }
}

// ---- Randomization -----------------------------------------------------------

// ---- Refused and bad inputs --------------------------------------------------

TEST(TriangulatePolygon, RefusesWhatItCannotHold) {
    std::vector<Triangle> triangles{{1, 2, 3}};
    const Contours tooMany = Single(testing::StarPolygon(kMaxTriangulationVertices + 1, 1u));
    EXPECT_EQ(Triangulate(tooMany, triangles, 1u), -1);
    EXPECT_TRUE(triangles.empty());

    const Contours most = Single(testing::StarPolygon(kMaxTriangulationVertices, 1u));
    EXPECT_EQ(Triangulate(most, triangles, 1u), kMaxTriangulationVertices - 2);

    Contours holes = testing::PolygonWithHoles(1990, 1, 10, 4u);
    EXPECT_EQ(Triangulate(holes, triangles, 1u), -1);

    const Contours square = Single({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    // Fewer vertices than the counts promise.
    const std::vector<DPoint> shortArray(square.vertices.begin(), square.vertices.end() - 1);
    EXPECT_EQ(TriangulatePolygon(square.counts, shortArray, triangles, 1u), -1);
    const std::vector<int> noContours;
    EXPECT_EQ(TriangulatePolygon(noContours, square.vertices, triangles, 1u), -1);
    const std::vector<int> twoVertices{2};
    EXPECT_EQ(TriangulatePolygon(twoVertices, square.vertices, triangles, 1u), -1);
    const std::vector<int> negative{-4};
    EXPECT_EQ(TriangulatePolygon(negative, square.vertices, triangles, 1u), -1);
}

TEST(TriangulatePolygon, RefusesBadInputs) {
    struct BadCase {
        const char* name;
        Contours contours;
    };
    Contours wrongHole;
    wrongHole.Add({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    wrongHole.Add({{40, 40}, {60, 40}, {60, 60}, {40, 60}});  // counter-clockwise
    Contours crossingHole;
    crossingHole.Add({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    crossingHole.Add({{40, 40}, {40, 160}, {60, 160}, {60, 40}});  // sticks out of the outline
    const double nan = std::nan("");
    const BadCase cases[] = {
        {"clockwise outline", Single(testing::Reversed(testing::StarPolygon(50, 2u)))},
        {"clockwise square", Single({{0, 0}, {0, 10}, {10, 10}, {10, 0}})},
        {"bow tie", Single({{0, 0}, {10, 10}, {10, 0}, {0, 10}})},
        {"lopsided bow tie", Single({{0, 0}, {30, 0}, {0, 10}, {5, -5}})},
        {"crossing star", Single({{0, 0}, {10, 3}, {2, 8}, {5, -2}, {8, 8}})},
        {"counter-clockwise hole", wrongHole},
        {"hole crossing the outline", crossingHole},
        {"not a number", Single({{0, 0}, {10, 0}, {nan, 10}})},
        {"infinite", Single({{0, 0}, {10, 0}, {INFINITY, 10}})},
        {"collinear", Single({{0, 0}, {5, 5}, {10, 10}})},
    };
    for (const BadCase& bc : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            std::vector<Triangle> triangles;
            EXPECT_EQ(Triangulate(bc.contours, triangles, seed), -1) << bc.name << " seed " << seed;
            EXPECT_TRUE(triangles.empty());
        }
    }
}

TEST(TriangulatePolygon, RandomSelfIntersectingOutlinesNeverPassAsTiled) {
    // Random vertex soups are mostly self-intersecting. Whatever comes back is
    // either a refusal or a true tiling; nothing crashes.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coord(-100.0, 100.0);
    std::uniform_int_distribution<int> size(3, 60);
    int refused = 0;
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<DPoint> v(static_cast<std::size_t>(size(rng)));
        for (DPoint& p : v) {
            p = {coord(rng), coord(rng)};
        }
        if (PolygonArea(v.data(), static_cast<int>(v.size())) > 0.0) {
            v = testing::Reversed(v);
        }
        const Contours c = Single(v);
        std::vector<Triangle> triangles;
        const int result = Triangulate(c, triangles, static_cast<std::uint32_t>(trial));
        if (result == -1) {
            ++refused;
            EXPECT_TRUE(triangles.empty());
            continue;
        }
        ExpectTiles(c, triangles, result, "soup " + std::to_string(trial));
    }
    EXPECT_GT(refused, 300);
}

// Repeated points (exact, within the tolerance, and a last vertex that is the
// first) give, for every insertion order, the triangles of the outline
// without them, named by the caller's vertex numbers.
TEST(TriangulatePolygon, RepeatedPointsAreLeftOut) {
    std::mt19937 rng(17);
    std::vector<Triangle> expected;
    std::vector<Triangle> got;
    for (int k = 0; k < 13; ++k) {
        // First the square (0,0) (10,0) (10,0) (10,10) (0,10), then stars.
        const std::vector<DPoint> outline =
            k == 0 ? std::vector<DPoint>{{0, 0}, {10, 0}, {10, 10}, {0, 10}}
                   : testing::StarPolygon(9 * k - 6, static_cast<std::uint32_t>(k));
        std::vector<DPoint> given;
        std::vector<int> number;  // the outline's number of each given vertex
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const int copies = k == 0 ? (i == 1 ? 1 : 0) : static_cast<int>(rng() % 3);
            for (int c = 0; c <= copies; ++c) {
                given.push_back(c < 2 ? outline[i] : DPoint{outline[i].x + 8e-8, outline[i].y});
                number.push_back(static_cast<int>(i) + 1);
            }
        }
        if (k % 2 == 1) {
            given.push_back(outline.front());
            number.push_back(1);
        }
        for (std::uint32_t seed = 0; seed < 60; ++seed) {
            const std::string what =
                std::to_string(outline.size()) + " vertices, seed " + std::to_string(seed);
            ASSERT_EQ(Triangulate(Single(outline), expected, seed), static_cast<int>(outline.size()) - 2)
                << what;
            ASSERT_EQ(Triangulate(Single(given), got, seed), static_cast<int>(expected.size())) << what;
            for (Triangle& t : got) {
                for (int& v : t) {
                    // The first of the repeats, the point itself, is named.
                    const auto at = static_cast<std::size_t>(v - 1);
                    v = number[at];
                    ASSERT_EQ(given[at], outline[static_cast<std::size_t>(v - 1)]) << what;
                }
            }
            ASSERT_EQ(got, expected) << what;
        }
    }
}

}  // namespace
}  // namespace rollpath
