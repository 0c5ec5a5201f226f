#pragma once

// The pavement polygon a segment contributes to the pavement file: a
// rollpath's outline, or the polygon of a runway centre line's extension
// from its outer end back to the runway's end line.

#include <array>
#include <span>

#include "document/Records.h"

namespace rollpath {

// A runway centre-line segment with flag 0x20 or 0x40.
bool HasExtension(const RollpathSegment& segment);

// With the outer end at vertex1 (flag 0x40): extensionCorners[1],
// extensionCorners[0], then the left corner, centre and right corner at
// vertex1. With the outer end at vertex0 (0x20): the right corner, centre and
// left corner at vertex0, then extensionCorners[0], extensionCorners[1].
// Both flags (a damaged file) count as 0x40, as the blast pad does.
std::array<DPoint, 5> ExtensionPolygon(const RollpathSegment& segment);

// The six outline points of a rollpath, the extension polygon (written to
// scratch) of a runway centre line with an extension, nothing otherwise.
// Flags such as No Polygon are the caller's to test.
std::span<const DPoint> SegmentPavementPolygon(const RollpathSegment& segment,
                                               std::array<DPoint, 5>& scratch);

}  // namespace rollpath
