#include "pavement/RunwayExtension.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/RunwayPlacement.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

namespace {

// Degrees between two directions, around the circle (0 to 180), so that
// 359.5 and 0.5 are 1 degree apart.
double AngleBetween(double a, double b) {
    const double d = std::fabs(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

double DirectionDegrees(const DPoint& from, const DPoint& to) {
    return NormalizeAngle(math::Atan2(to.y - from.y, to.x - from.x) * kRadToDeg, 360.0);
}

bool AlongAxis(const DPoint& inside, const DPoint& outside, const RunwayRecord& runway) {
    const double direction = DirectionDegrees(inside, outside);
    const double reverse = NormalizeAngle(direction + 180.0, 360.0);
    const double axis = DirectionDegrees(runway.end1, runway.end0);
    return AngleBetween(direction, axis) <= kExtensionAxisTolerance ||
           AngleBetween(reverse, axis) <= kExtensionAxisTolerance;
}

// The edge stripes continue from their points at the outside end to the
// runway's end line, keeping their offsets from the centre line.
void BuildExtensionEdgeStripes(const CRollpathDoc& doc, RollpathSegment& s, int outsideEnd) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, s, f)) {
        return;
    }
    const Settings& settings = doc.GetSettings();
    const double outer = f.halfWidth - settings.EdgeInset;
    const double inner = outer - settings.EdgeWidth;
    const DPoint m = Midpoint(s.extensionCorners[0], s.extensionCorners[1]);

    const DPoint rightInner = outsideEnd == 0 ? s.rightEdgeStripe[0] : s.rightEdgeStripe[1];
    const DPoint rightOuter = outsideEnd == 0 ? s.rightEdgeStripe[3] : s.rightEdgeStripe[2];
    const DPoint leftOuter = outsideEnd == 0 ? s.leftEdgeStripe[0] : s.leftEdgeStripe[1];
    const DPoint leftInner = outsideEnd == 0 ? s.leftEdgeStripe[3] : s.leftEdgeStripe[2];

    s.extensionEdgeStripes[0] = {rightInner, Along(m, f.rightN, inner), Along(m, f.rightN, outer),
                                 rightOuter};
    s.extensionEdgeStripes[1] = {leftOuter, Along(m, f.leftN, outer), Along(m, f.leftN, inner), leftInner};
}

}  // namespace

const RunwayRecord* ExtendedRunway(const CRollpathDoc& doc, const RollpathSegment& segment, int& insideEnd) {
    if (!segment.live() || segment.type != SegmentType::RunwayCentreLine || segment.vertex0 < 0 ||
        segment.vertex0 >= doc.m_nVertices || segment.vertex1 < 0 || segment.vertex1 >= doc.m_nVertices) {
        return nullptr;
    }
    for (insideEnd = 0; insideEnd < 2; ++insideEnd) {
        const DPoint v = doc.Vertex(segment.VertexAt(insideEnd)).pos();
        const DPoint w = doc.Vertex(segment.VertexAt(1 - insideEnd)).pos();
        for (const auto& runwayPtr : doc.m_pRunways) {
            if (RunwayContains(*runwayPtr, v) == 1 && RunwayContains(*runwayPtr, w) == -1 &&
                AlongAxis(v, w, *runwayPtr)) {
                return runwayPtr.get();
            }
        }
    }
    return nullptr;
}

bool FindExtension(CRollpathDoc& doc, RollpathSegment& segment) {
    segment.flags &= ~SegmentFlag::Extension;
    if (!segment.live() || segment.type != SegmentType::RunwayCentreLine) {
        return false;
    }
    SegmentFrame f;
    if (!GetSegmentFrame(doc, segment, f)) {
        return false;
    }
    int insideEnd = 0;
    const RunwayRecord* runway = ExtendedRunway(doc, segment, insideEnd);
    if (runway == nullptr) {
        return false;
    }
    const DPoint& w = insideEnd == 0 ? f.p1 : f.p0;
    const bool leavesByEnd1 = Distance(w, runway->end1) < Distance(w, runway->end0);
    const auto& c = runway->corners;
    if (leavesByEnd1) {
        segment.extensionCorners =
            insideEnd == 0 ? std::array<DPoint, 2>{c[3], c[2]} : std::array<DPoint, 2>{c[2], c[3]};
    } else {
        segment.extensionCorners =
            insideEnd == 0 ? std::array<DPoint, 2>{c[1], c[0]} : std::array<DPoint, 2>{c[0], c[1]};
    }
    const int outsideEnd = 1 - insideEnd;
    segment.flags |= insideEnd == 0 ? SegmentFlag::ExtensionAt1 : SegmentFlag::ExtensionAt0;
    (outsideEnd == 0 ? segment.endClass0 : segment.endClass1) = EndClass::Extension;
    BuildExtensionEdgeStripes(doc, segment, outsideEnd);
    return true;
}

}  // namespace rollpath
