#pragma once

// Search structures of the network rebuild. They only narrow the candidates
// of a search; every candidate is still tested exactly, so a rebuild that
// uses them finds the same first matches, in the same order, as one that
// compares every pair.

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

// An axis-aligned box in LocalFeet; x0 <= x1 and y0 <= y1.
struct Box {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
};

// A uniform grid of boxes keyed by id. A query returns every id inserted
// with a box overlapping the query box (and possibly more). Boxes with a NaN
// coordinate are not stored: nothing at such a position can match a test.
// Boxes far outside the grid fall into its border cells, boxes spanning many
// cells into a list that every query returns.
class BoxGrid {
public:
    // `boxes[id]` is the box of item id; `cellSize` (feet) is a lower bound on
    // the side of a cell, raised when the area would need too many cells.
    BoxGrid(const std::vector<Box>& boxes, double cellSize);

    // Adds an item again under a new box (its old entries stay: the grid only
    // ever grows, which keeps queries a superset).
    void Insert(int id, const Box& box);

    // The ids found, each once, in no particular order.
    void Query(const Box& box, std::vector<int>& out);

private:
    struct CellRange {
        int ix0, iy0, ix1, iy1;
        long long Count() const { return static_cast<long long>(ix1 - ix0 + 1) * (iy1 - iy0 + 1); }
    };
    CellRange RangeOf(const Box& box) const;
    int CellX(double x) const;
    int CellY(double y) const;
    void Mark(int id, std::vector<int>& out);

    double originX_ = 0.0;
    double originY_ = 0.0;
    double cell_ = 1.0;
    double inverseCell_ = 1.0;
    int nx_ = 1;
    int ny_ = 1;
    std::vector<int> cellStart_;  // nx * ny + 1 offsets into cellItems_
    std::vector<int> cellItems_;
    std::unordered_map<long long, std::vector<int>> added_;  // inserted after construction
    std::vector<int> spanning_;                              // boxes over too many cells
    std::vector<std::uint32_t> stamp_;
    std::uint32_t query_ = 0;
};

// The usable segments at every vertex, in list order, for a network whose
// segment ends do not change while it is in use.
class VertexIncidence {
public:
    VertexIncidence() = default;  // no vertices
    explicit VertexIncidence(const CRollpathDoc& doc);
    std::span<const int> SegmentsAt(int vertex) const;

private:
    std::vector<int> start_;
    std::vector<int> segments_;
};

// The bounding box of a segment's centre line, grown by `margin` feet.
Box SegmentBox(const CRollpathDoc& doc, const RollpathSegment& segment, double margin);

}  // namespace rollpath
