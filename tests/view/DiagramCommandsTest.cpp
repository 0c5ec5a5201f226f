// Loading and positioning the airport diagram through the view's commands,
// the host's file dialog and the modeless Position dialog.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "geometry/Geodesy.h"
#include "support/BitmapFiles.h"
#include "support/TempDir.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

class DiagramCommands : public ::testing::Test, protected testing::ViewTest {
protected:
    DiagramCommands() {
        testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150);
        doc.m_bAirportLoaded = 1;
        settings.PreciseClipping = 0;
    }

    std::string Bitmap(int w, int h, const char* name = "diagram.bmp") {
        const auto path = dir / name;
        testing::WriteBytes(path, testing::QuarteredBitmap(w, h, 24));
        return path.string();
    }

    // The diagram as the host's file dialog chooses it.
    void LoadThroughCommand(const std::string& path) {
        host.dialogs.QueueFileName(path);
        EXPECT_TRUE(view.OnCommand(CommandId::LoadDiagram));
    }

    DrawCall DrawnDiagram() {
        const auto calls = Draw().InLayer("diagram");
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? DrawCall{} : calls[0];
    }

    bool Enabled(CommandId id) { return view.UpdateCommandUI(id).value_or(CommandUI{}).enabled; }

    void Type(const std::string& field, const std::string& value) {
        ASSERT_TRUE(host.dialogs.AnswerModeless(DialogAnswer{{{field, value}}, DialogEnd::KeepOpen}));
        EXPECT_TRUE(host.dialogs.problems.empty());
    }

    testing::TempDir dir{"rollpath-diagram-commands"};
};

TEST_F(DiagramCommands, LoadAsksForABitmapAndPlacesItAtTheBenchmark) {
    Open();
    EXPECT_TRUE(Enabled(CommandId::LoadDiagram));
    EXPECT_FALSE(Enabled(CommandId::PositionDiagram));
    doc.m_nBmpX = 120;
    doc.m_nBmpY = -40;
    doc.m_nBmpScale = 250;
    doc.SetModifiedFlag(false);
    const std::string path = Bitmap(1000, 500);
    const int repaints = host.invalidations;
    LoadThroughCommand(path);
    EXPECT_EQ(host.dialogs.shown, (std::vector<std::string>{"Load Airport Diagram"}));
    EXPECT_EQ(doc.m_szBmpPath, path);
    EXPECT_EQ(view.m_bDiagramLoaded, 1);
    EXPECT_EQ(view.m_nBmpWidth, 1000);
    EXPECT_EQ(view.m_nBmpHeight, 500);
    EXPECT_DOUBLE_EQ(view.m_dBmpBaseWidth, 10000.0);
    EXPECT_EQ(doc.m_nBmpX, 0);
    EXPECT_EQ(doc.m_nBmpY, 0);
    EXPECT_EQ(doc.m_nBmpScale, 100);
    EXPECT_EQ(view.m_dAnchorLat, doc.m_Airport.lat);
    EXPECT_EQ(view.m_dAnchorLon, doc.m_Airport.lon);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.invalidations, repaints);
    EXPECT_TRUE(Enabled(CommandId::PositionDiagram));
    // 10000 by 5000 ft in the world.
    const DrawCall call = DrawnDiagram();
    EXPECT_EQ(call.bounds.right - call.bounds.left, 10000 * 10000 / view.m_nZoom);
    EXPECT_EQ(call.bounds.top - call.bounds.bottom, 5000 * 10000 / view.m_nZoom);
}

TEST_F(DiagramCommands, APathTooLongForTheProjectIsRefused) {
    Open();
    const std::string path = "/" + std::string(kMaxPathLength, 'd') + ".bmp";
    LoadThroughCommand(path);
    EXPECT_TRUE(doc.m_szBmpPath.empty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Cannot use the airport diagram " + path + ": its path is longer than 259 characters");
}

// However the pointer wanders while the diagram is dragged, at any zoom, the
// diagram moves by the pointer's travel (to the whole foot), the Position
// dialog shows the offsets after every move, and a spin step then starts
// from them.
RC_GTEST_FIXTURE_PROP(DiagramCommands, TheDiagramFollowsThePointerAndTheDialogFollowsTheDiagram,
                      (const std::vector<std::pair<int, int>>& moves)) {
    doc.m_szBmpPath = Bitmap(100, 100);
    Open();
    view.SetZoom(*rc::gen::inRange(1, 501).as("zoom / 100") * 100);
    view.OnCommand(CommandId::PositionDiagram);
    DevicePoint at{600, 450};
    view.OnMouseMove(at);
    const DPoint start = view.WindowToWorld(at);
    view.OnLButtonDown(at);
    for (const auto& [dx, dy] : moves) {
        at = DevicePoint{600 + dx % 500, 450 + dy % 400};
        view.OnMouseMove(at);
        RC_ASSERT(view.PositionDialog().TextOf(PositionModel::kHorizontal) == std::to_string(doc.m_nBmpX));
        RC_ASSERT(view.PositionDialog().TextOf(PositionModel::kVertical) == std::to_string(doc.m_nBmpY));
    }
    view.OnLButtonUp(at);
    const DPoint end = view.WindowToWorld(at);
    RC_ASSERT(std::fabs(doc.m_nBmpX - (end.x - start.x)) <= 0.5 + 1e-9);
    RC_ASSERT(std::fabs(doc.m_nBmpY - (end.y - start.y)) <= 0.5 + 1e-9);
    const int x = doc.m_nBmpX;
    view.PositionDialog().SpinUp(PositionModel::kHorizontalSpin);
    RC_ASSERT(doc.m_nBmpX == x + 1);
}

TEST_F(DiagramCommands, RotationTurnsTheRunwaysNotTheDiagram) {
    doc.m_szBmpPath = Bitmap(1000, 500);
    doc.m_nBmpX = 3000;
    doc.m_nBmpY = 4000;
    Open();
    const RecordingCanvas straight = Draw();
    for (int k = 0; k < 10; ++k) {
        view.OnCommand(CommandId::RotateCW);
    }
    ASSERT_NE(doc.m_dRotation, 0.0);
    const RecordingCanvas turned = Draw();
    const auto d0 = straight.InLayer("diagram");
    const auto d1 = turned.InLayer("diagram");
    ASSERT_EQ(d0.size(), 1u);
    ASSERT_EQ(d1.size(), 1u);
    EXPECT_EQ(d0[0].bounds, d1[0].bounds);
    EXPECT_EQ(d0[0].points, d1[0].points);
    const auto r0 = straight.InLayer("runways");
    const auto r1 = turned.InLayer("runways");
    ASSERT_FALSE(r0.empty());
    ASSERT_FALSE(r1.empty());
    EXPECT_NE(r0[0].points, r1[0].points);
}

}  // namespace
}  // namespace rollpath
