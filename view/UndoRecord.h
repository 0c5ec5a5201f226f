#pragma once

// The view's single undo step: what the last undoable edit changed and what
// it takes to put it back. A new step replaces the previous one without a
// trace. The record only remembers; undoing is the view's business.

#include <span>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

struct UndoKind {
    static constexpr int None = 0;
    static constexpr int SegmentsAdded = 1;  // a chain drawn by the rollpath tool
    static constexpr int VertexMoved = 2;
    static constexpr int SegmentDeleted = 4;
    static constexpr int PolygonAdded = 11;
    static constexpr int PolygonPointMoved = 12;
    static constexpr int PolygonMoved = 13;
    static constexpr int PolygonDeleted = 14;
    static constexpr int Straightened = 51;
    // Both numbers stand for a pavement-file marking piece's drag.
    static constexpr int MarkingPieceMoved = 62;
    static constexpr int MarkingMoved = 63;
};

class CUndoRecord {
public:
    // The segments of a rollpath-tool chain, in the order they were drawn.
    void RecordSegmentsAdded(std::span<RollpathSegment* const> chain);
    // A vertex about to be dragged from `oldPosition`, with the segments
    // attached to it.
    void RecordVertexMoved(int vertex, const DPoint& oldPosition, std::span<RollpathSegment* const> segments);
    void RecordPolygonAdded(GroundPolygon* polygon);
    // The polygon's points before a point drag (kind 12) or a whole drag (13).
    void RecordPolygonPoints(int kind, GroundPolygon* polygon);
    // A pavement-file marking piece's points before it is dragged.
    void RecordMarkingMoved(MarkingPolygon* piece);
    // A segment about to be deleted (with the vertices only it used).
    void RecordSegmentDeleted(RollpathSegment* segment);
    // A polygon about to be deleted; its record stays for the undo.
    void RecordPolygonDeleted(GroundPolygon* polygon);
    // The vertices the straightening pass moved and their records before.
    void RecordStraightened(std::span<const int> vertices, std::span<const NetworkVertex> saved);

    // Forgets the step: nothing is left to undo.
    void Clear();

    int Kind() const { return m_nKind; }
    bool Available() const { return m_bAvailable != 0; }
    const std::vector<RollpathSegment*>& Segments() const { return m_Segments; }
    GroundPolygon* Polygon() const { return m_pPolygon; }
    MarkingPolygon* Marking() const { return m_pMarking; }
    int VertexIndex() const { return m_nVertex; }
    // A copy of a polygon's or marking piece's points, or one vertex position.
    const std::vector<DPoint>& Points() const { return m_Points; }
    // The straightened vertices and their saved records, pairwise.
    const std::vector<int>& SavedIndices() const { return m_SavedIndices; }
    const std::vector<NetworkVertex>& SavedVertices() const { return m_SavedVertices; }

    // After the vertex pool was renumbered: a step that names vertices by
    // their old numbers cannot be undone any more. A chain keeps its live
    // segments (their records were renumbered with the pool); the deleted
    // ones still hold old numbers and are dropped.
    void ForgetVertexIndices();

protected:
    // For the kinds the edit commands record.
    void Begin(int kind);

    int m_nKind = UndoKind::None;
    int m_bAvailable = 0;
    std::vector<RollpathSegment*> m_Segments;
    GroundPolygon* m_pPolygon = nullptr;
    MarkingPolygon* m_pMarking = nullptr;
    int m_nVertex = -1;
    std::vector<DPoint> m_Points;
    std::vector<int> m_SavedIndices;
    std::vector<NetworkVertex> m_SavedVertices;
};

}  // namespace rollpath
