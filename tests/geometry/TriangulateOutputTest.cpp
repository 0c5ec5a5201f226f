// The triangulator's output is part of the saved pavement file, so a faster
// triangulator must give the very same triangles in the very same order.
// The checksums below were taken from the triangulator as it stood before its
// point location was reworked; any change to them is a change of output.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/Triangulate.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

using testing::Contours;

// FNV-1a over the result and every vertex number, in order.
class Checksum {
public:
    void Add(std::int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= static_cast<std::uint64_t>(value >> (8 * i)) & 0xFFu;
            hash_ *= 0x100000001B3ull;
        }
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

Contours Single(const std::vector<DPoint>& outline) {
    Contours c;
    c.Add(outline);
    return c;
}

// Every insertion order (the 60 seconds of a minute) of each polygon.
std::uint64_t ChecksumOf(const std::vector<Contours>& polygons) {
    Checksum sum;
    std::vector<Triangle> triangles;
    for (const Contours& c : polygons) {
        for (std::uint32_t seed = 0; seed < 60; ++seed) {
            sum.Add(TriangulatePolygon(c.counts, c.vertices, triangles, seed));
            for (const Triangle& t : triangles) {
                for (const int v : t) {
                    sum.Add(v);
                }
            }
        }
    }
    return sum.value();
}

struct OutputCase {
    std::string name;
    std::vector<Contours> polygons;
    std::uint64_t expected;
};

std::vector<OutputCase> Cases() {
    std::vector<OutputCase> cases;
    std::vector<Contours> stars;
    for (const int n : {3, 4, 7, 16, 64, 255, 1024, 1999}) {
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

    // Refused inputs give -1 and no triangles: clockwise and self-crossing.
    std::vector<Contours> refused;
    refused.push_back(Single(testing::Reversed(testing::StarPolygon(50, 3u))));
    refused.push_back(Single({{0, 0}, {10, 10}, {10, 0}, {0, 10}}));
    cases.push_back({"refused", refused, 0xeb17eedcf757f065ull});
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
