#pragma once

// How network vertices relate to the runways: containment, end classes near
// runways, and the points the network rebuild pins vertices to.

#include "document/RollpathDoc.h"

namespace rollpath {

// PointInPolygon of p against the runway's outline: 1 inside, 0 on the
// boundary (within a foot), -1 outside.
int RunwayContains(const RunwayRecord& runway, const DPoint& p);

// The first runway in list order whose outline holds p (inside or on), or -1.
int FirstRunwayContaining(const CRollpathDoc& doc, const DPoint& p);

// The class of a segment end that meets another segment at p: 2 (runway) in
// the first runway whose outline holds p, 3 (runway end) when p is also
// closer than 200 ft to the middle of one of that runway's end lines, else 1.
int ConnectedEndClass(const CRollpathDoc& doc, const DPoint& p);

// Where a rollpath of the given width that joins a runway centre line at p is
// pinned: when p lies in a runway (the first holding it) within half the
// width + 5 ft of an end point (end0 first), the point on the centre line half
// the width in from that end. False when p is not near such an end.
bool RunwayEndPin(const CRollpathDoc& doc, const DPoint& p, double rollpathWidth, DPoint& pin);

// The crossing of two runways' centre lines (taken as infinite lines). False
// when they are parallel, or when the crossing lies outside either runway's
// outline: a vertex in the overlap of two nearly parallel runways must not be
// thrown far out of both.
bool RunwayCrossing(const RunwayRecord& a, const RunwayRecord& b, DPoint& crossing);

// The foot of p on the runway's centre line: the centre line met by the
// perpendicular through p. False for a zero-length runway and when p already
// lies on the centre line (within a millionth of a foot), so that repeated
// rebuilds leave a pinned vertex exactly where it is.
bool FootOnCentreLine(const RunwayRecord& runway, const DPoint& p, DPoint& foot);

double Distance(const DPoint& a, const DPoint& b);

}  // namespace rollpath
