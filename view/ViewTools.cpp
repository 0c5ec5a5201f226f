// The drawing tools: the rollpath tool's chains, the polygon tool, Source and
// Sink placement, their commands, and what the left button does first.

#include <cmath>
#include <limits>

#include "geometry/PortableMath.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "scenery/PolygonFile.h"
#include "view/HitTest.h"
#include "view/PolygonPoints.h"
#include "view/RollpathView.h"

namespace rollpath {

namespace {

constexpr const char* kZoomPrompt = "Hold Shift key down to zoom 10x";
constexpr const char* kToolPrompt = "Click right mouse button to finish";
constexpr const char* kPlacementPrompt = "Click left mouse button on dead end vertex";

}  // namespace

// --- Commands ----------------------------------------------------------------

std::optional<CommandUI> CRollpathView::ToolCommandUI(CommandId id) const {
    const bool loaded = IsLoaded();
    const bool armed = m_bPlaceSource != 0 || m_bPlaceSink != 0;
    const bool toolOn = m_bRollpathTool != 0 || m_bPolygonTool != 0;
    switch (id) {
        case CommandId::RollpathTool:
            return CommandUI{loaded && m_bPolygonTool == 0 && !armed, m_bRollpathTool != 0, std::nullopt};
        case CommandId::PolygonTool:
            return CommandUI{loaded && m_bRollpathTool == 0 && !armed, m_bPolygonTool != 0, std::nullopt};
        case CommandId::PlaceSource:
            return CommandUI{loaded && !toolOn && m_bPlaceSink == 0, m_bPlaceSource != 0, std::nullopt};
        case CommandId::PlaceSink:
            return CommandUI{loaded && !toolOn && m_bPlaceSource == 0, m_bPlaceSink != 0, std::nullopt};
        default:
            break;
    }
    return std::nullopt;
}

void CRollpathView::SetToolCursor(bool on) {
    m_bZoomMode = 0;
    m_Host.SetCursor(on ? ViewCursor::Cross : ViewCursor::Arrow);
    if (!on) {
        // The tool's prompt goes with it.
        m_Host.SetStatusPrompt({});
    }
}

void CRollpathView::OnRollpathTool() {
    if (!ToolCommandUI(CommandId::RollpathTool)->enabled || m_nDragState == DragState::StretchSegment) {
        return;
    }
    m_bRollpathTool = m_bRollpathTool != 0 ? 0 : 1;
    SetToolCursor(m_bRollpathTool != 0);
}

void CRollpathView::OnPolygonTool() {
    if (!ToolCommandUI(CommandId::PolygonTool)->enabled || m_nDragState == DragState::CollectPolygon) {
        return;
    }
    m_bPolygonTool = m_bPolygonTool != 0 ? 0 : 1;
    SetToolCursor(m_bPolygonTool != 0);
}

void CRollpathView::OnPlaceSource() {
    if (!ToolCommandUI(CommandId::PlaceSource)->enabled) {
        return;
    }
    m_bPlaceSource = m_bPlaceSource != 0 ? 0 : 1;
    SetToolCursor(m_bPlaceSource != 0);
}

void CRollpathView::OnPlaceSink() {
    if (!ToolCommandUI(CommandId::PlaceSink)->enabled) {
        return;
    }
    m_bPlaceSink = m_bPlaceSink != 0 ? 0 : 1;
    SetToolCursor(m_bPlaceSink != 0);
}

void CRollpathView::SwitchRollpathToolOff() {
    m_bRollpathTool = 0;
    SetToolCursor(false);
}

void CRollpathView::SwitchPolygonToolOff() {
    m_bPolygonTool = 0;
    SetToolCursor(false);
}

bool CRollpathView::OnSetCursor() {
    if (m_bZoomMode != 0) {
        m_Host.SetStatusPrompt(kZoomPrompt);
        m_Host.SetCursor(ViewCursor::Zoom);
        return true;
    }
    if (m_bRollpathTool != 0 || m_bPolygonTool != 0) {
        m_Host.SetStatusPrompt(kToolPrompt);
        m_Host.SetCursor(ViewCursor::Cross);
        return true;
    }
    if (m_bPlaceSource != 0 || m_bPlaceSink != 0) {
        m_Host.SetStatusPrompt(kPlacementPrompt);
        m_Host.SetCursor(ViewCursor::Cross);
        return true;
    }
    if (m_bPositioning != 0) {
        m_Host.SetCursor(ViewCursor::Positioning);
        return true;
    }
    return false;
}

// --- The left button -----------------------------------------------------------

void CRollpathView::OnLButtonDown(DevicePoint point) {
    SyncWithDocument();
    if (m_bShowStraightened != 0 || m_MarkedObject.kind != ObjectRef::Kind::None) {
        m_bShowStraightened = 0;
        m_MarkedObject = ObjectRef{};
        m_Host.Invalidate();
    }
    if (!IsLoaded()) {
        return;
    }
    EndPendingDrag(point);
    RememberMouse(point);
    const DPoint p = WindowToWorld(point);
    if (m_bZoomMode != 0) {
        CenterAt(point);
        ZoomIn();
    } else if (m_bRollpathTool != 0) {
        ClickRollpathTool(p);
    } else if (m_bPolygonTool != 0) {
        ClickPolygonTool(p);
    } else if (m_bPlaceSource != 0) {
        PlaceSourceOrSink(p, true);
    } else if (m_bPlaceSink != 0) {
        PlaceSourceOrSink(p, false);
    } else if (m_bPositioning != 0) {
        m_Doc.History().Begin(UndoKind::DiagramMoved);
        m_nDragState = DragState::MoveDiagram;
        m_Mouse.diagramRest = DPoint{};
    } else {
        ClickSelection(point, p);
    }
}

// A press while a drag is still going (its release never came) ends that
// drag as its release would, so its rebuild is not skipped.
void CRollpathView::EndPendingDrag(DevicePoint point) {
    switch (m_nDragState) {
        case DragState::MoveVertex:
        case DragState::MovePolygonPoint:
        case DragState::MovePolygon:
        case DragState::MoveRunwayHold:
        case DragState::MoveCriticalHold:
        case DragState::MoveMarking:
        case DragState::MoveDiagram:
            OnLButtonUp(point);
            break;
        default:
            break;
    }
}

// --- The rollpath tool -----------------------------------------------------------

void CRollpathView::ClickRollpathTool(const DPoint& p) {
    if (m_nDragState != DragState::StretchSegment) {
        m_Doc.ClearTouched();
        m_SegmentList.clear();
        m_bChainAdded = 0;
        m_Doc.History().Begin(UndoKind::SegmentsAdded);
        StartSegment(p);
        return;
    }
    FinishSegment(p);
    if (!StartSegment(p)) {
        // The chain cannot go on: it ends as a right click would end it.
        EndChain();
    }
}

bool CRollpathView::StartSegment(const DPoint& p) {
    if (static_cast<int>(m_SegmentList.size()) >= kMaxListedSegments) {
        m_Doc.Messages().Show(kSegmentListLimitMessage);
        return false;
    }
    const int first = m_Doc.AddVertex(p.x, p.y, false);
    const int second = first < 0 ? -1 : m_Doc.AddVertex(p.x, p.y, true);
    if (second < 0) {
        return false;
    }
    auto segment = std::make_unique<RollpathSegment>();
    segment->type = SegmentType::Rollpath;
    segment->width = static_cast<float>(m_dRollpathWidth);
    segment->extent0 = kNewSegmentExtent;
    segment->extent1 = kNewSegmentExtent;
    segment->vertex0 = first;
    segment->vertex1 = second;
    segment->reserved = SegmentMark::Provisional;
    SegmentGeometry(m_Doc, *segment);
    m_SegmentList.push_back(segment.get());
    m_pNewSegment = std::move(segment);
    m_nDragState = DragState::StretchSegment;
    m_Host.SetCapture();
    InvalidateSegment(*m_pNewSegment);
    return true;
}

void CRollpathView::FinishSegment(const DPoint& q) {
    m_Host.ReleaseCapture();
    m_nDragState = DragState::Idle;
    if (!m_pNewSegment) {
        return;
    }
    RollpathSegment& s = *m_pNewSegment;
    InvalidateSegment(s);
    NetworkVertex& end = m_Doc.Vertex(s.vertex1);
    end.x = q.x;
    end.y = q.y;
    SegmentGeometry(m_Doc, s);
    InvalidateSegment(s);
    const DPoint a = m_Doc.Vertex(s.vertex0).pos();
    if (math::Hypot(q.x - a.x, q.y - a.y) > m_Doc.GetSettings().MaxSegLength) {
        s.reserved &= ~SegmentMark::Provisional;
        m_Doc.m_pSegments.push_back(std::move(m_pNewSegment));
        m_bChainAdded = 1;
    } else {
        // Too short: dropped; its vertices stay in the pool.
        std::erase(m_SegmentList, m_pNewSegment.get());
        m_pNewSegment.reset();
    }
}

// The whole chain drawn since the first click is one step. A chain of only
// dropped segments leaves just its unconnected vertices: no edit of its own.
void CRollpathView::EndChain() {
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    m_SegmentList.clear();
    ComputeModelExtent();
    CommitEdit(UndoKind::SegmentsAdded, m_bChainAdded == 0);
    m_bChainAdded = 0;
    m_Host.Invalidate();
    SwitchRollpathToolOff();
}

// --- The polygon tool ------------------------------------------------------------

void CRollpathView::ClickPolygonTool(const DPoint& p) {
    if (m_nDragState != DragState::CollectPolygon) {
        StartPolygon(p);
    }
    AppendPolygonPoint(p);
}

void CRollpathView::StartPolygon(const DPoint& p) {
    if (m_pSelectedPolygon != nullptr) {
        InvalidatePolygon(*m_pSelectedPolygon);
    }
    m_pNewPolygon = std::make_unique<GroundPolygon>();
    m_pNewPolygon->kind = PolygonKind::Ordinary;
    m_pNewPolygon->points.assign(1, p);
    m_pSelectedPolygon = m_pNewPolygon.get();
    m_nDragState = DragState::CollectPolygon;
    m_Host.SetCapture();
}

void CRollpathView::AppendPolygonPoint(const DPoint& p) {
    if (!m_pNewPolygon) {
        return;
    }
    if (m_pNewPolygon->count() >= kMaxPolygonPoints) {
        m_Doc.Messages().Show(kPolygonPointLimitMessage);
        return;
    }
    m_pNewPolygon->points.push_back(p);
    InvalidatePolygon(*m_pNewPolygon);
}

void CRollpathView::FinishPolygon() {
    m_Host.ReleaseCapture();
    m_nDragState = DragState::Idle;
    m_pSelectedPolygon = nullptr;
    if (!m_pNewPolygon) {
        return;
    }
    InvalidatePolygon(*m_pNewPolygon);
    std::vector<DPoint> kept = FilterPolygonPoints(m_pNewPolygon->points, m_Doc.GetSettings().MaxPolyVertex);
    if (kept.size() <= 2) {
        m_pNewPolygon.reset();
        return;
    }
    // The simulator takes no more corners in one file.
    if (PolygonFileCorners(m_Doc) + static_cast<int>(kept.size()) > kMaxPolygonFileVertices) {
        m_Doc.Messages().Show(kTooManyPolygonVerticesMessage);
        m_pNewPolygon.reset();
        return;
    }
    m_pNewPolygon->points = std::move(kept);
    GroundPolygon* added = m_pNewPolygon.get();
    m_Doc.m_pPolygons.push_back(std::move(m_pNewPolygon));
    InvalidatePolygon(*added);
}

// --- Source and Sink -------------------------------------------------------------

void CRollpathView::PlaceSourceOrSink(const DPoint& p, bool source) {
    const int v = PickVertex(m_Doc, p);
    if (v < 0) {
        return;
    }
    if (source) {
        if (m_Doc.m_nSink == v) {
            m_Doc.m_nSink = -1;
        }
        m_Doc.m_nSource = v;
        m_bPlaceSource = 0;
    } else {
        if (m_Doc.m_nSource == v) {
            m_Doc.m_nSource = -1;
        }
        m_Doc.m_nSink = v;
        m_bPlaceSink = 0;
    }
    SetToolCursor(false);
    m_Host.Invalidate();
    CommitEdit(source ? UndoKind::SourcePlaced : UndoKind::SinkPlaced);
}

// --- Escape and the right button ---------------------------------------------------

bool CRollpathView::EndActiveTool() {
    SyncWithDocument();
    const bool active =
        m_bRollpathTool != 0 || m_bPolygonTool != 0 || m_bPlaceSource != 0 || m_bPlaceSink != 0;
    if (!active || !IsLoaded() || m_bZoomMode != 0) {
        return false;
    }
    // Where the pointer last was; a pointer never seen over the window ends
    // a rubber band where it lies.
    DevicePoint at = m_Mouse.device;
    if (at.x == std::numeric_limits<int>::min()) {
        at = DevicePoint{m_Client.width / 2, m_Client.height / 2};
    }
    OnRButtonDown(at);
    return true;
}

// --- The right button ------------------------------------------------------------

void CRollpathView::OnRButtonDown(DevicePoint point) {
    SyncWithDocument();
    if (!IsLoaded()) {
        return;
    }
    const DPoint p = WindowToWorld(point);
    if (m_bZoomMode != 0) {
        CenterAt(point);
        ZoomOut();
    } else if (m_bRollpathTool != 0) {
        if (m_nDragState == DragState::StretchSegment) {
            FinishSegment(p);
            EndChain();
        } else {
            SwitchRollpathToolOff();
        }
    } else if (m_bPolygonTool != 0) {
        if (m_nDragState == DragState::CollectPolygon) {
            FinishPolygon();
            ComputeModelExtent();
            CommitEdit(UndoKind::PolygonAdded);
        }
        SwitchPolygonToolOff();
    } else if (m_bPlaceSource != 0 || m_bPlaceSink != 0) {
        m_bPlaceSource = 0;
        m_bPlaceSink = 0;
        SetToolCursor(false);
    } else {
        // The context menu's commands act where this click was.
        RememberMouse(point);
        FindContext(point, p);
        m_Host.ShowContextMenu(point);
    }
}

}  // namespace rollpath
