// OnDraw: the airport painted layer by layer, each under its toggle.

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/HoldMarkings.h"
#include "pavement/LightRows.h"
#include "pavement/RunwayMarkings.h"
#include "pavement/SegmentPieces.h"
#include "view/RollpathView.h"
#include "view/ViewColors.h"
#include "view/WorldBox.h"

namespace rollpath {

namespace {

// 16-bit coordinate limits of the drawing interface.
constexpr int kCoordLimit = 32768;
constexpr int kMarkLimit = 32000;
// Lights on one pavement-file run, at most (a run is never hundreds of miles long).
constexpr int kMaxLightsPerRun = 20000;
// Feet of margin around objects whose drawing is skipped beyond the paint area.
constexpr double kPaintBoxSlack = 10.0;

// Draws in not-xor while it lives.
class Highlight {
public:
    Highlight(Canvas& canvas, bool on) : canvas_(canvas), on_(on) {
        if (on_) {
            canvas_.SetRasterOp(RasterOp::NotXorPen);
        }
    }
    ~Highlight() {
        if (on_) {
            canvas_.SetRasterOp(RasterOp::CopyPen);
        }
    }
    Highlight(const Highlight&) = delete;
    Highlight& operator=(const Highlight&) = delete;

private:
    Canvas& canvas_;
    bool on_;
};

class Layer {
public:
    Layer(Canvas& canvas, std::string_view name) : canvas_(canvas) { canvas_.BeginLayer(name); }
    ~Layer() { canvas_.EndLayer(); }
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

private:
    Canvas& canvas_;
};

// Asks for the cache lines of [from, to) ahead of a pass's reading them.
// A vertex's products and each segment are allocations of their own, so the
// hardware cannot foresee the jump from one to the next; drawing one takes
// long enough for the next one's lines to arrive.
constexpr std::uintptr_t kCacheLine = 64;
void PrefetchBytes(const void* from, const void* to) {
    const auto end = reinterpret_cast<std::uintptr_t>(to);
    for (auto p = reinterpret_cast<std::uintptr_t>(from) & ~(kCacheLine - 1); p < end; p += kCacheLine) {
        __builtin_prefetch(reinterpret_cast<const void*>(p));
    }
}
template <typename List>
void PrefetchProducts(const List& list) {
    PrefetchBytes(std::to_address(list.begin()), std::to_address(list.end()));
}
// A product list of vertex k, when there is one.
template <typename List>
void PrefetchOfVertex(const CRollpathDoc& doc, int k, List NetworkVertex::*list) {
    if (k < doc.m_nVertices) {
        PrefetchProducts(doc.Vertex(k).*list);
    }
}
// The fields of segment i from `first` up to the end of `last`.
template <typename First, typename Last>
void PrefetchSegment(const RecordList<RollpathSegment>& segments, std::size_t i,
                     First RollpathSegment::*first, Last RollpathSegment::*last) {
    if (i < segments.size()) {
        const RollpathSegment& s = *segments[i];
        PrefetchBytes(&(s.*first), &(s.*last) + 1);
    }
}

LRect Around(const LPoint& c, int r) {
    return LRect{c.x - r, c.y + r, c.x + r, c.y - r};
}

// True when the box meets the area, or (wholly) lies inside it.
bool Meets(const WorldBox& box, const ClipRect& a) {
    return !(box.x1 < a.left || box.x0 > a.right || box.y1 < a.bottom || box.y0 > a.top);
}
bool Within(const WorldBox& box, const ClipRect& a) {
    return box.x0 >= a.left && box.x1 <= a.right && box.y0 >= a.bottom && box.y1 <= a.top;
}

}  // namespace

void CRollpathView::OnDraw(Canvas& canvas) {
    SyncWithDocument();
    if (!IsLoaded()) {
        return;
    }
    canvas.SetDefaultPen();
    canvas.SetRasterOp(RasterOp::CopyPen);
    UpdatePaintBox(canvas);
    m_Draw.segmentsOutside.clear();
    if (m_bDiagramLoaded != 0 && m_bShowDiagram != 0) {
        Layer layer(canvas, "diagram");
        DrawDiagram(canvas);
    }
    if (m_bShowPolygons != 0) {
        DrawPolygons(canvas);
    }
    if (m_bShowRollpaths != 0) {
        DrawJunctionPavement(canvas);
        DrawSegments(canvas);
        DrawEdgeMarkings(canvas);
    }
    if (m_bShowRunways != 0) {
        DrawRunways(canvas);
    }
    if (m_bShowRollpaths != 0) {
        if (m_bShowMarkings != 0) {
            DrawMarkings(canvas);
        }
        if (m_bShowLights != 0) {
            DrawLights(canvas);
        }
    }
    if (m_bShowVertices != 0 && !InVertexDrag()) {
        DrawVertexMarks(canvas);
    }
    if (m_bShowStraightened != 0) {
        DrawStraightenedVertices(canvas);
    }
    if (m_bShowRollpaths != 0) {
        DrawSourceAndSink(canvas);
    }
    if (m_bShowTriErrors != 0) {
        DrawTriangulationErrors(canvas);
    }
    DrawMarkedObject(canvas);
    DrawBenchmark(canvas);
    if (m_bShowGrid != 0) {
        DrawGrid(canvas);
    }
}

// --- The shape routines --------------------------------------------------

void CRollpathView::UpdatePaintBox(const Canvas& canvas) {
    const std::optional<LRect> area = canvas.PaintArea();
    m_PaintBox.all = !area.has_value();
    if (!area) {
        return;
    }
    // Widened by a light's size: a dot reaches that far from its point.
    const int r = 2 * LightRadius();
    const double k = UnitsPerFoot();
    const LPoint o = BenchmarkLogical();
    const double left = (static_cast<double>(area->left) - r - o.x) / k;
    const double right = (static_cast<double>(area->right) + r - o.x) / k;
    const double top = (static_cast<double>(area->top) + r - o.y) / k;
    const double bottom = (static_cast<double>(area->bottom) - r - o.y) / k;
    // The turned rectangle's corners turned back: their box holds it.
    const DPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    m_PaintBox.left = m_PaintBox.bottom = std::numeric_limits<double>::infinity();
    m_PaintBox.right = m_PaintBox.top = -std::numeric_limits<double>::infinity();
    for (const DPoint& c : corners) {
        const double x = m_Doc.m_dRotation == 0.0 ? c.x : c.x * m_dCos + c.y * m_dSin;
        const double y = m_Doc.m_dRotation == 0.0 ? c.y : c.y * m_dCos - c.x * m_dSin;
        m_PaintBox.left = std::min(m_PaintBox.left, x);
        m_PaintBox.right = std::max(m_PaintBox.right, x);
        m_PaintBox.bottom = std::min(m_PaintBox.bottom, y);
        m_PaintBox.top = std::max(m_PaintBox.top, y);
    }
}

bool CRollpathView::OutsidePaintBox(std::span<const DPoint> points, double margin) const {
    if (m_PaintBox.all || points.empty()) {
        return false;
    }
    const PaintBox& b = m_PaintBox;
    return !Meets(BoxOf(points.data(), static_cast<int>(points.size())),
                  ClipRect{b.left - margin, b.right + margin, b.top + margin, b.bottom - margin});
}

// A segment's markings and lights keep within its width of its outline and
// light lines.
bool CRollpathView::SegmentOutsidePaintBox(const RollpathSegment& segment) const {
    if (m_PaintBox.all) {
        return false;
    }
    std::array<DPoint, 12> points;
    std::copy(segment.outline.begin(), segment.outline.end(), points.begin());
    std::copy(segment.centreLightLine.begin(), segment.centreLightLine.end(), points.begin() + 6);
    std::copy(segment.rightLightLine.begin(), segment.rightLightLine.end(), points.begin() + 8);
    std::copy(segment.leftLightLine.begin(), segment.leftLightLine.end(), points.begin() + 10);
    const double width = std::isfinite(segment.width) ? std::fabs(segment.width) : 0.0;
    return OutsidePaintBox(points, 2.0 * width + kPaintBoxSlack);
}

bool CRollpathView::SegmentCulled(std::size_t index, const RollpathSegment& segment) const {
    return index < m_Draw.segmentsOutside.size() ? m_Draw.segmentsOutside[index] != 0
                                                 : SegmentOutsidePaintBox(segment);
}

// The work points clipped to the visible area in place. A shape wholly
// inside or wholly beyond one side comes out of the clipper as it went in,
// or empty: those are told apart by their box first.
int CRollpathView::ClipToVisibleArea(int n) {
    if (n <= 0) {
        return 0;
    }
    const WorldBox box = BoxOf(m_Draw.world.data(), n);
    if (!Meets(box, m_VisibleArea)) {
        return 0;
    }
    if (Within(box, m_VisibleArea)) {
        return n;
    }
    return ClipToRectangle(m_Draw.world.data(), n, m_VisibleArea, m_Draw.world);
}

void CRollpathView::DrawFilledShape(Canvas& canvas, const DPoint* points, int n, ColorRef brush,
                                    ClipRule rule) {
    if (n <= 0) {
        return;
    }
    // Unturned, the box of the points serves both the paint box and the
    // visible area, and a shape wholly inside is projected where it lies.
    const WorldBox box = BoxOf(points, n);
    const PaintBox& b = m_PaintBox;
    if (!b.all && !Meets(box, ClipRect{b.left, b.right, b.top, b.bottom})) {
        return;
    }
    const bool unturnedInside = m_Doc.m_dRotation == 0.0 && Within(box, m_VisibleArea);
    if (unturnedInside && m_bOutlineOnly == 0 && FillsNoPixel(canvas, box, points, n)) {
        return;
    }
    const DPoint* world = points;
    int count = n;
    if (!unturnedInside) {
        m_Draw.world.assign(points, points + n);
        RotateWorldPoints(m_Draw.world.data(), n);
        count = ClipToVisibleArea(n);
        world = m_Draw.world.data();
    }
    if (count == 0 || (rule == ClipRule::Polygon && count < 3)) {
        return;
    }
    m_Draw.logical.resize(static_cast<std::size_t>(count));
    ProjectPoints(count, world, m_Draw.logical.data(), false);
    if (m_bOutlineOnly != 0) {
        canvas.Polyline(m_Draw.logical);
    } else {
        canvas.FillPolygon(m_Draw.logical, brush);
    }
}

// Unturned, the projection never decreases along either axis: the points'
// logical box is that of their world box's corners, unless a NaN (which
// projects to the origin) hides from the box. The corners are projected as
// ProjectPoints projects a point, with the scale it keeps.
bool CRollpathView::FillsNoPixel(const Canvas& canvas, const WorldBox& box, const DPoint* points,
                                 int n) const {
    if (!m_Projection || m_Projection->zoom != m_nZoom || m_Projection->scrollX != m_nScrollX ||
        m_Projection->scrollY != m_nScrollY) {
        return false;
    }
    const double k = m_Projection->unitsPerFoot;
    const LPoint origin = m_Projection->origin;
    const auto logical = [k](double v, int o, long long& out) {
        out = static_cast<long long>(RoundAwayFromZero(k * v)) + o;
        return out > INT_MIN && out < INT_MAX;
    };
    long long left = 0;
    long long right = 0;
    long long top = 0;
    long long bottom = 0;
    if (!logical(box.x0, origin.x, left) || !logical(box.x1, origin.x, right) ||
        !logical(box.y1, origin.y, top) || !logical(box.y0, origin.y, bottom) ||
        !canvas.FillsNoPixel(LRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                                   static_cast<int>(bottom)})) {
        return false;
    }
    for (int i = 0; i < n; ++i) {
        if (std::isnan(points[i].x) || std::isnan(points[i].y)) {
            return false;
        }
    }
    return true;
}

