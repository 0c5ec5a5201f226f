#pragma once

#include <array>
#include <vector>

#include "document/RollpathDoc.h"
#include "geometry/DPoint.h"

namespace rollpath {

// Evenly spaced lights on a row from line[0] to line[1], both ends lit, about
// liteSpacing feet apart (a row longer than 100 ft and shorter than 200 ft
// always gets three lights). Fills points, gives the spacing actually used
// (0 for a single light) and returns the number of lights, at least 1.
int LightPointsAlongLine(const std::array<DPoint, 2>& line, int liteSpacing, std::vector<DPoint>& points,
                         double& spacing);

// The most lights one row gets; a longer row (only from damaged data: it
// would be hundreds of miles long) is lit at this many points.
inline constexpr int kMaxLightsPerRow = 20000;

// Recomputes both ends of the segment's three light rows (centre line, and
// LiteOffset outside each pavement edge) from its stripes as the junctions
// trimmed them. The shortest of the stripes' sides gives the stretch the rows
// follow. At a dead end the rows start where its markings start; at a
// junction they stop 50 ft short of its stripe ends. A stretch shorter than
// twice LiteSpacing with a junction at an end, or one that a junction's
// clearance would use up, gets one light each at its middle.
// The rows stay as they are when the stretch cannot be projected onto the
// centre line.
void UpdateLightLines(CRollpathDoc& doc, RollpathSegment& segment);

}  // namespace rollpath
