#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <vector>

#include "pavement/NetworkIndex.h"
#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::DeterministicRandom;

bool Overlap(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

Box RandomBox(DeterministicRandom& rng, double reach, double maxSide) {
    const double x = rng.Uniform(-reach, reach);
    const double y = rng.Uniform(-reach, reach);
    return Box{x, y, x + rng.Uniform(0.0, maxSide), y + rng.Uniform(0.0, maxSide)};
}

// Every query finds each overlapping box, each id once, whatever the mix of
// small, large, far-away and later-inserted boxes.
TEST(BoxGrid, QueriesFindEveryOverlappingBoxOnce) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        DeterministicRandom rng(seed);
        std::vector<Box> boxes;
        const int n = rng.Int(0, 300);
        for (int i = 0; i < n; ++i) {
            if (rng.Chance(0.02)) {
                boxes.push_back(RandomBox(rng, 5.0e7, 1.0e6));  // far beyond the airport
            } else if (rng.Chance(0.03)) {
                boxes.push_back(RandomBox(rng, 5000.0, 20000.0));  // spans many cells
            } else {
                boxes.push_back(RandomBox(rng, 5000.0, 400.0));
            }
        }
        BoxGrid grid(boxes, rng.Uniform(1.0, 800.0));
        // Boxes moved after construction keep their old entries too.
        for (int k = 0; k < 30 && n > 0; ++k) {
            const int id = rng.Int(0, n - 1);
            boxes[static_cast<std::size_t>(id)] = RandomBox(rng, 6000.0, 300.0);
            grid.Insert(id, boxes[static_cast<std::size_t>(id)]);
        }
        const int added = n + rng.Int(0, 20);
        for (int id = n; id < added; ++id) {
            boxes.push_back(RandomBox(rng, 6000.0, 300.0));
            grid.Insert(id, boxes.back());
        }
        std::vector<int> found;
        for (int q = 0; q < 200; ++q) {
            const Box query = rng.Chance(0.05) ? RandomBox(rng, 5.0e7, 1.0e6) : RandomBox(rng, 7000.0, 500.0);
            grid.Query(query, found);
            const std::set<int> unique(found.begin(), found.end());
            ASSERT_EQ(unique.size(), found.size()) << "seed " << seed;
            for (int id = 0; id < static_cast<int>(boxes.size()); ++id) {
                if (Overlap(boxes[static_cast<std::size_t>(id)], query)) {
                    ASSERT_TRUE(unique.count(id)) << "seed " << seed << " id " << id;
                }
            }
        }
    }
}

TEST(BoxGrid, NaNBoxesAreNeitherStoredNorFound) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    BoxGrid grid({Box{0, 0, 10, 10}, Box{nan, 0, 10, 10}, Box{-inf, -inf, inf, inf}}, 5.0);
    std::vector<int> found;
    grid.Query(Box{nan, nan, nan, nan}, found);
    EXPECT_TRUE(found.empty());
    grid.Query(Box{5, 5, 5, 5}, found);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<int>{0, 2}));
    grid.Insert(7, Box{nan, nan, 1, 1});
    grid.Insert(8, Box{4, 4, 6, 6});
    grid.Query(Box{5, 5, 5, 5}, found);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<int>{0, 2, 8}));
}

TEST(BoxGrid, EmptyGridAnswersEmpty) {
    BoxGrid grid({}, 10.0);
    std::vector<int> found{1, 2};
    grid.Query(Box{0, 0, 1, 1}, found);
    EXPECT_TRUE(found.empty());
}

TEST(VertexIncidence, ListsUsableSegmentsInListOrderOncePerVertex) {
    CRollpathDoc doc;
    const int a = testing::AddVertexAt(doc, 0, 0);
    const int b = testing::AddVertexAt(doc, 100, 0);
    const int c = testing::AddVertexAt(doc, 0, 100);
    testing::AddSegment(doc, b, a, 50);                  // 0
    testing::AddSegment(doc, a, c, 50).state = -1;       // 1: deleted
    testing::AddSegment(doc, c, a, 50);                  // 2
    testing::AddSegment(doc, a, a, 50);                  // 3: both ends at a
    testing::AddSegment(doc, a, b, 50).vertex1 = 12345;  // 4: damaged
    const VertexIncidence incidence(doc);
    const auto at = [&incidence](int v) {
        const auto span = incidence.SegmentsAt(v);
        return std::vector<int>(span.begin(), span.end());
    };
    EXPECT_EQ(at(a), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(at(b), (std::vector<int>{0}));
    EXPECT_EQ(at(c), (std::vector<int>{2}));
    EXPECT_TRUE(at(-1).empty());
    EXPECT_TRUE(at(doc.m_nVertices).empty());
}

}  // namespace
}  // namespace rollpath
