#pragma once

// The building blocks of the pavement file (.tms) writer: the header
// records, a tile's framing, the mesh sections and the light section. The
// tile writer decides what goes into each tile and calls these in file order:
//
//   WritePavementHeader
//   for every tile with content:
//       WriteTileStart, WriteMeshSection x 3 (pavement, edge markings,
//       centre markings), WriteLightSection, WriteTileEnd
//   WritePavementEnd

#include <cstdint>
#include <span>
#include <string_view>

#include "geometry/DPoint.h"

namespace rollpath {

class ByteWriter;
struct TileGrid;

// Fixed point of the mesh sections: 8 fraction bits, so 1/256 ft per unit.
inline constexpr double kMeshUnitsPerFoot = 256.0;

enum class MeshSection { Pavement, EdgeMarkings, CentreMarkings };

// "<pave>", "<edmk>" or "<cntr>".
std::string_view MeshSectionTag(MeshSection section);

struct TileLightPoint {
    std::uint32_t lightClass = 0;  // 1 edge, 0 centre line
    double x = 0.0;                // feet; stored as 32-bit floats
    double y = 0.0;
};

// Evenly spaced lights from (x0, y0) to (x1, y1), both ends included.
struct TileLightRun {
    std::uint32_t lightClass = 0;
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
    double spacing = 0.0;  // feet
};

// "<bgno>", "<orgn>" (from the benchmark in degrees), "<tlxz>", "<feet>",
// "<lowl>".
void WritePavementHeader(ByteWriter& writer, double latDegrees, double lonDegrees, const TileGrid& grid);

// "<tile>", "<bgno>", "<indx>" column row.
void WriteTileStart(ByteWriter& writer, std::uint32_t column, std::uint32_t row);

// A mesh section from a vertex table (feet, each distinct position once) and
// an index list as the tile writer collects it: for every polygon its corner
// count n followed by n indices into the vertex table. Each vertex is stored
// as x x 256, 0, y x 256 rounded away from zero; each polygon as the words
// 5, n, 0, 65535, 0, 0 and its indices.
void WriteMeshSection(ByteWriter& writer, MeshSection section, std::span<const DPoint> vertices,
                      std::span<const std::uint32_t> indexWords);

// The section's byte count: 12 x (V + 2) + the sum over the polygons of
// (24 + 4 n). An index list that ends inside a polygon counts (and writes)
// only the polygons before it.
std::uint32_t MeshSectionByteCount(std::size_t vertexCount, std::span<const std::uint32_t> indexWords);

// The light section: every point, then every run.
void WriteLightSection(ByteWriter& writer, std::span<const TileLightPoint> points,
                       std::span<const TileLightRun> runs);

// The "<endo>" that closes a tile.
void WriteTileEnd(ByteWriter& writer);

// The "<endo>" that closes the file.
void WritePavementEnd(ByteWriter& writer);

}  // namespace rollpath
