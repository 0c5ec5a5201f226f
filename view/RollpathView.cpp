#include "view/RollpathView.h"

#include "project/DocumentPipeline.h"

#include <algorithm>
#include <limits>

#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"

namespace rollpath {

namespace {

// Covers the marks, dots and handles drawn around an object's points.
constexpr int kInvalidateMargin = 100;

}  // namespace

CRollpathView::CRollpathView(CRollpathDoc& doc, ViewHost& host) : m_Doc(doc), m_Host(host) {}

void CRollpathView::OnSize(int width, int height) {
    const DeviceSize before = m_Client;
    m_Client.width = width;
    m_Client.height = height;
    if (IsLoaded() && before.width > 0 && before.height > 0 && width > 0 && height > 0 &&
        (before.width != width || before.height != height)) {
        KeepCentreOnResize(before);
    }
    UpdateVisibleArea();
}

void CRollpathView::ResetViewState() {
    m_bZoomMode = 0;
    m_nDragState = DragState::Idle;
    m_bRollpathTool = 0;
    m_bPolygonTool = 0;
    m_bPlaceSource = 0;
    m_bPlaceSink = 0;
    m_bPositioning = 0;
    m_dRollpathWidth = kDefaultRollpathWidth;
    m_pSelectedPolygon = nullptr;
    m_pSelectedMarking = nullptr;
    m_SegmentList.clear();
    m_nActiveIndex = -1;
    m_pNewPolygon.reset();
    m_pNewSegment.reset();
    m_bChainAdded = 0;
    m_pConstrainingRunway = nullptr;
    m_nHoldEnd = 0;
    m_Context = ViewContext{};
    m_StraightenedVertices.clear();
    m_bShowStraightened = 0;
    m_MarkedObject = ObjectRef{};
    m_Bmp.Reset();
    m_bDiagramLoaded = 0;
    ClosePositionDialog();
}

void CRollpathView::SetDisplayToggles(bool airportLoaded) {
    const int on = airportLoaded ? 1 : 0;
    m_bShowRunways = on;
    m_bShowRollpaths = on;
    m_bShowPolygons = on;
    m_bShowVertices = 0;
    m_bShowLights = 0;
    m_bShowMarkings = 0;
    m_bShowCentreLines = 0;
    m_bOutlineOnly = 0;
    m_bShowTriErrors = 0;
    m_bShowStraightened = 0;
}

void CRollpathView::OnInitialUpdate() {
    ResetViewState();
    m_nSeenRecordsReleased = m_Doc.m_nRecordsReleased;
    m_nSeenPoolRenumbered = m_Doc.m_nPoolRenumbered;
    m_nZoom = kInitialZoom;
    m_ResizeRest = DPoint{};
    SetDisplayToggles(IsLoaded());
    CacheRotation();
    if (IsLoaded()) {
        PrepareOpenedDocument(m_Doc);
        InitialFit();
        if (!m_Doc.m_szBmpPath.empty()) {
            LoadDiagram(m_Doc.m_szBmpPath);
            RecomputeAnchor();
        }
    }
    // Set to the opposite and flipped once, so that the menu texts follow.
    m_bShowDiagram = 0;
    ToggleDiagram();
    m_bShowGrid = 1;
    ToggleGrid();
    m_Host.Invalidate();
    UpdateStatusValues();
    UpdateVisibleArea();
    // Undo goes back to the airport as it was shown first.
    m_Doc.History().Start();
}

void CRollpathView::OnDocumentSaved() {
    SyncWithDocument();
    if (!m_Doc.m_TriErrors.empty()) {
        m_bShowTriErrors = 1;
    }
    m_Host.Invalidate();
}

void CRollpathView::FlipToggle(int& toggle) {
    toggle = toggle != 0 ? 0 : 1;
    m_Host.Invalidate();
}

void CRollpathView::ToggleGrid() {
    m_Host.ReplaceViewMenuText(GridMenuText(m_bShowGrid != 0), GridMenuText(m_bShowGrid == 0));
    FlipToggle(m_bShowGrid);
}

void CRollpathView::ToggleDiagram() {
    m_Host.ReplaceViewMenuText(DiagramMenuText(m_bShowDiagram != 0), DiagramMenuText(m_bShowDiagram == 0));
    FlipToggle(m_bShowDiagram);
}

void CRollpathView::InvalidateWorldPoints(std::span<const DPoint> points, int margin) {
    if (points.empty()) {
        return;
    }
    m_Invalidation.world.assign(points.begin(), points.end());
    const int n = static_cast<int>(m_Invalidation.world.size());
    RotateWorldPoints(m_Invalidation.world.data(), n);
    m_Invalidation.logical.resize(m_Invalidation.world.size());
    ProjectPoints(n, m_Invalidation.world.data(), m_Invalidation.logical.data(), false);
    LRect area{std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
               std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    for (const LPoint& p : m_Invalidation.logical) {
        area.left = std::min(area.left, p.x);
        area.right = std::max(area.right, p.x);
        area.top = std::max(area.top, p.y);
        area.bottom = std::min(area.bottom, p.y);
    }
    area.left = SaturateToInt(static_cast<std::int64_t>(area.left) - margin);
    area.right = SaturateToInt(static_cast<std::int64_t>(area.right) + margin);
    area.top = SaturateToInt(static_cast<std::int64_t>(area.top) + margin);
    area.bottom = SaturateToInt(static_cast<std::int64_t>(area.bottom) - margin);
    m_Host.InvalidateLogical(area);
}

// The network, runway and polygon toggles repaint only where those objects
// lie: the area around all of them.
void CRollpathView::InvalidateObjects(CommandId toggle) {
    std::vector<DPoint> points;
    if (toggle == CommandId::ViewRunways) {
        for (const auto& r : m_Doc.m_pRunways) {
            points.insert(points.end(), r->corners.begin(), r->corners.end());
        }
    } else if (toggle == CommandId::ViewPolygons) {
        for (const auto& p : m_Doc.m_pPolygons) {
            if (p->live()) {
                points.insert(points.end(), p->points.begin(), p->points.end());
            }
        }
    } else {
        for (const auto& s : m_Doc.m_pSegments) {
            if (s->live()) {
                points.insert(points.end(), s->outline.begin(), s->outline.end());
            }
        }
        for (int k = 0; k < m_Doc.m_nVertices; ++k) {
            const NetworkVertex& v = m_Doc.Vertex(k);
            if (v.live()) {
                points.push_back(v.pos());
                for (const GroundPolygon& j : v.junctionPolys) {
                    points.insert(points.end(), j.points.begin(), j.points.end());
                }
            }
        }
    }
    InvalidateWorldPoints(points, kInvalidateMargin);
}

bool CRollpathView::OnCommand(CommandId id) {
    SyncWithDocument();
    if (OnDiagramCommand(id) || OnEditCommand(id)) {
        return true;
    }
    switch (id) {
        case CommandId::ViewRunways:
            m_bShowRunways = m_bShowRunways != 0 ? 0 : 1;
            InvalidateObjects(id);
            return true;
        case CommandId::ViewRollpaths:
            m_bShowRollpaths = m_bShowRollpaths != 0 ? 0 : 1;
            InvalidateObjects(id);
            return true;
        case CommandId::ViewPolygons:
            m_bShowPolygons = m_bShowPolygons != 0 ? 0 : 1;
            InvalidateObjects(id);
            return true;
        case CommandId::ViewVertices:
            FlipToggle(m_bShowVertices);
            return true;
        case CommandId::ViewLights:
            FlipToggle(m_bShowLights);
            return true;
        case CommandId::ViewMarkings:
            FlipToggle(m_bShowMarkings);
            return true;
        case CommandId::ViewGrid:
            ToggleGrid();
            return true;
        case CommandId::ViewDiagram:
            ToggleDiagram();
            return true;
        case CommandId::Zoom:
            OnZoomCommand();
            return true;
        case CommandId::RotateCW:
            OnRotateCW();
            return true;
        case CommandId::RotateCCW:
            OnRotateCCW();
            return true;
        case CommandId::RollpathTool:
            OnRollpathTool();
            return true;
        case CommandId::PolygonTool:
            OnPolygonTool();
            return true;
        case CommandId::PlaceSource:
            OnPlaceSource();
            return true;
        case CommandId::PlaceSink:
            OnPlaceSink();
            return true;
        default:
            break;
    }
    return false;
}

std::optional<CommandUI> CRollpathView::UpdateCommandUI(CommandId id) const {
    if (std::optional<CommandUI> diagram = UpdateDiagramCommandUI(id)) {
        return diagram;
    }
    if (std::optional<CommandUI> edit = UpdateEditCommandUI(id)) {
        return edit;
    }
    const bool loaded = IsLoaded();
    const auto shown = [loaded](int toggle) {
        return loaded ? CommandUI{true, toggle != 0, std::nullopt}
                      : CommandUI{false, std::nullopt, std::nullopt};
    };
    switch (id) {
        case CommandId::ViewRunways:
            return shown(m_bShowRunways);
        case CommandId::ViewRollpaths:
            return shown(m_bShowRollpaths);
        case CommandId::ViewPolygons:
            return shown(m_bShowPolygons);
        case CommandId::ViewVertices:
            return shown(m_bShowVertices);
        case CommandId::ViewLights:
            return CommandUI{loaded, m_bShowLights != 0, std::nullopt};
        case CommandId::ViewMarkings:
            return CommandUI{loaded, m_bShowMarkings != 0, std::nullopt};
        case CommandId::ViewGrid:
            return CommandUI{loaded, std::nullopt, std::string(GridMenuText(m_bShowGrid != 0))};
        case CommandId::ViewDiagram:
            return CommandUI{m_bDiagramLoaded != 0, std::nullopt,
                             std::string(DiagramMenuText(m_bShowDiagram != 0))};
        case CommandId::Zoom: {
            const bool collecting =
                m_nDragState == DragState::StretchSegment || m_nDragState == DragState::CollectPolygon;
            const bool armed = m_bPlaceSource != 0 || m_bPlaceSink != 0;
            return CommandUI{loaded && !collecting && !armed, m_bZoomMode != 0, std::nullopt};
        }
        case CommandId::RotateCW:
        case CommandId::RotateCCW:
            return CommandUI{loaded, std::nullopt, std::nullopt};
        case CommandId::RollpathTool:
        case CommandId::PolygonTool:
        case CommandId::PlaceSource:
        case CommandId::PlaceSink:
            return ToolCommandUI(id);
        default:
            break;
    }
    return std::nullopt;
}

bool CRollpathView::IsListed(const RollpathSegment* segment) const {
    return std::find(m_SegmentList.begin(), m_SegmentList.end(), segment) != m_SegmentList.end();
}

RebuildNetworkOptions CRollpathView::RebuildOptions() const {
    RebuildNetworkOptions options;
    options.rollpathsShown = m_bShowRollpaths != 0;
    return options;
}

void CRollpathView::SyncWithDocument() {
    if (m_Doc.m_nRecordsReleased != m_nSeenRecordsReleased) {
        m_nSeenRecordsReleased = m_Doc.m_nRecordsReleased;
        ForgetRecords();
    }
    if (m_Doc.m_nPoolRenumbered != m_nSeenPoolRenumbered) {
        m_nSeenPoolRenumbered = m_Doc.m_nPoolRenumbered;
        ForgetVertexIndices();
    }
}

// Every record the view pointed to is gone: nothing it held is kept.
void CRollpathView::ForgetRecords() {
    if (m_nDragState == DragState::StretchSegment || m_nDragState == DragState::CollectPolygon) {
        m_Host.ReleaseCapture();
    }
    m_nDragState = DragState::Idle;
    m_pSelectedPolygon = nullptr;
    m_pSelectedMarking = nullptr;
    m_SegmentList.clear();
    m_nActiveIndex = -1;
    m_pNewPolygon.reset();
    m_pNewSegment.reset();
    m_pConstrainingRunway = nullptr;
    m_Context = ViewContext{};
    m_StraightenedVertices.clear();
    m_bShowStraightened = 0;
    m_MarkedObject = ObjectRef{};
    m_Host.Invalidate();
}

// The records stay but the vertex numbers changed: what names vertices by
// number is let go of. A segment being stretched loses its new end vertex
// (no stored segment used it), so the stretch is dropped; the tool stays on.
void CRollpathView::ForgetVertexIndices() {
    if (m_nDragState == DragState::StretchSegment) {
        m_Host.ReleaseCapture();
        std::erase(m_SegmentList, m_pNewSegment.get());
        m_pNewSegment.reset();
        m_nDragState = DragState::Idle;
    } else if (m_nDragState == DragState::MoveVertex) {
        m_nDragState = DragState::Idle;
        m_pConstrainingRunway = nullptr;
    }
    m_nActiveIndex = -1;
    if (m_Context.kind == ContextKind::Vertex || m_Context.kind == ContextKind::Source ||
        m_Context.kind == ContextKind::Sink) {
        m_Context = ViewContext{};
    }
    m_StraightenedVertices.clear();
    m_bShowStraightened = 0;
    if (m_MarkedObject.kind == ObjectRef::Kind::Vertex) {
        m_MarkedObject = ObjectRef{};
    }
    m_Host.Invalidate();
}

}  // namespace rollpath
