#include "pavement/Straightening.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/NetworkIndex.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"

namespace rollpath {

namespace {

double Direction(const CRollpathDoc& doc, const RollpathSegment& s) {
    const DPoint a = doc.Vertex(s.vertex0).pos();
    const DPoint b = doc.Vertex(s.vertex1).pos();
    return math::Atan2(b.y - a.y, b.x - a.x);
}

// The angle between two directions, 0 to pi.
double Between(double a, double b) {
    const double d = NormalizeAngle(a - b, kTwoPi);
    return d > kPi ? kTwoPi - d : d;
}

bool NearlyStraight(double angle) {
    return (angle >= kStraightenMin && angle <= kStraightenMax) ||
           (angle >= kStraightenBackMin && angle <= kStraightenBackMax);
}

// The foot of p on the line through a and b; false for a line of no length.
bool Foot(const DPoint& a, const DPoint& b, const DPoint& p, DPoint& foot) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (!(length2 > 0.0) || !std::isfinite(length2)) {
        return false;
    }
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    foot = DPoint{a.x + t * dx, a.y + t * dy};
    return std::isfinite(foot.x) && std::isfinite(foot.y);
}

}  // namespace

StraighteningResult StraightenVertices(CRollpathDoc& doc) {
    StraighteningResult result;
    const VertexIncidence incidence(doc);
    for (int v = 0; v < doc.m_nVertices; ++v) {
        const auto segments = incidence.SegmentsAt(v);
        if (!doc.IsLiveVertex(v) || segments.size() != 2) {
            continue;
        }
        const RollpathSegment& s1 = *doc.m_pSegments[static_cast<std::size_t>(segments[0])];
        const RollpathSegment& s2 = *doc.m_pSegments[static_cast<std::size_t>(segments[1])];
        const int f1 = s1.vertex0 == v ? s1.vertex1 : s1.vertex0;
        const int f2 = s2.vertex0 == v ? s2.vertex1 : s2.vertex0;
        if (f1 == v || f2 == v || !NearlyStraight(Between(Direction(doc, s1), Direction(doc, s2)))) {
            continue;
        }
        DPoint foot;
        if (!Foot(doc.Vertex(f1).pos(), doc.Vertex(f2).pos(), doc.Vertex(v).pos(), foot)) {
            continue;
        }
        result.vertices.push_back(v);
        result.saved.push_back(doc.Vertex(v));
        doc.Vertex(v).x = foot.x;
        doc.Vertex(v).y = foot.y;
        result.moved = true;
    }
    return result;
}

StraighteningResult RunStraighteningPass(CRollpathDoc& doc) {
    RebuildNetwork(doc);
    StraighteningResult result = StraightenVertices(doc);
    if (result.moved) {
        RebuildAllPavement(doc);
    }
    return result;
}

}  // namespace rollpath