void CRollpathView::DrawPolygonShape(Canvas& canvas, const PolygonRecord& polygon, bool selected,
                                     bool collecting) {
    const int n = polygon.count();
    if (n == 1) {
        return;
    }
    {
        Highlight highlight(canvas, selected);
        if (collecting) {
            m_Draw.logical.resize(static_cast<std::size_t>(n));
            ProjectPoints(n, polygon.points.data(), m_Draw.logical.data(), true);
            canvas.Polyline(m_Draw.logical);
        } else if (n >= 3) {
            DrawFilledShape(canvas, polygon.points.data(), n, m_Doc.GetSettings().PolygonColor,
                            ClipRule::Polygon);
        }
    }
    if (selected && !collecting && m_Doc.m_bLoadedFromTms == 0) {
        canvas.SetBrush(kHandleBlack);
        for (const DPoint& p : polygon.points) {
            LPoint l;
            ProjectPoints(1, &p, &l, true);
            if (std::abs(static_cast<long long>(l.x)) < kCoordLimit &&
                std::abs(static_cast<long long>(l.y)) < kCoordLimit) {
                canvas.Rectangle(Around(l, kHandleHalfSize));
            }
        }
    }
}

void CRollpathView::DrawPieces(Canvas& canvas, std::span<const Quad> pieces, ColorRef color) {
    for (const Quad& q : pieces) {
        DrawFilledShape(canvas, q.data(), 4, color, ClipRule::Piece);
    }
}

