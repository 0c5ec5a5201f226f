#pragma once

// CRollpathView: the one view of the editor. It maps the airport's LocalFeet
// plane onto the window (zoom, scrolling, rotation), draws the document
// through a Canvas, and takes the window's input as plain calls: sizes and
// points in device pixels, keys, characters and commands by id. Window
// services come through a ViewHost, so the same view runs in the Qt widget,
// the CLI and the tests.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checks/Finding.h"
#include "document/RollpathDoc.h"
#include "geometry/Clip.h"
#include "pavement/NetworkRebuild.h"
#include "view/Bmp.h"
#include "view/Canvas.h"
#include "view/CommandIds.h"
#include "view/UndoKinds.h"
#include "view/ViewHost.h"
#include "view/dialogs/PositionModel.h"

namespace rollpath {

struct WorldBox;

// The span in feet that the scroll bars stand for, and its half.
inline constexpr int kScrollField = 52800;
inline constexpr int kHalfField = 26400;
inline constexpr int kScrollBarMax = 1000;
inline constexpr int kMinZoom = 100;
inline constexpr int kMaxZoom = 50000;
inline constexpr int kInitialZoom = 2000;
inline constexpr int kZoomStep = 100;
inline constexpr int kShiftZoomStep = 1000;
// A wheel notch changes the scale by this factor.
inline constexpr double kWheelZoomFactor = 1.2;
inline constexpr double kVisibleMargin = 0.05;
inline constexpr double kDefaultRollpathWidth = 50.0;
// A polygon handle is hit within this many logical units of the click.
inline constexpr int kHandlePickUnits = 40;
// The polygon tool's point buffer and the segment list hold this many.
inline constexpr int kMaxPolygonPoints = 512;
inline constexpr int kMaxListedSegments = 512;
inline constexpr const char* kPolygonPointLimitMessage = "Polygon point limit of 512 reached";
inline constexpr const char* kSegmentListLimitMessage = "Segment limit of 512 reached";
// How far Edit > Paste puts the copy right of and below the copied polygon, feet.
inline constexpr double kPasteOffset = 50.0;
// A new rollpath segment's hold distances, feet.
inline constexpr double kNewSegmentExtent = 75.0;

// What the mouse is doing.
struct DragState {
    static constexpr int Idle = 0;
    static constexpr int StretchSegment = 1;
    static constexpr int MoveVertex = 2;
    static constexpr int CollectPolygon = 11;
    static constexpr int MovePolygonPoint = 12;
    static constexpr int MovePolygon = 13;
    static constexpr int MoveRunwayHold = 32;
    static constexpr int MoveCriticalHold = 42;
    static constexpr int MoveMarking = 63;
    static constexpr int MoveDiagram = 71;
};

// Scroll requests as the scroll bars and keys make them.
enum class ScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,
    ThumbPosition,
    Top,
    Bottom,
    EndScroll
};

// What the last right click hit.
struct ContextKind {
    static constexpr int Nothing = 0;
    static constexpr int Segment = 1;
    static constexpr int Polygon = 2;
    static constexpr int Vertex = 3;  // neither Source nor Sink
    static constexpr int Source = 4;
    static constexpr int Sink = 5;
    static constexpr int Runway = 6;
};

struct ViewContext {
    int kind = ContextKind::Nothing;
    RollpathSegment* segment = nullptr;
    GroundPolygon* polygon = nullptr;
    RunwayRecord* runway = nullptr;
    int vertex = -1;
    int segmentsAtVertex = 0;  // live segments using the vertex
    int polygonPoint = -1;     // a point of the polygon within the handle distance, or -1
};

enum class ViewKey { PageUp, PageDown, Left, Right, Up, Down, Home, End, Delete, Escape, Other };

// What a menu item or toolbar button of a command shows. An unset check
// leaves the item's check mark as it is, an unset text its text.
struct CommandUI {
    bool enabled = false;
    std::optional<bool> checked;
    std::optional<std::string> text;
    friend bool operator==(const CommandUI&, const CommandUI&) = default;
};

class CRollpathView {
public:
    CRollpathView(CRollpathDoc& doc, ViewHost& host);
    CRollpathView(const CRollpathView&) = delete;
    CRollpathView& operator=(const CRollpathView&) = delete;

    CRollpathDoc& GetDocument() { return m_Doc; }
    const CRollpathDoc& GetDocument() const { return m_Doc; }

