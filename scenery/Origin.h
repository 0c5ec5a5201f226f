#pragma once

// The airport origin as the scenery files store it: latitude and longitude in
// arcseconds, the longitude east positive over the whole circle [0, 1296000).

namespace rollpath {

inline constexpr double kArcsecondsPerDegree = 3600.0;
inline constexpr double kArcsecondsPerCircle = 1296000.0;

struct ArcsecondOrigin {
    double lat = 0.0;
    double lon = 0.0;
};

// Degrees (longitude in (-180, 180]) to the stored arcseconds: a negative
// longitude has a full circle added.
ArcsecondOrigin OriginToArcseconds(double latDegrees, double lonDegrees);

// Stored arcseconds to degrees; a longitude above 180 degrees has 360
// subtracted.
double LatitudeFromArcseconds(double latArcsec);
double LongitudeFromArcseconds(double lonArcsec);

// True when both coordinates of the file's origin lie within one arcsecond
// (inclusive) of the database position. A value that is not a number is
// never within.
bool OriginWithinOneArcsecond(const ArcsecondOrigin& fileOrigin, double latArcsec, double lonArcsec);

struct AirportRecord;

// Moves the benchmark to a file's origin, unless the origin is what the
// benchmark itself is stored as: reading back what was written from it then
// leaves it exactly where it was, rather than an arcsecond division away
// (which would shift everything placed from it).
void MoveBenchmarkTo(AirportRecord& airport, const ArcsecondOrigin& origin);

class ByteWriter;

// The origin payload of the three tagged files: latitude, longitude
// (arcseconds, as OriginToArcseconds gives them), 0.0 and the number 1.
void WriteOriginPayload(ByteWriter& writer, double latDegrees, double lonDegrees);

}  // namespace rollpath
