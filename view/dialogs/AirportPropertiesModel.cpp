#include "view/dialogs/AirportPropertiesModel.h"

#include <vector>

#include "view/dialogs/DialogText.h"

namespace rollpath {

namespace {

// Column starts of the runway list, in dialog units.
const std::vector<int> kRunwayTabStops = {50, 100, 150};

}  // namespace

std::string RunwayListLine(const RunwayRecord& runway) {
    std::string line = runway.id0 + "/" + runway.id1 + "\t" + SurfaceName(runway.SurfaceIndex()) + "\t" +
                       std::to_string(runway.length) + "'   x   " + std::to_string(runway.width) + "'";
    if (runway.closed != 0) {
        line += "\tclosed";
    }
    return line;
}

AirportPropertiesModel::AirportPropertiesModel(const CRollpathDoc& doc)
    : DialogModel("Airport Properties", kResource, DialogButtons::Ok) {
    const AirportRecord& airport = doc.m_Airport;
    AddField(kName, "Name", airport.name, true);
    AddField(kLat, "Lat", DialogLatLon(airport.lat, LatLonKind::Latitude), true);
    AddField(kLon, "Lon", DialogLatLon(airport.lon, LatLonKind::Longitude), true);
    AddField(kElevation, "Elevation", FeetText(airport.elevation), true);
    std::vector<std::string> lines;
    lines.reserve(doc.m_pRunways.size());
    for (const auto& runway : doc.m_pRunways) {
        lines.push_back(RunwayListLine(*runway));
    }
    AddList(kRunways, "Runways", std::move(lines)).tabStops = kRunwayTabStops;
}

void ShowAirportProperties(const CRollpathDoc& doc, DialogHost& host) {
    if (!AirportPropertiesEnabled(doc)) {
        return;
    }
    AirportPropertiesModel dialog(doc);
    host.RunDialog(dialog);
}

}  // namespace rollpath