// --- Steps of OnDraw -----------------------------------------------------

void CRollpathView::DrawPolygons(Canvas& canvas) {
    Layer layer(canvas, "polygons");
    for (const auto& polygon : m_Doc.m_pPolygons) {
        if (polygon->live()) {
            const bool selected = polygon.get() == m_pSelectedPolygon;
            DrawPolygonShape(canvas, *polygon, selected,
                             selected && m_nDragState == DragState::CollectPolygon);
        }
    }
    if (m_pNewPolygon) {
        const bool selected = m_pNewPolygon.get() == m_pSelectedPolygon;
        DrawPolygonShape(canvas, *m_pNewPolygon, selected,
                         selected && m_nDragState == DragState::CollectPolygon);
    }
}

void CRollpathView::DrawJunctionPavement(Canvas& canvas) {
    if (InVertexDrag()) {
        return;
    }
    Layer layer(canvas, "junctions");
    for (int k = 0; k < m_Doc.m_nVertices; ++k) {
        const NetworkVertex& v = m_Doc.Vertex(k);
        // The polygons of the next vertex, and their points one further on.
        if (k + 1 < m_Doc.m_nVertices) {
            for (const GroundPolygon& junction : m_Doc.Vertex(k + 1).junctionPolys) {
                PrefetchProducts(junction.points);
            }
        }
        PrefetchOfVertex(m_Doc, k + 2, &NetworkVertex::junctionPolys);
        if (!v.live() || (v.flags & VertexFlag::NoPolygon) != 0) {
            continue;
        }
        for (const GroundPolygon& junction : v.junctionPolys) {
            DrawPolygonShape(canvas, junction, false, false);
        }
    }
}

