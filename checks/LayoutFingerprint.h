#pragma once

// A hash of everything the layout checks read, so that the editor runs them
// again only when something they look at changed.

#include <cstdint>

#include "document/RollpathDoc.h"

namespace rollpath {

// The vertices (positions, flags, liveness), the segments (ends, type,
// width, flags, liveness), the ground polygons, the Source and Sink, the
// tile grid, the settings the checks use, and the document's reloads and
// renumberings. Equal documents give equal values; a change to any of these
// gives another value (but for hash collisions).
std::uint64_t LayoutFingerprint(const CRollpathDoc& doc);

}  // namespace rollpath
