#include "pavement/LightRows.h"

#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

namespace {

// Rows between two junctions keep this far from each junction.
constexpr double kJunctionClearance = 50.0;
// Every stretch is shorter than this.
constexpr double kStretchBound = 100000.0;

// The stretch of the segment that its markings cover, projected onto the
// centre line: the shortest of the right edge stripe's inner side, the left
// edge stripe's outer side and the centre stripe's left side.
bool MarkedStretch(const RollpathSegment& s, const SegmentFrame& f, DPoint& x0, DPoint& x1) {
    const double lengths[] = {HypotDistance(s.rightEdgeStripe[0], s.rightEdgeStripe[1]),
                              HypotDistance(s.leftEdgeStripe[0], s.leftEdgeStripe[1]),
                              HypotDistance(s.centreStripe[0], s.centreStripe[1])};
    int shortest = -1;
    double bound = kStretchBound;
    for (int i = 0; i < 3; ++i) {
        if (lengths[i] < bound) {
            bound = lengths[i];
            shortest = i;
        }
    }
    const auto across = [&f](const DPoint& p, const DPoint& q, DPoint& x) {
        return IntersectSegments(f.p0, f.p1, p, q, x, false) != 0;
    };
    switch (shortest) {
        case 0:
            return across(s.rightEdgeStripe[0], Along(s.rightEdgeStripe[0], f.leftN, f.halfWidth), x0) &&
                   across(s.rightEdgeStripe[1], Along(s.rightEdgeStripe[1], f.leftN, f.halfWidth), x1);
        case 1:
            return across(s.leftEdgeStripe[0], Along(s.leftEdgeStripe[0], f.rightN, f.halfWidth), x0) &&
                   across(s.leftEdgeStripe[1], Along(s.leftEdgeStripe[1], f.rightN, f.halfWidth), x1);
        case 2:
            return across(s.centreStripe[3], s.centreStripe[0], x0) &&
                   across(s.centreStripe[2], s.centreStripe[1], x1);
        default:
            return false;
    }
}

}  // namespace

int LightPointsAlongLine(const std::array<DPoint, 2>& line, int liteSpacing, std::vector<DPoint>& points,
                         double& spacing) {
    points.clear();
    const DPoint& a = line[0];
    const DPoint& b = line[1];
    const double length = math::Hypot(b.x - a.x, b.y - a.y);
    if ((a.x == b.x && a.y == b.y) || !std::isfinite(length)) {
        points.push_back(a);
        spacing = 0.0;
        return 1;
    }
    // A spacing below one foot (a hand-edited setting) counts as one foot.
    const double nominal = liteSpacing < 1 ? 1.0 : static_cast<double>(liteSpacing);
    double intervals = std::trunc(length / nominal + 0.5);
    if (length > 100.0 && length < 200.0) {
        intervals = 2.0;
    } else if (intervals < 1.0) {
        intervals = 1.0;
    }
    if (intervals > kMaxLightsPerRow - 1) {
        intervals = kMaxLightsPerRow - 1;
    }
    const int n = static_cast<int>(intervals);
    spacing = length / n;
    const double ux = (b.x - a.x) / length;
    const double uy = (b.y - a.y) / length;
    points.reserve(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        points.push_back(DPoint{a.x + k * spacing * ux, a.y + k * spacing * uy});
    }
    return n + 1;
}

void UpdateLightLines(CRollpathDoc& doc, RollpathSegment& segment) {
    SegmentFrame f;
    DPoint x0;
    DPoint x1;
    if (!GetSegmentFrame(doc, segment, f) || !MarkedStretch(segment, f, x0, x1)) {
        return;
    }
    const Settings& st = doc.GetSettings();
    const double offset = f.halfWidth + st.LiteOffset;
    const auto setPoint = [&](int i, const DPoint& x) {
        const auto at = static_cast<std::size_t>(i);
        segment.centreLightLine[at] = x;
        segment.rightLightLine[at] = Along(x, f.rightN, offset);
        segment.leftLightLine[at] = Along(x, f.leftN, offset);
    };
    // A row starts where the markings start at a dead end, and keeps clear
    // of a junction, whose curved rows light it.
    const bool dead0 = segment.endClass0 == EndClass::DeadEnd;
    const bool dead1 = segment.endClass1 == EndClass::DeadEnd;
    const double stretch = HypotDistance(x0, x1);
    const bool row = (dead0 && dead1) ||
                     (stretch >= 2.0 * st.LiteSpacing && (dead0 == dead1 || stretch > kJunctionClearance));
    if (row) {
        setPoint(0, Along(x0, f.unit, dead0 ? 0.0 : kJunctionClearance));
        setPoint(1, Along(x1, f.unit, dead1 ? 0.0 : -kJunctionClearance));
    } else {
        const DPoint middle{(x0.x + x1.x) / 2.0, (x0.y + x1.y) / 2.0};
        setPoint(0, middle);
        setPoint(1, middle);
    }
}

}  // namespace rollpath