void CRollpathView::DrawSegments(Canvas& canvas) {
    Layer layer(canvas, "segments");
    m_Draw.segmentsOutside.assign(m_Doc.m_pSegments.size(), 0);
    for (std::size_t i = 0; i < m_Doc.m_pSegments.size(); ++i) {
        PrefetchSegment(m_Doc.m_pSegments, i + 1, &RollpathSegment::type, &RollpathSegment::outline);
        PrefetchSegment(m_Doc.m_pSegments, i + 1, &RollpathSegment::centreLightLine,
                        &RollpathSegment::leftLightLine);
        const RollpathSegment& segment = *m_Doc.m_pSegments[i];
        if (segment.live()) {
            m_Draw.segmentsOutside[i] = SegmentOutsidePaintBox(segment) ? 1 : 0;
            DrawSegment(canvas, segment);
        }
    }
    if (m_pNewSegment) {
        DrawSegment(canvas, *m_pNewSegment);
    }
}

void CRollpathView::DrawSegment(Canvas& canvas, const RollpathSegment& segment) {
    const bool highlighted = m_nDragState == DragState::StretchSegment ||
                             (m_nDragState == DragState::MoveVertex && IsListed(&segment));
    Highlight highlight(canvas, highlighted);
    const ColorRef brush = m_Doc.GetSettings().RollpathColor;
    if (segment.type == SegmentType::RunwayCentreLine) {
        std::array<DPoint, 5> exit;
        if (ExtensionPolygon(segment, exit)) {
            DrawFilledShape(canvas, exit.data(), 5, brush, ClipRule::Piece);
        }
        if (m_bShowCentreLines == 0) {
            return;
        }
    }
    DrawFilledShape(canvas, segment.outline.data(), 6, brush, ClipRule::Piece);
}

