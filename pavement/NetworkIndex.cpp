#include "pavement/NetworkIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "pavement/NetworkEdits.h"

namespace rollpath {

namespace {

// Positions beyond this many feet from the benchmark share the border cells.
constexpr double kGridReach = 1.0e6;
constexpr double kMaxCellsPerSide = 512.0;
constexpr double kMinCellSize = 1.0;
// A box over more cells than this is kept in a list every query returns.
constexpr long long kMaxCellsPerBox = 64;

bool HasNaN(const Box& b) {
    return std::isnan(b.x0) || std::isnan(b.y0) || std::isnan(b.x1) || std::isnan(b.y1);
}

double ClampToReach(double v) {
    return std::clamp(v, -kGridReach, kGridReach);
}

}  // namespace

BoxGrid::BoxGrid(const std::vector<Box>& boxes, double cellSize) {
    double minX = std::numeric_limits<double>::infinity();
    double minY = minX;
    double maxX = -minX;
    double maxY = -minX;
    for (const Box& b : boxes) {
        if (HasNaN(b)) {
            continue;
        }
        minX = std::min(minX, ClampToReach(b.x0));
        minY = std::min(minY, ClampToReach(b.y0));
        maxX = std::max(maxX, ClampToReach(b.x1));
        maxY = std::max(maxY, ClampToReach(b.y1));
    }
    if (minX <= maxX && minY <= maxY) {
        originX_ = minX;
        originY_ = minY;
        const double extent = std::max(maxX - minX, maxY - minY);
        cell_ = std::max({cellSize, extent / kMaxCellsPerSide, kMinCellSize});
        nx_ = static_cast<int>(std::floor((maxX - minX) / cell_)) + 1;
        inverseCell_ = 1.0 / cell_;
        ny_ = static_cast<int>(std::floor((maxY - minY) / cell_)) + 1;
    }

    cellStart_.assign(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) + 1, 0);
    std::vector<CellRange> ranges(boxes.size());
    for (std::size_t id = 0; id < boxes.size(); ++id) {
        if (HasNaN(boxes[id])) {
            ranges[id].ix0 = -1;
            continue;
        }
        ranges[id] = RangeOf(boxes[id]);
        if (ranges[id].Count() > kMaxCellsPerBox) {
            spanning_.push_back(static_cast<int>(id));
            ranges[id].ix0 = -1;
            continue;
        }
        for (int iy = ranges[id].iy0; iy <= ranges[id].iy1; ++iy) {
            for (int ix = ranges[id].ix0; ix <= ranges[id].ix1; ++ix) {
                ++cellStart_[static_cast<std::size_t>(iy * nx_ + ix) + 1];
            }
        }
    }
    for (std::size_t c = 1; c < cellStart_.size(); ++c) {
        cellStart_[c] += cellStart_[c - 1];
    }
    cellItems_.resize(static_cast<std::size_t>(cellStart_.back()));
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (std::size_t id = 0; id < boxes.size(); ++id) {
        const CellRange& r = ranges[id];
        if (r.ix0 < 0) {
            continue;
        }
        for (int iy = r.iy0; iy <= r.iy1; ++iy) {
            for (int ix = r.ix0; ix <= r.ix1; ++ix) {
                cellItems_[static_cast<std::size_t>(fill[static_cast<std::size_t>(iy * nx_ + ix)]++)] =
                    static_cast<int>(id);
            }
        }
    }
    stamp_.assign(boxes.size(), 0);
}

int BoxGrid::CellX(double x) const {
    // A multiplication rather than a division: the mapping only has to be
    // the same, and monotonic, for items and queries.
    const double q = std::floor((x - originX_) * inverseCell_);
    if (!(q > 0.0)) {
        return 0;
    }
    return q >= nx_ - 1 ? nx_ - 1 : static_cast<int>(q);
}

int BoxGrid::CellY(double y) const {
    const double q = std::floor((y - originY_) * inverseCell_);
    if (!(q > 0.0)) {
        return 0;
    }
    return q >= ny_ - 1 ? ny_ - 1 : static_cast<int>(q);
}

BoxGrid::CellRange BoxGrid::RangeOf(const Box& box) const {
    return CellRange{CellX(box.x0), CellY(box.y0), CellX(box.x1), CellY(box.y1)};
}

