// Each editing step does what it promised, amid random sessions: a rollpath
// drawn joins the points clicked, a dragged vertex lies where it was dropped
// and its segment's other end stays, a polygon drawn has the corners clicked,
// a cut rollpath, polygon, source or sink is gone and nothing else is, and a paste
// adds a copy of what was copied, shifted, beside the rest unchanged; Edit >
// Undo then names the step.
// Promised steps work in a strip of their own, north-east of the grid the
// random steps click on, and are looked at closely so that a click lands
// within a foot of the point it names.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "sessions/EditingSession.h"
#include "sessions/SessionRunner.h"
#include "view/UndoKinds.h"

namespace rollpath::testing {
namespace {

constexpr double kStripX = 15000.0;
constexpr double kSlotSpacing = 1200.0;
constexpr int kSlots = 3;
constexpr double kRollpathY = 12000.0;
constexpr double kPolygonY = 10000.0;
constexpr double kLength = 200.0;
// Zoom 500: about half a foot a pixel.
constexpr int kCloseZoom = 500;
constexpr double kTolerance = 1.0;
// Farther than any pick or merge reaches.
constexpr double kApart = 30.0;

std::string At(double x, double y) {
    return std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
}

bool Near(const DPoint& a, double x, double y) {
    return std::hypot(a.x - x, a.y - y) <= kTolerance;
}

// The window centred on a world point at a close zoom.
void LookAt(CRollpathView& view, const DPoint& c) {
    view.m_nZoom = kCloseZoom;
    view.CenterOnWorld(c);
}

std::vector<PolygonRecord> LivePolygons(const CRollpathDoc& doc, const GroundPolygon* except = nullptr) {
    std::vector<PolygonRecord> live;
    for (const auto& p : doc.m_pPolygons) {
        if (p->live() && p.get() != except) {
            live.push_back(*p);
        }
    }
    return live;
}

// Live segments by their ends' positions, width and flags.
struct SegmentShape {
    DPoint a;
    DPoint b;
    float width;
    int flags;
    friend bool operator==(const SegmentShape&, const SegmentShape&) = default;
};

std::vector<SegmentShape> LiveSegments(const CRollpathDoc& doc, const RollpathSegment* except = nullptr) {
    std::vector<SegmentShape> live;
    for (const auto& s : doc.m_pSegments) {
        if (s->live() && s.get() != except) {
            live.push_back({doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos(), s->width, s->flags});
        }
    }
    return live;
}

long RunwayPieces(const CRollpathDoc& doc) {
    return std::count_if(doc.m_pSegments.begin(), doc.m_pSegments.end(),
                         [](const auto& s) { return s->live() && s->type == SegmentType::RunwayCentreLine; });
}

// The live segment joining two points, if one does.
const RollpathSegment* Joining(const CRollpathDoc& doc, double x, double y0, double y1) {
    for (const auto& s : doc.m_pSegments) {
        if (!s->live()) {
            continue;
        }
        const DPoint a = doc.Vertex(s->vertex0).pos();
        const DPoint b = doc.Vertex(s->vertex1).pos();
        if ((Near(a, x, y0) && Near(b, x, y1)) || (Near(a, x, y1) && Near(b, x, y0))) {
            return s.get();
        }
    }
    return nullptr;
}

// Whether q is p moved by one offset that is not nothing.
bool IsShiftedCopy(const std::vector<DPoint>& p, const std::vector<DPoint>& q) {
    if (p.size() != q.size() || p.empty()) {
        return false;
    }
    const double dx = q[0].x - p[0].x;
    const double dy = q[0].y - p[0].y;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (std::abs(q[i].x - p[i].x - dx) > 1e-6 || std::abs(q[i].y - p[i].y - dy) > 1e-6) {
            return false;
        }
    }
    return std::hypot(dx, dy) > 1.0;
}

class Editor {
public:
    Editor() : run_(Folders()) {}

    void Run(const std::vector<std::string>& lines) { run_.Run(lines); }
    CRollpathDoc& Doc() { return run_.Document(); }
    CRollpathView& View() { return run_.Session().View(); }

