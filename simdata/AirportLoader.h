#pragma once

#include <optional>
#include <string>

#include "document/RollpathDoc.h"
#include "simdata/SceneryReadBack.h"

namespace rollpath {

// Distance by which a seeded runway centre line stops short of each runway
// end: 25 feet in nautical miles.
inline constexpr double kSeedInsetNm = 0.004114481328483731;

// Fills the (already cleared) document with the airport of this code: finds
// the installation from the "FlyDir" setting, reads the airport and its
// runways (archives or loose database first as "PodFilesFirst" says), reads
// back the editor's files named here when they exist, places the runways in
// LocalFeet and, for an airport without a network, seeds one runway
// centre-line segment per runway. Returns 1 on success, 0 after a message.
int LoadAirport(CRollpathDoc& doc, const std::string& code, const std::string& txdName,
                const std::string& txpName, const std::string& bgrName, const std::string& tmsName,
                const SceneryReadBack& readBack = {});

// Why a folder is not a Fly! installation, naming what is missing: it does
// not exist, or holds none of the archives (System/Airport.epd or .pod) that
// mark one. Nothing when it is one.
std::optional<std::string> InstallationProblem(const std::string& flyDir);

// Sets each runway's ends and corners in LocalFeet around the current benchmark.
void PlaceRunways(CRollpathDoc& doc);

// One runway centre-line segment per runway, 25 ft short of each end, each
// with two new vertices; the touched-vertex list is emptied afterwards.
void SeedRunwayCentreLines(CRollpathDoc& doc);

}  // namespace rollpath
