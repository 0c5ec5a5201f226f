#pragma once

// How findings name the objects of a document: vertices by their pool
// number (the Vertex Properties dialog shows it), segments by their kind and
// the numbers of their two vertices, polygons by their place in the list.
// Numbers are written with a point whatever the locale.

#include <string>

#include "document/RollpathDoc.h"

namespace rollpath {

// "rollpath 12-13" or "runway centre line 4-5".
std::string SegmentName(const RollpathSegment& segment);
// "vertex 12".
std::string VertexName(int vertex);
// "polygon 3".
std::string PolygonName(int polygon);
// "09/27" of the first runway whose outline holds the point, else empty.
std::string RunwayAt(const CRollpathDoc& doc, const DPoint& p);

// A number with `decimals` digits after the point: "12.5".
std::string FormatNumber(double value, int decimals = 1);
// "(120.5, -33.0)".
std::string FormatPoint(const DPoint& p);

}  // namespace rollpath
