#pragma once

// Triangulation of a simple polygon, possibly with holes, into triangles whose
// corners are the polygon's own vertices: Seidel's randomized incremental
// trapezoidation, a split into monotone pieces along diagonals read off the
// trapezoids, and a reflex-chain sweep of each piece.
//
// The working tables are reused by every call on the same thread (batch
// builds triangulate on several threads, each with its own tables).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

// The most vertices a call takes, all contours together (the segment table
// has 2000 entries and entry 0 is not used). The other working tables hold 8
// trapezoids and 16 query nodes per segment, so that no polygon within this
// limit is turned away for want of room, whatever its insertion order.
inline constexpr int kMaxTriangulationVertices = 1999;

// Points whose y values differ by at most this much (feet) are at the same
// height and are ordered by x; points that differ by at most this much in
// both coordinates are the same point.
inline constexpr double kTriangulationTolerance = 1e-7;

// Three vertex numbers, 1-based like the input.
using Triangle = std::array<int, 3>;

// The second (0 to 59) of the current UTC time: the default seed of the
// insertion order, so that calls within the same second agree.
std::uint32_t UtcSecondSeed();

// contourCounts holds the vertex count of each contour; vertices holds the
// contours one after another starting at entry 1 (entry 0 is not used), so
// it needs at least 1 + the sum of the counts entries. The first contour is
// the outer boundary and runs counter-clockwise (negative PolygonArea);
// further contours are holes and run clockwise. Coordinates are feet.
//
// A vertex that is the same point as the one before it in its contour
// (within kTriangulationTolerance in both coordinates), or a last vertex
// that is the first, is left out; the triangles name the first of such
// repeats by its own number.
//
// Writes the triangles, counter-clockwise, to triangles and returns their
// number: n - 2 + 2h for n vertices left and h holes. Returns -1 and leaves
// triangles empty when the input is refused (fewer than 3 or more than
// kMaxTriangulationVertices vertices, a contour of fewer than 3 vertices, a
// wrongly oriented contour, a coordinate that is not finite or beyond
// 1e15 feet), when a working table is full, and when the contours prove not
// to be a simple polygon.
//
// seed starts the random insertion order; without it the UTC second is used.
int TriangulatePolygon(std::span<const int> contourCounts, std::span<const DPoint> vertices,
                       std::vector<Triangle>& triangles, std::optional<std::uint32_t> seed = std::nullopt);

}  // namespace rollpath
