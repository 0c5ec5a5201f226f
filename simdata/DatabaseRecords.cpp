#include "simdata/DatabaseRecords.h"

#include <cmath>

#include "document/InstallPaths.h"
#include "simdata/DatabaseLayout.h"

namespace rollpath {

namespace L = dblayout;

double ArcsecondsToDegrees(double arcseconds) {
    return arcseconds * 0.0002777777777777778;
}

double ReduceLongitude(double degrees) {
    return degrees > 180.0 ? degrees - 360.0 : degrees;
}

StoredPosition DecodeAirportRecord(ByteSpan record, AirportRecord& airport) {
    StoredPosition stored;
    stored.latArcsec = DoubleAt(record, L::kAirportLat);
    stored.lonArcsec = DoubleAt(record, L::kAirportLon);
    airport.key = TextAt(record, L::kAirportKey, L::kKeyLength);
    airport.faaId = TextAt(record, L::kAirportFaaId, L::kFaaIdLength);
    airport.icaoId = TextAt(record, L::kAirportIcaoId, L::kIcaoIdLength);
    airport.name = TextAt(record, L::kAirportName, L::kNameLength);
    airport.lat = ArcsecondsToDegrees(stored.latArcsec);
    airport.lon = ReduceLongitude(ArcsecondsToDegrees(stored.lonArcsec));
    airport.elevation = Int32At(record, L::kAirportElevation);
    return stored;
}

bool PlausibleStoredPosition(const StoredPosition& stored) {
    constexpr double kPole = 90.0 * 3600.0;
    constexpr double kCircle = 360.0 * 3600.0;
    return std::isfinite(stored.latArcsec) && std::isfinite(stored.lonArcsec) &&
           std::fabs(stored.latArcsec) <= kPole && stored.lonArcsec >= -kCircle / 2.0 &&
           stored.lonArcsec <= kCircle;
}

bool AirportRecordMatches(ByteSpan record, std::string_view code) {
    return EqualsIgnoreCase(TextAt(record, L::kAirportFaaId, L::kFaaIdLength), code) ||
           EqualsIgnoreCase(TextAt(record, L::kAirportIcaoId, L::kIcaoIdLength), code);
}

std::string RunwayAirportKey(ByteSpan record) {
    return TextAt(record, L::kRunwayAirportKey, L::kKeyLength);
}

RunwayRecord DecodeRunwayRecord(ByteSpan record) {
    RunwayRecord runway;
    runway.length = Int32At(record, L::kRunwayLength);
    runway.width = Int32At(record, L::kRunwayWidth);
    runway.surface = Int32At(record, L::kRunwaySurface);
    runway.closed = SignedByteAt(record, L::kRunwayClosed);
    runway.id0 = TextAt(record, L::kRunwayEnd1Id, L::kDesignatorLength);
    runway.lat0 = ArcsecondsToDegrees(DoubleAt(record, L::kRunwayEnd1Lat));
    runway.lon0 = ReduceLongitude(ArcsecondsToDegrees(DoubleAt(record, L::kRunwayEnd1Lon)));
    runway.displaced0 = Int32At(record, L::kRunwayEnd1Displaced);
    runway.endAttr0 = Int32At(record, L::kRunwayEnd1Attr);
    runway.id1 = TextAt(record, L::kRunwayEnd2Id, L::kDesignatorLength);
    runway.lat1 = ArcsecondsToDegrees(DoubleAt(record, L::kRunwayEnd2Lat));
    runway.lon1 = ReduceLongitude(ArcsecondsToDegrees(DoubleAt(record, L::kRunwayEnd2Lon)));
    runway.displaced1 = Int32At(record, L::kRunwayEnd2Displaced);
    runway.endAttr1 = Int32At(record, L::kRunwayEnd2Attr);
    return runway;
}

}  // namespace rollpath
