#pragma once

// Markings of a runway centre-line segment that runs on past the runway's end
// (an extension): arrowheads pointing back toward the runway, or, on a blast
// pad, chevrons.

#include "document/RollpathDoc.h"
#include "pavement/QuadBuffer.h"

namespace rollpath {

// The blast pad's chevrons from the runway's end line out to the extension's
// outer end, each 3 ft wide, pointing toward the runway: 50 ft apart on a pad
// shorter than 250 ft, else 100 ft apart starting with the tips of a chevron
// 50 ft behind the runway's end. Fills the buffer from empty; returns the
// number of quads (0 for a segment without an extension).
int BlastPadQuads(const RollpathSegment& segment, QuadBuffer& buffer);

// Fills the segment's extensionMarks: four arrowheads across its width, their
// tips 4 ft beyond the runway's end, their arms opening 10 degrees either side
// of the extension's direction. Each arrowhead is six points p0 .. p5, drawn
// as the quads (p0, p1, p2, p3) and (p0, p1, p4, p5). Does nothing for a
// segment without an extension.
void ExtensionArrowheads(const CRollpathDoc& doc, RollpathSegment& segment);

}  // namespace rollpath
