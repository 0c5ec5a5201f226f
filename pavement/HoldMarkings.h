#pragma once

// The hold markings painted across a rollpath: the runway hold (two dashed
// and two solid lines, the dashes nearest the runway), the critical hold (two
// bars joined by a ladder of short blocks) and the two pieces of centre line
// left either side of a hold marking.

#include "document/RollpathDoc.h"
#include "pavement/QuadBuffer.h"

namespace rollpath {

// The runway hold marking, from extent0 to extent0 + 7 ft measured from the
// segment's runway-side vertex (vertex0 when its end class is 2 or 3, else
// vertex1). Fills the buffer from empty; returns the number of quads.
int RunwayHoldQuads(const CRollpathDoc& doc, const RollpathSegment& segment, QuadBuffer& buffer);

// The critical hold marking, from extent1 to extent1 + 4 ft measured from
// vertex0, between the inner sides of the edge stripes. Fills the buffer from
// empty; returns the number of quads.
int CriticalHoldQuads(const CRollpathDoc& doc, const RollpathSegment& segment, QuadBuffer& buffer);

// The centre stripe cut where a hold marking of the given kind
// (SegmentFlag::RunwayHold or SegmentFlag::CriticalHold) crosses it: the piece
// from the vertex0 end, then the piece from the vertex1 end. Fills the buffer
// from empty; returns 2 (0 for an unknown kind).
int HoldEndQuads(const CRollpathDoc& doc, const RollpathSegment& segment, int kind, QuadBuffer& buffer);

}  // namespace rollpath
