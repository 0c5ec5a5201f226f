// The rollpath and polygon tools, Source and Sink placement, the tool
// commands with their enabling, cursors and prompts.

#include <gtest/gtest.h>

#include <algorithm>

#include "EditTestSupport.h"
#include "view/PolygonPoints.h"

namespace rollpath {
namespace {

using testing::AddVertexAt;

class Tools : public ::testing::Test, protected testing::EditTest {
protected:
    void SetUp() override {
        OpenWithRunway();
        Focus(DPoint{0.0, 1000.0});
    }
    // The world point the view makes of a pixel near w.
    DPoint Seen(const DPoint& w) const { return view.WindowToWorld(At(w)); }
};

TEST_F(Tools, ALeftAndARightClickAtOneSpotLeaveNoSegmentAndTurnTheToolOff) {
    view.OnCommand(CommandId::RollpathTool);
    ASSERT_EQ(view.m_bRollpathTool, 1);
    EXPECT_EQ(host.cursor, ViewCursor::Cross);
    Click(DPoint{0.0, 1000.0});
    EXPECT_TRUE(host.captured);
    RightClick(DPoint{0.0, 1000.0});
    EXPECT_TRUE(doc.m_pSegments.empty());
    EXPECT_EQ(view.m_bRollpathTool, 0);
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(host.cursor, ViewCursor::Arrow);
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_FALSE(doc.IsModified());
    // Both vertices stay in the pool, unconnected.
    EXPECT_EQ(doc.m_nVertices, 2);
}

TEST_F(Tools, TheSegmentBeingStretchedIsProvisionalAndOutsideTheDocument) {
    view.m_dRollpathWidth = 35.0;
    view.OnCommand(CommandId::RollpathTool);
    Click(DPoint{0.0, 1000.0});
    Move(DPoint{150.0, 1040.0});
    ASSERT_NE(view.m_pNewSegment, nullptr);
    const RollpathSegment& s = *view.m_pNewSegment;
    EXPECT_TRUE(s.provisional());
    EXPECT_TRUE(doc.m_pSegments.empty());
    EXPECT_EQ(doc.Vertex(s.vertex1).pos(), Seen(DPoint{150.0, 1040.0}));
    EXPECT_EQ(s.width, 35.0f);
    EXPECT_EQ(s.type, SegmentType::Rollpath);
    EXPECT_EQ(s.extent0, 75.0);
    EXPECT_EQ(s.extent1, 75.0);
    EXPECT_EQ(s.flags, 0);
    // Its outline follows the stretched end.
    EXPECT_NEAR(s.outline[3].x, Seen(DPoint{150.0, 1040.0}).x, 1e-9);
    // It is drawn, highlighted.
    const auto segments = Draw().InLayer("segments");
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].op, RasterOp::NotXorPen);
}

TEST_F(Tools, AChainSharesItsVerticesAndJoinsExistingOnes) {
    const int existing =
        AddVertexAt(doc, Seen(DPoint{0.0, 1000.0}).x + 0.6, Seen(DPoint{0.0, 1000.0}).y - 0.6);
    view.OnCommand(CommandId::RollpathTool);
    Click(DPoint{0.0, 1000.0});
    Click(DPoint{150.0, 1000.0});
    Click(DPoint{150.0, 1150.0});
    RightClick(DPoint{150.0, 1150.0});
    ASSERT_EQ(doc.m_pSegments.size(), 2u);
    const RollpathSegment& a = *doc.m_pSegments[0];
    const RollpathSegment& b = *doc.m_pSegments[1];
    EXPECT_EQ(a.vertex0, existing);
    EXPECT_EQ(a.vertex1, b.vertex0);
    EXPECT_FALSE(a.provisional());
    EXPECT_FALSE(b.provisional());
    EXPECT_TRUE(view.m_SegmentList.empty());
    EXPECT_TRUE(doc.IsModified());
    // The pavement followed: the corner got its junction.
    EXPECT_FALSE(doc.Vertex(a.vertex1).junctionPolys.empty());
    EXPECT_EQ(view.m_bRollpathTool, 0);
}

TEST_F(Tools, ASegmentNoLongerThanTheSegmentSensitivityIsDropped) {
    view.OnCommand(CommandId::RollpathTool);
    Click(DPoint{0.0, 1000.0});
    Click(DPoint{20.0, 1000.0});  // 20 ft: dropped
    Click(DPoint{120.0, 1000.0});
    ASSERT_EQ(doc.m_pSegments.size(), 1u);
    EXPECT_EQ(doc.Vertex(doc.m_pSegments[0]->vertex0).pos(), Seen(DPoint{20.0, 1000.0}));
    RightClick(DPoint{120.0, 1000.0});
    EXPECT_EQ(doc.m_pSegments.size(), 1u);
    // The dropped segment's vertices stay in the pool.
    EXPECT_EQ(doc.m_nVertices, 4);
}

