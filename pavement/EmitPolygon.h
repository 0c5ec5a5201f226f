#pragma once

// Appending one polygon to a tile's mesh section: the polygon is cut by the
// tile, convex pieces go in as they are, concave ones as triangles.

#include <span>

#include "geometry/Clip.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/SectionPieces.h"
#include "pavement/TileMesh.h"

namespace rollpath {

// Cuts the polygon (LocalFeet) by the tile with PreciseClipToRectangle and
// appends every piece to the mesh (a polygon wholly inside the tile is its
// own piece, without clipping):
// - a convex or degenerate piece as one polygon, its corners in the piece's
//   (clockwise) order;
// - a concave piece turned counter-clockwise, triangulated with the
//   context's seed, each triangle (a, b, c) written as a, c, b (clockwise).
// The pieces must cover the area of the polygon in the tile; when they do
// not (a crossing exactly at a corner escapes the clipper), the tile is
// widened by a millionth of a foot and the polygon cut again. A polygon that
// still cannot be cut (the clipper's capacities, an outline that crosses
// itself), or a piece the triangulator cannot handle, is recorded as a
// triangulation error and left out. A polygon with no area in the tile, or
// with a coordinate that is not a number, adds nothing. The polygon itself
// is never changed.
void EmitPolygon(PavementWriteContext& context, TileMesh& mesh, std::span<const DPoint> polygon,
                 const ClipRect& rect);

}  // namespace rollpath
