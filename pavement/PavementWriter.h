#pragma once

// Writing the pavement file (code + ".tms") at Save: everything the pavement
// generation built, cut into the tile grid as it stands in the document.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "document/FileSystem.h"
#include "document/RollpathDoc.h"

namespace rollpath {

class ByteWriter;

// Receives the file's bytes in order, a part at a time (the header, each
// tile, the end).
using PavementBytesSink = std::function<void(std::span<const std::uint8_t>)>;

// The whole file: the header records, every tile that TileHasContent accepts
// in column-major order with its three mesh sections and its light section,
// and the final "<endo>". Empties the document's triangulation error list
// first and fills it with the polygons that could not be written (reported
// once with "Polygon triangulation error(s): shown in red."). Nothing else of
// the model changes.
void EncodePavementFile(CRollpathDoc& doc, const PavementBytesSink& sink);
// The same, appended to writer.
void EncodePavementFile(CRollpathDoc& doc, ByteWriter& writer);

// Writes folder / m_szTmsName through a temporary file. When the file cannot
// be created, or the write fails, shows "Cannot create " + m_szTmsName,
// leaves an older file as it was and returns false; a file that cannot even
// be created leaves the triangulation error list of the last Save alone.
bool WritePavementFile(CRollpathDoc& doc, const std::filesystem::path& folder,
                       FileSystem& files = RealFileSystem());
// Into the output directory of the settings.
bool WritePavementFile(CRollpathDoc& doc);

}  // namespace rollpath
