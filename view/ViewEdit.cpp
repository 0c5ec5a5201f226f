// The Edit menu, the right-button menu's commands and the two character
// commands that rebuild the pavement: deleting, copying, splitting and
// joining, polygon points, centring, the property dialogs and the width of
// new rollpaths.

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <limits>

#include "geometry/PolygonMeasures.h"
#include "pavement/PavementRebuild.h"
#include "pavement/SegmentGeometry.h"
#include "pavement/SplitSegment.h"
#include "pavement/Straightening.h"
#include "scenery/PolygonFile.h"
#include "view/RollpathView.h"
#include "view/dialogs/AirportPropertiesModel.h"
#include "view/dialogs/PolygonPropertiesModel.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/RollpathWidthModel.h"
#include "view/dialogs/RunwayPropertiesModel.h"
#include "view/dialogs/VertexPropertiesModel.h"

namespace rollpath {

namespace {

// Covers a vertex mark or a polygon's handles.
constexpr int kMarkMargin = 100;
constexpr int kMinPolygonPoints = 3;
constexpr const char* kPolygonRemovedPrompt = "Polygon removed: a polygon needs three points";

bool UsesVertex(const RollpathSegment& s, int vertex) {
    return s.vertex0 == vertex || s.vertex1 == vertex;
}

}  // namespace

// --- Command routing and enabling ------------------------------------------------------

bool CRollpathView::OnEditCommand(CommandId id) {
    switch (id) {
        case CommandId::EditUndo:
            OnEditUndo();
            return true;
        case CommandId::EditRedo:
            OnEditRedo();
            return true;
        case CommandId::EditCut:
        case CommandId::EditDelete:
            DeleteSelectedPolygon();
            return true;
        case CommandId::EditCopy:
            CopySelectedPolygon();
            return true;
        case CommandId::EditPaste:
            PasteBesideCopy();
            return true;
        case CommandId::RollpathWidth:
            OnRollpathWidth();
            return true;
        case CommandId::AirportProperties:
            if (AirportPropertiesEnabled(m_Doc)) {
                ShowAirportProperties(m_Doc, m_Host);
            }
            return true;
        case CommandId::ContextCut:
            OnContextCut();
            return true;
        case CommandId::ContextCopy:
            if (m_Context.kind == ContextKind::Polygon && m_Context.polygon != nullptr &&
                m_Context.polygon->live()) {
                m_CopiedPolygon = m_Context.polygon->points;
            }
            return true;
        case CommandId::ContextPaste:
            if (CanPaste() && m_Mouse.device.x != std::numeric_limits<int>::min()) {
                PastePolygonAt(WindowToWorld(m_Mouse.device));
            }
            return true;
        case CommandId::InsertVertex:
            OnInsertVertex();
            return true;
        case CommandId::DeleteVertex:
            OnDeleteVertex();
            return true;
        case CommandId::CenterAtMouse:
            if (m_Mouse.device.x != std::numeric_limits<int>::min()) {
                CenterAt(m_Mouse.device);
            }
            return true;
        case CommandId::ContextProperties:
            OnContextProperties();
            return true;
        default:
            break;
    }
    return false;
}

// Cut, Delete and Copy act on the selected polygon, never on one the polygon
// tool is still collecting.
bool CRollpathView::PolygonEditable() const {
    return m_bPolygonTool == 0 && m_pSelectedPolygon != nullptr && m_pSelectedPolygon->live() &&
           m_pSelectedPolygon != m_pNewPolygon.get();
}

std::optional<CommandUI> CRollpathView::UpdateEditCommandUI(CommandId id) const {
    switch (id) {
        case CommandId::EditUndo:
        case CommandId::EditRedo: {
            // In the middle of a drag or of a chain or polygon being drawn,
            // a restore would pull the ground from under the piece in hand.
            const bool idle = m_nDragState == DragState::Idle;
            const CEditHistory& history = m_Doc.History();
            if (id == CommandId::EditUndo) {
                return CommandUI{idle && history.CanUndo(), std::nullopt, UndoMenuText(history.UndoKind())};
            }
            return CommandUI{idle && history.CanRedo(), std::nullopt, RedoMenuText(history.RedoKind())};
        }
        case CommandId::EditCut:
        case CommandId::EditDelete:
        case CommandId::EditCopy:
            return CommandUI{PolygonEditable(), std::nullopt, std::nullopt};
        case CommandId::EditPaste:
            return CommandUI{CanPaste(), std::nullopt, std::nullopt};
        case CommandId::RollpathWidth:
            return CommandUI{true, std::nullopt, std::nullopt};
        case CommandId::AirportProperties:
            return CommandUI{AirportPropertiesEnabled(m_Doc), std::nullopt, std::nullopt};
        default:
            break;
    }
    return ContextCommandUI(id);
}

std::optional<CommandUI> CRollpathView::ContextCommandUI(CommandId id) const {
    const int kind = m_Context.kind;
    bool enabled = false;
    switch (id) {
        case CommandId::ContextCut:
            enabled = kind == ContextKind::Segment || kind == ContextKind::Polygon ||
                      kind == ContextKind::Source || kind == ContextKind::Sink;
            break;
        case CommandId::ContextCopy:
            enabled = kind == ContextKind::Polygon;
            break;
        case CommandId::ContextPaste:
            enabled = CanPaste();
            break;
        case CommandId::InsertVertex:
            enabled = kind == ContextKind::Segment || kind == ContextKind::Polygon;
            break;
        case CommandId::DeleteVertex:
            enabled = (kind == ContextKind::Polygon && m_Context.polygonPoint >= 0) ||
                      (kind == ContextKind::Vertex && JoinAt(m_Context.vertex).has_value());
            break;
        case CommandId::CenterAtMouse:
        case CommandId::ContextProperties:
            enabled = true;
            break;
        default:
            return std::nullopt;
    }
    return CommandUI{enabled, std::nullopt, std::nullopt};
}

// --- The selected polygon ---------------------------------------------------------------

void CRollpathView::DeleteSelectedPolygon() {
    if (PolygonEditable()) {
        DeletePolygon(*m_pSelectedPolygon);
    }
}

void CRollpathView::CopySelectedPolygon() {
    if (PolygonEditable()) {
        m_CopiedPolygon = m_pSelectedPolygon->points;
    }
}

bool CRollpathView::CanPaste() const {
    const bool drawing =
        m_nDragState == DragState::StretchSegment || m_nDragState == DragState::CollectPolygon;
    return IsLoaded() && !drawing && m_CopiedPolygon.size() >= 3;
}

void CRollpathView::PasteBesideCopy() {
    if (!CanPaste()) {
        return;
    }
    // Right and down on the screen, whatever the rotation; each paste lands
    // beside the one before.
    const double across = kPasteOffset * m_dCos - kPasteOffset * m_dSin;
    const double down = -kPasteOffset * m_dSin - kPasteOffset * m_dCos;
    for (DPoint& p : m_CopiedPolygon) {
        p.x += across;
        p.y += down;
    }
    AddPastedPolygon(m_CopiedPolygon);
}

void CRollpathView::PastePolygonAt(const DPoint& centre) {
    double left = m_CopiedPolygon.front().x;
    double right = left;
    double bottom = m_CopiedPolygon.front().y;
    double top = bottom;
    for (const DPoint& p : m_CopiedPolygon) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    std::vector<DPoint> points = m_CopiedPolygon;
    const double dx = centre.x - (left + right) / 2.0;
    const double dy = centre.y - (bottom + top) / 2.0;
    for (DPoint& p : points) {
        p.x += dx;
        p.y += dy;
    }
    AddPastedPolygon(points);
}

// A pasted polygon is one step of the history; it becomes the selected one.
void CRollpathView::AddPastedPolygon(const std::vector<DPoint>& points) {
    GroundPolygon& added = m_Doc.AppendPolygon();
    added.kind = PolygonKind::Ordinary;
    added.points = points;
    if (m_pSelectedPolygon != nullptr) {
        InvalidatePolygon(*m_pSelectedPolygon);
    }
    m_pSelectedPolygon = &added;
    InvalidatePolygon(added);
    ComputeModelExtent();
    CommitEdit(UndoKind::PolygonPasted);
}

void CRollpathView::DeletePolygon(GroundPolygon& polygon) {
    if (!polygon.live()) {
        return;
    }
    InvalidatePolygon(polygon);
    polygon.state = -1;
    if (m_pSelectedPolygon != nullptr && m_pSelectedPolygon != &polygon) {
        InvalidatePolygon(*m_pSelectedPolygon);
    }
    m_pSelectedPolygon = nullptr;
    if (m_Context.polygon == &polygon) {
        m_Context = ViewContext{};
    }
    CommitEdit(UndoKind::PolygonDeleted);
}

// --- Segments and vertices ----------------------------------------------------------------

void CRollpathView::InvalidateVertexMark(int vertex) {
    if (vertex >= 0 && vertex < m_Doc.m_nVertices) {
        const DPoint p = m_Doc.Vertex(vertex).pos();
        InvalidateWorldPoints(std::span<const DPoint>(&p, 1), kMarkMargin);
    }
}

void CRollpathView::MarkSegmentDeleted(RollpathSegment& segment) {
    segment.state = -1;
    for (const int v : {segment.vertex0, segment.vertex1}) {
        if (v < 0 || v >= m_Doc.m_nVertices) {
            continue;
        }
        const bool used = std::any_of(m_Doc.m_pSegments.begin(), m_Doc.m_pSegments.end(),
                                      [v](const auto& s) { return s->live() && UsesVertex(*s, v); });
        if (used) {
            m_Doc.TouchVertex(v);
        } else {
            m_Doc.Vertex(v).state = -1;
        }
    }
}

void CRollpathView::DeleteSegment(RollpathSegment& segment) {
    if (!segment.live()) {
        return;
    }
    InvalidateSegment(segment);
    InvalidateVertexMark(segment.vertex0);
    InvalidateVertexMark(segment.vertex1);
    m_Doc.ClearTouched();
    MarkSegmentDeleted(segment);
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    if (m_Context.segment == &segment) {
        m_Context = ViewContext{};
    }
    CommitEdit(UndoKind::SegmentDeleted);
}

void CRollpathView::OnContextCut() {
    switch (m_Context.kind) {
        case ContextKind::Segment:
            if (m_Context.segment != nullptr) {
                DeleteSegment(*m_Context.segment);
            }
            break;
        case ContextKind::Polygon:
            if (m_Context.polygon != nullptr) {
                DeletePolygon(*m_Context.polygon);
            }
            break;
        case ContextKind::Source:
            m_Doc.m_nSource = -1;
            CommitEdit(UndoKind::SourceCleared);
            m_Host.Invalidate();
            break;
        case ContextKind::Sink:
            m_Doc.m_nSink = -1;
            CommitEdit(UndoKind::SinkCleared);
            m_Host.Invalidate();
            break;
        default:
            break;
    }
}

void CRollpathView::OnInsertVertex() {
    if (m_Context.kind == ContextKind::Segment && m_Context.segment != nullptr) {
        SplitSegmentAtMouse(*m_Context.segment);
    } else if (m_Context.kind == ContextKind::Polygon && m_Context.polygon != nullptr) {
        InsertPolygonPoint(*m_Context.polygon);
    }
}

void CRollpathView::OnDeleteVertex() {
    if (m_Context.kind == ContextKind::Polygon && m_Context.polygon != nullptr) {
        DeletePolygonPoint(*m_Context.polygon);
    } else if (m_Context.kind == ContextKind::Vertex) {
        RemoveVertex(m_Context.vertex);
    }
}

// The new vertex goes where the mouse was; the copy follows the segment in
// the list so that list order still runs along the line.
void CRollpathView::SplitSegmentAtMouse(RollpathSegment& segment) {
    if (!segment.live() || m_Mouse.device.x == std::numeric_limits<int>::min()) {
        return;
    }
    const auto at = std::find_if(m_Doc.m_pSegments.begin(), m_Doc.m_pSegments.end(),
                                 [&segment](const auto& s) { return s.get() == &segment; });
    if (at == m_Doc.m_pSegments.end()) {
        return;
    }
    m_Doc.ClearTouched();
    InvalidateSegment(segment);
    const DPoint p = WindowToWorld(m_Mouse.device);
    const int vertex = m_Doc.AddVertex(p.x, p.y, true);
    if (vertex < 0) {
        return;
    }
    const auto inserted = m_Doc.m_pSegments.insert(std::next(at), std::make_unique<RollpathSegment>());
    RollpathSegment& copy = **inserted;
    SplitSegment(m_Doc, copy, segment, vertex);
    // The halves' outer junctions were built for the whole segment.
    m_Doc.TouchVertex(segment.vertex0);
    m_Doc.TouchVertex(copy.vertex1);
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    InvalidateSegment(segment);
    InvalidateSegment(copy);
    CommitEdit(UndoKind::SegmentSplit);
}

// The two live segments that removing the vertex would join, the first in
// list order first; nothing when it has another number of segments, when
// joining them (a loop of two, or a segment with both ends here) would leave
// a segment of no length, or when another segment already joins their far
// ends (the joined one would lie on it: a runway's centre line piece
// between two pinned ends, say).
std::optional<std::pair<RollpathSegment*, RollpathSegment*>> CRollpathView::JoinAt(int vertex) const {
    if (!m_Doc.IsLiveVertex(vertex) || CountVertexSegments(m_Doc, vertex) != 2) {
        return std::nullopt;
    }
    RollpathSegment* a = nullptr;
    RollpathSegment* b = nullptr;
    for (const auto& s : m_Doc.m_pSegments) {
        if (s->live() && UsesVertex(*s, vertex)) {
            (a == nullptr ? a : b) = s.get();
            if (b != nullptr) {
                break;
            }
        }
    }
    if (a == nullptr || b == nullptr) {
        return std::nullopt;
    }
    const int aOther = a->vertex0 == vertex ? a->vertex1 : a->vertex0;
    const int bOther = b->vertex0 == vertex ? b->vertex1 : b->vertex0;
    if (aOther == vertex || bOther == vertex || aOther == bOther) {
        return std::nullopt;
    }
    for (const auto& s : m_Doc.m_pSegments) {
        if (s->live() && UsesVertex(*s, aOther) && UsesVertex(*s, bOther)) {
            return std::nullopt;
        }
    }
    return std::pair{a, b};
}

// The first live segment at the vertex takes the second one's far end; the
// second one and the vertex go.
void CRollpathView::RemoveVertex(int vertex) {
    const auto join = JoinAt(vertex);
    if (!join) {
        return;
    }
    auto [a, b] = *join;
    const int bOther = b->vertex0 == vertex ? b->vertex1 : b->vertex0;
    InvalidateVertexMark(vertex);
    InvalidateSegment(*a);
    InvalidateSegment(*b);
    (a->vertex0 == vertex ? a->vertex0 : a->vertex1) = bOther;
    b->state = -1;
    m_Doc.Vertex(vertex).state = -1;
    m_Doc.Vertex(vertex).ClearProducts();
    SegmentGeometry(m_Doc, *a);
    InvalidateSegment(*a);
    m_Doc.ClearTouched();
    m_Doc.TouchVertex(a->vertex0);
    m_Doc.TouchVertex(a->vertex1);
    InvalidateVertexMark(a->vertex0);
    InvalidateVertexMark(a->vertex1);
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    m_Context = ViewContext{};
    CommitEdit(UndoKind::VertexRemoved);
}

// --- Polygon points -----------------------------------------------------------------------

// The new point goes into the edge nearest to the mouse (the first of equals).
void CRollpathView::InsertPolygonPoint(GroundPolygon& polygon) {
    if (!polygon.live() || m_Mouse.device.x == std::numeric_limits<int>::min()) {
        return;
    }
    // The simulator takes no more corners in one file.
    if (PolygonFileCorners(m_Doc) >= kMaxPolygonFileVertices) {
        m_Doc.Messages().Show(kTooManyPolygonVerticesMessage);
        return;
    }
    InvalidatePolygon(polygon);
    const int n = polygon.count();
    m_Draw.logical.resize(static_cast<std::size_t>(n));
    ProjectPoints(n, polygon.points.data(), m_Draw.logical.data(), true);
    const LPoint c = DeviceToLogical(m_Mouse.device);
    int best = 0;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (int i = 0; i < n; ++i) {
        const LPoint& from = m_Draw.logical[static_cast<std::size_t>(i == 0 ? n - 1 : i - 1)];
        const LPoint& to = m_Draw.logical[static_cast<std::size_t>(i)];
        const long long d = std::llabs(DistanceToLine(c.x, c.y, from.x, from.y, to.x, to.y, 1));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    polygon.points.insert(polygon.points.begin() + best, WindowToWorld(m_Mouse.device));
    InvalidatePolygon(polygon);
    // Unlike before, the new point is saved and undone like any other edit.
    CommitEdit(UndoKind::PolygonPointInserted);
}

void CRollpathView::DeletePolygonPoint(GroundPolygon& polygon) {
    if (!polygon.live() || m_Mouse.device.x == std::numeric_limits<int>::min()) {
        return;
    }
    const int i = PickHandle(polygon, m_Mouse.device);
    if (i < 0) {
        return;
    }
    // Two points could no longer be seen or picked: the polygon goes whole,
    // as one undo step that brings it back with its points.
    if (polygon.count() <= kMinPolygonPoints) {
        DeletePolygon(polygon);
        m_Host.SetStatusPrompt(kPolygonRemovedPrompt);
        return;
    }
    InvalidatePolygon(polygon);
    polygon.points.erase(polygon.points.begin() + i);
    InvalidatePolygon(polygon);
    m_Context.polygonPoint = -1;
    CommitEdit(UndoKind::PolygonPointDeleted);
}

// --- Properties -----------------------------------------------------------------------------

void CRollpathView::OnContextProperties() {
    switch (m_Context.kind) {
        case ContextKind::Segment:
            if (m_Context.segment != nullptr && m_Context.segment->live()) {
                SegmentProperties(*m_Context.segment);
            }
            break;
        case ContextKind::Polygon:
            if (m_Context.polygon != nullptr) {
                PolygonPropertiesModel dialog(*m_Context.polygon);
                m_Host.RunDialog(dialog);
            }
            break;
        case ContextKind::Vertex:
        case ContextKind::Source:
        case ContextKind::Sink:
            VertexProperties(m_Context.vertex);
            break;
        case ContextKind::Runway:
            if (m_Context.runway != nullptr) {
                RunwayProperties(*m_Context.runway);
            }
            break;
        default:
            ShowAirportProperties(m_Doc, m_Host);
            break;
    }
}

void CRollpathView::SegmentProperties(RollpathSegment& segment) {
    RollpathPropertiesModel dialog(m_Doc, segment);
    if (!m_Host.RunDialog(dialog) || !dialog.ChangesSegment(segment)) {
        return;
    }
    const RollpathPropertiesModel::Result& result = dialog.GetResult();
    InvalidateSegment(segment);
    segment.width = static_cast<float>(result.width);
    segment.type = result.type;
    segment.flags = dialog.MergedFlags(segment.flags);
    InvalidateSegment(segment);
    SegmentGeometry(m_Doc, segment);
    m_Doc.ClearTouched();
    m_Doc.TouchVertex(segment.vertex0);
    m_Doc.TouchVertex(segment.vertex1);
    InvalidateVertexMark(segment.vertex0);
    InvalidateVertexMark(segment.vertex1);
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    InvalidateSegment(segment);
    CommitEdit(UndoKind::SegmentProperties);
}

void CRollpathView::VertexProperties(int vertex) {
    if (!m_Doc.IsLiveVertex(vertex)) {
        return;
    }
    VertexPropertiesModel dialog(m_Doc, vertex);
    if (!m_Host.RunDialog(dialog)) {
        return;
    }
    NetworkVertex& v = m_Doc.Vertex(vertex);
    v.flags = dialog.MergedFlags(v.flags);
    InvalidateVertexMark(vertex);
    m_Doc.ClearTouched();
    m_Doc.TouchVertex(vertex);
    RebuildTouchedVertices(m_Doc, RebuildOptions());
    // The junction may reach well beyond the mark.
    m_Host.Invalidate();
    CommitEdit(UndoKind::VertexProperties);
}

void CRollpathView::RunwayProperties(RunwayRecord& runway) {
    RunwayPropertiesModel dialog(runway);
    if (!m_Host.RunDialog(dialog) || !dialog.ChangesRunway(runway)) {
        return;
    }
    runway.closed = dialog.Closed() ? 1 : 0;
    InvalidateWorldPoints(runway.corners, kMarkMargin);
    CommitEdit(UndoKind::RunwayProperties);
}

void CRollpathView::OnRollpathWidth() {
    RollpathWidthModel dialog(m_dRollpathWidth);
    if (m_Host.RunDialog(dialog)) {
        m_dRollpathWidth = dialog.Width();
        UpdateStatusValues();
    }
}

// --- Whole-network commands ------------------------------------------------------------------

void CRollpathView::RebuildAll() {
    SyncWithDocument();
    if (!IsLoaded()) {
        return;
    }
    RebuildAllPavement(m_Doc);
    // Generated pavement only: no edit of its own, undone with the one before.
    CommitEdit(UndoKind::Rebuilt, true);
    m_Host.Invalidate();
}

void CRollpathView::StraightenNetwork() {
    SyncWithDocument();
    if (!IsLoaded()) {
        return;
    }
    RebuildNetwork(m_Doc, RebuildOptions());
    m_StraightenedVertices.clear();
    StraighteningResult result = StraightenVertices(m_Doc);
    if (result.moved) {
        RebuildAllPavement(m_Doc);
        m_StraightenedVertices = result.vertices;
        m_bShowStraightened = 1;
    }
    // Without a move only the rebuild changed anything.
    CommitEdit(result.moved ? UndoKind::Straightened : UndoKind::Rebuilt, !result.moved);
    m_Host.Invalidate();
}

}  // namespace rollpath
