#pragma once

// GeoJSON export: the airport as GIS tools show it. One FeatureCollection
// (RFC 7946, longitude and latitude to 1e-7 degree) with a `layer` property
// on every feature: "runway" and "polygon" areas, "rollpath" segments (with
// their type, width in feet, flags and hold distances), "vertex" points of
// vertices with flags, and what pavement generation made of them:
// "junction" and "pavement" areas, "marking" areas and "light" points with
// their colour. Importing the file gives back the same network.

#include <filesystem>
#include <string>

#include "document/FileSystem.h"
#include "document/RollpathDoc.h"

namespace rollpath {

std::string ExportGeoJson(const CRollpathDoc& doc);

// Writes the export through an atomic file; false, with the "Cannot create"
// message, when it cannot be written (the old file stays).
bool ExportGeoJsonFile(const CRollpathDoc& doc, const std::filesystem::path& target, MessageSink& messages,
                       FileSystem& files = RealFileSystem());

}  // namespace rollpath