    // --- Framework overrides and messages --------------------------------
    void OnInitialUpdate();
    void OnSize(int width, int height);
    void OnDraw(Canvas& canvas);
    void OnHScroll(ScrollCode code, int thumbPos = 0);
    void OnVScroll(ScrollCode code, int thumbPos = 0);
    // True when the view handled the key or character.
    bool OnKeyDown(ViewKey key);
    bool OnChar(char c);
    // Mouse buttons and moves, in client-area pixels; the Shift key comes
    // from the host.
    void OnLButtonDown(DevicePoint point);
    void OnLButtonUp(DevicePoint point);
    void OnRButtonDown(DevicePoint point);
    void OnMouseMove(DevicePoint point);
    // The cursor and prompt for the pointer over the client area; false when
    // the framework's default applies.
    bool OnSetCursor();

    // Lets go of the records and vertex numbers the document dropped since
    // the view last looked (a reload, or the renumbering of a Save). Every
    // event does this first; a host that changed the document itself may
    // call it at once.
    void SyncWithDocument();

    // After a Save: catches up with the renumbered pool, switches the red
    // display of the polygons the Save could not triangulate on when there
    // are any, and repaints.
    void OnDocumentSaved();

    // Commands by id; false when the view does not handle the command.
    bool OnCommand(CommandId id);
    // Nothing when the view does not handle the command.
    std::optional<CommandUI> UpdateCommandUI(CommandId id) const;

    // --- Transform -------------------------------------------------------
    double UnitsPerFoot() const { return 10000.0 / m_nZoom; }
    LPoint DeviceToLogical(DevicePoint p) const;
    // The benchmark's logical position, not rotated.
    LPoint BenchmarkLogical() const;
    void ProjectPoints(int n, const DPoint* points, LPoint* out, bool rotate) const;
    LPoint GeoToLogical(double lat, double lon) const;
    void RotateLogical(LPoint& p) const;
    void UnrotateLogical(LPoint& p) const;
    void RotateWorldPoints(DPoint* points, int n) const;
    DPoint WindowToWorld(DevicePoint p) const;
    void CenterAt(DevicePoint p);
    // A new zoom value that keeps the world point at the window centre;
    // ZoomAbout keeps the one under the anchor (a device point) instead.
    void SetZoom(int zoom);
    void ZoomAbout(int zoom, DevicePoint anchor);
    // The mouse wheel over the window: each notch (fractions count) zooms in
    // (forward) or out by a fifth about the pointer.
    void OnMouseWheel(DevicePoint pointer, double notches);
    // A sideways wheel moves the drawing as a thumb drag of that many scroll
    // units would.
    void OnWheelScroll(ScrollBar bar, int units);
    double ComputeModelExtent();
    void UpdateVisibleArea();
    void UpdateScrollThumbs();
    void UpdateStatusValues();

    void ZoomIn();
    void ZoomOut();
    void OnRotateCW();
    void OnRotateCCW();
    void OnZoomCommand();

    // --- Display toggles -------------------------------------------------
    // The menu texts of the grid and diagram items for a toggle value.
    static std::string_view GridMenuText(bool shown) { return shown ? kHideGridText : kShowGridText; }
    static std::string_view DiagramMenuText(bool shown) {
        return shown ? kHideDiagramText : kShowDiagramText;
    }
    void ToggleGrid();
    void ToggleDiagram();

    // --- Tools -----------------------------------------------------------
    void OnRollpathTool();
    void OnPolygonTool();
    void OnPlaceSource();
    void OnPlaceSink();
    // Escape: the drawing tool or the Source or Sink placement that is on
    // ends as a right click at the pointer would end it. False when none is on.
    bool EndActiveTool();

    // --- Edit commands -----------------------------------------------------
    // Undo and Redo through the document's history, one edit at a time.
    void OnEditUndo();
    void OnEditRedo();
    // Delete (or Cut) of the selected polygon; Copy keeps its points.
    void DeleteSelectedPolygon();
    void CopySelectedPolygon();
    // Paste: a new polygon of the copied points, 50 ft right and down of the
    // copy (Edit menu), or centred at a world point (the right-button menu).
    bool CanPaste() const;
    void PasteBesideCopy();
    void PastePolygonAt(const DPoint& centre);
    void OnRollpathWidth();
    // "R": every live segment's geometry, then every junction.
    void RebuildAll();
    // "O": moves vertices of slight bends onto straight lines.
    void StraightenNetwork();
    // File > Import GeoJSON: the file's layout added as one step of the
    // history, ways without a width taking the current rollpath width. The
    // summary for the user, or nothing (with a message) when it was refused.
    std::optional<std::string> ImportGeoJsonText(std::string_view text);

    // --- Picks --------------------------------------------------------------
    // The first point of the polygon whose rotated logical position lies
    // within 40 units of the device point in both axes, or -1.
    int PickHandle(const PolygonRecord& polygon, DevicePoint point) const;

