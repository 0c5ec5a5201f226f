#include "view/UndoRecord.h"

#include <algorithm>

namespace rollpath {

void CUndoRecord::Begin(int kind) {
    Clear();
    m_nKind = kind;
    m_bAvailable = 1;
}

void CUndoRecord::Clear() {
    m_nKind = UndoKind::None;
    m_bAvailable = 0;
    m_Segments.clear();
    m_pPolygon = nullptr;
    m_pMarking = nullptr;
    m_nVertex = -1;
    m_Points.clear();
    m_SavedIndices.clear();
    m_SavedVertices.clear();
}

void CUndoRecord::RecordSegmentsAdded(std::span<RollpathSegment* const> chain) {
    Begin(UndoKind::SegmentsAdded);
    m_Segments.assign(chain.begin(), chain.end());
}

void CUndoRecord::RecordVertexMoved(int vertex, const DPoint& oldPosition,
                                    std::span<RollpathSegment* const> segments) {
    Begin(UndoKind::VertexMoved);
    m_nVertex = vertex;
    m_Points.assign(1, oldPosition);
    m_Segments.assign(segments.begin(), segments.end());
}

void CUndoRecord::RecordPolygonAdded(GroundPolygon* polygon) {
    Begin(UndoKind::PolygonAdded);
    m_pPolygon = polygon;
}

void CUndoRecord::RecordPolygonPoints(int kind, GroundPolygon* polygon) {
    Begin(kind);
    m_pPolygon = polygon;
    m_Points = polygon->points;
}

void CUndoRecord::RecordMarkingMoved(MarkingPolygon* piece) {
    Begin(UndoKind::MarkingMoved);
    m_pMarking = piece;
    m_Points = piece->points;
}

void CUndoRecord::RecordSegmentDeleted(RollpathSegment* segment) {
    Begin(UndoKind::SegmentDeleted);
    m_Segments.assign(1, segment);
}

void CUndoRecord::RecordPolygonDeleted(GroundPolygon* polygon) {
    Begin(UndoKind::PolygonDeleted);
    m_pPolygon = polygon;
    m_Points = polygon->points;
}

void CUndoRecord::RecordStraightened(std::span<const int> vertices, std::span<const NetworkVertex> saved) {
    Begin(UndoKind::Straightened);
    const std::size_t n = std::min(vertices.size(), saved.size());
    m_SavedIndices.assign(vertices.begin(), vertices.begin() + static_cast<std::ptrdiff_t>(n));
    m_SavedVertices.assign(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(n));
}

void CUndoRecord::ForgetVertexIndices() {
    switch (m_nKind) {
        case UndoKind::SegmentsAdded:
            std::erase_if(m_Segments, [](const RollpathSegment* s) { return !s->live(); });
            if (m_Segments.empty()) {
                Clear();
            }
            break;
        case UndoKind::VertexMoved:
        case UndoKind::SegmentDeleted:
        case UndoKind::Straightened:
            Clear();
            break;
        default:
            break;
    }
}

}  // namespace rollpath
