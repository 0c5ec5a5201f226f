#pragma once

// Earth model and conversions between latitude/longitude and LocalFeet.
//
// Mercator sailing as in marine navigation: one minute of latitude is one
// nautical mile, a course is a rhumb line, and the stretching of the chart is
// given by the meridional parts of the WGS 72 ellipsoid. Latitudes and
// longitudes are degrees (north and east positive), courses degrees true in
// [0, 360), distances nautical miles, LocalFeet feet (x east, y north) from
// the airport benchmark.

#include <string>

#include "geometry/DPoint.h"

namespace rollpath {

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kMinutesPerRadian = 3437.7467707849396;
inline constexpr double kFeetPerNauticalMile = 6076.1;
inline constexpr double kFeetToNauticalMiles = 0.00016457925313934926;
inline constexpr double kOneSixtieth = 0.016666666666666666;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kPi = 3.141592653589793;
// The Windows ANSI code of the degree sign, as the core writes it.
inline constexpr char kDegreeSign = static_cast<char>(0xB0);

// a reduced into [0, m); m is 360 (degrees) or 2 pi (radians).
double NormalizeAngle(double a, double m);

// Meridional parts of a latitude (degrees), in minutes of arc, signed like the latitude.
double MeridionalParts(double latitude);

// Rhumb-line course (degrees true) and distance (nm) from point 1 to point 2.
void CourseAndDistance(double lat1, double lon1, double lat2, double lon2, double& course, double& distance);

// The point reached from (lat, lon) on a rhumb line of the given course and
// distance (nm). A negative distance goes the opposite way. Short east-west
// moves use departure sailing, so this is not an exact inverse of
// CourseAndDistance for them (errors near 1 percent of the distance).
void DestinationPoint(double lat, double lon, double course, double distance, double& lat2, double& lon2);

// The longitude halfway between two (degrees in [-180, 180]), taken the short
// way round as CourseAndDistance takes their difference: across the 180th
// meridian when they lie more than 180 degrees apart.
double MidLongitude(double lon1, double lon2);

DPoint LatLonToLocalFeet(double benchLat, double benchLon, double lat, double lon);
void LocalFeetToLatLon(double benchLat, double benchLon, double x, double y, double& lat, double& lon);

// Whole degrees, whole minutes and seconds of |a|.
void SplitDegrees(double a, int& degrees, int& minutes, double& seconds);

enum class LatLonKind { Latitude = 0, Longitude = 1 };

// Text form of a latitude or longitude. Style 4: degrees, minutes and seconds
// to four decimals; style 2: seconds to two decimals; style 0: degrees and
// decimal minutes. The degree sign is the single byte 0xB0 (Windows ANSI);
// convert with AnsiToUtf8 before showing it outside the core. Styles 2 and 4
// drop exactly one leading blank, as the dialogs show them. Any other style
// gives an empty text.
std::string FormatLatLon(double a, LatLonKind kind, int style);

}  // namespace rollpath