    // A selection step of the random session: a click, then Delete, Cut or
    // Paste, each of which must act on the polygons as promised.
    void SelectionStep(const std::vector<std::string>& lines) {
        run_.Run(std::vector<std::string>{lines[0]});
        const CRollpathView& view = View();
        const GroundPolygon* selected = view.m_bPolygonTool == 0 && view.m_pSelectedPolygon != nullptr &&
                                                view.m_pSelectedPolygon->live() &&
                                                view.m_pSelectedPolygon != view.m_pNewPolygon.get()
                                            ? view.m_pSelectedPolygon
                                            : nullptr;
        const bool canPaste = View().CanPaste();
        const std::vector<DPoint> copied = View().m_CopiedPolygon;
        const std::vector<PolygonRecord> all = LivePolygons(Doc());
        const std::vector<PolygonRecord> others = LivePolygons(Doc(), selected);
        const std::vector<SegmentShape> segments = LiveSegments(Doc());
        run_.Run(std::vector<std::string>{lines[1]});
        RC_ASSERT(LiveSegments(Doc()) == segments);
        const std::vector<PolygonRecord> after = LivePolygons(Doc());
        if (lines[1] == "command paste" && canPaste) {
            RC_ASSERT(after.size() == all.size() + 1);
            RC_ASSERT(std::equal(all.begin(), all.end(), after.begin()));
            RC_ASSERT(IsShiftedCopy(copied, after.back().points));
        } else if ((lines[1] == "command delete" || lines[1] == "command cut") && selected != nullptr) {
            RC_ASSERT(after == others);
        }
    }

    // The segments of a slot, where promises are judged.
    static std::vector<SegmentShape> InSlot(double x, const std::vector<SegmentShape>& segments) {
        std::vector<SegmentShape> in;
        std::copy_if(segments.begin(), segments.end(), std::back_inserter(in), [x](const SegmentShape& s) {
            return std::abs(s.a.x - x) < kSlotSpacing / 2 && std::abs(s.b.x - x) < kSlotSpacing / 2 &&
                   s.a.y > kRollpathY - kLength && s.b.y > kRollpathY - kLength;
        });
        return in;
    }
    std::size_t SegmentsInSlot(double x) { return InSlot(x, LiveSegments(Doc())).size(); }

    // A segment dragged in from elsewhere may run across a slot.
    bool Crossed(double x) {
        for (const SegmentShape& s : LiveSegments(Doc())) {
            for (const double line : {x - 100.0, x, x + 100.0}) {
                if ((s.a.x - line) * (s.b.x - line) <= 0.0 && s.a.x != s.b.x) {
                    const double y = s.a.y + (s.b.y - s.a.y) * (line - s.a.x) / (s.b.x - s.a.x);
                    if (y > kRollpathY - kLength && y < kRollpathY + 2 * kLength) {
                        return true;
                    }
                }
            }
        }
        return false;
    }

    // A rollpath drawn joins the points clicked, and the rebuild it runs
    // splits no runway (a vertex pinned onto one by a random step split its
    // centre line in that step's rebuild; vertices pinned close together
    // still merge only at the next rebuild).
    void DrawRollpath(int slot) {
        const double x = kStripX + kSlotSpacing * slot;
        // Only in an empty slot: a click near a wide rollpath's end meets it.
        if (SegmentsInSlot(x) != 0 || Crossed(x)) {
            return;
        }
        LookAt(View(), DPoint{x, kRollpathY});
        const long runwayPieces = RunwayPieces(Doc());
        Run({"command rollpath-tool", "click " + At(x, kRollpathY), "click " + At(x, kRollpathY + kLength),
             "rclick " + At(x, kRollpathY + kLength)});
        const bool joined = Joining(Doc(), x, kRollpathY, kRollpathY + kLength) != nullptr;
        RC_ASSERT(joined);
        RC_ASSERT(SegmentsInSlot(x) == 1);
        RC_ASSERT(RunwayPieces(Doc()) <= runwayPieces);
        RC_ASSERT(Doc().History().UndoKind() == UndoKind::SegmentsAdded);
    }

