#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <ranges>
#include <string>
#include <vector>

#include "geometry/CrtRandom.h"
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

    const auto corners = c.vertices | std::views::drop(1);
    const auto [minX, maxX] = std::ranges::minmax(corners | std::views::transform(&DPoint::x));
    const auto [minY, maxY] = std::ranges::minmax(corners | std::views::transform(&DPoint::y));
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
        {"a corner level with the lower end of a slanted edge",
         {{0, 0}, {30, 0}, {30, 25}, {20, 20}, {10, 10}, {15, 10}}},
        {"a corner level with the upper end of a slanted edge",
         {{15, 20}, {10, 20}, {20, 10}, {30, 5}, {30, 30}, {0, 30}}},
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

// ---- Refused and bad inputs --------------------------------------------------

// Too many vertices (the most it takes are among the output cases below),
// counts that do not fit the vertex array, clockwise or self-crossing
// outlines, holes the wrong way round or outside, and numbers that are none
// are refused: -1 and no triangles, whatever the seed.
TEST(TriangulatePolygon, RefusesWhatItCannotHoldAndBadInputs) {
    std::vector<Triangle> triangles;
    Contours wrongHole;
    wrongHole.Add({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    wrongHole.Add({{40, 40}, {60, 40}, {60, 60}, {40, 60}});  // counter-clockwise
    Contours crossingHole;
    crossingHole.Add({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    crossingHole.Add({{40, 40}, {40, 160}, {60, 160}, {60, 40}});  // sticks out of the outline
    const Contours square = Single({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    Contours shortArray = square;  // fewer vertices than the counts promise
    shortArray.vertices.pop_back();
    const double nan = std::nan("");
    const struct {
        const char* name;
        Contours contours;
    } cases[] = {
        {"too many vertices", Single(testing::StarPolygon(kMaxTriangulationVertices + 1, 1u))},
        {"too many with a hole", testing::PolygonWithHoles(1990, 1, 10, 4u)},
        {"short vertex array", shortArray},
        {"no contours", Contours{{}, square.vertices}},
        {"two vertices", Contours{{2}, square.vertices}},
        {"negative count", Contours{{-4}, square.vertices}},
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
    for (const auto& bc : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            triangles.assign(1, Triangle{1, 2, 3});
            EXPECT_EQ(Triangulate(bc.contours, triangles, seed), -1) << bc.name << " seed " << seed;
            EXPECT_TRUE(triangles.empty());
        }
    }
}

// ---- Output -------------------------------------------------------------------

// The triangulator's output is part of the saved pavement file, so a faster
// triangulator must give the very same triangles in the very same order.
// The checksums below were taken from the triangulator as it stood before its
// point location was reworked; any change to them is a change of output.

// FNV-1a over the result and every vertex number, in order, for every
// insertion order (the 60 seconds of a minute) of each polygon; the first
// order's triangles are also checked to tile the region.
std::uint64_t ChecksumOf(const std::vector<Contours>& polygons) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    const auto add = [&hash](std::int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash ^= static_cast<std::uint64_t>(value >> (8 * i)) & 0xFFu;
            hash *= 0x100000001B3ull;
        }
    };
    std::vector<Triangle> triangles;
    for (const Contours& c : polygons) {
        for (std::uint32_t seed = 0; seed < 60; ++seed) {
            const int result = Triangulate(c, triangles, seed);
            if (seed == 0 && result >= 0) {
                ExpectTiles(c, triangles, result, std::to_string(c.VertexCount()) + " vertices");
            }
            add(result);
            for (const Triangle& t : triangles) {
                for (const int v : t) {
                    add(v);
                }
            }
        }
    }
    return hash;
}

struct OutputCase {
    std::string name;
    std::vector<Contours> polygons;
    std::uint64_t expected;
};

std::vector<OutputCase> Cases() {
    std::vector<OutputCase> cases;
    std::vector<Contours> stars;
    for (const int n : {3, 4, 7, 16, 64, 255, 1024, kMaxTriangulationVertices}) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            stars.push_back(Single(testing::StarPolygon(n, seed * 7919u + static_cast<std::uint32_t>(n))));
        }
    }
    cases.push_back({"stars", stars, 0x6808dd37333c3ba1ull});

    std::vector<Contours> sameHeights;
    for (const int k : {1, 5, 40, 300}) {
        sameHeights.push_back(Single(testing::CombPolygon(k)));
        sameHeights.push_back(Single(testing::CombPolygon(k, true)));
        sameHeights.push_back(Single(testing::StaircasePolygon(k)));
        sameHeights.push_back(Single(testing::CollinearRectangle(k)));
    }
    cases.push_back({"combs, staircases and collinear sides", sameHeights, 0xa0ecfa54dacd737dull});

    std::vector<Contours> others;
    for (const int n : {10, 100, 1000}) {
        others.push_back(Single(testing::ConvexPolygon(n, static_cast<std::uint32_t>(n))));
        others.push_back(Single(testing::SpiralPolygon(n)));
        others.push_back(Single(testing::SubdividedPolygon(testing::StarPolygon(n / 5 + 3, 5u), 4)));
    }
    cases.push_back({"convex, spirals and subdivided stars", others, 0x875c40ea44c4e08dull});

    std::vector<Contours> holes;
    for (const int h : {1, 4, 16}) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            holes.push_back(testing::PolygonWithHoles(200, h, 12, seed));
        }
    }
    cases.push_back({"holes", holes, 0xbb9096c540d311bdull});

    return cases;
}

TEST(TriangulateOutput, SameTrianglesInTheSameOrderAsBefore) {
    for (const OutputCase& c : Cases()) {
        EXPECT_EQ(ChecksumOf(c.polygons), c.expected)
            << c.name << ": 0x" << std::hex << ChecksumOf(c.polygons);
    }
}

}  // namespace
}  // namespace rollpath
