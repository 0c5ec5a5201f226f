#include "scenery/Origin.h"

#include <cmath>

#include "document/Records.h"
#include "scenery/BinaryIO.h"

namespace rollpath {

ArcsecondOrigin OriginToArcseconds(double latDegrees, double lonDegrees) {
    ArcsecondOrigin origin{latDegrees * kArcsecondsPerDegree, lonDegrees * kArcsecondsPerDegree};
    if (origin.lon < 0.0) {
        origin.lon += kArcsecondsPerCircle;
    }
    return origin;
}

double LatitudeFromArcseconds(double latArcsec) {
    return latArcsec / kArcsecondsPerDegree;
}

double LongitudeFromArcseconds(double lonArcsec) {
    double lon = lonArcsec / kArcsecondsPerDegree;
    if (lon > 180.0) {
        lon -= 360.0;
    }
    return lon;
}

void MoveBenchmarkTo(AirportRecord& airport, const ArcsecondOrigin& origin) {
    const ArcsecondOrigin stored = OriginToArcseconds(airport.lat, airport.lon);
    if (stored.lat != origin.lat) {
        airport.lat = LatitudeFromArcseconds(origin.lat);
    }
    if (stored.lon != origin.lon) {
        airport.lon = LongitudeFromArcseconds(origin.lon);
    }
}

bool OriginWithinOneArcsecond(const ArcsecondOrigin& fileOrigin, double latArcsec, double lonArcsec) {
    // Written so that NaN fails: a file cannot move the benchmark to nowhere.
    return std::fabs(fileOrigin.lat - latArcsec) <= 1.0 && std::fabs(fileOrigin.lon - lonArcsec) <= 1.0;
}

void WriteOriginPayload(ByteWriter& writer, double latDegrees, double lonDegrees) {
    const ArcsecondOrigin origin = OriginToArcseconds(latDegrees, lonDegrees);
    writer.F64(origin.lat);
    writer.F64(origin.lon);
    writer.F64(0.0);
    writer.U32(1);
}

}  // namespace rollpath
