#pragma once

// The pieces of one corner of a junction: the pavement polygon bounded by a
// fillet, the trimmed ends of the two segments, the curved edge and centre
// markings with their lights, and the exit line where a rollpath meets a
// runway centre line.

#include "document/RollpathDoc.h"
#include "pavement/JunctionEnd.h"
#include "settings/Settings.h"

namespace rollpath {

// The Bezier depth in use: the setting taken into its range of 3 to 10
// intervals (a hand-edited store may hold anything).
int JunctionDepth(const Settings& settings);

// Builds the corner between a and b, neighbours in the walk around vertex k
// (n segments there) with the signed angle theta between them: fills
// `polygon` (kind 2; the caller keeps or drops it), trims both ends, and
// appends curved quads and lights to the vertex. A negative theta puts the
// corner on a's left and b's right as seen travelling toward the vertex.
// Returns false, changing nothing, when some pair of offset lines gives no
// corner: they are parallel, or meet farther from the vertex than the longer
// segment, the wider width and LiteOffset together (the segments then run
// nearly on top of each other).
bool BuildJunction(CRollpathDoc& doc, int k, JunctionEnd& a, JunctionEnd& b, int n, double theta,
                   GroundPolygon& polygon);

// Angles of the junction rules, radians.
inline constexpr double kStraightLow = 3.1066860685499065;   // 178 degrees
inline constexpr double kStraightHigh = 3.1764992386296798;  // 182 degrees
inline constexpr double kSquareLow = 4.625122517784973;      // 265 degrees
inline constexpr double kSquareHigh = 4.799655442984406;     // 275 degrees
inline constexpr double kRightAngle = 1.5707963267948966;    // 90 degrees

}  // namespace rollpath
