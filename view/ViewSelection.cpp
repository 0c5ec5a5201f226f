// What a click with no tool means: the picks in their order, the selection,
// the drags they start, and the right button's context.

#include <cstdlib>

#include "geometry/PolygonMeasures.h"
#include "pavement/SegmentGeometry.h"
#include "view/HitTest.h"
#include "view/RollpathView.h"

namespace rollpath {

int CRollpathView::PickHandle(const PolygonRecord& polygon, DevicePoint point) const {
    const LPoint c = DeviceToLogical(point);
    for (int i = 0; i < polygon.count(); ++i) {
        LPoint l;
        ProjectPoints(1, &polygon.points[static_cast<std::size_t>(i)], &l, true);
        if (std::llabs(static_cast<long long>(l.x) - c.x) < kHandlePickUnits &&
            std::llabs(static_cast<long long>(l.y) - c.y) < kHandlePickUnits) {
            return i;
        }
    }
    return -1;
}

void CRollpathView::ClickSelection(DevicePoint point, const DPoint& p) {
    const bool rollpaths = m_bShowRollpaths != 0;
    if (rollpaths && m_bShowMarkings != 0) {
        int holdEnd = 0;
        if (RollpathSegment* s = PickRunwayHoldBar(m_Doc, p, holdEnd)) {
            m_nHoldEnd = holdEnd;
            StartHoldDrag(s, DragState::MoveRunwayHold);
            return;
        }
        if (RollpathSegment* s = PickCriticalHoldBar(m_Doc, p)) {
            StartHoldDrag(s, DragState::MoveCriticalHold);
            return;
        }
    }
    if (rollpaths) {
        const int v = PickVertex(m_Doc, p);
        if (v >= 0) {
            StartVertexDrag(v);
            return;
        }
    }
    if (m_bShowPolygons != 0 && m_Doc.m_bLoadedFromTms == 0 && m_pSelectedPolygon != nullptr) {
        const int i = PickHandle(*m_pSelectedPolygon, point);
        if (i >= 0) {
            StartPolygonPointDrag(i);
            return;
        }
    }
    if (m_pSelectedPolygon != nullptr) {
        InvalidatePolygon(*m_pSelectedPolygon);
        m_pSelectedPolygon = nullptr;
    }
    if (m_pSelectedMarking != nullptr) {
        InvalidatePolygon(*m_pSelectedMarking);
        m_pSelectedMarking = nullptr;
    }
    if (m_bShowMarkings != 0) {
        if (MarkingPolygon* piece = PickMarking(m_Doc, p)) {
            StartMarkingDrag(piece);
            return;
        }
    }
    if (m_bShowPolygons != 0) {
        if (GroundPolygon* polygon = PickPolygon(m_Doc, p)) {
            StartPolygonDrag(polygon);
        }
    }
}

// --- Starting the drags ----------------------------------------------------------

void CRollpathView::StartHoldDrag(RollpathSegment* segment, int dragState) {
    m_Doc.History().Begin(UndoKind::HoldMoved);
    m_SegmentList.assign(1, segment);
    m_nDragState = dragState;
    InvalidateSegment(*segment);
}

void CRollpathView::StartVertexDrag(int vertex) {
    const DPoint position = m_Doc.Vertex(vertex).pos();
    // A vertex where runways overlap has no line to slide along: the drag is
    // refused before anything changes.
    RunwayRecord* runway = nullptr;
    if (RunwaysAt(m_Doc, position, &runway) >= 2) {
        m_nDragState = DragState::Idle;
        return;
    }
    m_pConstrainingRunway = runway;
    // The previous edit's vertices were rebuilt at its end; only this drag's
    // are listed, so the list never fills up over many drags.
    m_Doc.ClearTouched();
    m_SegmentList.clear();
    bool full = false;
    for (const auto& s : m_Doc.m_pSegments) {
        if (!s->live() || (s->vertex0 != vertex && s->vertex1 != vertex)) {
            continue;
        }
        if (static_cast<int>(m_SegmentList.size()) >= kMaxListedSegments) {
            full = true;
            break;
        }
        m_SegmentList.push_back(s.get());
        SegmentGeometry(m_Doc, *s);
        m_Doc.TouchVertex(s->vertex0);
        m_Doc.TouchVertex(s->vertex1);
    }
    if (full) {
        m_Doc.Messages().Show(kSegmentListLimitMessage);
    }
    m_Doc.History().Begin(UndoKind::VertexMoved);
    m_nDragState = DragState::MoveVertex;
    m_nActiveIndex = vertex;
    // Junctions, markings, lights and marks leave the picture while it lasts.
    m_Host.Invalidate();
}

void CRollpathView::StartPolygonPointDrag(int point) {
    m_Doc.History().Begin(UndoKind::PolygonPointMoved);
    m_nDragState = DragState::MovePolygonPoint;
    m_nActiveIndex = point;
}

void CRollpathView::StartPolygonDrag(GroundPolygon* polygon) {
    m_Doc.History().Begin(UndoKind::PolygonMoved);
    m_pSelectedPolygon = polygon;
    InvalidatePolygon(*polygon);
    m_nDragState = DragState::MovePolygon;
}

void CRollpathView::StartMarkingDrag(MarkingPolygon* piece) {
    m_Doc.History().Begin(UndoKind::MarkingMoved);
    m_pSelectedMarking = piece;
    InvalidatePolygon(*piece);
    m_nDragState = DragState::MoveMarking;
}

// --- The right button's context ----------------------------------------------------

void CRollpathView::FindContext(DevicePoint point, const DPoint& p) {
    m_Context = ViewContext{};
    if (m_bShowVertices != 0) {
        const int v = PickVertex(m_Doc, p);
        if (v >= 0) {
            m_Context.kind = v == m_Doc.m_nSource ? ContextKind::Source
                             : v == m_Doc.m_nSink ? ContextKind::Sink
                                                  : ContextKind::Vertex;
            m_Context.vertex = v;
            for (const auto& s : m_Doc.m_pSegments) {
                if (s->live() && (s->vertex0 == v || s->vertex1 == v)) {
                    ++m_Context.segmentsAtVertex;
                }
            }
            return;
        }
    }
    if (m_bShowRollpaths != 0) {
        if (RollpathSegment* s = PickSegment(m_Doc, p)) {
            m_Context.kind = ContextKind::Segment;
            m_Context.segment = s;
            return;
        }
    }
    if (m_bShowPolygons != 0) {
        if (GroundPolygon* polygon = PickPolygon(m_Doc, p)) {
            m_Context.kind = ContextKind::Polygon;
            m_Context.polygon = polygon;
            m_Context.polygonPoint = PickHandle(*polygon, point);
            return;
        }
    }
    if (m_bShowRunways != 0) {
        if (RunwayRecord* runway = PickRunway(m_Doc, p)) {
            m_Context.kind = ContextKind::Runway;
            m_Context.runway = runway;
        }
    }
}

}  // namespace rollpath
