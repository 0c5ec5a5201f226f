// The rollpath and polygon tools: chains that share their vertices, the
// limits of a chain and of a polygon, and how Escape ends a tool.

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

}  // namespace
}  // namespace rollpath
