#pragma once

// Simple polygons for the clipping and triangulation tests and benchmarks.
// Every generator returns a counter-clockwise outline (negative PolygonArea)
// in feet, without repeating the first vertex.

#include <cstdint>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath::testing {

// Star-shaped around centre: n vertices at evenly spaced, slightly jittered
// angles with radii drawn from [rMin, rMax].
std::vector<DPoint> StarPolygon(int n, std::uint32_t seed, double rMin = 500.0, double rMax = 1000.0,
                                DPoint centre = {});

// Convex: n vertices on a circle at jittered angles.
std::vector<DPoint> ConvexPolygon(int n, std::uint32_t seed, double radius = 1000.0, DPoint centre = {});

// A band of the given width wound `turns` times around the origin; n is
// rounded down to an even count (half on each edge of the band), at least 6.
std::vector<DPoint> SpiralPolygon(int n, double turns = 3.0, double width = 40.0);

// A base strip with `teeth` rectangular teeth pointing north: 4 * teeth
// vertices, most of them sharing their y with many others. With sideways the
// comb is turned to point east (sharing x instead).
std::vector<DPoint> CombPolygon(int teeth, bool sideways = false);

// The polygon with every edge cut into `pieces` collinear parts.
std::vector<DPoint> SubdividedPolygon(const std::vector<DPoint>& polygon, int pieces);

// An axis-aligned rectangle with each side cut into `pieces` parts.
std::vector<DPoint> CollinearRectangle(int pieces, double width = 300.0, double height = 200.0);

// A staircase: `steps` steps up and a straight way back, many vertices at
// equal heights.
std::vector<DPoint> StaircasePolygon(int steps, double tread = 10.0, double rise = 10.0);

// The signed area by the shoelace formula, counter-clockwise positive: a
// reference that does not depend on the geometry code.
double Shoelace(const DPoint* v, int n);

// The same outline clockwise.
std::vector<DPoint> Reversed(std::vector<DPoint> polygon);

// Contours in the layout TriangulatePolygon takes: vertex entry 0 unused,
// the outline first, then the holes.
struct Contours {
    std::vector<int> counts;
    std::vector<DPoint> vertices{DPoint{}};

    void Add(const std::vector<DPoint>& contour);
    int VertexCount() const { return static_cast<int>(vertices.size()) - 1; }
    int Holes() const { return counts.empty() ? 0 : static_cast<int>(counts.size()) - 1; }
};

// A star-shaped outline of outerN vertices (radii 800 to 1000) with `holes`
// clockwise holes of holeN vertices each, small stars set apart on a grid
// inside radius 600. The outline surely contains the holes from 8 vertices
// on.
Contours PolygonWithHoles(int outerN, int holes, int holeN, std::uint32_t seed);

// Area (positive) of the region: the outline's less the holes', by the
// shoelace formula.
double RegionArea(const Contours& contours);

// Even-odd classification of a point against all contours, for reference
// checks; points on an edge may fall either way.
bool InsideRegion(const Contours& contours, DPoint p);

}  // namespace rollpath::testing
