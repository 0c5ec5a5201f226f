#pragma once

#include <string>

#include "document/RollpathDoc.h"

namespace rollpath {

// Reads the airport with this code, and its runways, from the loose database
// in the installation's "\DATABASE" folder: the code is looked up in
// "APRTFAA.DBI", then in "APRTICAO.DBI"; the runways through "RUNWAY.DBI".
// Returns 1 found, 0 the code is in neither index or a file of the database
// does not exist (nothing to read is no error), -1 a file could not be
// opened or is damaged (a message has been shown). latArcsec and lonArcsec
// receive the benchmark exactly as stored.
int ReadLooseDatabase(CRollpathDoc& doc, const std::string& code, double& latArcsec, double& lonArcsec);

}  // namespace rollpath
