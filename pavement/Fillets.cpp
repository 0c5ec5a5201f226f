#include "pavement/Fillets.h"

#include <algorithm>
#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

// Positive when p lies to the left of the direction d taken at `at`.
double LeftOf(const DPoint& d, const DPoint& at, const DPoint& p) {
    return d.x * (p.y - at.y) - d.y * (p.x - at.x);
}

struct Across {
    DPoint left;
    DPoint right;
};

// The two corners of the strip at curve point c: half the width either way
// along the mitre, which bisects the turn at c.
Across MitreCorners(const DPoint& prev, const DPoint& c, const DPoint& next, double half) {
    const double toPrev = math::Atan2(prev.y - c.y, prev.x - c.x);
    const double mitre = toPrev + SignedAngle(prev.x, prev.y, c.x, c.y, next.x, next.y) / 2.0;
    const DPoint p = Along(c, UnitVector(mitre), half);
    const DPoint q = Along(c, UnitVector(mitre), -half);
    const DPoint travel{next.x - prev.x, next.y - prev.y};
    return LeftOf(travel, c, p) >= LeftOf(travel, c, q) ? Across{p, q} : Across{q, p};
}

Across Oriented(const EndEdge& e, const DPoint& travel, const DPoint& at) {
    return LeftOf(travel, at, e.a) >= LeftOf(travel, at, e.b) ? Across{e.a, e.b} : Across{e.b, e.a};
}

}  // namespace

Fillet FilletControlPoints(const DPoint& c, double cap, const DPoint& farA, const DPoint& farB,
                           const DPoint& uA, const DPoint& uB) {
    const double dA = std::min(cap, HypotDistance(farA, c));
    const double dB = std::min(cap, HypotDistance(farB, c));
    return Fillet{Along(c, uA, -dA), Along(c, uA, -dA / 2.0), Along(c, uB, -dB / 2.0), Along(c, uB, -dB)};
}

DPoint FilletPoint(const Fillet& f, double t) {
    return BezierPoint(f.t1, f.m1, f.m2, f.t2, t);
}

std::vector<DPoint> FilletCurve(const Fillet& f, int depth) {
    std::vector<DPoint> points;
    points.reserve(static_cast<std::size_t>(depth) + 1);
    points.push_back(f.t1);
    for (int j = 1; j < depth; ++j) {
        points.push_back(FilletPoint(f, static_cast<double>(j) / depth));
    }
    points.push_back(f.t2);
    return points;
}

bool CurvedStrip(NetworkVertex& vertex, StripList list, std::span<const DPoint> polyline, double edgeWidth,
                 const EndEdge& e0, const EndEdge& e1) {
    if (vertex.centreQuads.size() >= kStripListLimit || vertex.edgeQuads.size() >= kStripListLimit) {
        return false;
    }
    auto& target = list == StripList::Edge ? vertex.edgeQuads : vertex.centreQuads;
    const int depth = static_cast<int>(polyline.size()) - 3;
    if (depth < 1 || target.size() + depth > target.kCapacity) {
        return false;
    }
    const double half = edgeWidth / 2.0;
    std::vector<Across> corners(static_cast<std::size_t>(depth) + 1);
    for (int i = 0; i <= depth; ++i) {
        const auto at = static_cast<std::size_t>(i);
        corners[at] = MitreCorners(polyline[at], polyline[at + 1], polyline[at + 2], half);
    }
    const auto direction = [&polyline](std::size_t i) {
        return DPoint{polyline[i + 2].x - polyline[i].x, polyline[i + 2].y - polyline[i].y};
    };
    const auto last = static_cast<std::size_t>(depth);
    corners.front() = Oriented(e0, direction(0), polyline[1]);
    corners.back() = Oriented(e1, direction(last), polyline[last + 1]);
    for (std::size_t i = 1; i <= last; ++i) {
        target.push_back(Quad{corners[i - 1].left, corners[i].left, corners[i].right, corners[i - 1].right});
    }
    return true;
}

}  // namespace rollpath
