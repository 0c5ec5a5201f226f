#pragma once

// The attribute side file (code + ".txd", in the program's folder): what the
// network file does not carry, every segment's flags and hold extents and
// every vertex's flags. It only adds attributes to the segments and vertices
// the network file created.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "document/FileSystem.h"

namespace rollpath {

class CRollpathDoc;

// The file's bytes: the live segments in list order (the edges of the
// network file), then every pool slot in use.
std::vector<std::uint8_t> EncodeSideFile(const CRollpathDoc& doc);

// Writes folder / m_szTxdName through a temporary file. On failure shows
// "Cannot create " + m_szTxdName, leaves an older file as it was and returns
// false. Without a folder the document's program folder is used.
bool WriteSideFile(CRollpathDoc& doc, const std::filesystem::path& folder,
                   FileSystem& files = RealFileSystem());
bool WriteSideFile(CRollpathDoc& doc);

// Gives each record's attributes to the first segment with the same two
// vertex numbers that no earlier record matched, and to the first pool slot
// at exactly the same position. A missing file is no error; a short file or
// a record without a match shows "TXD file does not match BGR file" and
// stops, keeping what was applied. A hold distance of no plausible length is
// mended (with a message naming the file).
void ReadSideFile(CRollpathDoc& doc, const std::filesystem::path& path);
// The same over the file's bytes; messages call it name.
void ReadSideFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name);

}  // namespace rollpath
