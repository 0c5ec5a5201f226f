#pragma once

// The polygon file (code + ".txp"): the live ground polygons as one object,
// a shared vertex pool followed by one list of pool indices per polygon.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "document/FileSystem.h"

namespace rollpath {

class CRollpathDoc;

// The most corners the simulator takes in one file. Edits that would pass it
// are refused; the reader takes larger files too (ours, or anyone's).
inline constexpr int kMaxPolygonFileVertices = 8192;
inline constexpr const char* kTooManyPolygonVerticesMessage = "Maximum of 8192 polygon vertices exceeded";

// The corners the file holds: those of the live ground polygons (pavement
// read from a pavement file is not written).
int PolygonFileCorners(const CRollpathDoc& doc);

// The file's bytes. Every clockwise polygon written is reversed in the document
// first (and stays so), so that all polygons are written counter-clockwise.
std::vector<std::uint8_t> EncodePolygonFile(CRollpathDoc& doc);

// Writes folder / m_szTxpName through a temporary file. On failure shows
// "Cannot create " + m_szTxpName, leaves an older file as it was and returns
// false; a file of more corners than the simulator takes is written with
// that message. Without a folder the output directory of the settings is used.
bool WritePolygonFile(CRollpathDoc& doc, const std::filesystem::path& folder,
                      FileSystem& files = RealFileSystem());
bool WritePolygonFile(CRollpathDoc& doc);

// Appends the file's polygons to the document. latArcsec and lonArcsec are the
// airport's position from the database; a file whose origin lies more than
// one arcsecond away is refused, one with an origin latitude of exactly 0.0
// ends reading quietly. The benchmark is not changed. A missing file is no
// error. A polygon that names a missing vertex or one at no plausible
// position is skipped (with a message naming the file) and reading goes on;
// at anything else it stops, keeping the polygons completed before.
void ReadPolygonFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec);
// The same over the file's bytes; messages call it name.
void ReadPolygonFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name,
                     double latArcsec, double lonArcsec);

}  // namespace rollpath
