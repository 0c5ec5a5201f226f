// outside-tiles: pavement the tile grid does not cover (the pavement file
// leaves it out), and anything farther from the benchmark than the airport's
// area.

#include <array>
#include <cmath>
#include <span>

#include "checks/CheckContext.h"
#include "checks/ObjectNames.h"
#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/TileContent.h"

namespace rollpath {

namespace {

class Area {
public:
    Area(const TileGrid& grid, double radius) : radius_(radius) {
        x0_ = grid.lowerLeft[0];
        y0_ = grid.lowerLeft[2];
        x1_ = x0_ + static_cast<double>(grid.columns) * grid.side;
        y1_ = y0_ + static_cast<double>(grid.rows) * grid.side;
    }

    // Not a number counts as outside both.
    bool InGrid(std::span<const DPoint> points) const {
        for (const DPoint& p : points) {
            if (!(p.x >= x0_ && p.x <= x1_ && p.y >= y0_ && p.y <= y1_)) {
                return false;
            }
        }
        return true;
    }
    bool Near(const DPoint& p) const { return math::Hypot(p.x, p.y) <= radius_; }
    bool Near(std::span<const DPoint> points) const {
        for (const DPoint& p : points) {
            if (!Near(p)) {
                return false;
            }
        }
        return true;
    }

private:
    double radius_;
    double x0_ = 0.0, y0_ = 0.0, x1_ = 0.0, y1_ = 0.0;
};

std::string Miles(const CheckContext& context) {
    return FormatNumber(context.limits.areaRadius / kFeetPerNauticalMile, 0) + " nm";
}

void CheckPiece(CheckContext& context, const Area& area, std::span<const DPoint> piece,
                const std::string& name, ObjectRef object, const DPoint& location) {
    if (!area.Near(piece)) {
        context.Add(CheckId::OutsideTiles,
                    name + " reaches farther than " + Miles(context) + " from the airport benchmark",
                    location, object);
    } else if (!area.InGrid(piece)) {
        context.Add(CheckId::OutsideTiles,
                    name + " reaches outside the tile grid: the pavement file leaves that part out", location,
                    object);
    }
}

}  // namespace

void CheckOutsideTiles(CheckContext& context) {
    const CRollpathDoc& doc = context.doc;
    const Area area(doc.m_TileGrid, context.limits.areaRadius);
    // The network file holds every vertex of a segment; the area counts for
    // them whether or not they carry pavement.
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.Vertex(v).live() && !context.incidence.SegmentsAt(v).empty() &&
            !area.Near(doc.Vertex(v).pos())) {
            context.Add(
                CheckId::OutsideTiles,
                VertexName(v) + " lies " +
                    FormatNumber(math::Hypot(doc.Vertex(v).x, doc.Vertex(v).y) / kFeetPerNauticalMile) +
                    " nm from the airport benchmark, farther than " + Miles(context),
                doc.Vertex(v).pos(), ObjectRef::Vertex(v));
        }
    }
    std::array<DPoint, 5> scratch{};
    for (int i = 0; i < context.SegmentCount(); ++i) {
        const RollpathSegment& s = context.Segment(i);
        if (!context.Usable(i) || (s.flags & SegmentFlag::NoPolygon) != 0) {
            continue;
        }
        const std::span<const DPoint> piece = SegmentPavement(s, scratch);
        if (!piece.empty() && !area.InGrid(piece) && area.Near(piece)) {
            CheckPiece(context, area, piece, "the pavement of " + SegmentName(s), ObjectRef::Segment(i),
                       context.Midpoint(i));
        }
    }
    for (std::size_t k = 0; k < doc.m_pPolygons.size(); ++k) {
        const GroundPolygon& polygon = *doc.m_pPolygons[k];
        if (polygon.live() && !polygon.points.empty()) {
            const int index = static_cast<int>(k);
            CheckPiece(context, area, polygon.points, PolygonName(index), ObjectRef::Polygon(index),
                       polygon.points.front());
        }
    }
    for (int v = 0; v < doc.m_nVertices; ++v) {
        const NetworkVertex& vertex = doc.Vertex(v);
        if (!vertex.live() || (vertex.flags & VertexFlag::NoPolygon) != 0 || !area.Near(vertex.pos())) {
            continue;
        }
        for (const GroundPolygon& junction : vertex.junctionPolys) {
            if (!area.InGrid(junction.points)) {
                CheckPiece(context, area, junction.points, "the junction pavement at " + VertexName(v),
                           ObjectRef::Vertex(v), vertex.pos());
                break;
            }
        }
    }
}

}  // namespace rollpath
