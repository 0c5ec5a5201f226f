#pragma once

// The straight geometry of one rollpath segment: pavement outline, centre and
// edge stripes, stub seeds and the initial light rows. Left and right are
// relative to the segment's direction from vertex0 to vertex1.

#include "document/RollpathDoc.h"

namespace rollpath {

// Where a segment lies: its end points, direction and unit normals.
struct SegmentFrame {
    DPoint p0;         // vertex0
    DPoint p1;         // vertex1
    double angle;      // radians, direction from p0 to p1 (0 for a zero-length segment)
    DPoint unit;       // (cos angle, sin angle)
    DPoint leftN;      // unit normal 90 degrees counter-clockwise of the direction
    DPoint rightN;     // unit normal 90 degrees clockwise of the direction
    double halfWidth;  // feet
};

// False (and nothing written) when a vertex index of the segment is not a
// slot of the pool.
bool GetSegmentFrame(const CRollpathDoc& doc, const RollpathSegment& segment, SegmentFrame& frame);

// Recomputes one end's outline points, stripe end points and stub seed.
// The markings start `shortening` feet inside the segment from that end (the
// MarkShort setting at a dead end, 0 elsewhere); the outline always reaches
// the vertex. The other end is left as it is.
void SegmentEndGeometry(CRollpathDoc& doc, RollpathSegment& segment, int end, double shortening);

// Recomputes the whole straight geometry after the segment was created, moved
// or changed: both ends without shortening, stubs as copies of the centre
// stripe (stub flags and exit mask cleared), the initial light rows, and the
// runway extension test.
void SegmentGeometry(CRollpathDoc& doc, RollpathSegment& segment);

}  // namespace rollpath
