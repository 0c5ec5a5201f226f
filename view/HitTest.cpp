#include "view/HitTest.h"

#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

namespace {

bool Holds(const DPoint* shape, int n, const DPoint& p) {
    return PointInPolygon(p.x, p.y, shape, n) != kOutside;
}

bool Holds(const PickRect& rect, const DPoint& p) {
    return Holds(rect.data(), 4, p);
}

bool IsRunwaySide(int endClass) {
    return endClass == EndClass::Runway || endClass == EndClass::RunwayEnd;
}

HoldAxis AxisBetween(const DPoint& a, const DPoint& b) {
    const double angle = math::Atan2(b.y - a.y, b.x - a.x);
    return HoldAxis{a, UnitVector(angle), math::Hypot(b.x - a.x, b.y - a.y)};
}

}  // namespace

int PickVertex(const CRollpathDoc& doc, const DPoint& p) {
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (v.live() && std::fabs(v.x - p.x) < kVertexPickFeet && std::fabs(v.y - p.y) < kVertexPickFeet) {
            return k;
        }
    }
    return -1;
}

bool SegmentPickRect(const CRollpathDoc& doc, const RollpathSegment& segment, PickRect& rect) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, segment, f)) {
        return false;
    }
    const float half = (static_cast<float>(doc.GetSettings().MaxVertexRadius) + segment.width) * 0.5f;
    const double h = half;
    const DPoint n = f.leftN;
    rect = {DPoint{f.p0.x + h * n.x, f.p0.y + h * n.y}, DPoint{f.p1.x + h * n.x, f.p1.y + h * n.y},
            DPoint{f.p1.x - h * n.x, f.p1.y - h * n.y}, DPoint{f.p0.x - h * n.x, f.p0.y - h * n.y}};
    return true;
}

RollpathSegment* PickSegment(const CRollpathDoc& doc, const DPoint& p) {
    for (const auto& segment : doc.m_pSegments) {
        PickRect rect;
        if (segment->live() && SegmentPickRect(doc, *segment, rect) && Holds(rect, p)) {
            return segment.get();
        }
    }
    return nullptr;
}

GroundPolygon* PickPolygon(const CRollpathDoc& doc, const DPoint& p) {
    for (auto it = doc.m_pPolygons.rbegin(); it != doc.m_pPolygons.rend(); ++it) {
        const GroundPolygon& polygon = **it;
        if (polygon.live() && polygon.count() >= 3 && Holds(polygon.points.data(), polygon.count(), p)) {
            return it->get();
        }
    }
    return nullptr;
}

RunwayRecord* PickRunway(const CRollpathDoc& doc, const DPoint& p) {
    RunwayRecord* first = nullptr;
    RunwaysAt(doc, p, &first);
    return first;
}

int RunwaysAt(const CRollpathDoc& doc, const DPoint& p, RunwayRecord** first) {
    int count = 0;
    for (const auto& runway : doc.m_pRunways) {
        if (Holds(runway->corners.data(), 4, p)) {
            if (count == 0 && first != nullptr) {
                *first = runway.get();
            }
            ++count;
        }
    }
    return count;
}

MarkingPolygon* PickMarking(const CRollpathDoc& doc, const DPoint& p) {
    for (auto it = doc.m_pMarkings.rbegin(); it != doc.m_pMarkings.rend(); ++it) {
        const MarkingPolygon& piece = **it;
        if (piece.live() && piece.count() >= 3 && Holds(piece.points.data(), piece.count(), p)) {
            return it->get();
        }
    }
    return nullptr;
}

bool SegmentAxis(const CRollpathDoc& doc, const RollpathSegment& segment, int fromEnd, HoldAxis& axis) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, segment, f)) {
        return false;
    }
    axis = fromEnd == 0 ? AxisBetween(f.p0, f.p1) : AxisBetween(f.p1, f.p0);
    return true;
}

bool RunwayHoldAxis(const CRollpathDoc& doc, const RollpathSegment& segment, HoldAxis& axis, int& holdEnd) {
    const int end = IsRunwaySide(segment.endClass0) ? 0 : IsRunwaySide(segment.endClass1) ? 1 : -1;
    if (end < 0 || !SegmentAxis(doc, segment, end, axis)) {
        return false;
    }
    holdEnd = end;
    return true;
}

bool CriticalHoldAxis(const CRollpathDoc& doc, const RollpathSegment& segment, HoldAxis& axis) {
    return SegmentAxis(doc, segment, 0, axis);
}

PickRect HoldBarRect(const HoldAxis& axis, double from, double depth, double width) {
    const DPoint n{-axis.u.y, axis.u.x};
    const double h = width / 2.0;
    const auto at = [&](double along, double across) {
        return DPoint{axis.a.x + along * axis.u.x + across * n.x, axis.a.y + along * axis.u.y + across * n.y};
    };
    return {at(from, h), at(from + depth, h), at(from + depth, -h), at(from, -h)};
}

RollpathSegment* PickRunwayHoldBar(const CRollpathDoc& doc, const DPoint& p, int& holdEnd) {
    for (const auto& segment : doc.m_pSegments) {
        HoldAxis axis;
        int end = 0;
        if (!segment->live() || (segment->flags & SegmentFlag::RunwayHold) == 0 ||
            !RunwayHoldAxis(doc, *segment, axis, end)) {
            continue;
        }
        if (Holds(HoldBarRect(axis, segment->extent0, kRunwayHoldDepth, segment->width), p)) {
            holdEnd = end;
            return segment.get();
        }
    }
    return nullptr;
}

RollpathSegment* PickCriticalHoldBar(const CRollpathDoc& doc, const DPoint& p) {
    for (const auto& segment : doc.m_pSegments) {
        HoldAxis axis;
        if (!segment->live() || (segment->flags & SegmentFlag::CriticalHold) == 0 ||
            !CriticalHoldAxis(doc, *segment, axis)) {
            continue;
        }
        if (Holds(HoldBarRect(axis, segment->extent1, kCriticalHoldDepth, segment->width), p)) {
            return segment.get();
        }
    }
    return nullptr;
}

bool DistanceAlongAxis(const HoldAxis& axis, const DPoint& p, double& distance) {
    const double t = (p.x - axis.a.x) * axis.u.x + (p.y - axis.a.y) * axis.u.y;
    if (!(t > 0.0 && t < axis.length)) {
        return false;
    }
    distance = t;
    return true;
}

DPoint ProjectOntoLine(const DPoint& a, const DPoint& b, const DPoint& p) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0.0)) {
        return p;
    }
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    return DPoint{a.x + t * dx, a.y + t * dy};
}

}  // namespace rollpath
