#pragma once

// One segment end meeting the vertex whose junction is being built, seen
// from the segment's far vertex: "toward the vertex" is the direction of
// travel, and its left and right are the sides of the junction's corners.

#include "document/RollpathDoc.h"
#include "geometry/Geodesy.h"
#include "pavement/SegmentEnds.h"

namespace rollpath {

struct JunctionEnd {
    RollpathSegment* segment = nullptr;
    int end = 0;       // 0: the segment meets the vertex with vertex0, 1: with vertex1
    DPoint far;        // the segment's other vertex
    double dir = 0.0;  // radians, from the far vertex toward the vertex
    DPoint u;          // (cos dir, sin dir)
    double halfWidth = 0.0;
    int endClass = 0;  // the segment's end class at the vertex

    bool IsRunway() const { return segment->type == SegmentType::RunwayCentreLine; }

    // The unit normal on one side of travel toward the vertex.
    DPoint Normal(bool towardLeft) const { return UnitVector(dir + (towardLeft ? kPi / 2.0 : -kPi / 2.0)); }

    // Whether a side of travel toward the vertex is the segment's own left:
    // the segment runs toward the vertex when it meets it with vertex1.
    bool OwnLeft(bool towardLeft) const { return towardLeft == (end == 1); }

    DPoint& Corner(bool towardLeft) const {
        return segment->outline[OutlineCorner(end, OwnLeft(towardLeft))];
    }
    DPoint& Centre() const { return segment->outline[OutlineCentre(end)]; }
    EdgeStripeEnd EdgeStripe(bool towardLeft) const {
        return EdgeStripeAt(*segment, end, OwnLeft(towardLeft));
    }
};

}  // namespace rollpath
