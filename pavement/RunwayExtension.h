#pragma once

// A runway centre-line segment that leaves its runway past an end carries an
// extension: pavement from its outer end back to the runway's end line.

#include "document/RollpathDoc.h"

namespace rollpath {

// Angles within this many degrees count as the runway's axis.
inline constexpr double kExtensionAxisTolerance = 2.0;

// Clears the extension flags (0x20, 0x40), then for a live runway centre-line
// segment with one vertex strictly inside a runway and the other strictly
// outside, running along the runway's axis (either way, within 2 degrees):
// sets the flag of the inside end's opposite (0x40 when vertex0 is inside,
// 0x20 when vertex1 is), the two runway corners of the end it leaves by,
// end class 4 at the outside end and the two extension edge stripes. The
// segment's own stripes must be current. Returns true when it found one.
bool FindExtension(CRollpathDoc& doc, RollpathSegment& segment);

// The runway such a segment leaves past an end, with the end that lies
// inside it; nullptr when it leaves none. Changes nothing.
const RunwayRecord* ExtendedRunway(const CRollpathDoc& doc, const RollpathSegment& segment, int& insideEnd);

}  // namespace rollpath