    // --- Layout check findings --------------------------------------------
    // Scrolls so that a world point (LocalFeet) is at the window's centre;
    // the zoom stays.
    void CenterOnWorld(const DPoint& p);
    // Selects what a finding is about: a polygon becomes the selected
    // polygon, a segment or a vertex is marked until the next left click.
    // False, and nothing selected, when the object is gone.
    bool SelectObject(const ObjectRef& object);
    // The object's properties dialog, as the right-button menu opens it.
    void ObjectProperties(const ObjectRef& object);
    // A drag or a drawing tool's stroke is going on.
    bool IsDragging() const { return m_nDragState != DragState::Idle; }

    // --- Diagram ---------------------------------------------------------
    void LoadDiagram(const std::string& path);
    void RecomputeAnchor();
    // Load Diagram: a bitmap chosen in the host's file dialog.
    void OnLoadDiagram();
    // Position Diagram: the Position dialog and positioning mode.
    void OnPositionDiagram();
    // What the Position dialog sends (PositionCode): it closed, or a new
    // horizontal offset, vertical offset or scale.
    void OnPositionMessage(int code, int value);
    // Shows the document's offsets and scale in the Position dialog, if open.
    void RefreshPositionDialog();
    // Closes the Position dialog's window, if open; positioning mode stays.
    void ClosePositionDialog();
    bool IsPositionDialogOpen() const { return m_bPositionDialogOpen != 0; }
    // Made when first shown: most sessions never position a diagram.
    PositionModel& PositionDialog();

    // --- View state (the framework style keeps it public) ---------------
    int m_nZoom = kInitialZoom;
    int m_nScrollX = kHalfField;
    int m_nScrollY = kHalfField;
    double m_dSin = 0.0;
    double m_dCos = 1.0;
    ClipRect m_VisibleArea;
    int m_bZoomMode = 0;

    int m_bShowRunways = 0;
    int m_bShowRollpaths = 0;
    int m_bShowPolygons = 0;
    int m_bShowVertices = 0;
    int m_bShowLights = 0;
    int m_bShowMarkings = 0;
    int m_bShowGrid = 0;
    int m_bShowDiagram = 0;
    int m_bShowCentreLines = 0;
    int m_bOutlineOnly = 0;
    int m_bShowTriErrors = 0;
    int m_bShowStraightened = 0;
    std::vector<int> m_StraightenedVertices;
    // The segment or vertex a finding selected, drawn highlighted.
    ObjectRef m_MarkedObject;

    // Tools, selection and drags.
    int m_nDragState = DragState::Idle;
    int m_bRollpathTool = 0;
    int m_bPolygonTool = 0;
    int m_bPlaceSource = 0;
    int m_bPlaceSink = 0;
    int m_bPositioning = 0;
    double m_dRollpathWidth = kDefaultRollpathWidth;
    GroundPolygon* m_pSelectedPolygon = nullptr;
    MarkingPolygon* m_pSelectedMarking = nullptr;
    std::vector<RollpathSegment*> m_SegmentList;
    int m_nActiveIndex = -1;
    // A polygon being collected belongs to the view until it is finished.
    std::unique_ptr<GroundPolygon> m_pNewPolygon;
    // So does the segment being stretched (marked provisional); it is the
    // last entry of the segment list, after the chain finished so far.
    std::unique_ptr<RollpathSegment> m_pNewSegment;
    // Whether the chain the rollpath tool draws has added a segment yet.
    int m_bChainAdded = 0;
    RunwayRecord* m_pConstrainingRunway = nullptr;
    int m_nHoldEnd = 0;
    ViewContext m_Context;
    // Copy's result, for Paste.
    std::vector<DPoint> m_CopiedPolygon;

    CBMP m_Bmp;
    int m_bDiagramLoaded = 0;
    int m_nBmpWidth = 0;
    int m_nBmpHeight = 0;
    double m_dBmpAspect = 0.0;
    double m_dBmpBaseWidth = 0.0;
    double m_dAnchorLat = 0.0;
    double m_dAnchorLon = 0.0;
    // Kept once made, with what was ticked in it; its window exists while
    // m_bPositionDialogOpen.
    std::unique_ptr<PositionModel> m_pPositionDialog;
    int m_bPositionDialogOpen = 0;

private:
    // Filled shapes: how few points after clipping still draw.
    enum class ClipRule { Polygon, Piece };

