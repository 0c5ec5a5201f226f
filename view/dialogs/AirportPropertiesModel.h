#pragma once

// "Airport Properties": the loaded airport and its runways, for reading only.

#include <string>

#include "document/RollpathDoc.h"
#include "view/dialogs/DialogHost.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class AirportPropertiesModel : public DialogModel {
public:
    static constexpr int kResource = 134;
    static constexpr int kName = 1018;
    static constexpr int kLat = 1019;
    static constexpr int kLon = 1020;
    static constexpr int kElevation = 1044;
    static constexpr int kRunways = 1045;

    explicit AirportPropertiesModel(const CRollpathDoc& doc);
};

// The document's Properties command: the dialog over the loaded airport.
// It is offered only while an airport is loaded.
void ShowAirportProperties(const CRollpathDoc& doc, DialogHost& host);
inline bool AirportPropertiesEnabled(const CRollpathDoc& doc) {
    return doc.m_bAirportLoaded != 0;
}

// The runway list's line: designators, surface, length by width, and
// "\tclosed" for a closed runway.
std::string RunwayListLine(const RunwayRecord& runway);

}  // namespace rollpath
