#pragma once

// The polygon file (code + ".txp"): the live ground polygons as one object,
// a shared vertex pool followed by one list of pool indices per polygon.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "document/FileSystem.h"

namespace rollpath {

class CRollpathDoc;

// The most vertices the reader accepts in one pool.
inline constexpr std::uint32_t kMaxPolygonFileVertices = 8192;

// The file's bytes. Every clockwise live polygon is reversed in the document
// first (and stays so), so that all polygons are written counter-clockwise.
std::vector<std::uint8_t> EncodePolygonFile(CRollpathDoc& doc);

// Writes folder / m_szTxpName through a temporary file. On failure shows
// "Cannot create " + m_szTxpName, leaves an older file as it was and returns
// false. Without a folder the output directory of the settings is used.
bool WritePolygonFile(CRollpathDoc& doc, const std::filesystem::path& folder,
                      FileSystem& files = RealFileSystem());
bool WritePolygonFile(CRollpathDoc& doc);

// Appends the file's polygons to the document. latArcsec and lonArcsec are the
// airport's position from the database; a file whose origin lies more than
// one arcsecond away is refused, one with an origin latitude of exactly 0.0
// ends reading quietly. The benchmark is not changed. A missing file is no
// error. Reading stops at the first problem, keeping the polygons completed
// before it.
void ReadPolygonFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec);

}  // namespace rollpath