void CRollpathView::DrawEdgeMarkings(Canvas& canvas) {
    if (m_bShowMarkings == 0 || InVertexDrag()) {
        return;
    }
    Layer layer(canvas, "junction-edge-markings");
    for (int k = 0; k < m_Doc.m_nVertices; ++k) {
        const NetworkVertex& v = m_Doc.Vertex(k);
        PrefetchOfVertex(m_Doc, k + 1, &NetworkVertex::edgeQuads);
        if (v.live() && (v.flags & VertexFlag::NoMarkings) == 0) {
            for (const Quad& q : v.edgeQuads) {
                DrawFilledShape(canvas, q.data(), 4, kMarkingYellow, ClipRule::Piece);
            }
        }
    }
}

ColorRef CRollpathView::RunwayColor(const RunwayRecord& runway) const {
    if (m_bPositioning != 0) {
        return kPositioningRunway;
    }
    const Settings& s = m_Doc.GetSettings();
    switch (runway.SurfaceIndex()) {
        case kConcrete:
            return s.ConcreteColor;
        case kTurf:
            return s.TurfColor;
        case kDirt:
        case kGravel:
        case kSand:
            return s.DirtColor;
        default:
            return s.AsphaltColor;
    }
}

void CRollpathView::DrawRunways(Canvas& canvas) {
    Layer layer(canvas, "runways");
    for (const auto& runway : m_Doc.m_pRunways) {
        DrawRunway(canvas, *runway);
    }
}

void CRollpathView::DrawRunway(Canvas& canvas, const RunwayRecord& runway) {
    DrawFilledShape(canvas, runway.corners.data(), 4, RunwayColor(runway), ClipRule::Polygon);
    if (m_bShowMarkings == 0 || OutsidePaintBox(runway.corners, kPaintBoxSlack)) {
        return;
    }
    m_Draw.pieces.clear();
    BuildRunwayMarkings(runway, m_Draw.pieces);
    Layer layer(canvas, "runway-markings");
    DrawPieces(canvas, m_Draw.pieces, runway.closed != 0 ? kMarkingYellow : kRunwayMarkingWhite);
}

void CRollpathView::DrawMarkings(Canvas& canvas) {
    Layer layer(canvas, "markings");
    if (m_Doc.m_bLoadedFromTms != 0) {
        for (const auto& piece : m_Doc.m_pMarkings) {
            if (piece->live()) {
                Highlight highlight(canvas, piece.get() == m_pSelectedMarking);
                DrawFilledShape(canvas, piece->points.data(), piece->count(), kMarkingYellow,
                                ClipRule::Piece);
            }
        }
        return;
    }
    if (InVertexDrag()) {
        return;
    }
    for (int k = 0; k < m_Doc.m_nVertices; ++k) {
        const NetworkVertex& v = m_Doc.Vertex(k);
        PrefetchOfVertex(m_Doc, k + 1, &NetworkVertex::centreQuads);
        if (v.live() && (v.flags & VertexFlag::NoMarkings) == 0) {
            for (const Quad& q : v.centreQuads) {
                DrawFilledShape(canvas, q.data(), 4, kMarkingYellow, ClipRule::Piece);
            }
        }
    }
    for (std::size_t i = 0; i < m_Doc.m_pSegments.size(); ++i) {
        PrefetchSegment(m_Doc.m_pSegments, i + 1, &RollpathSegment::type, &RollpathSegment::throughLine);
        const RollpathSegment& segment = *m_Doc.m_pSegments[i];
        if (segment.live() && !SegmentCulled(i, segment)) {
            DrawSegmentMarkings(canvas, segment);
        }
    }
}

