#pragma once

// The curves of a junction: a cubic Bezier fillet that leaves one straight
// line and joins another across their corner, and the painted strip that
// follows such a curve.

#include <span>
#include <vector>

#include "document/Records.h"

namespace rollpath {

// Control points T1, M1, M2, T2 of a fillet.
struct Fillet {
    DPoint t1;
    DPoint m1;
    DPoint m2;
    DPoint t2;
};

// The fillet at corner c of two lines, A's arriving along uA and B's along
// uB (unit vectors pointing toward the corner's vertex). The curve leaves
// A's line at most `cap` back from the corner and never past the line's far
// point farA, likewise on B's line, with its inner control points halfway to
// the corner, so it bulges toward the corner.
Fillet FilletControlPoints(const DPoint& c, double cap, const DPoint& farA, const DPoint& farB,
                           const DPoint& uA, const DPoint& uB);

// The point of the fillet at parameter t (0 at T1, 1 at T2).
DPoint FilletPoint(const Fillet& f, double t);

// T1, the Bezier points at j / depth for j = 1 .. depth - 1, T2: depth + 1
// points, depth intervals.
std::vector<DPoint> FilletCurve(const Fillet& f, int depth);

// Two points across a strip's end: the strip ends on the edge between them.
struct EndEdge {
    DPoint a;
    DPoint b;
};

// Which of the vertex's marking lists a strip goes to.
enum class StripList { Edge, Centre };

// A junction list of quads stops taking curved strips at this many entries.
inline constexpr int kStripListLimit = 40;

// Turns a curve into one quad per interval, `edgeWidth` wide, appended to the
// vertex's edge or centre quads. `polyline` is a lead-in point, the curve's
// points and a lead-out point; the lead points only orient the end mitres,
// and the first quad starts on e0 and the last ends on e1 (each edge's points
// put on the side of the curve where they lie, so no quad twists).
// Consecutive quads share their common edge exactly. Builds nothing (and
// returns false) when either list already holds 40 quads, or when the strip
// would not fit in the list whole.
bool CurvedStrip(NetworkVertex& vertex, StripList list, std::span<const DPoint> polyline, double edgeWidth,
                 const EndEdge& e0, const EndEdge& e1);

}  // namespace rollpath
