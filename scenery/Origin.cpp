#include "scenery/Origin.h"

#include <cmath>

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