void CRollpathView::DrawSegmentMarkings(Canvas& canvas, const RollpathSegment& segment) {
    if ((segment.flags & (SegmentFlag::NoPolygon | SegmentFlag::NoMarkings)) != 0) {
        return;
    }
    m_Draw.pieces.clear();
    AppendSegmentEdgeMarkings(segment, m_Draw.pieces);
    AppendSegmentCentreMarkings(m_Doc, segment, false, m_Draw.pieces);
    // A hold bar being dragged is drawn highlighted only: not-xor over its
    // own yellow would show white.
    QuadBuffer bar;
    const bool runwayHold = m_nDragState == DragState::MoveRunwayHold;
    if ((runwayHold || m_nDragState == DragState::MoveCriticalHold) && IsListed(&segment)) {
        if (runwayHold) {
            RunwayHoldQuads(m_Doc, segment, bar);
        } else {
            CriticalHoldQuads(m_Doc, segment, bar);
        }
        std::erase_if(m_Draw.pieces,
                      [&bar](const Quad& q) { return std::find(bar.begin(), bar.end(), q) != bar.end(); });
    }
    DrawPieces(canvas, m_Draw.pieces, kMarkingYellow);
    Highlight highlight(canvas, bar.size() > 0);
    DrawPieces(canvas, std::span(bar.begin(), bar.end()), kMarkingYellow);
}

int CRollpathView::LightRadius() const {
    if (m_nZoom <= 1500) {
        return 25;
    }
    if (m_nZoom <= 2500) {
        return 20;
    }
    if (m_nZoom <= 7500) {
        return 15;
    }
    return 10;
}

void CRollpathView::DrawLightDot(Canvas& canvas, const DPoint& p) {
    DrawLightDots(canvas, std::span(&p, 1));
}

// Dots of the zoom's radius at the lights' rotated positions, within the
// 16-bit drawing range.
void CRollpathView::DrawLightDots(Canvas& canvas, std::span<const DPoint> points) {
    const auto n = static_cast<int>(points.size());
    m_Draw.logical.resize(points.size());
    ProjectPoints(n, points.data(), m_Draw.logical.data(), true);
    const long long r = LightRadius();
    const PaintBox& b = m_PaintBox;
    // The dots kept are moved to the front and handed over in one call.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const DPoint& p = points[i];
        const LPoint l = m_Draw.logical[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) ||
            (!b.all && (p.x < b.left || p.x > b.right || p.y < b.bottom || p.y > b.top))) {
            continue;
        }
        if (l.x - r > -kCoordLimit && l.y - r > -kCoordLimit && l.x + r < kCoordLimit &&
            l.y + r < kCoordLimit) {
            m_Draw.logical[kept++] = l;
        }
    }
    canvas.Dots(std::span(m_Draw.logical.data(), kept), static_cast<int>(r));
}

void CRollpathView::DrawLightRow(Canvas& canvas, const std::array<DPoint, 2>& row) {
    double spacing = 0.0;
    LightPointsAlongLine(row, m_Doc.GetSettings().LiteSpacing, m_Draw.lights, spacing);
    DrawLightDots(canvas, m_Draw.lights);
}

void CRollpathView::DrawSegmentLights(Canvas& canvas, const RollpathSegment& segment) {
    if (segment.type == SegmentType::RunwayCentreLine ||
        (segment.flags & (SegmentFlag::NoPolygon | SegmentFlag::NoLighting)) != 0) {
        return;
    }
    canvas.SetPen(kCentreLightGreen);
    canvas.SetBrush(kCentreLightGreen);
    DrawLightRow(canvas, segment.centreLightLine);
    canvas.SetPen(kEdgeLightBlue);
    canvas.SetBrush(kEdgeLightBlue);
    DrawLightRow(canvas, segment.rightLightLine);
    DrawLightRow(canvas, segment.leftLightLine);
}

