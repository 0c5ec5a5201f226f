#include "geometry/Geodesy.h"

#include <cmath>

#include "geometry/NumberText.h"

#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

// WGS 72 (flattening 1/298.26): the equatorial radius in minutes of arc times
// e^2, e^4 / 3 and e^6 / 5, the terms of the meridional-parts series.
constexpr double kMeridionalCoefficient1 = 23.013369324844636;
constexpr double kMeridionalCoefficient3 = 0.05135293580304182;
constexpr double kMeridionalCoefficient5 = 0.00020626372266749555;

// Below this difference of meridional parts (minutes) a course counts as
// east-west and the longitude change comes from the departure instead.
constexpr double kParallelThreshold = 0.01;

// Added before splitting so that values printed as whole seconds do not come
// out one unit low through binary rounding.
constexpr double kSplitEpsilon = 8.726646259971647e-9;

// "%0Nd" or "%Nd" of a value that is not negative.
std::string PaddedInt(int value, int width, char pad) {
    std::string text = std::to_string(value);
    if (text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), pad);
    }
    return text;
}

}  // namespace

double NormalizeAngle(double a, double m) {
    double r = std::fmod(a, m);
    if (r < 0.0) {
        r += m;
    }
    return r;
}

double MeridionalParts(double latitude) {
    const double absLat = std::fabs(latitude);
    const double s = math::Sin(absLat * kDegToRad);
    const double m = kMinutesPerRadian * math::Log(math::Tan((45.0 + absLat / 2.0) * kDegToRad)) -
                     kMeridionalCoefficient1 * s - kMeridionalCoefficient3 * s * s * s -
                     kMeridionalCoefficient5 * s * s * s * s * s;
    return latitude < 0.0 ? -m : m;
}

void CourseAndDistance(double lat1, double lon1, double lat2, double lon2, double& course, double& distance) {
    if (lat1 == lat2 && lon1 == lon2) {
        course = 0.0;
        distance = 0.0;
        return;
    }
    const double dLat = lat2 - lat1;
    const double dM = MeridionalParts(lat1) - MeridionalParts(lat2);
    double dLon = lon2 - lon1;
    if (std::fabs(dLon) > 180.0) {
        // The shorter way across the 180th meridian.
        dLon = dLon >= 0.0 ? dLon - 360.0 : dLon + 360.0;
    }

    double c = 0.0;
    if (dM == 0.0) {
        c = 90.0;
        distance = 60.0 * std::fabs(dLon) * math::Cos(lat1 * kDegToRad);
    } else if (std::fabs(dM) <= kParallelThreshold) {
        // The direct solution sails these by departure; solving them by
        // meridional parts instead would put a point some tenths of a percent
        // of its east-west distance away from where it was placed.
        const double departure = 60.0 * std::fabs(dLon) * math::Cos(lat1 * kDegToRad);
        const double northing = 60.0 * std::fabs(dLat);
        c = math::Atan(departure / northing) * kRadToDeg;
        distance = std::sqrt(northing * northing + departure * departure);
    } else {
        c = math::Atan(60.0 * std::fabs(dLon) / std::fabs(dM)) * kRadToDeg;
        distance = 60.0 * std::fabs(dLat) / math::Cos(c * kDegToRad);
    }

    // The quadrant is chosen by the first test that holds; the order decides
    // the courses on the axes (due north, south, east, west).
    if (dLat >= 0.0 && dLon >= 0.0) {
        course = c;
    } else if (dLat <= 0.0 && dLon >= 0.0) {
        course = 180.0 - c;
    } else if (dLat <= 0.0 && dLon <= 0.0) {
        course = 180.0 + c;
    } else {
        course = 360.0 - c;
    }
}

double MidLongitude(double lon1, double lon2) {
    const double mid = (lon1 + lon2) / 2.0;
    if (std::fabs(lon2 - lon1) <= 180.0) {
        return mid;
    }
    // Halfway the other way round lies opposite the plain mean.
    return mid > 0.0 ? mid - 180.0 : mid + 180.0;
}

