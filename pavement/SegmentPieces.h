#pragma once

// The painted and paved pieces one segment contributes beyond its own
// outline, in the order the pavement file lists them. The view draws the
// same pieces.

#include <array>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

// The pavement of a runway centre line past the runway's end: flag 0x20 gives
// (right at vertex0, centre at vertex0, left at vertex0, extension corner 0,
// extension corner 1), flag 0x40 (extension corner 1, extension corner 0,
// left at vertex1, centre at vertex1, right at vertex1). False for any other
// segment.
bool ExtensionPolygon(const RollpathSegment& segment, std::array<DPoint, 5>& out);

bool IsExtensionSegment(const RollpathSegment& segment);

// Edge markings: a rollpath's right and left edge stripes; an extension
// without Blast Pad its two extension edge stripes.
void AppendSegmentEdgeMarkings(const RollpathSegment& segment, std::vector<Quad>& out);

// Centre markings: an extension's blast-pad chevrons (with Blast Pad) or its
// four arrowheads (two quads each); a rollpath's runway hold (or else critical
// hold) pieces with the two pieces of centre stripe either side, or else its
// centre stripe, then its stubs by flags 0x100 and 0x200, and the exit quads
// selected by its exit mask. No Exit keeps the exit quads out of the pavement
// file but not off the screen: `honourNoExit` says which is wanted. Returns
// false when a marking needed more quads than its buffer holds and was cut.
bool AppendSegmentCentreMarkings(const CRollpathDoc& doc, const RollpathSegment& segment, bool honourNoExit,
                                 std::vector<Quad>& out);

}  // namespace rollpath