void CRollpathView::DrawLights(Canvas& canvas) {
    Layer layer(canvas, "lights");
    if (m_Doc.m_bLoadedFromTms != 0) {
        DrawPavementFileLights(canvas);
    } else if (!InVertexDrag()) {
        for (std::size_t i = 0; i < m_Doc.m_pSegments.size(); ++i) {
            PrefetchSegment(m_Doc.m_pSegments, i + 1, &RollpathSegment::type, &RollpathSegment::flags);
            PrefetchSegment(m_Doc.m_pSegments, i + 1, &RollpathSegment::centreLightLine,
                            &RollpathSegment::leftLightLine);
            const RollpathSegment& segment = *m_Doc.m_pSegments[i];
            if (segment.live() && !SegmentCulled(i, segment)) {
                DrawSegmentLights(canvas, segment);
            }
        }
        // A vertex's lights follow its No Lighting flag, as the pavement
        // file does; No Polygon hides them like a segment's.
        for (int k = 0; k < m_Doc.m_nVertices; ++k) {
            const NetworkVertex& v = m_Doc.Vertex(k);
            PrefetchOfVertex(m_Doc, k + 1, &NetworkVertex::lightPts0);
            PrefetchOfVertex(m_Doc, k + 1, &NetworkVertex::lightPts1);
            if (!v.live() || (v.flags & (VertexFlag::NoPolygon | VertexFlag::NoLighting)) != 0) {
                continue;
            }
            canvas.SetPen(kCentreLightGreen);
            canvas.SetBrush(kCentreLightGreen);
            DrawLightDots(canvas, std::span<const DPoint>(v.lightPts0.begin(), v.lightPts0.end()));
            canvas.SetPen(kEdgeLightBlue);
            canvas.SetBrush(kEdgeLightBlue);
            DrawLightDots(canvas, std::span<const DPoint>(v.lightPts1.begin(), v.lightPts1.end()));
        }
    }
    canvas.SetDefaultPen();
}

void CRollpathView::DrawPavementFileLights(Canvas& canvas) {
    for (const auto& light : m_Doc.m_pLights) {
        const ColorRef color =
            light->lightClass == LightClass::CentreLine ? kCentreLightGreen : kEdgeLightBlue;
        canvas.SetPen(color);
        canvas.SetBrush(color);
        const DPoint first{light->x, light->y};
        if (light->shape != LightShape::Run) {
            DrawLightDot(canvas, first);
            continue;
        }
        const DPoint last{light->x1, light->y1};
        const double length = math::Hypot(last.x - first.x, last.y - first.y);
        const double spacing = light->spacing;
        if (!std::isfinite(length) || !(spacing > 0.0) || !std::isfinite(spacing) || length == 0.0) {
            DrawLightDot(canvas, first);
            continue;
        }
        // Lights every `spacing` feet from the first point up to the last,
        // allowing for the rounding of the stored single-precision values.
        const double steps =
            std::min(std::floor(length / spacing + 1e-3), static_cast<double>(kMaxLightsPerRun - 1));
        const int count = static_cast<int>(steps);
        for (int i = 0; i <= count; ++i) {
            const double t = i * spacing / length;
            DrawLightDot(canvas, DPoint{first.x + t * (last.x - first.x), first.y + t * (last.y - first.y)});
        }
    }
}

void CRollpathView::DrawVertexMark(Canvas& canvas, const NetworkVertex& vertex, ColorRef color) {
    const DPoint p = vertex.pos();
    LPoint l;
    ProjectPoints(1, &p, &l, true);
    canvas.SetBrush(color);
    canvas.Ellipse(Around(l, kMarkRadius));
}

void CRollpathView::DrawVertexMarks(Canvas& canvas) {
    Layer layer(canvas, "vertices");
    canvas.SetDefaultPen();
    for (int k = 0; k < m_Doc.m_nVertices; ++k) {
        const NetworkVertex& v = m_Doc.Vertex(k);
        if (v.live()) {
            DrawVertexMark(canvas, v, kVertexWhite);
        }
    }
}

void CRollpathView::DrawStraightenedVertices(Canvas& canvas) {
    Layer layer(canvas, "straightened");
    for (const int k : m_StraightenedVertices) {
        if (m_Doc.IsLiveVertex(k)) {
            DrawVertexMark(canvas, m_Doc.Vertex(k), kStraightenedSkyBlue);
        }
    }
}

