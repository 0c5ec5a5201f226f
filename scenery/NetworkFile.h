#pragma once

// The network file (code + ".bgr"): every vertex slot of the pool as a node,
// every live segment as an edge with its width, type and No Polygon flag, and
// the source and sink nodes.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "document/FileSystem.h"

namespace rollpath {

class CRollpathDoc;

// The file's bytes for the document as it stands. Node numbers are pool
// indices: every slot is written, deleted ones included.
std::vector<std::uint8_t> EncodeNetworkFile(const CRollpathDoc& doc);

// Writes folder / m_szBgrName through a temporary file. On failure shows
// "Cannot create " + m_szBgrName, leaves an older file as it was and returns
// false. Without a folder the output directory of the settings is used.
bool WriteNetworkFile(CRollpathDoc& doc, const std::filesystem::path& folder,
                      FileSystem& files = RealFileSystem());
bool WriteNetworkFile(CRollpathDoc& doc);

// Adds the file's nodes (as new vertices, never merged) and edges to the
// document and moves the benchmark to the file's origin. latArcsec and
// lonArcsec are the airport's position from the database; a file whose origin
// lies more than one arcsecond away is refused. A missing file is no error.
// A node at no plausible position, or an edge of no plausible width, is
// mended to the nearest plausible value, an edge to a missing node skipped
// (each with a message naming the file), and reading goes on; at an unknown
// tag it stops, keeping what was read before.
void ReadNetworkFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec);
// The same over the file's bytes; messages call it name.
void ReadNetworkFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name,
                     double latArcsec, double lonArcsec);

}  // namespace rollpath
