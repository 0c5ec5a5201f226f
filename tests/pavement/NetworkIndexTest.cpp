#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "pavement/NetworkIndex.h"

namespace rollpath {
namespace {

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

}  // namespace
}  // namespace rollpath