void DestinationPoint(double lat, double lon, double course, double distance, double& lat2, double& lon2) {
    if (distance < 0.0) {
        distance = -distance;
        course = NormalizeAngle(course + 180.0, 360.0);
    }

    double a = 0.0;
    double northSign = 1.0;
    double eastSign = 1.0;
    if (course <= 90.0) {
        a = course;
    } else if (course <= 180.0) {
        a = 180.0 - course;
        northSign = -1.0;
    } else if (course <= 270.0) {
        a = course - 180.0;
        northSign = -1.0;
        eastSign = -1.0;
    } else {
        a = 360.0 - course;
        eastSign = -1.0;
    }
    const double aRad = a * kDegToRad;

    lat2 = lat + northSign * distance * math::Cos(aRad) / 60.0;
    const double departure = distance * math::Sin(aRad);
    const double dM = std::fabs(MeridionalParts(lat) - MeridionalParts(lat2));
    double dLonMinutes = 0.0;
    if (dM > kParallelThreshold) {
        dLonMinutes = dM * math::Tan(aRad);
    } else {
        dLonMinutes = departure / math::Cos(lat * kDegToRad);
    }

    lon2 = lon + eastSign * dLonMinutes / 60.0;
    if (std::fabs(lon2) > 180.0) {
        lon2 = lon2 < 0.0 ? lon2 + 360.0 : lon2 - 360.0;
    }
}

DPoint LatLonToLocalFeet(double benchLat, double benchLon, double lat, double lon) {
    double course = 0.0;
    double distance = 0.0;
    CourseAndDistance(benchLat, benchLon, lat, lon, course, distance);
    const double theta = NormalizeAngle(90.0 - course, 360.0) * kDegToRad;
    const double feet = distance * kFeetPerNauticalMile;
    return DPoint{feet * math::Cos(theta), feet * math::Sin(theta)};
}

void LocalFeetToLatLon(double benchLat, double benchLon, double x, double y, double& lat, double& lon) {
    const double distance = std::sqrt(x * x + y * y) * kFeetToNauticalMiles;
    const double course = NormalizeAngle(90.0 - math::Atan2(y, x) * kRadToDeg, 360.0);
    DestinationPoint(benchLat, benchLon, course, distance, lat, lon);
}

void SplitDegrees(double a, int& degrees, int& minutes, double& seconds) {
    const double v = std::fabs(a) + kSplitEpsilon;
    degrees = static_cast<int>(v);
    const double f = (v - degrees) * 60.0;
    minutes = static_cast<int>(f);
    seconds = (f - minutes) * 60.0;
}

std::string FormatLatLon(double a, LatLonKind kind, int style) {
    int degrees = 0;
    int minutes = 0;
    double seconds = 0.0;
    // Angles beyond a few turns are not positions; keep the text bounded.
    if (!std::isfinite(a) || std::fabs(a) > 1.0e6) {
        return std::string();
    }
    SplitDegrees(a, degrees, minutes, seconds);
    const char letter = kind == LatLonKind::Latitude ? (a < 0.0 ? 'S' : 'N') : (a < 0.0 ? 'W' : 'E');

    std::string text;
    switch (style) {
        case 4:
        case 2:
            // "%3d° %02d' %07.4f\" N", or "%05.2f" for the seconds of style 2.
            text = PaddedInt(degrees, 3, ' ') + kDegreeSign + " " + PaddedInt(minutes, 2, '0') + "' " +
                   FormatFixed(seconds, style, style + 3, '0') + "\" " + letter;
            break;
        case 0: {
            double m = minutes + seconds / 60.0;
            if (m > 59.95) {
                // Would print as 60.0 minutes.
                ++degrees;
                m = 0.0;
            }
            // "%c%02d° %04.1f'" for latitudes, three digits of degrees for longitudes.
            const int digits = kind == LatLonKind::Latitude ? 2 : 3;
            return letter + PaddedInt(degrees, digits, '0') + kDegreeSign + " " + FormatFixed(m, 1, 4, '0') +
                   "'";
        }
        default:
            return std::string();
    }
    // Styles 2 and 4 skip exactly one leading blank.
    return text[0] == ' ' ? text.substr(1) : text;
}

}  // namespace rollpath
