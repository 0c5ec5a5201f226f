#pragma once

// The tiles of the pavement file's grid and the test that decides which of
// them are written.

#include <array>
#include <cstdint>
#include <span>

#include "document/RollpathDoc.h"
#include "geometry/Clip.h"

namespace rollpath {

// The pavement polygon of a segment: a rollpath's six outline points, the
// extension polygon (written to scratch) of a runway centre line with an
// extension, nothing otherwise. Flags such as No Polygon are the caller's to
// test.
std::span<const DPoint> SegmentPavement(const RollpathSegment& segment, std::array<DPoint, 5>& scratch);

// Tile (column, row) of the grid: x from X0 + column s to X0 + (column + 1) s,
// y from Y0 + row s to Y0 + (row + 1) s, with (X0, Y0) the grid's lower-left
// corner and s its tile side.
ClipRect TileRectangle(const TileGrid& grid, std::uint32_t column, std::uint32_t row);

// True as soon as one pavement polygon keeps a vertex when clipped to the
// tile (ClipToRectangle): the outline of a live rollpath, the extension
// polygon of a live runway centre line, each without No Polygon; a live
// ground polygon; a junction polygon of a live vertex without No Polygon.
// Markings and lights do not count: a tile with only lights is not written.
bool TileHasContent(const CRollpathDoc& doc, const ClipRect& rect);

}  // namespace rollpath