TEST_F(Tools, TheRollpathToolIsNotSwitchedOffWhileStretching) {
    view.OnCommand(CommandId::RollpathTool);
    Click(DPoint{0.0, 1000.0});
    view.OnCommand(CommandId::RollpathTool);
    EXPECT_EQ(view.m_bRollpathTool, 1);
    EXPECT_EQ(view.m_nDragState, DragState::StretchSegment);
}

TEST_F(Tools, TheSegmentListRefusesAFiveHundredAndThirteenthSegment) {
    view.OnCommand(CommandId::RollpathTool);
    for (int i = 0; i <= kMaxListedSegments; ++i) {
        Click(DPoint{-300.0 + 30.0 * i, 1000.0});
    }
    EXPECT_TRUE(messages.Saw(kSegmentListLimitMessage));
    EXPECT_EQ(doc.m_pSegments.size(), static_cast<std::size_t>(kMaxListedSegments));
    EXPECT_EQ(view.m_bRollpathTool, 0);
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
}

TEST_F(Tools, APolygonClosedNearItsFirstPointHasNoDuplicate) {
    view.OnCommand(CommandId::PolygonTool);
    Click(DPoint{0.0, 1000.0});
    EXPECT_EQ(view.m_nDragState, DragState::CollectPolygon);
    Move(DPoint{100.0, 1000.0});
    Click(DPoint{100.0, 1000.0});
    Move(DPoint{100.0, 1100.0});
    Click(DPoint{100.0, 1100.0});
    Move(DPoint{5.0, 1005.0});
    Click(DPoint{5.0, 1005.0});
    RightClick(DPoint{5.0, 1005.0});
    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
    const GroundPolygon& p = *doc.m_pPolygons[0];
    EXPECT_EQ(p.kind, PolygonKind::Ordinary);
    EXPECT_EQ(p.points, (std::vector<DPoint>{Seen(DPoint{0.0, 1000.0}), Seen(DPoint{100.0, 1000.0}),
                                             Seen(DPoint{100.0, 1100.0})}));
    EXPECT_EQ(view.m_pSelectedPolygon, nullptr);
    EXPECT_EQ(view.m_bPolygonTool, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(Tools, APolygonOfTwoPointsIsDiscarded) {
    view.OnCommand(CommandId::PolygonTool);
    Click(DPoint{0.0, 1000.0});
    Move(DPoint{100.0, 1000.0});
    Click(DPoint{100.0, 1000.0});
    RightClick(DPoint{100.0, 1000.0});
    EXPECT_TRUE(doc.m_pPolygons.empty());
    EXPECT_EQ(view.m_pNewPolygon, nullptr);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Tools, ThePolygonPointBufferRefusesMoreThanFiveHundredAndTwelvePoints) {
    view.OnCommand(CommandId::PolygonTool);
    for (int i = 0; i < kMaxPolygonPoints + 3; ++i) {
        Click(DPoint{-200.0 + (i % 40) * 10.0, 900.0 + (i / 40) * 10.0});
    }
    EXPECT_EQ(view.m_pNewPolygon->count(), kMaxPolygonPoints);
    EXPECT_EQ(std::count(messages.shown.begin(), messages.shown.end(), kPolygonPointLimitMessage), 4);
    RightClick(DPoint{0.0, 0.0});
    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
}

TEST_F(Tools, SourceOnTheSinkLeavesNoSink) {
    const int v = AddVertexAt(doc, 0.0, 1000.0);
    doc.m_nSink = v;
    view.OnCommand(CommandId::PlaceSource);
    EXPECT_EQ(view.m_bPlaceSource, 1);
    Click(DPoint{200.0, 1100.0});  // a miss keeps the placement armed
    EXPECT_EQ(view.m_bPlaceSource, 1);
    Click(DPoint{10.0, 990.0});
    EXPECT_EQ(doc.m_nSource, v);
    EXPECT_EQ(doc.m_nSink, -1);
    EXPECT_EQ(view.m_bPlaceSource, 0);
    EXPECT_TRUE(doc.IsModified());
    view.OnCommand(CommandId::PlaceSink);
    Click(DPoint{0.0, 1000.0});
    EXPECT_EQ(doc.m_nSink, v);
    EXPECT_EQ(doc.m_nSource, -1);
}

struct EndingCase {
    const char* name;
    CommandId tool;
    std::vector<DPoint> clicks;
};

// A tool switched on, clicked at the case's points, then ended with the
// pointer elsewhere: by a right click there, or by Escape.
class EndedTool : public testing::EditTest {
public:
    EndedTool(const EndingCase& c, bool escape) {
        OpenWithRunway();
        Focus(DPoint{0.0, 1000.0});
        view.OnCommand(c.tool);
        for (const DPoint& p : c.clicks) {
            Click(p);
        }
        view.OnSetCursor();
        const DPoint pointer{200.0, 1200.0};
        if (escape) {
            Move(pointer);
            handled = view.OnKeyDown(ViewKey::Escape);
        } else {
            RightClick(pointer);
        }
    }

    // The segments' ends and the polygons' points the tool left.
    std::vector<std::vector<DPoint>> Shapes() const {
        std::vector<std::vector<DPoint>> shapes;
        for (const auto& s : doc.m_pSegments) {
            shapes.push_back({doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos()});
        }
        for (const auto& p : doc.m_pPolygons) {
            shapes.push_back(p->points);
        }
        return shapes;
    }
    bool ToolOn() const {
        return view.m_bRollpathTool + view.m_bPolygonTool + view.m_bPlaceSource + view.m_bPlaceSink != 0;
    }

    bool handled = false;
    using EditTest::host;
    using EditTest::view;
};

TEST(ToolEnding, EscapeEndsAToolAsARightClickAtThePointerWould) {
    const EndingCase cases[] = {
        {"rollpath chain", CommandId::RollpathTool, {{0.0, 1000.0}, {150.0, 1000.0}}},
        {"rollpath tool before a click", CommandId::RollpathTool, {}},
        {"polygon", CommandId::PolygonTool, {{0.0, 1000.0}, {100.0, 1000.0}}},
        {"polygon tool before a click", CommandId::PolygonTool, {}},
        {"Source", CommandId::PlaceSource, {}},
        {"Sink", CommandId::PlaceSink, {}},
    };
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EndedTool rightClick(c, false);
        const EndedTool escape(c, true);
        EXPECT_TRUE(escape.handled);
        EXPECT_EQ(escape.Shapes(), rightClick.Shapes());
        EXPECT_EQ(escape.Shapes().empty(), c.clicks.empty());
        for (const EndedTool* ended : {&rightClick, &escape}) {
            EXPECT_FALSE(ended->ToolOn());
            EXPECT_EQ(ended->view.m_nDragState, DragState::Idle);
            EXPECT_EQ(ended->host.cursor, ViewCursor::Arrow);
            EXPECT_EQ(ended->host.prompt, "");
            EXPECT_TRUE(ended->host.contextMenus.empty());
        }
    }
    // With no tool on (zoom mode is none), Escape is left to others.
    const EndedTool idle({"zoom mode", CommandId::Zoom, {}}, true);
    EXPECT_FALSE(idle.handled);
}

TEST_F(Tools, ZoomModeNeverEdits) {
    AddVertexAt(doc, 0.0, 1000.0);
    view.OnCommand(CommandId::RollpathTool);
    view.OnCommand(CommandId::Zoom);
    ASSERT_EQ(view.m_bZoomMode, 1);
    const int zoom = view.m_nZoom;
    Click(DPoint{0.0, 1000.0});
    Click(DPoint{0.0, 1000.0});
    RightClick(DPoint{0.0, 1000.0});
    EXPECT_TRUE(doc.m_pSegments.empty());
    EXPECT_EQ(doc.m_nVertices, 1);
    EXPECT_EQ(view.m_nDragState, DragState::Idle);
    EXPECT_EQ(view.m_nZoom, zoom - 100);
    EXPECT_FALSE(doc.IsModified());
    // A tool command switches the zoom mode off.
    view.OnCommand(CommandId::RollpathTool);
    EXPECT_EQ(view.m_bZoomMode, 0);
}

struct EnablingCase {
    const char* name;
    CommandId armed;  // Separator: none
    bool rollpath, polygon, source, sink;
};

TEST_F(Tools, EachToolCommandIsEnabledOnlyWithTheOthersOff) {
    const EnablingCase cases[] = {
        {"nothing on", CommandId::Separator, true, true, true, true},
        {"rollpath tool", CommandId::RollpathTool, true, false, false, false},
        {"polygon tool", CommandId::PolygonTool, false, true, false, false},
        {"Source placement", CommandId::PlaceSource, false, false, true, false},
        {"Sink placement", CommandId::PlaceSink, false, false, false, true},
    };
    for (const EnablingCase& c : cases) {
        if (c.armed != CommandId::Separator) {
            view.OnCommand(c.armed);
            EXPECT_EQ(view.UpdateCommandUI(c.armed)->checked, true) << c.name;
        }
        EXPECT_EQ(view.UpdateCommandUI(CommandId::RollpathTool)->enabled, c.rollpath) << c.name;
        EXPECT_EQ(view.UpdateCommandUI(CommandId::PolygonTool)->enabled, c.polygon) << c.name;
        EXPECT_EQ(view.UpdateCommandUI(CommandId::PlaceSource)->enabled, c.source) << c.name;
        EXPECT_EQ(view.UpdateCommandUI(CommandId::PlaceSink)->enabled, c.sink) << c.name;
        if (c.armed != CommandId::Separator) {
            view.OnCommand(c.armed);
            EXPECT_EQ(view.UpdateCommandUI(c.armed)->checked, false) << c.name;
        }
    }
    // A disabled command does nothing.
    view.OnCommand(CommandId::PolygonTool);
    view.OnCommand(CommandId::RollpathTool);
    EXPECT_EQ(view.m_bRollpathTool, 0);
}

TEST(ToolCommands, AreDisabledWithoutAnAirport) {
    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetSettings(&settings);
    HeadlessViewHost host(messages);
    CRollpathView view(doc, host);
    view.OnInitialUpdate();
    for (const CommandId id :
         {CommandId::RollpathTool, CommandId::PolygonTool, CommandId::PlaceSource, CommandId::PlaceSink}) {
        EXPECT_FALSE(view.UpdateCommandUI(id)->enabled) << static_cast<int>(id);
        view.OnCommand(id);
    }
    EXPECT_EQ(view.m_bRollpathTool + view.m_bPolygonTool + view.m_bPlaceSource + view.m_bPlaceSink, 0);
}

struct PromptCase {
    const char* name;
    CommandId command;
    bool positioning;
    const char* prompt;
    ViewCursor cursor;
};

TEST_F(Tools, TheCursorAndPromptFollowTheMode) {
    const PromptCase cases[] = {
        {"zoom", CommandId::Zoom, false, "Hold Shift key down to zoom 10x", ViewCursor::Zoom},
        {"rollpath tool", CommandId::RollpathTool, false, "Click right mouse button to finish",
         ViewCursor::Cross},
        {"polygon tool", CommandId::PolygonTool, false, "Click right mouse button to finish",
         ViewCursor::Cross},
        {"Source", CommandId::PlaceSource, false, "Click left mouse button on dead end vertex",
         ViewCursor::Cross},
        {"Sink", CommandId::PlaceSink, false, "Click left mouse button on dead end vertex",
         ViewCursor::Cross},
        {"positioning", CommandId::Separator, true, "unchanged", ViewCursor::Positioning},
    };
    for (const PromptCase& c : cases) {
        host.prompt = "unchanged";
        if (c.command != CommandId::Separator) {
            view.OnCommand(c.command);
        }
        view.m_bPositioning = c.positioning ? 1 : 0;
        EXPECT_TRUE(view.OnSetCursor()) << c.name;
        EXPECT_EQ(host.prompt, c.prompt) << c.name;
        EXPECT_EQ(host.cursor, c.cursor) << c.name;
        if (c.command != CommandId::Separator) {
            view.OnCommand(c.command);
        }
        view.m_bPositioning = 0;
    }
    EXPECT_FALSE(view.OnSetCursor());
}

struct FilterCase {
    const char* name;
    std::vector<DPoint> points;
    std::vector<DPoint> kept;
};

TEST(FilterPolygonPoints, KeepsPointsFartherThanTheSensitivity) {
    const FilterCase cases[] = {
        {"empty", {}, {}},
        {"one point", {{0, 0}}, {{0, 0}}},
        {"doubled clicks",
         {{0, 0}, {0, 0}, {100, 0}, {100, 0}, {100, 100}, {100, 100}},
         {{0, 0}, {100, 0}, {100, 100}}},
        {"closed near the start", {{0, 0}, {100, 0}, {100, 100}, {10, 10}}, {{0, 0}, {100, 0}, {100, 100}}},
        {"exactly the sensitivity is near",
         {{0, 0}, {25, 0}, {100, 0}, {100, 100}},
         {{0, 0}, {100, 0}, {100, 100}}},
        {"just beyond is kept", {{0, 0}, {25.01, 0}, {100, 100}}, {{0, 0}, {25.01, 0}, {100, 100}}},
        {"all within", {{0, 0}, {3, 4}, {6, 8}}, {{0, 0}}},
    };
    for (const FilterCase& c : cases) {
        EXPECT_EQ(FilterPolygonPoints(c.points, 25.0), c.kept) << c.name;
    }
}

}  // namespace
}  // namespace rollpath
