#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "geometry/Geodesy.h"

namespace rollpath {
namespace {

// The quadrant is picked by the first sign test that holds: the same point,
// parallel and meridian sailing, the 180th meridian crossed the short way,
// and the four quadrants, whose course is base + sign * C with C the acute
// rhumb angle of a one-degree step each way from the equator.
TEST(Geodesy, CourseAndDistanceInEveryQuadrant) {
    const double acute = std::atan(60.0 / MeridionalParts(1.0)) * kRadToDeg;
    EXPECT_GT(acute, 45.0);  // WGS 72 meridional parts of 1 degree are below 60'
    struct Case {
        double lat1, lon1, lat2, lon2, base, sign, distance;  // distance 0: only positive
    };
    const Case cases[] = {
        {47.5, -122.3, 47.5, -122.3, 0.0, 0.0, 0.0},
        {40.0, -74.0, 40.0, -73.5, 90.0, 0.0, 30.0 * std::cos(40.0 * kDegToRad)},
        {40.0, -73.5, 40.0, -74.0, 270.0, 0.0, 30.0 * std::cos(40.0 * kDegToRad)},
        {40.0, -74.0, 40.5, -74.0, 0.0, 0.0, 30.0},
        {40.5, -74.0, 40.0, -74.0, 180.0, 0.0, 30.0},
        {-17.0, 179.5, -17.0, -179.5, 90.0, 0.0, 60.0 * std::cos(-17.0 * kDegToRad)},
        {-17.0, -179.5, -17.0, 179.5, 270.0, 0.0, 60.0 * std::cos(-17.0 * kDegToRad)},
        {0.0, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0},
        {0.0, 0.0, -1.0, 1.0, 180.0, -1.0, 0.0},
        {0.0, 0.0, -1.0, -1.0, 180.0, 1.0, 0.0},
        {0.0, 0.0, 1.0, -1.0, 360.0, -1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lat1 << " " << c.lon1 << " to " << c.lat2 << " " << c.lon2);
        double course = -1.0;
        double distance = -1.0;
        CourseAndDistance(c.lat1, c.lon1, c.lat2, c.lon2, course, distance);
        EXPECT_NEAR(course, c.base + c.sign * acute, 1e-9);
        if (c.distance > 0.0 || c.sign == 0.0) {
            EXPECT_NEAR(distance, c.distance, 1e-9);
        } else {
            EXPECT_GT(distance, 0.0);
        }
    }
}

TEST(Geodesy, MeridionalPartsAreOddAndGrowPoleward) {
    EXPECT_NEAR(MeridionalParts(0.0), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(MeridionalParts(-45.0), -MeridionalParts(45.0));
    // Nautical tables for the ellipsoid give 3013.6' at 45 degrees (3029.9'
    // for the sphere).
    EXPECT_NEAR(MeridionalParts(45.0), 3013.6, 0.1);
    EXPECT_LT(MeridionalParts(60.0), MeridionalParts(61.0));
}

// One minute north is one nautical mile; LocalFeet's origin is the
// benchmark; one minute of departure east at 60 degrees is two minutes of
// longitude.
TEST(Geodesy, LocalFeetAndLatitudeLongitude) {
    const DPoint north = LatLonToLocalFeet(37.5, -122.0, 37.5 + 1.0 / 60.0, -122.0);
    EXPECT_NEAR(north.x, 0.0, 1e-9);
    EXPECT_NEAR(north.y, 6076.1, 1e-6);
    double lat = 0.0;
    double lon = 0.0;
    LocalFeetToLatLon(51.47, -0.46, 0.0, 0.0, lat, lon);
    EXPECT_EQ(lat, 51.47);
    EXPECT_EQ(lon, -0.46);
    LocalFeetToLatLon(60.0, 10.0, 6076.1, 0.0, lat, lon);
    EXPECT_NEAR(lat, 60.0, 1e-12);
    EXPECT_NEAR(lon, 10.0 + 2.0 / 60.0, 1e-9);
}

// A point placed in LocalFeet comes back where it was, also just north or
// south of the benchmark's parallel, where the direct solution sails by
// departure (a point 30100 ft west and 48 ft south came back 128 ft off).
TEST(Geodesy, LocalFeetComeBackFromLatitudeLongitude) {
    for (const double benchLat : {-60.0, 0.5, 37.461149, 71.0}) {
        for (const double x : {-60000.0, -30100.0, 100.0, 45000.0}) {
            for (const double y : {-500.0, -48.0, -1.0, 0.0, 0.5, 30.0, 49.0, 61.0, 9000.0}) {
                double lat = 0.0;
                double lon = 0.0;
                LocalFeetToLatLon(benchLat, -122.1, x, y, lat, lon);
                const DPoint back = LatLonToLocalFeet(benchLat, -122.1, lat, lon);
                EXPECT_LT(std::hypot(back.x - x, back.y - y), 0.01) << benchLat << " " << x << " " << y;
            }
        }
    }
}

// A negative distance goes the other way; the 180th meridian is crossed.
TEST(Geodesy, DestinationGoesBackwardsAndWraps) {
    double lat1 = 0.0, lon1 = 0.0, lat = 0.0, lon = 0.0;
    DestinationPoint(45.0, 7.0, 90.0, -1.0, lat1, lon1);
    DestinationPoint(45.0, 7.0, 270.0, 1.0, lat, lon);
    EXPECT_DOUBLE_EQ(lat1, lat);
    EXPECT_DOUBLE_EQ(lon1, lon);
    EXPECT_LT(lon1, 7.0);
    DestinationPoint(-17.75, 179.99, 90.0, 2.0, lat, lon);
    EXPECT_LT(lon, -179.9);
    EXPECT_GE(lon, -180.0);
    DestinationPoint(-17.75, -179.99, 270.0, 2.0, lat, lon);
    EXPECT_GT(lon, 179.9);
    EXPECT_LE(lon, 180.0);
}

// '@' stands for the degree sign byte.
TEST(Geodesy, FormatLatLonWritesEachStyle) {
    struct Case {
        double angle;
        LatLonKind kind;
        int style;
        std::string expected;
    };
    const Case cases[] = {
        {45.5, LatLonKind::Latitude, 4, "45@ 30' 00.0000\" N"},  // one blank dropped
        {45.5, LatLonKind::Latitude, 0, "N45@ 30.0'"},
        {-122.25, LatLonKind::Longitude, 0, "W122@ 15.0'"},
        {-122.25, LatLonKind::Longitude, 2, "122@ 15' 00.00\" W"},
        {-5.25, LatLonKind::Latitude, 4, " 5@ 15' 00.0000\" S"},       // a single digit keeps one blank
        {10.0 + 59.97 / 60.0, LatLonKind::Latitude, 0, "N11@ 00.0'"},  // carried to the next degree
        {8.5, LatLonKind::Longitude, 0, "E008@ 30.0'"},
        {1.0, LatLonKind::Latitude, 3, ""},  // no such style
    };
    for (Case c : cases) {
        std::replace(c.expected.begin(), c.expected.end(), '@', kDegreeSign);
        EXPECT_EQ(FormatLatLon(c.angle, c.kind, c.style), c.expected) << c.angle << " style " << c.style;
    }
}

}  // namespace
}  // namespace rollpath
