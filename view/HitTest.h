#pragma once

// Which object a world point (LocalFeet) falls on. Each pick tests the point
// against a shape with PointInPolygon, where on the boundary counts as a hit.
// The picks ignore the display toggles; the view decides which it tries.

#include <array>

#include "document/RollpathDoc.h"

namespace rollpath {

// A vertex hit when the click lies within this many feet in both axes; the
// zoom does not change it.
inline constexpr double kVertexPickFeet = 25.0;
// The runway hold bar's depth and the critical hold bar's, feet.
inline constexpr double kRunwayHoldDepth = 7.0;
inline constexpr double kCriticalHoldDepth = 4.0;

using PickRect = std::array<DPoint, 4>;

// The first live vertex in pool order within 25 ft in x and y (strict), or -1.
int PickVertex(const CRollpathDoc& doc, const DPoint& p);

// The rectangle from the segment's first vertex to its second, half as wide
// as the Vertex sensitivity plus the segment's width (single precision). False
// when a vertex index is not in the pool.
bool SegmentPickRect(const CRollpathDoc& doc, const RollpathSegment& segment, PickRect& rect);
// The first live segment in list order whose pick rectangle holds p.
RollpathSegment* PickSegment(const CRollpathDoc& doc, const DPoint& p);

// The last live ground polygon (of three or more points) that holds p: the
// one drawn on top.
GroundPolygon* PickPolygon(const CRollpathDoc& doc, const DPoint& p);

// The first runway in list order whose outline holds p.
RunwayRecord* PickRunway(const CRollpathDoc& doc, const DPoint& p);
// The number of runways whose outline holds p, and the first of them.
int RunwaysAt(const CRollpathDoc& doc, const DPoint& p, RunwayRecord** first);

// The last live marking piece read from a pavement file that holds p.
MarkingPolygon* PickMarking(const CRollpathDoc& doc, const DPoint& p);

// Where a segment's hold bars lie: the measuring vertex `a`, the unit vector
// `u` from it toward the other vertex, and the segment's length.
struct HoldAxis {
    DPoint a;
    DPoint u;
    double length = 0.0;
};

// The axis of a segment measured from its vertex at `fromEnd` (0 or 1)
// toward the other one. False when a vertex index is not in the pool.
bool SegmentAxis(const CRollpathDoc& doc, const RollpathSegment& segment, int fromEnd, HoldAxis& axis);

// The runway hold bar of a segment with the Runway Hold flag: measured from
// the first vertex when its end class is runway or runway end (holdEnd 0),
// else from the second when its class is one of those (holdEnd 1). False when
// the segment has no bar.
bool RunwayHoldAxis(const CRollpathDoc& doc, const RollpathSegment& segment, HoldAxis& axis, int& holdEnd);
// The critical hold bar's axis: always from the first vertex.
bool CriticalHoldAxis(const CRollpathDoc& doc, const RollpathSegment& segment, HoldAxis& axis);
// The bar from `from` to `from + depth` feet along the axis, as wide as the
// segment.
PickRect HoldBarRect(const HoldAxis& axis, double from, double depth, double width);

// The first live segment in list order whose runway hold bar holds p, with
// the end it is measured from; nullptr when none.
RollpathSegment* PickRunwayHoldBar(const CRollpathDoc& doc, const DPoint& p, int& holdEnd);
// The first live segment in list order whose critical hold bar holds p.
RollpathSegment* PickCriticalHoldBar(const CRollpathDoc& doc, const DPoint& p);

// The distance along the axis of the foot of the perpendicular from p, when
// the foot lies strictly inside the segment.
bool DistanceAlongAxis(const HoldAxis& axis, const DPoint& p, double& distance);

// The foot of the perpendicular from p on the infinite line through a and b
// (p itself when a and b coincide).
DPoint ProjectOntoLine(const DPoint& a, const DPoint& b, const DPoint& p);

}  // namespace rollpath
