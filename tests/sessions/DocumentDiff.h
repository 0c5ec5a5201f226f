#pragma once

// Comparing two documents in everything a Save keeps: the code and file
// names, the diagram and its placement, the rotation, the network (live
// segments in order with their vertices, type, width, flags and hold
// extents; vertices with their positions and flags; Source and Sink) and the
// live ground polygons. Vertices are compared by their order of first use
// along the live segments, as Save numbers them, so that a pool holding
// deleted or unused slots compares equal to its compacted form.

#include <optional>
#include <string>

#include "document/RollpathDoc.h"

namespace rollpath::testing {

// The first difference, named ("segment 3 of 7: width 1500 then 1000");
// nothing when the documents agree.
std::optional<std::string> FirstDifference(const CRollpathDoc& expected, const CRollpathDoc& actual);

}  // namespace rollpath::testing
