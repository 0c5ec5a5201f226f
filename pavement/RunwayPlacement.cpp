#include "pavement/RunwayPlacement.h"

#include <algorithm>
#include <cmath>

#include "geometry/PolygonMeasures.h"

namespace rollpath {

namespace {

// Closer than this to a threshold's midpoint, a vertex in a runway meets the
// runway's end rather than the runway.
constexpr double kRunwayEndReach = 200.0;
// A rollpath end this much beyond half its width from a runway end point is
// still pinned to that end.
constexpr double kEndPinSlack = 5.0;
// Room around a runway's box within which the ray test still runs.
constexpr double kBoxSlack = 2.0;
// A vertex this close to a centre line counts as on it.
constexpr double kOnLineTolerance = 1e-6;

}  // namespace

double Distance(const DPoint& a, const DPoint& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

int RunwayContains(const RunwayRecord& runway, const DPoint& p) {
    // Most points lie well away from every runway. Beyond the outline's box
    // (with room for the one-foot boundary band below an edge) the ray test
    // can only answer outside, so it is skipped there.
    const auto& c = runway.corners;
    const double minX = std::min({c[0].x, c[1].x, c[2].x, c[3].x});
    const double maxX = std::max({c[0].x, c[1].x, c[2].x, c[3].x});
    const double minY = std::min({c[0].y, c[1].y, c[2].y, c[3].y});
    const double maxY = std::max({c[0].y, c[1].y, c[2].y, c[3].y});
    if (p.x < minX - kBoxSlack || p.x > maxX + kBoxSlack || p.y < minY - kBoxSlack ||
        p.y > maxY + kBoxSlack) {
        return kOutside;
    }
    return PointInPolygon(p.x, p.y, c.data(), static_cast<int>(c.size()));
}

int FirstRunwayContaining(const CRollpathDoc& doc, const DPoint& p) {
    for (std::size_t r = 0; r < doc.m_pRunways.size(); ++r) {
        if (RunwayContains(*doc.m_pRunways[r], p) >= 0) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int ConnectedEndClass(const CRollpathDoc& doc, const DPoint& p) {
    const int r = FirstRunwayContaining(doc, p);
    if (r < 0) {
        return EndClass::Rollpath;
    }
    const RunwayRecord& runway = *doc.m_pRunways[static_cast<std::size_t>(r)];
    const DPoint threshold0 = Midpoint(runway.corners[0], runway.corners[1]);
    const DPoint threshold1 = Midpoint(runway.corners[2], runway.corners[3]);
    if (Distance(p, threshold0) < kRunwayEndReach || Distance(p, threshold1) < kRunwayEndReach) {
        return EndClass::RunwayEnd;
    }
    return EndClass::Runway;
}

bool RunwayEndPin(const CRollpathDoc& doc, const DPoint& p, double rollpathWidth, DPoint& pin) {
    const int r = FirstRunwayContaining(doc, p);
    if (r < 0) {
        return false;
    }
    const RunwayRecord& runway = *doc.m_pRunways[static_cast<std::size_t>(r)];
    const double h = rollpathWidth / 2.0;
    const DPoint* from = nullptr;
    const DPoint* to = nullptr;
    if (Distance(p, runway.end0) <= h + kEndPinSlack) {
        from = &runway.end0;
        to = &runway.end1;
    } else if (Distance(p, runway.end1) <= h + kEndPinSlack) {
        from = &runway.end1;
        to = &runway.end0;
    } else {
        return false;
    }
    const double length = Distance(*from, *to);
    if (!(length > 0.0)) {
        return false;
    }
    pin = DPoint{from->x + h * (to->x - from->x) / length, from->y + h * (to->y - from->y) / length};
    return true;
}

bool RunwayCrossing(const RunwayRecord& a, const RunwayRecord& b, DPoint& crossing) {
    DPoint x;
    if (IntersectSegments(a.end0, a.end1, b.end0, b.end1, x, false) == 0) {
        return false;
    }
    if (RunwayContains(a, x) < 0 || RunwayContains(b, x) < 0) {
        return false;
    }
    crossing = x;
    return true;
}

bool FootOnCentreLine(const RunwayRecord& runway, const DPoint& p, DPoint& foot) {
    const double dx = runway.end1.x - runway.end0.x;
    const double dy = runway.end1.y - runway.end0.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0)) {
        return false;
    }
    const double offLine = (dx * (p.y - runway.end0.y) - dy * (p.x - runway.end0.x)) / length;
    if (std::fabs(offLine) < kOnLineTolerance) {
        return false;
    }
    // Back across the centre line by the distance to its left.
    foot = Along(p, DPoint{-dy / length, dx / length}, -offLine);
    return true;
}

}  // namespace rollpath
