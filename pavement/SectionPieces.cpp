#include "pavement/SectionPieces.h"

#include <algorithm>
#include <cmath>

namespace rollpath {

PolygonBox BoxOf(std::span<const DPoint> points) {
    PolygonBox box;
    if (points.empty()) {
        return box;
    }
    box.minX = box.maxX = points[0].x;
    box.minY = box.maxY = points[0].y;
    for (const DPoint& p : points) {
        if (std::isnan(p.x) || std::isnan(p.y)) {
            return PolygonBox{};
        }
        box.minX = std::min(box.minX, p.x);
        box.maxX = std::max(box.maxX, p.x);
        box.minY = std::min(box.minY, p.y);
        box.maxY = std::max(box.maxY, p.y);
    }
    box.empty = false;
    return box;
}

bool ReachesInto(const PolygonBox& box, const ClipRect& rect) {
    return !box.empty && box.minX < rect.right && box.maxX > rect.left && box.minY < rect.top &&
           box.maxY > rect.bottom;
}

void SectionPieces::Add(std::span<const DPoint> polygon) {
    entries_.push_back(Entry{polygon, BoxOf(polygon)});
}

void SectionPieces::AddCopy(const Quad& quad) {
    quads_.push_back(quad);
    Add(quads_.back());
}

void SectionPieces::AddCopy(std::span<const DPoint> polygon) {
    polygons_.emplace_back(polygon.begin(), polygon.end());
    Add(polygons_.back());
}

void SectionPieces::Clear() {
    entries_.clear();
    quads_.clear();
    polygons_.clear();
}

bool SectionPieces::ReachesInto(std::size_t k, const ClipRect& rect) const {
    return rollpath::ReachesInto(entries_[k].box, rect);
}

}  // namespace rollpath
