// The drags: what each mouse move does in each drag state, and how the
// left button's release ends them. Also the repainting of edited objects.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/PolygonMeasures.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "scenery/PlausibleValues.h"
#include "view/HitTest.h"
#include "view/RollpathView.h"

namespace rollpath {

namespace {

// Covers the marks, dots and handles drawn around an object's points.
constexpr int kEditMargin = 100;
// More feet than any offset holds: a move beyond it is cut.
constexpr double kDiagramDragLimit = 4.0e9;

}  // namespace

void CRollpathView::RememberMouse(DevicePoint point) {
    m_Mouse.device = point;
    m_Mouse.logical = DeviceToLogical(point);
    UnrotateLogical(m_Mouse.logical);
}

// The world move since the last mouse point, which becomes this point.
DPoint CRollpathView::WorldDeltaTo(DevicePoint point) {
    const LPoint previous = m_Mouse.logical;
    RememberMouse(point);
    const double k = UnitsPerFoot();
    return DPoint{(static_cast<double>(m_Mouse.logical.x) - previous.x) / k,
                  (static_cast<double>(m_Mouse.logical.y) - previous.y) / k};
}

void CRollpathView::OnMouseMove(DevicePoint point) {
    SyncWithDocument();
    if (point == m_Mouse.device) {
        return;
    }
    const DPoint delta = WorldDeltaTo(point);
    if (!IsLoaded()) {
        return;
    }
    const DPoint m = WindowToWorld(point);
    switch (m_nDragState) {
        case DragState::StretchSegment:
            StretchSegmentTo(m);
            break;
        case DragState::MoveVertex:
            MoveVertexTo(m);
            break;
        case DragState::CollectPolygon:
            MoveLastPolygonPoint(m);
            break;
        case DragState::MovePolygonPoint:
            MovePolygonPoint(m);
            break;
        case DragState::MovePolygon:
            if (m_pSelectedPolygon != nullptr) {
                MovePoints(*m_pSelectedPolygon, delta);
            }
            break;
        case DragState::MoveMarking:
            if (m_pSelectedMarking != nullptr) {
                MovePoints(*m_pSelectedMarking, delta);
            }
            break;
        case DragState::MoveRunwayHold:
            MoveRunwayHold(m);
            break;
        case DragState::MoveCriticalHold:
            MoveCriticalHold(m);
            break;
        case DragState::MoveDiagram:
            MoveDiagram(delta);
            break;
        default:
            break;
    }
}

void CRollpathView::OnLButtonUp(DevicePoint /*point*/) {
    SyncWithDocument();
    switch (m_nDragState) {
        case DragState::MovePolygonPoint:
        case DragState::MovePolygon:
            EndPolygonDrag();
            break;
        case DragState::MoveMarking:
            // Pieces read from a pavement file are never saved, but the drag
            // is undone like any other.
            m_nDragState = DragState::Idle;
            CommitEdit(UndoKind::MarkingMoved);
            break;
        case DragState::MoveVertex:
            EndVertexDrag();
            break;
        case DragState::MoveRunwayHold:
        case DragState::MoveCriticalHold:
            EndHoldDrag();
            break;
        case DragState::MoveDiagram:
            m_nDragState = DragState::Idle;
            CommitEdit(UndoKind::DiagramMoved);
            break;
        default:
            // The tools go on until the right button.
            break;
    }
}

// --- Each drag state's move ---------------------------------------------------------

void CRollpathView::StretchSegmentTo(const DPoint& m) {
    if (!m_pNewSegment) {
        return;
    }
    RollpathSegment& s = *m_pNewSegment;
    InvalidateSegment(s);
    NetworkVertex& end = m_Doc.Vertex(s.vertex1);
    end.x = m.x;
    end.y = m.y;
    SegmentGeometry(m_Doc, s);
    InvalidateSegment(s);
}

// The dragged vertex follows the mouse, or slides along the centre line of
// the runway it started in, also beyond the runway's ends.
void CRollpathView::MoveVertexTo(const DPoint& m) {
    if (!m_Doc.IsLiveVertex(m_nActiveIndex)) {
        return;
    }
    const DPoint target =
        m_pConstrainingRunway != nullptr
            ? WithinFileBounds(ProjectOntoLine(m_pConstrainingRunway->end0, m_pConstrainingRunway->end1, m))
            : m;
    for (const RollpathSegment* s : m_SegmentList) {
        InvalidateSegment(*s);
    }
    NetworkVertex& v = m_Doc.Vertex(m_nActiveIndex);
    v.x = target.x;
    v.y = target.y;
    for (RollpathSegment* s : m_SegmentList) {
        SegmentGeometry(m_Doc, *s);
        InvalidateSegment(*s);
    }
}

void CRollpathView::MoveLastPolygonPoint(const DPoint& m) {
    if (!m_pNewPolygon || m_pNewPolygon->points.empty()) {
        return;
    }
    InvalidatePolygon(*m_pNewPolygon);
    m_pNewPolygon->points.back() = m;
    InvalidatePolygon(*m_pNewPolygon);
}

void CRollpathView::MovePolygonPoint(const DPoint& m) {
    if (m_pSelectedPolygon == nullptr || m_nActiveIndex < 0 ||
        m_nActiveIndex >= m_pSelectedPolygon->count()) {
        return;
    }
    InvalidatePolygon(*m_pSelectedPolygon);
    m_pSelectedPolygon->points[static_cast<std::size_t>(m_nActiveIndex)] = m;
    InvalidatePolygon(*m_pSelectedPolygon);
}

void CRollpathView::MovePoints(PolygonRecord& polygon, const DPoint& delta) {
    InvalidatePolygon(polygon);
    // The whole shape stops where its first point reaches the file bounds.
    DPoint move = delta;
    for (const DPoint& p : polygon.points) {
        const DPoint to = WithinFileBounds(DPoint{p.x + move.x, p.y + move.y});
        move = DPoint{to.x - p.x, to.y - p.y};
    }
    for (DPoint& p : polygon.points) {
        p.x += move.x;
        p.y += move.y;
    }
    InvalidatePolygon(polygon);
}

// The hold bar's near edge goes where the perpendicular through the mouse
// meets the centre line, as long as that lies within the segment.
void CRollpathView::MoveRunwayHold(const DPoint& m) {
    if (m_SegmentList.empty()) {
        return;
    }
    RollpathSegment& s = *m_SegmentList.front();
    HoldAxis axis;
    double distance = 0.0;
    if (SegmentAxis(m_Doc, s, m_nHoldEnd, axis) && DistanceAlongAxis(axis, m, distance)) {
        InvalidateSegment(s);
        s.extent0 = distance;
        InvalidateSegment(s);
    }
}

void CRollpathView::MoveCriticalHold(const DPoint& m) {
    if (m_SegmentList.empty()) {
        return;
    }
    RollpathSegment& s = *m_SegmentList.front();
    HoldAxis axis;
    double distance = 0.0;
    if (CriticalHoldAxis(m_Doc, s, axis) && DistanceAlongAxis(axis, m, distance)) {
        InvalidateSegment(s);
        s.extent1 = distance;
        InvalidateSegment(s);
    }
}

// The offsets are whole feet; what a move leaves over is carried to the
// next one, so the diagram stays under the pointer however slowly it moves.
void CRollpathView::MoveDiagram(const DPoint& delta) {
    const auto whole = [](double& rest, double step) {
        rest += step;
        const double feet = std::clamp(std::round(rest), -kDiagramDragLimit, kDiagramDragLimit);
        rest -= feet;
        return static_cast<std::int64_t>(feet);
    };
    m_Doc.m_nBmpX = SaturateToInt(m_Doc.m_nBmpX + whole(m_Mouse.diagramRest.x, delta.x));
    m_Doc.m_nBmpY = SaturateToInt(m_Doc.m_nBmpY + whole(m_Mouse.diagramRest.y, delta.y));
    RefreshPositionDialog();
    RecomputeAnchor();
    m_Host.Invalidate();
}

// --- Releases ------------------------------------------------------------------------

void CRollpathView::EndVertexDrag() {
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    m_nDragState = DragState::Idle;
    m_pConstrainingRunway = nullptr;
    ComputeModelExtent();
    CommitEdit(UndoKind::VertexMoved);
    m_Host.Invalidate();
}

// A click that only selects the polygon changes nothing and leaves no step.
void CRollpathView::EndPolygonDrag() {
    if (m_pSelectedPolygon != nullptr) {
        InvalidatePolygon(*m_pSelectedPolygon);
    }
    const int kind =
        m_nDragState == DragState::MovePolygonPoint ? UndoKind::PolygonPointMoved : UndoKind::PolygonMoved;
    m_nDragState = DragState::Idle;
    ComputeModelExtent();
    CommitEdit(kind);
}

void CRollpathView::EndHoldDrag() {
    if (!m_SegmentList.empty()) {
        InvalidateSegment(*m_SegmentList.front());
    }
    m_SegmentList.clear();
    m_nDragState = DragState::Idle;
    CommitEdit(UndoKind::HoldMoved);
}

// --- Repainting ------------------------------------------------------------------------

void CRollpathView::InvalidateSegment(const RollpathSegment& segment) {
    InvalidateWorldPoints(segment.outline, kEditMargin);
}

void CRollpathView::InvalidatePolygon(const PolygonRecord& polygon) {
    InvalidateWorldPoints(polygon.points, kEditMargin);
}

}  // namespace rollpath
