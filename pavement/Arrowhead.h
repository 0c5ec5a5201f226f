#pragma once

// The painted arrowhead shared by the runway extension markings and the
// displaced-threshold arrows of a runway: two arms of a stroke width s and a
// length q that meet at a tip and open at 10 degrees either side of a
// direction. Each arm's cut-off end meets the axis at 80 degrees, so the
// arms are exactly s wide and their inner edges start t = s / cos 80 degrees
// behind the tip.

#include <array>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

// p0 the tip; p1 = p0 + t u; p2 = p1 + e d-; p3 = p0 + q d-; p4 = p1 + e d+;
// p5 = p0 + q d+, with u the unit vector of phi (radians, the direction the
// arms open towards), d- and d+ the unit vectors of phi -/+ 10 degrees and
// e = q - t sin 80 degrees.
std::array<DPoint, 6> ArrowheadPoints(const DPoint& tip, double phi, double q, double stroke);

// t: how far behind the tip the inner edges of the arms meet.
double ArrowheadNotch(double stroke);

// The two arms as quads: (p0, p1, p2, p3) and (p0, p1, p4, p5).
void AppendArrowheadQuads(const std::array<DPoint, 6>& points, std::vector<Quad>& out);

// The stroke of an arrowhead painted on pavement of the given width: 1 ft up
// to 50 ft, 1.5 ft up to 100 ft, 2 ft on wider pavement.
double ArrowStrokeFor(double width);

}  // namespace rollpath
