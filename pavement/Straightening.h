#pragma once

// The straightening pass: vertices where two segments meet almost, but not
// quite, in a straight line are moved onto the line through the segments'
// other ends.

#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

// Bends between these angles (radians) count as meant to be straight: from
// half a degree to 2 degrees off straight on, whichever way the two segments
// run (their directions differ by 0.5 to 2 degrees, or by 178 to 179.5).
inline constexpr double kStraightenMin = 0.008726646259971648;    // 0.5 degrees
inline constexpr double kStraightenMax = 0.03490658503988659;     // 2 degrees
inline constexpr double kStraightenBackMin = 3.1066860685499065;  // 178 degrees
inline constexpr double kStraightenBackMax = 3.1328660073298216;  // 179.5 degrees

struct StraighteningResult {
    bool moved = false;
    std::vector<int> vertices;         // the moved vertices, in pool order
    std::vector<NetworkVertex> saved;  // each one's record as it was before the move
};

// Moves every live vertex used by exactly two live segments that meet at such
// an angle to its foot on the line through the two other vertices, in pool
// order (a move changes the angles at the neighbours visited later). Only
// positions change: the caller rebuilds the pavement when anything moved.
StraighteningResult StraightenVertices(CRollpathDoc& doc);

// The whole pass of the "O" key: the network rebuild, the straightening and,
// when a vertex moved, the rebuild of all pavement.
StraighteningResult RunStraighteningPass(CRollpathDoc& doc);

}  // namespace rollpath
