#pragma once

// Builds airports in LocalFeet directly for tests and benchmarks: runways
// with their outlines, vertices, and segments with their straight geometry.

#include <string>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath::testing {

// A runway from end0 to end1 with its outline: corners end 1 left, end 1
// right, end 2 right, end 2 left, left being 90 degrees counter-clockwise of
// the direction from end0 to end1, each half the width out. Asphalt, with
// the length taken from the two ends.
RunwayRecord& AddRunway(CRollpathDoc& doc, DPoint end0, DPoint end1, int width, const std::string& id0 = "09",
                        const std::string& id1 = "27");

// A new pool vertex at (x, y) (never merged with an existing one).
int AddVertexAt(CRollpathDoc& doc, double x, double y);

// A segment between two pool vertices with its geometry computed as the
// editor does for a new segment (SegmentGeometry).
RollpathSegment& AddSegment(CRollpathDoc& doc, int vertex0, int vertex1, double width,
                            int type = SegmentType::Rollpath, int flags = 0);

// A rollpath between two points, with new vertices at both.
RollpathSegment& AddRollpath(CRollpathDoc& doc, DPoint a, DPoint b, double width);

// A ground polygon of the given corners, ordinary unless said otherwise.
GroundPolygon& AddPolygon(CRollpathDoc& doc, std::vector<DPoint> points, int kind = PolygonKind::Ordinary);

// The runway's centre line as one runway centre-line segment, as a new
// airport gets it, with new vertices at both ends.
RollpathSegment& AddCentreLine(CRollpathDoc& doc, const RunwayRecord& runway);

}  // namespace rollpath::testing
