#pragma once

// Reading the pavement file (code + ".tms"). The file is written by the tile
// writer with the blocks of scenery/PavementSections.h.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace rollpath {

class CRollpathDoc;

// The largest tile grid the reader accepts in either direction; the editor
// writes 8 by 8.
inline constexpr std::uint32_t kMaxReadTileGridSide = 256;

// Fills the document from a pavement file: the tile grid, "<pave>" polygons
// as ground polygons of kind 3, "<edmk>" and "<cntr>" polygons as markings of
// kind 1 and 2, and the lights, which replace the document's light list when
// the file holds a light section. The file's origin, when one was read and
// its latitude and longitude do not sum to zero, becomes the benchmark once
// reading ends. A missing file changes nothing. A record, polygon or light
// holding a value no writer of ours writes is left out (with a message
// naming the file) and reading goes on; at an unknown tag or the end of the
// data reading stops, keeping what was read before.
void ReadPavementFile(CRollpathDoc& doc, const std::filesystem::path& path);
// The same over the file's bytes; messages call it name.
void ReadPavementFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name);

}  // namespace rollpath
