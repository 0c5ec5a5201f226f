#pragma once

#include <string>

#include "document/RollpathDoc.h"

namespace rollpath {

// Read the airport with this code, and its runways, from the members
// "DATABASE\AIRPORT.DBD" and "DATABASE\RUNWAY.DBD" of the installation's
// archives: "\System\Airport.epd" and "\System\Runway.epd", respectively
// "\System\Airport.pod" and "\System\Runway.pod". The first airport record
// whose first or second identifier equals the code (ignoring case) wins.
// Return 1 found, 0 the code is not in the airport member or an archive does
// not exist (nothing to read is no error), -1 an archive could not be opened,
// lacks its member or is damaged (a message has been shown).
// latArcsec and lonArcsec receive the benchmark exactly as stored.
int ReadEpdArchives(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec);
int ReadPodArchives(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec);

}  // namespace rollpath
