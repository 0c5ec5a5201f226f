#include "view/dialogs/RunwayPropertiesModel.h"

#include "view/dialogs/DialogText.h"

namespace rollpath {

namespace {

constexpr const char* kEndPositions = "End Positions";
constexpr const char* kDisplacedThresholds = "Displaced Thresholds";

}  // namespace

RunwayPropertiesModel::RunwayPropertiesModel(const RunwayRecord& runway)
    : DialogModel("Runway Properties", kResource) {
    AddField(kLat0, "End 1 Lat", DialogLatLon(runway.lat0, LatLonKind::Latitude), true).group = kEndPositions;
    AddField(kLon0, "End 1 Lon", DialogLatLon(runway.lon0, LatLonKind::Longitude), true).group =
        kEndPositions;
    AddField(kLat1, "End 2 Lat", DialogLatLon(runway.lat1, LatLonKind::Latitude), true).group = kEndPositions;
    AddField(kLon1, "End 2 Lon", DialogLatLon(runway.lon1, LatLonKind::Longitude), true).group =
        kEndPositions;
    AddField(kDisplaced0, "End 1", FeetText(runway.displaced0), true).group = kDisplacedThresholds;
    AddField(kDisplaced1, "End 2", FeetText(runway.displaced1), true).group = kDisplacedThresholds;
    AddField(kId, "ID", runway.DisplayName(), true);
    AddField(kSurface, "Surface", SurfaceName(runway.SurfaceIndex()), true);
    AddCheck(kClosed, "&Closed", runway.closed != 0);
}

}  // namespace rollpath
