#include <gtest/gtest.h>

#include "scenery/Origin.h"

namespace rollpath {
namespace {

struct LongitudeCase {
    double degrees;
    double stored;
};

TEST(Origin, NegativeLongitudesGetAFullCircle) {
    const LongitudeCase cases[] = {
        {-122.5, 855000.0}, {-80.5, 1006200.0}, {0.0, 0.0},
        {10.25, 36900.0},   {180.0, 648000.0},  {-179.5, 649800.0},
    };
    for (const LongitudeCase& c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(OriginToArcseconds(0.0, c.degrees).lon, c.stored);
        EXPECT_DOUBLE_EQ(LongitudeFromArcseconds(c.stored), c.degrees);
    }
    EXPECT_EQ(OriginToArcseconds(-33.5, 0.0).lat, -120600.0);
    EXPECT_EQ(LatitudeFromArcseconds(-120600.0), -33.5);
}

}  // namespace
}  // namespace rollpath
