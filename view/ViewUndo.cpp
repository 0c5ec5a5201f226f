// The single undo step: each kind puts back what its edit changed. There is
// no redo; once undone, the step is gone.

#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "view/RollpathView.h"

namespace rollpath {

void CRollpathView::OnEditUndo() {
    if (!UpdateEditCommandUI(CommandId::EditUndo)->enabled) {
        return;
    }
    switch (m_Undo.Kind()) {
        case UndoKind::SegmentsAdded:
            UndoSegmentsAdded();
            break;
        case UndoKind::VertexMoved:
            UndoVertexMoved();
            break;
        case UndoKind::SegmentDeleted:
            ReviveSegments();
            break;
        case UndoKind::PolygonAdded:
            if (GroundPolygon* polygon = m_Undo.Polygon()) {
                polygon->state = -1;
                if (m_pSelectedPolygon == polygon) {
                    m_pSelectedPolygon = nullptr;
                }
                InvalidatePolygon(*polygon);
            }
            break;
        case UndoKind::PolygonPointMoved:
        case UndoKind::PolygonMoved:
            if (GroundPolygon* polygon = m_Undo.Polygon()) {
                UndoPolygonPoints(*polygon);
            }
            break;
        case UndoKind::PolygonDeleted:
            if (GroundPolygon* polygon = m_Undo.Polygon()) {
                polygon->state = 0;
                InvalidatePolygon(*polygon);
            }
            break;
        case UndoKind::MarkingPieceMoved:
        case UndoKind::MarkingMoved:
            if (MarkingPolygon* piece = m_Undo.Marking()) {
                UndoPolygonPoints(*piece);
            }
            break;
        case UndoKind::Straightened:
            UndoStraightening();
            break;
        default:
            break;
    }
    m_Undo.Clear();
    // The undone edit had marked the document modified; what it went back
    // to may not be what was saved last.
    m_Doc.SetModifiedFlag(true);
}

// The chain the rollpath tool drew goes, as Delete takes a segment away.
void CRollpathView::UndoSegmentsAdded() {
    m_Doc.ClearTouched();
    for (RollpathSegment* s : m_Undo.Segments()) {
        if (s->live()) {
            InvalidateSegment(*s);
            InvalidateVertexMark(s->vertex0);
            InvalidateVertexMark(s->vertex1);
            MarkSegmentDeleted(*s);
        }
    }
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    m_SegmentList.clear();
    ComputeModelExtent();
}

void CRollpathView::UndoVertexMoved() {
    const int vertex = m_Undo.VertexIndex();
    if (vertex >= 0 && vertex < m_Doc.m_nVertices && !m_Undo.Points().empty()) {
        InvalidateVertexMark(vertex);
        NetworkVertex& v = m_Doc.Vertex(vertex);
        v.x = m_Undo.Points().front().x;
        v.y = m_Undo.Points().front().y;
    }
    ReviveSegments();
    // Junctions around the vertex moved with it.
    m_Host.Invalidate();
}

// Every recorded segment and both its vertices live again, rebuilt.
void CRollpathView::ReviveSegments() {
    m_Doc.ClearTouched();
    for (RollpathSegment* s : m_Undo.Segments()) {
        s->state = 0;
        for (const int v : {s->vertex0, s->vertex1}) {
            if (v >= 0 && v < m_Doc.m_nVertices) {
                m_Doc.Vertex(v).state = 0;
            }
        }
        InvalidateSegment(*s);
        SegmentGeometry(m_Doc, *s);
        InvalidateSegment(*s);
        m_Doc.TouchVertex(s->vertex0);
        m_Doc.TouchVertex(s->vertex1);
    }
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    m_SegmentList.clear();
    ComputeModelExtent();
}

void CRollpathView::UndoPolygonPoints(PolygonRecord& polygon) {
    InvalidatePolygon(polygon);
    polygon.points = m_Undo.Points();
    InvalidatePolygon(polygon);
}

void CRollpathView::UndoStraightening() {
    const std::vector<int>& indices = m_Undo.SavedIndices();
    const std::vector<NetworkVertex>& saved = m_Undo.SavedVertices();
    for (std::size_t i = 0; i < indices.size() && i < saved.size(); ++i) {
        if (indices[i] >= 0 && indices[i] < m_Doc.m_nVertices) {
            m_Doc.Vertex(indices[i]) = saved[i];
        }
    }
    RebuildAllPavement(m_Doc);
    // The highlighted vertices are back where they were.
    m_StraightenedVertices.clear();
    m_bShowStraightened = 0;
    m_Host.Invalidate();
}

}  // namespace rollpath