    // The slot's rollpath, its far end dragged: the end lies where it was
    // dropped, the near end stays, and no other segment moves.
    void DragEnd(int slot, int dx, int dy) {
        const double x = kStripX + kSlotSpacing * slot;
        const RollpathSegment* s = Joining(Doc(), x, kRollpathY, kRollpathY + kLength);
        if (s == nullptr) {
            return;
        }
        LookAt(View(), DPoint{x, kRollpathY + kLength});
        const std::vector<SegmentShape> others = InSlot(x, LiveSegments(Doc(), s));
        const double tx = x + dx;
        const double ty = kRollpathY + kLength + dy;
        // Dropped onto another vertex, the two are merged.
        for (int v = 0; v < Doc().m_nVertices; ++v) {
            if (Doc().IsLiveVertex(v) &&
                std::hypot(Doc().Vertex(v).x - tx, Doc().Vertex(v).y - ty) < kApart) {
                return;
            }
        }
        Run({"press " + At(x, kRollpathY + kLength), "move " + At(tx, ty), "release " + At(tx, ty)});
        RC_ASSERT(s->live());
        const DPoint a = Doc().Vertex(s->vertex0).pos();
        const DPoint b = Doc().Vertex(s->vertex1).pos();
        RC_ASSERT((Near(a, x, kRollpathY) && Near(b, tx, ty)) || (Near(b, x, kRollpathY) && Near(a, tx, ty)));
        RC_ASSERT(InSlot(x, LiveSegments(Doc(), s)) == others);
        RC_ASSERT(Doc().History().UndoKind() == UndoKind::VertexMoved);
    }

    // The slot's rollpath or square cut through its context menu: the one
    // under the pointer is gone, the rest stays.
    void ContextCut(int slot, bool square) {
        const double x = kStripX + kSlotSpacing * slot;
        const DPoint at =
            square ? DPoint{x + kLength / 2, kPolygonY + kLength / 2} : DPoint{x, kRollpathY + kLength / 2};
        LookAt(View(), at);
        Run({"rclick " + At(at.x, at.y)});
        const ViewContext context = View().m_Context;
        if (context.kind != (square ? ContextKind::Polygon : ContextKind::Segment) ||
            (square ? context.polygon == nullptr : context.segment == nullptr)) {
            return;
        }
        const std::vector<SegmentShape> others =
            InSlot(x, LiveSegments(Doc(), square ? nullptr : context.segment));
        const std::vector<PolygonRecord> polygons = LivePolygons(Doc(), square ? context.polygon : nullptr);
        Run({"command context-cut"});
        RC_ASSERT(InSlot(x, LiveSegments(Doc())) == others);
        RC_ASSERT(LivePolygons(Doc()) == polygons);
        RC_ASSERT(Doc().History().UndoKind() ==
                  (square ? UndoKind::PolygonDeleted : UndoKind::SegmentDeleted));
    }

    // The source or sink placed on the slot's rollpath (drawn if need be), then cut through its
    // context menu (vertices hidden, so that the marker is picked): it is
    // gone, the other marker stays.
    void CutMarker(int slot, bool source) {
        const double x = kStripX + kSlotSpacing * slot;
        DrawRollpath(slot);
        if (Joining(Doc(), x, kRollpathY, kRollpathY + kLength) == nullptr) {
            return;
        }
        LookAt(View(), DPoint{x, kRollpathY});
        const std::string at = At(x, kRollpathY);
        Run({source ? "command place-source" : "command place-sink", "click " + at, "rclick " + at,
             "command vertices", "rclick " + at});
        int& cut = source ? Doc().m_nSource : Doc().m_nSink;
        const int other = source ? Doc().m_nSink : Doc().m_nSource;
        const bool picked = View().m_Context.kind == (source ? ContextKind::Source : ContextKind::Sink);
        Run({"command context-cut", "command vertices"});
        if (picked) {
            RC_ASSERT(cut == -1);
            RC_ASSERT((source ? Doc().m_nSink : Doc().m_nSource) == other);
            RC_ASSERT(Doc().History().UndoKind() ==
                      (source ? UndoKind::SourceCleared : UndoKind::SinkCleared));
        }
    }

