#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "pavement/TileMesh.h"
#include "support/DeterministicRandom.h"

namespace rollpath {
namespace {

using testing::DeterministicRandom;

// Same index for every point and the same table, entry by entry (bits
// included, so a -0.0 kept first stays -0.0).
void ExpectSameAsLinearSearch(const std::vector<DPoint>& sequence) {
    std::vector<DPoint> linear;
    // A table used before and cleared, as each tile section reuses it.
    VertexTable hashed;
    hashed.FindOrAdd({1.0, 2.0});
    hashed.Clear();
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const std::uint32_t expected = FindOrAddVertex(sequence[i], linear);
        ASSERT_EQ(hashed.FindOrAdd(sequence[i]), expected) << "point " << i;
    }
    ASSERT_EQ(hashed.size(), linear.size());
    for (std::size_t i = 0; i < linear.size(); ++i) {
        EXPECT_EQ(std::signbit(hashed.points()[i].x), std::signbit(linear[i].x)) << i;
        EXPECT_EQ(std::signbit(hashed.points()[i].y), std::signbit(linear[i].y)) << i;
        if (!std::isnan(linear[i].x) && !std::isnan(linear[i].y)) {
            EXPECT_EQ(hashed.points()[i], linear[i]) << i;
        }
    }
}

TEST(VertexTable, AgreesWithTheLinearSearchOnRandomSequences) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        DeterministicRandom random(seed);
        // A small pool of positions drawn again and again, as the shared
        // corners of a tile's pieces are, plus fresh ones.
        std::vector<DPoint> pool;
        const int poolSize = random.Int(1, 60);
        for (int i = 0; i < poolSize; ++i) {
            pool.push_back({std::round(random.Uniform(-5000.0, 5000.0) * 4.0) / 4.0,
                            std::round(random.Uniform(-5000.0, 5000.0) * 4.0) / 4.0});
        }
        std::vector<DPoint> sequence;
        const int length = random.Int(0, 800);
        for (int i = 0; i < length; ++i) {
            if (random.Chance(0.7)) {
                sequence.push_back(pool[static_cast<std::size_t>(random.Int(0, poolSize - 1))]);
            } else if (random.Chance(0.5)) {
                // Same x or same y as a pooled point only.
                DPoint p = pool[static_cast<std::size_t>(random.Int(0, poolSize - 1))];
                (random.Chance(0.5) ? p.x : p.y) += 0.25;
                sequence.push_back(p);
            } else {
                sequence.push_back({random.Uniform(-1e4, 1e4), random.Uniform(-1e4, 1e4)});
            }
        }
        SCOPED_TRACE(seed);
        ExpectSameAsLinearSearch(sequence);
    }
}

TEST(VertexTable, SignedZerosInfinitiesAndNaNsAsTheLinearSearchTreatsThem) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectSameAsLinearSearch({{-0.0, 0.0},
                              {0.0, -0.0},
                              {0.0, 0.0},
                              {nan, 1.0},
                              {nan, 1.0},
                              {1.0, nan},
                              {inf, -inf},
                              {inf, -inf},
                              {-0.0, -0.0},
                              {5.0, 5.0},
                              {nan, nan},
                              {5.0, 5.0}});
}

}  // namespace
}  // namespace rollpath
