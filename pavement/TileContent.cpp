#include "pavement/TileContent.h"

#include <span>
#include <vector>

#include "pavement/SegmentPieces.h"

namespace rollpath {

namespace {

// The box of the points meets the closed rectangle. A polygon whose box does
// not is clipped away on one side anyway; testing the box first spares most
// clips of a large airport.
bool BoxMeets(std::span<const DPoint> points, const ClipRect& rect) {
    bool left = false;
    bool right = false;
    bool below = false;
    bool above = false;
    for (const DPoint& p : points) {
        left = left || p.x >= rect.left;
        right = right || p.x <= rect.right;
        below = below || p.y >= rect.bottom;
        above = above || p.y <= rect.top;
    }
    return left && right && below && above;
}

bool KeepsAVertex(std::span<const DPoint> polygon, const ClipRect& rect, std::vector<DPoint>& scratch) {
    if (polygon.empty() || !BoxMeets(polygon, rect)) {
        return false;
    }
    return ClipToRectangle(polygon.data(), static_cast<int>(polygon.size()), rect, scratch) > 0;
}

}  // namespace

std::span<const DPoint> SegmentPavement(const RollpathSegment& segment, std::array<DPoint, 5>& scratch) {
    if (segment.type == SegmentType::Rollpath) {
        return segment.outline;
    }
    if (ExtensionPolygon(segment, scratch)) {
        return scratch;
    }
    return {};
}

ClipRect TileRectangle(const TileGrid& grid, std::uint32_t column, std::uint32_t row) {
    const double side = static_cast<double>(grid.side);
    const double x0 = grid.lowerLeft[0];
    const double y0 = grid.lowerLeft[2];
    ClipRect rect;
    rect.left = x0 + static_cast<double>(column) * side;
    rect.right = x0 + static_cast<double>(column + 1) * side;
    rect.top = y0 + static_cast<double>(row + 1) * side;
    rect.bottom = y0 + static_cast<double>(row) * side;
    return rect;
}

bool TileHasContent(const CRollpathDoc& doc, const ClipRect& rect) {
    std::vector<DPoint> scratch;
    std::array<DPoint, 5> extension{};
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->flags & SegmentFlag::NoPolygon) == 0 &&
            KeepsAVertex(SegmentPavement(*segment, extension), rect, scratch)) {
            return true;
        }
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live() && KeepsAVertex(polygon->points, rect, scratch)) {
            return true;
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& vertex = doc.Vertex(k);
        if (!vertex.live() || (vertex.flags & VertexFlag::NoPolygon) != 0) {
            continue;
        }
        for (const GroundPolygon& junction : vertex.junctionPolys) {
            if (KeepsAVertex(junction.points, rect, scratch)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace rollpath
