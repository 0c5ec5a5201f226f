#include "pavement/SegmentGeometry.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/RunwayExtension.h"

namespace rollpath {

bool GetSegmentFrame(const CRollpathDoc& doc, const RollpathSegment& segment, SegmentFrame& frame) {
    if (segment.vertex0 < 0 || segment.vertex0 >= doc.m_nVertices || segment.vertex1 < 0 ||
        segment.vertex1 >= doc.m_nVertices) {
        return false;
    }
    frame.p0 = doc.Vertex(segment.vertex0).pos();
    frame.p1 = doc.Vertex(segment.vertex1).pos();
    frame.angle = math::Atan2(frame.p1.y - frame.p0.y, frame.p1.x - frame.p0.x);
    frame.unit = UnitVector(frame.angle);
    frame.leftN = UnitVector(frame.angle + kPi / 2.0);
    frame.rightN = UnitVector(frame.angle - kPi / 2.0);
    frame.halfWidth = static_cast<double>(segment.width) / 2.0;
    return true;
}

void SegmentEndGeometry(CRollpathDoc& doc, RollpathSegment& segment, int end, double shortening) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, segment, f)) {
        return;
    }
    const Settings& settings = doc.GetSettings();
    const double ew = settings.EdgeWidth;
    const double outer = f.halfWidth - settings.EdgeInset;
    const double inner = outer - ew;
    const double h = f.halfWidth;

    if (end == 0) {
        const DPoint base = Along(f.p0, f.unit, shortening);
        segment.outline[0] = f.p0;
        segment.outline[1] = Along(f.p0, f.leftN, h);
        segment.outline[5] = Along(f.p0, f.rightN, h);
        segment.centreStripe[0] = Along(base, f.leftN, ew / 2.0);
        segment.centreStripe[3] = Along(base, f.rightN, ew / 2.0);
        segment.rightEdgeStripe[0] = Along(base, f.rightN, inner);
        segment.rightEdgeStripe[3] = Along(base, f.rightN, outer);
        segment.leftEdgeStripe[0] = Along(base, f.leftN, outer);
        segment.leftEdgeStripe[3] = Along(base, f.leftN, inner);
        segment.stub0[0] = segment.centreStripe[0];
        segment.stub0[3] = segment.centreStripe[3];
    } else {
        const DPoint base = Along(f.p1, f.unit, -shortening);
        segment.outline[3] = f.p1;
        segment.outline[2] = Along(f.p1, f.leftN, h);
        segment.outline[4] = Along(f.p1, f.rightN, h);
        segment.centreStripe[1] = Along(base, f.leftN, ew / 2.0);
        segment.centreStripe[2] = Along(base, f.rightN, ew / 2.0);
        segment.rightEdgeStripe[1] = Along(base, f.rightN, inner);
        segment.rightEdgeStripe[2] = Along(base, f.rightN, outer);
        segment.leftEdgeStripe[1] = Along(base, f.leftN, outer);
        segment.leftEdgeStripe[2] = Along(base, f.leftN, inner);
        segment.stub1[1] = segment.centreStripe[1];
        segment.stub1[2] = segment.centreStripe[2];
    }
}

void SegmentGeometry(CRollpathDoc& doc, RollpathSegment& segment) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, segment, f)) {
        return;
    }
    SegmentEndGeometry(doc, segment, 0, 0.0);
    SegmentEndGeometry(doc, segment, 1, 0.0);
    segment.stub0 = segment.centreStripe;
    segment.stub1 = segment.centreStripe;
    segment.flags &= ~(SegmentFlag::Stub0 | SegmentFlag::Stub1);
    segment.exitMask = 0;

    const double rowOffset = f.halfWidth + doc.GetSettings().LiteOffset;
    segment.centreLightLine = {f.p0, f.p1};
    segment.rightLightLine = {Along(f.p0, f.rightN, rowOffset), Along(f.p1, f.rightN, rowOffset)};
    segment.leftLightLine = {Along(f.p0, f.leftN, rowOffset), Along(f.p1, f.leftN, rowOffset)};

    FindExtension(doc, segment);
}

}  // namespace rollpath