void CRollpathView::DrawSourceAndSink(Canvas& canvas) {
    Layer layer(canvas, "source-sink");
    const auto mark = [&](int k, ColorRef color) {
        if (!m_Doc.IsLiveVertex(k)) {
            return;
        }
        const DPoint p = m_Doc.Vertex(k).pos();
        LPoint l;
        ProjectPoints(1, &p, &l, true);
        if (l.x >= 0 && l.x <= kMarkLimit && l.y >= -kMarkLimit && l.y <= 0) {
            canvas.SetBrush(color);
            canvas.Ellipse(Around(l, kMarkRadius));
        }
    };
    mark(m_Doc.m_nSource, kSourceGreen);
    mark(m_Doc.m_nSink, kSinkRed);
}

void CRollpathView::DrawTriangulationErrors(Canvas& canvas) {
    Layer layer(canvas, "triangulation-errors");
    const std::size_t stored =
        std::min(m_Doc.m_TriErrors.size(), static_cast<std::size_t>(kMaxTriangulationErrors));
    for (std::size_t i = 0; i < stored; ++i) {
        const std::vector<DPoint>& polygon = m_Doc.m_TriErrors[i];
        const int n = static_cast<int>(
            std::min(polygon.size(), static_cast<std::size_t>(kMaxTriangulationErrorPoints)));
        m_Draw.world.assign(polygon.begin(), polygon.begin() + n);
        RotateWorldPoints(m_Draw.world.data(), n);
        const int count = ClipToVisibleArea(n);
        if (count > 2) {
            m_Draw.logical.resize(static_cast<std::size_t>(count));
            ProjectPoints(count, m_Draw.world.data(), m_Draw.logical.data(), false);
            canvas.FillPolygon(m_Draw.logical, kTriangulationErrorRed);
        }
    }
}

void CRollpathView::DrawBenchmark(Canvas& canvas) {
    LPoint c = BenchmarkLogical();
    RotateLogical(c);
    if (std::abs(static_cast<long long>(c.x)) >= kCoordLimit - 1 ||
        std::abs(static_cast<long long>(c.y)) >= kCoordLimit - 1) {
        return;
    }
    Layer layer(canvas, "benchmark");
    canvas.SetDefaultPen();
    canvas.SetNullBrush();
    canvas.Ellipse(Around(c, kBenchmarkRadius));
    const LPoint vertical[] = {LPoint{c.x, c.y + kBenchmarkArm}, LPoint{c.x, c.y - kBenchmarkArm}};
    const LPoint horizontal[] = {LPoint{c.x - kBenchmarkArm, c.y}, LPoint{c.x + kBenchmarkArm, c.y}};
    canvas.Polyline(vertical);
    canvas.Polyline(horizontal);
}

void CRollpathView::DrawGrid(Canvas& canvas) {
    Layer layer(canvas, "grid");
    canvas.SetDefaultPen();
    const TileGrid& grid = m_Doc.m_TileGrid;
    const float side = grid.side;
    const auto x0 = static_cast<float>(grid.lowerLeft[0]);
    const auto y0 = static_cast<float>(grid.lowerLeft[2]);
    for (std::uint32_t i = 0; i < grid.columns; ++i) {
        for (std::uint32_t j = 0; j < grid.rows; ++j) {
            const float left = x0 + static_cast<float>(i) * side;
            const float bottom = y0 + static_cast<float>(j) * side;
            const float right = left + side;
            const float top = bottom + side;
            m_Draw.world = {DPoint{left, bottom}, DPoint{left, top}, DPoint{right, top},
                            DPoint{right, bottom}, DPoint{left, bottom}};
            RotateWorldPoints(m_Draw.world.data(), 5);
            const int count = ClipToVisibleArea(5);
            if (count == 0) {
                continue;
            }
            m_Draw.logical.resize(static_cast<std::size_t>(count));
            ProjectPoints(count, m_Draw.world.data(), m_Draw.logical.data(), false);
            canvas.Polyline(m_Draw.logical);
        }
    }
}

}  // namespace rollpath