void BoxGrid::Insert(int id, const Box& box) {
    if (id < 0 || HasNaN(box)) {
        return;
    }
    if (static_cast<std::size_t>(id) >= stamp_.size()) {
        stamp_.resize(static_cast<std::size_t>(id) + 1, 0);
    }
    const CellRange r = RangeOf(box);
    if (r.Count() > kMaxCellsPerBox) {
        spanning_.push_back(id);
        return;
    }
    for (int iy = r.iy0; iy <= r.iy1; ++iy) {
        for (int ix = r.ix0; ix <= r.ix1; ++ix) {
            added_[static_cast<long long>(iy) * nx_ + ix].push_back(id);
        }
    }
}

void BoxGrid::Mark(int id, std::vector<int>& out) {
    std::uint32_t& s = stamp_[static_cast<std::size_t>(id)];
    if (s != query_) {
        s = query_;
        out.push_back(id);
    }
}

void BoxGrid::Query(const Box& box, std::vector<int>& out) {
    out.clear();
    if (HasNaN(box)) {
        return;
    }
    if (++query_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0);
        query_ = 1;
    }
    const CellRange r = RangeOf(box);
    for (int iy = r.iy0; iy <= r.iy1; ++iy) {
        for (int ix = r.ix0; ix <= r.ix1; ++ix) {
            const std::size_t c = static_cast<std::size_t>(iy * nx_ + ix);
            for (int k = cellStart_[c]; k < cellStart_[c + 1]; ++k) {
                Mark(cellItems_[static_cast<std::size_t>(k)], out);
            }
            if (!added_.empty()) {
                const auto it = added_.find(static_cast<long long>(iy) * nx_ + ix);
                if (it != added_.end()) {
                    for (const int id : it->second) {
                        Mark(id, out);
                    }
                }
            }
        }
    }
    for (const int id : spanning_) {
        Mark(id, out);
    }
}

VertexIncidence::VertexIncidence(const CRollpathDoc& doc) {
    const int n = doc.m_nVertices;
    start_.assign(static_cast<std::size_t>(n) + 1, 0);
    // The segment objects are large and scattered: they are read once, into
    // a compact list of the usable segments' ends, which both passes use.
    struct Ends {
        int segment, vertex0, vertex1;
    };
    std::vector<Ends> ends;
    ends.reserve(doc.m_pSegments.size());
    for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *doc.m_pSegments[i];
        if (UsableSegment(doc, s)) {
            ends.push_back({static_cast<int>(i), s.vertex0, s.vertex1});
        }
    }
    for (const Ends& e : ends) {
        ++start_[static_cast<std::size_t>(e.vertex0) + 1];
        if (e.vertex1 != e.vertex0) {
            ++start_[static_cast<std::size_t>(e.vertex1) + 1];
        }
    }
    for (std::size_t v = 1; v < start_.size(); ++v) {
        start_[v] += start_[v - 1];
    }
    segments_.resize(static_cast<std::size_t>(start_.back()));
    std::vector<int> fill(start_.begin(), start_.end() - 1);
    for (const Ends& e : ends) {
        segments_[static_cast<std::size_t>(fill[static_cast<std::size_t>(e.vertex0)]++)] = e.segment;
        if (e.vertex1 != e.vertex0) {
            segments_[static_cast<std::size_t>(fill[static_cast<std::size_t>(e.vertex1)]++)] = e.segment;
        }
    }
}

std::span<const int> VertexIncidence::SegmentsAt(int vertex) const {
    if (vertex < 0 || static_cast<std::size_t>(vertex) + 1 >= start_.size()) {
        return {};
    }
    const auto begin = static_cast<std::size_t>(start_[static_cast<std::size_t>(vertex)]);
    const auto end = static_cast<std::size_t>(start_[static_cast<std::size_t>(vertex) + 1]);
    return std::span<const int>(segments_.data() + begin, end - begin);
}

Box SegmentBox(const CRollpathDoc& doc, const RollpathSegment& segment, double margin) {
    if (!UsableSegment(doc, segment)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return Box{nan, nan, nan, nan};
    }
    const DPoint a = doc.Vertex(segment.vertex0).pos();
    const DPoint b = doc.Vertex(segment.vertex1).pos();
    return Box{std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin, std::max(a.x, b.x) + margin,
               std::max(a.y, b.y) + margin};
}

}  // namespace rollpath
