#pragma once

// The pieces of one mesh section, gathered once per Save in the section's
// order with the box of each, so that every tile passes over the pieces out
// of its reach without looking at their points. The pieces are not copied:
// the document does not change while its pavement file is written.

#include <cstddef>
#include <deque>
#include <span>
#include <vector>

#include "geometry/Clip.h"
#include "geometry/DPoint.h"

namespace rollpath {

// The box around a polygon's points; empty for no points or for a point that
// is not a number, so that such a polygon reaches no tile.
struct PolygonBox {
    bool empty = true;
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
};

PolygonBox BoxOf(std::span<const DPoint> points);

// The box overlaps the inside of the rectangle: sharing only a side or a
// corner is not enough.
bool ReachesInto(const PolygonBox& box, const ClipRect& rect);

class SectionPieces {
public:
    // Appends a polygon held elsewhere (by the document), which must stay in
    // place and unchanged while the pieces are in use.
    void Add(std::span<const DPoint> polygon);
    // Appends a copy, kept here, of a piece made for the file (markings,
    // extension polygons).
    void AddCopy(const Quad& quad);
    void AddCopy(std::span<const DPoint> polygon);
    void Clear();

    std::size_t size() const { return entries_.size(); }
    std::span<const DPoint> Piece(std::size_t k) const { return entries_[k].points; }
    bool ReachesInto(std::size_t k, const ClipRect& rect) const;

private:
    struct Entry {
        std::span<const DPoint> points;
        PolygonBox box;
    };
    std::vector<Entry> entries_;
    // Deques keep their elements in place as they grow.
    std::deque<Quad> quads_;
    std::deque<std::vector<DPoint>> polygons_;
};

}  // namespace rollpath