    void ResetViewState();
    void SetDisplayToggles(bool airportLoaded);
    void InitialFit();
    void KeepCentreOnResize(DeviceSize before);
    void Scroll(ScrollBar bar, ScrollCode code, int thumbPos);
    void FlipToggle(int& toggle);
    void InvalidateWorldPoints(std::span<const DPoint> points, int margin);
    void InvalidateObjects(CommandId toggle);
    void CacheRotation();
    bool IsLoaded() const { return m_Doc.m_bAirportLoaded != 0; }
    bool InVertexDrag() const { return m_nDragState == DragState::MoveVertex; }
    bool IsListed(const RollpathSegment* segment) const;
    RebuildNetworkOptions RebuildOptions() const;

    void ForgetRecords();
    void ForgetVertexIndices();

    // Mouse bookkeeping.
    void RememberMouse(DevicePoint point);
    DPoint WorldDeltaTo(DevicePoint point);
    void SetToolCursor(bool on);
    std::optional<CommandUI> ToolCommandUI(CommandId id) const;

    // Left-button actions, in the order they are tried.
    void ClickRollpathTool(const DPoint& p);
    void ClickPolygonTool(const DPoint& p);
    void PlaceSourceOrSink(const DPoint& p, bool source);
    void ClickSelection(DevicePoint point, const DPoint& p);
    void EndPendingDrag(DevicePoint point);

    // The rollpath tool.
    bool StartSegment(const DPoint& p);
    void FinishSegment(const DPoint& q);
    void EndChain();
    // The polygon tool.
    void StartPolygon(const DPoint& p);
    void AppendPolygonPoint(const DPoint& p);
    void FinishPolygon();
    void SwitchRollpathToolOff();
    void SwitchPolygonToolOff();

    // Drags: starting on a pick, each move, the release.
    void StartVertexDrag(int vertex);
    void StartHoldDrag(RollpathSegment* segment, int dragState);
    void StartPolygonPointDrag(int point);
    void StartPolygonDrag(GroundPolygon* polygon);
    void StartMarkingDrag(MarkingPolygon* piece);
    void StretchSegmentTo(const DPoint& m);
    void MoveVertexTo(const DPoint& m);
    void MoveLastPolygonPoint(const DPoint& m);
    void MovePolygonPoint(const DPoint& m);
    void MovePoints(PolygonRecord& polygon, const DPoint& delta);
    void MoveRunwayHold(const DPoint& m);
    void MoveCriticalHold(const DPoint& m);
    void MoveDiagram(const DPoint& delta);
    void EndVertexDrag();
    void EndPolygonDrag();
    void EndHoldDrag();

    // Right button.
    void FindContext(DevicePoint point, const DPoint& p);

    // Repainting what an edit touches.
    void InvalidateSegment(const RollpathSegment& segment);
    void InvalidatePolygon(const PolygonRecord& polygon);

    // Edit menu and context menu commands.
    bool OnEditCommand(CommandId id);
    std::optional<CommandUI> UpdateEditCommandUI(CommandId id) const;
    std::optional<CommandUI> ContextCommandUI(CommandId id) const;
    bool PolygonEditable() const;
    void OnContextCut();
    void OnInsertVertex();
    void OnDeleteVertex();
    void OnContextProperties();
    void DeletePolygon(GroundPolygon& polygon);
    void AddPastedPolygon(const std::vector<DPoint>& points);
    void DeleteSegment(RollpathSegment& segment);
    // Marks the segment and the vertices only it used deleted; the vertices
    // still used elsewhere go to the touched-vertex list.
    void MarkSegmentDeleted(RollpathSegment& segment);
    void SplitSegmentAtMouse(RollpathSegment& segment);
    std::optional<std::pair<RollpathSegment*, RollpathSegment*>> JoinAt(int vertex) const;
    void RemoveVertex(int vertex);
    void InsertPolygonPoint(GroundPolygon& polygon);
    void DeletePolygonPoint(GroundPolygon& polygon);
    void SegmentProperties(RollpathSegment& segment);
    void VertexProperties(int vertex);
    void RunwayProperties(RunwayRecord& runway);
    void InvalidateVertexMark(int vertex);
    // The end of an edit: what it changed becomes one step of the history.
    void CommitEdit(int kind, bool silent = false);
    // After Undo or Redo: nothing the view held may name what is gone.
    void AfterRestore(const HistoryRestore& restore);

    bool OnDiagramCommand(CommandId id);
    std::optional<CommandUI> UpdateDiagramCommandUI(CommandId id) const;

