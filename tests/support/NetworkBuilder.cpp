#include "support/NetworkBuilder.h"

#include <cmath>

#include "pavement/SegmentGeometry.h"

namespace rollpath::testing {

RunwayRecord& AddRunway(CRollpathDoc& doc, DPoint end0, DPoint end1, int width, const std::string& id0,
                        const std::string& id1) {
    RunwayRecord& r = doc.AppendRunway();
    r.end0 = end0;
    r.end1 = end1;
    r.width = width;
    const double dx = end1.x - end0.x;
    const double dy = end1.y - end0.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    r.length = static_cast<int>(std::lround(length));
    r.surface = 1 << kAsphalt;
    r.id0 = id0;
    r.id1 = id1;
    const double h = width / 2.0;
    const DPoint left = length > 0.0 ? DPoint{-dy / length * h, dx / length * h} : DPoint{0.0, h};
    r.corners[0] = {end0.x + left.x, end0.y + left.y};
    r.corners[1] = {end0.x - left.x, end0.y - left.y};
    r.corners[2] = {end1.x - left.x, end1.y - left.y};
    r.corners[3] = {end1.x + left.x, end1.y + left.y};
    doc.m_bAirportLoaded = 1;
    return r;
}

int AddVertexAt(CRollpathDoc& doc, double x, double y) {
    return doc.AddVertex(x, y, true);
}

RollpathSegment& AddSegment(CRollpathDoc& doc, int vertex0, int vertex1, double width, int type, int flags) {
    RollpathSegment& s = doc.AppendSegment();
    s.vertex0 = vertex0;
    s.vertex1 = vertex1;
    s.width = static_cast<float>(width);
    s.type = type;
    s.flags = flags;
    SegmentGeometry(doc, s);
    return s;
}

RollpathSegment& AddRollpath(CRollpathDoc& doc, DPoint a, DPoint b, double width) {
    const int v0 = AddVertexAt(doc, a.x, a.y);
    const int v1 = AddVertexAt(doc, b.x, b.y);
    return AddSegment(doc, v0, v1, width);
}

GroundPolygon& AddPolygon(CRollpathDoc& doc, std::vector<DPoint> points, int kind) {
    GroundPolygon& polygon = doc.AppendPolygon();
    polygon.kind = kind;
    polygon.points = std::move(points);
    return polygon;
}

RollpathSegment& AddCentreLine(CRollpathDoc& doc, const RunwayRecord& runway) {
    const int v0 = AddVertexAt(doc, runway.end0.x, runway.end0.y);
    const int v1 = AddVertexAt(doc, runway.end1.x, runway.end1.y);
    return AddSegment(doc, v0, v1, runway.width, SegmentType::RunwayCentreLine);
}

}  // namespace rollpath::testing