    // A square drawn in the slot has the corners clicked, in order.
    void DrawSquare(int slot) {
        const double x = kStripX + kSlotSpacing * slot;
        LookAt(View(), DPoint{x + kLength / 2, kPolygonY + kLength / 2});
        const std::vector<PolygonRecord> before = LivePolygons(Doc());
        const std::vector<DPoint> corners{{x, kPolygonY},
                                          {x + kLength, kPolygonY},
                                          {x + kLength, kPolygonY + kLength},
                                          {x, kPolygonY + kLength}};
        std::vector<std::string> lines{"command polygon-tool"};
        for (const DPoint& c : corners) {
            lines.push_back("click " + At(c.x, c.y));
        }
        lines.push_back("rclick " + At(corners.back().x, corners.back().y));
        Run(lines);
        const std::vector<PolygonRecord> after = LivePolygons(Doc());
        RC_ASSERT(after.size() == before.size() + 1);
        RC_ASSERT(std::equal(before.begin(), before.end(), after.begin()));
        RC_ASSERT(after.back().points.size() == corners.size());
        for (std::size_t i = 0; i < corners.size(); ++i) {
            RC_ASSERT(Near(after.back().points[i], corners[i].x, corners[i].y));
        }
        RC_ASSERT(Doc().History().UndoKind() == UndoKind::PolygonAdded);
    }

    // A click inside the slot's square, then a selection command.
    void OnSquare(int slot, const std::string& command) {
        const double x = kStripX + kSlotSpacing * slot;
        LookAt(View(), DPoint{x + kLength / 2, kPolygonY + kLength / 2});
        SelectionStep({"click " + At(x + kLength / 2, kPolygonY + kLength / 2), command});
    }

private:
    ScriptRun run_;
};

// A promised step as a line of its own: its kind, slot and drag offsets.
rc::Gen<std::vector<std::string>> GenPromisedStep() {
    return rc::gen::exec([] {
        // Far enough from where the end was that a new rollpath drawn there
        // does not meet it.
        const auto offset = [] { return *rc::gen::inRange(40, 81) * (*rc::gen::arbitrary<bool>() ? 1 : -1); };
        return std::vector<std::string>{"#promise", std::to_string(*rc::gen::inRange(0, 8)),
                                        std::to_string(*rc::gen::inRange(0, kSlots)),
                                        std::to_string(offset()), std::to_string(offset())};
    });
}

RC_GTEST_PROP(EditingSteps, DoWhatTheyPromise, ()) {
    SessionOptions options;
    options.diagramPath = Folders().DiagramPath().string();
    options.saves = false;
    // The choices of a step cover their whole range (at size 100); the
    // size decides only how many steps there are.
    const auto step = rc::gen::resize(100, rc::gen::weightedOneOf<std::vector<std::string>>(
                                               {{2, GenEditingStep(options)}, {3, GenPromisedStep()}}));
    const auto steps = WithKnownPoints(
        *rc::gen::scale(0.3, rc::gen::container<std::vector<std::vector<std::string>>>(step)));
    Folders().Clear();
    Editor editor;
    editor.Run({"new KPAO", "size 1200 900"});
    for (const std::vector<std::string>& step : steps) {
        if (step.front() == "#promise") {
            const int slot = std::stoi(step[2]);
            switch (std::stoi(step[1])) {
                case 0:
                    editor.DrawRollpath(slot);
                    break;
                case 1:
                    editor.DragEnd(slot, std::stoi(step[3]), std::stoi(step[4]));
                    break;
                case 2:
                case 5:
                    editor.ContextCut(slot, step[1] == "5");
                    break;
                case 3:
                    editor.DrawSquare(slot);
                    break;
                case 4:
                    editor.OnSquare(slot, "command copy");
                    editor.OnSquare(slot, "command paste");
                    break;
                case 6:
                    editor.CutMarker(slot, std::stoi(step[3]) > 0);
                    break;
                default:
                    editor.OnSquare(slot, "command delete");
                    break;
            }
        } else if (step.size() == 2 && step[0].starts_with("click ") && step[1] != "command undo") {
            editor.SelectionStep(step);
        } else {
            editor.Run(step);
        }
    }
}

}  // namespace
}  // namespace rollpath::testing