    // Drawing, step by step.
    void DrawDiagram(Canvas& canvas);
    void DrawPolygons(Canvas& canvas);
    void DrawJunctionPavement(Canvas& canvas);
    void DrawSegments(Canvas& canvas);
    void DrawEdgeMarkings(Canvas& canvas);
    void DrawRunways(Canvas& canvas);
    void DrawMarkings(Canvas& canvas);
    void DrawLights(Canvas& canvas);
    void DrawVertexMarks(Canvas& canvas);
    void DrawStraightenedVertices(Canvas& canvas);
    void DrawSourceAndSink(Canvas& canvas);
    void DrawTriangulationErrors(Canvas& canvas);
    void DrawMarkedObject(Canvas& canvas);
    bool ObjectExists(const ObjectRef& object) const;
    void DrawBenchmark(Canvas& canvas);
    void DrawGrid(Canvas& canvas);

    int ClipToVisibleArea(int n);
    void DrawFilledShape(Canvas& canvas, const DPoint* points, int n, ColorRef brush, ClipRule rule);
    // True when the canvas would fill no pixel of the unturned shape, whose
    // world box is given.
    bool FillsNoPixel(const Canvas& canvas, const WorldBox& box, const DPoint* points, int n) const;
    // The canvas's paint area as a box of world points, so that what lies
    // wholly beyond it costs no clipping, projection or marking work.
    void UpdatePaintBox(const Canvas& canvas);
    // True when every point lies more than `margin` feet beyond the box.
    bool OutsidePaintBox(std::span<const DPoint> points, double margin = 0.0) const;
    bool SegmentOutsidePaintBox(const RollpathSegment& segment) const;
    bool SegmentCulled(std::size_t index, const RollpathSegment& segment) const;
    void DrawPolygonShape(Canvas& canvas, const PolygonRecord& polygon, bool selected, bool collecting);
    void DrawSegment(Canvas& canvas, const RollpathSegment& segment);
    void DrawRunway(Canvas& canvas, const RunwayRecord& runway);
    void DrawPieces(Canvas& canvas, std::span<const Quad> pieces, ColorRef color);
    void DrawSegmentMarkings(Canvas& canvas, const RollpathSegment& segment);
    void DrawSegmentLights(Canvas& canvas, const RollpathSegment& segment);
    void DrawLightRow(Canvas& canvas, const std::array<DPoint, 2>& row);
    void DrawLightDot(Canvas& canvas, const DPoint& p);
    void DrawLightDots(Canvas& canvas, std::span<const DPoint> points);
    void DrawVertexMark(Canvas& canvas, const NetworkVertex& vertex, ColorRef color);
    void DrawPavementFileLights(Canvas& canvas);
    int LightRadius() const;
    ColorRef RunwayColor(const RunwayRecord& runway) const;

    CRollpathDoc& m_Doc;
    ViewHost& m_Host;
    unsigned m_nSeenRecordsReleased = 0;
    unsigned m_nSeenPoolRenumbered = 0;

    // The client area in pixels, from the last size message.
    DeviceSize m_Client;
    // What a resize moved the offsets by beyond whole feet, carried to the
    // next resize so that the centre does not drift.
    DPoint m_ResizeRest;

    // Where the mouse was last, for the world move of the next event.
    struct MouseTrack {
        DevicePoint device{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
        LPoint logical;  // unrotated
        // The part of a diagram drag not yet in the whole-foot offsets.
        DPoint diagramRest;
    };
    MouseTrack m_Mouse;

    // Scratch buffers, reused shape after shape: one set for drawing and one
    // for working out the areas to repaint, so that neither can overwrite
    // points the other is still using.
    struct DrawBuffers {
        std::vector<DPoint> world;
        std::vector<LPoint> logical;
        std::vector<DPoint> lights;
        std::vector<Quad> pieces;
        // Per segment, by index, whether it lies beyond the paint box: worked
        // out once a paint, as the outline is drawn, for the markings and
        // lights passes.
        std::vector<std::uint8_t> segmentsOutside;
    };
    struct InvalidationBuffers {
        std::vector<DPoint> world;
        std::vector<LPoint> logical;
    };
    DrawBuffers m_Draw;
    InvalidationBuffers m_Invalidation;
    // World feet, unrotated; `all` when the canvas paints everything.
    struct PaintBox {
        bool all = true;
        double left = 0.0;
        double right = 0.0;
        double bottom = 0.0;
        double top = 0.0;
    };
    PaintBox m_PaintBox;
    // The scale and origin ProjectPoints works with, for the zoom and scroll
    // offsets they came from: it runs for every shape of a paint, and each
    // costs two divisions to work out.
    struct Projection {
        int zoom = 0;
        int scrollX = 0;
        int scrollY = 0;
        double unitsPerFoot = 0.0;
        LPoint origin;
    };
    mutable std::optional<Projection> m_Projection;
};

}  // namespace rollpath
