#include "pavement/SplitSegment.h"

#include <algorithm>

namespace rollpath {

namespace {

DPoint Lerp(const DPoint& a, const DPoint& b, double t) {
    return DPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// Where the vertex lies along the segment, 0 at vertex0 and 1 at vertex1.
double ParameterAlong(const DPoint& p0, const DPoint& p1, const DPoint& x) {
    const double dx = p1.x - p0.x;
    const double dy = p1.y - p0.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0.0)) {
        return 0.5;
    }
    const double t = ((x.x - p0.x) * dx + (x.y - p0.y) * dy) / lengthSquared;
    return std::clamp(t, 0.0, 1.0);
}

void MakeOuterHalfRollpath(RollpathSegment& half, int outerEnd) {
    half.type = SegmentType::Rollpath;
    half.flags &= ~SegmentFlag::Extension;
    half.endClass0 = outerEnd == 0 ? EndClass::DeadEnd : EndClass::Rollpath;
    half.endClass1 = outerEnd == 1 ? EndClass::DeadEnd : EndClass::Rollpath;
}

}  // namespace

void SplitSegment(CRollpathDoc& doc, RollpathSegment& copy, RollpathSegment& segment, int vertex) {
    if (&copy == &segment || vertex < 0 || vertex >= doc.m_nVertices || segment.vertex0 < 0 ||
        segment.vertex0 >= doc.m_nVertices || segment.vertex1 < 0 || segment.vertex1 >= doc.m_nVertices) {
        return;
    }
    const DPoint x = doc.Vertex(vertex).pos();
    const double t = ParameterAlong(doc.Vertex(segment.vertex0).pos(), doc.Vertex(segment.vertex1).pos(), x);

    copy = segment;
    copy.vertex0 = vertex;
    segment.vertex1 = vertex;

    // Outline: 0 centre v0, 1 left v0, 2 left v1, 3 centre v1, 4 right v1, 5 right v0.
    copy.outline[1] = Lerp(segment.outline[1], segment.outline[2], t);
    copy.outline[5] = Lerp(segment.outline[5], segment.outline[4], t);
    copy.outline[0] = x;
    segment.outline[2] = copy.outline[1];
    segment.outline[3] = copy.outline[0];
    segment.outline[4] = copy.outline[5];

    if (segment.type == SegmentType::RunwayCentreLine) {
        if (segment.endClass1 == EndClass::Extension) {
            MakeOuterHalfRollpath(copy, 1);
        } else if (segment.endClass0 == EndClass::Extension) {
            // The mirror case: the outer end stayed with the original record.
            MakeOuterHalfRollpath(segment, 0);
        }
    }
}

}  // namespace rollpath
