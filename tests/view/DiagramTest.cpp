// The airport diagram: the bitmap depths the editor draws; loading and
// positioning it through the view's commands, the host's file dialog and the
// modeless Position dialog; how it is drawn and clipped, and a damaged one
// reported.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "ViewTestSupport.h"
#include "geometry/Geodesy.h"
#include "support/BitmapFiles.h"
#include "support/TempDir.h"
#include "view/Bmp.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

using testing::BitmapFile;
using testing::Bytes;

class Bitmap : public ::testing::Test {
protected:
    int Load(const Bytes& bytes) {
        testing::WriteBytes(dir / "diagram.bmp", bytes);
        return bmp.Load(dir / "diagram.bmp", width, height, problem);
    }

    testing::TempDir dir{"rollpath-bmp"};
    CBMP bmp;
    int width = -1;
    int height = -1;
    std::string problem;
};

Bytes Words(std::initializer_list<std::uint32_t> values, int bytes) {
    Bytes b;
    for (const std::uint32_t v : values) {
        bytes == 2 ? testing::PutU16(b, v) : testing::PutU32(b, v);
    }
    return b;
}

// Every depth the editor draws, as ARGB pixels top row first.
TEST_F(Bitmap, EveryDrawableDepthGivesItsPixels) {
    const Bytes masks565 = Words({0xF800, 0x07E0, 0x001F}, 4);
    const Bytes rgb = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // black, red, green, blue
    Bytes headerless = BitmapFile(1, 1, 24, 0, {}, {1, 2, 3, 0});
    std::fill(headerless.begin() + 2, headerless.begin() + 14, 0);  // sizes and offset left 0
    const struct {
        const char* name;
        Bytes file;
        std::vector<std::uint32_t> pixels;
    } rows[] = {
        {"24 bits bottom up",
         BitmapFile(2, 2, 24, 0, {}, {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0}),
         {0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}},
        {"8 bits, short colour table",
         BitmapFile(2, 2, 8, 0, Bytes(rgb.begin(), rgb.begin() + 12), {1, 2, 0, 0, 2, 1, 0, 0}, 3),
         {0xFF00FF00, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00}},
        {"4 bits", BitmapFile(3, 1, 4, 0, rgb, {0x12, 0x30, 0, 0}, 4), {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}},
        {"1 bit",
         BitmapFile(3, 2, 1, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}),
         {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
        {"16 bits 5-6-5 top down",
         BitmapFile(2, -1, 16, 3, masks565, Words({0xF800, 0x07E0}, 2)),
         {0xFFFF0000, 0xFF00FF00}},
        {"32 bits", BitmapFile(1, 1, 32, 0, {}, {10, 20, 30, 0}), {0xFF1E140A}},
        {"32 bits with masks",
         BitmapFile(1, 1, 32, 3, Words({0xFF0000, 0xFF00, 0xFF}, 4), Words({0xFF0000}, 4)),
         {0xFFFF0000}},
        {"a file header without sizes", headerless, {0xFF030201}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(Load(row.file), 1) << problem;
        EXPECT_TRUE(bmp.IsDrawable());
        EXPECT_EQ(bmp.Image().pixels, row.pixels);
        EXPECT_EQ(static_cast<std::size_t>(width) * height, row.pixels.size());
    }
    // Sixteen bits with masks are stored marked uncompressed, and drawn
    // through the masks all the same.
    ASSERT_EQ(Load(BitmapFile(1, 1, 16, 3, masks565, Words({0x001F, 0}, 2))), 1);
    EXPECT_EQ(Bytes(bmp.InfoBlock().begin() + 16, bmp.InfoBlock().begin() + 20), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFF0000FF}));
}

class DiagramCommands : public ::testing::Test, protected testing::ViewTest {
protected:
    DiagramCommands() {
        testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150);
        doc.m_bAirportLoaded = 1;
        settings.PreciseClipping = 0;
    }

    std::string Bitmap(int w, int h) {
        const auto path = dir / "diagram.bmp";
        testing::WriteBytes(path, testing::QuarteredBitmap(w, h));
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

    testing::TempDir dir{"rollpath-diagram-commands"};
};

TEST_F(DiagramCommands, LoadAsksForABitmapAndPlacesItAtTheBenchmark) {
    Open();
    EXPECT_TRUE(Enabled(CommandId::LoadDiagram));
    EXPECT_FALSE(Enabled(CommandId::PositionDiagram));
    const std::string tooLong = "/" + std::string(kMaxPathLength, 'd') + ".bmp";
    LoadThroughCommand(tooLong);
    EXPECT_TRUE(doc.m_szBmpPath.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Cannot use the airport diagram " + tooLong +
                                                        ": its path is longer than 259 characters"}));
    doc.m_nBmpX = 120;
    doc.m_nBmpY = -40;
    doc.m_nBmpScale = 250;
    doc.SetModifiedFlag(false);
    const std::string path = Bitmap(1000, 500);
    const int repaints = host.invalidations;
    LoadThroughCommand(path);
    EXPECT_EQ(host.dialogs.shown, (std::vector<std::string>(2, "Load Airport Diagram")));
    EXPECT_EQ(doc.m_szBmpPath, path);
    EXPECT_EQ(view.m_bDiagramLoaded, 1);
    EXPECT_EQ(std::tie(doc.m_nBmpX, doc.m_nBmpY, doc.m_nBmpScale), std::tuple(0, 0, 100));
    EXPECT_EQ(std::tie(view.m_dAnchorLat, view.m_dAnchorLon), std::tie(doc.m_Airport.lat, doc.m_Airport.lon));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(host.invalidations, repaints);
    EXPECT_TRUE(Enabled(CommandId::PositionDiagram));
    // 1000 by 500 pixels, drawn 10000 by 5000 ft in the world.
    const DrawCall call = DrawnDiagram();
    EXPECT_EQ(call.bounds.right - call.bounds.left, 10000 * 10000 / view.m_nZoom);
    EXPECT_EQ(call.bounds.top - call.bounds.bottom, 5000 * 10000 / view.m_nZoom);
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
    const DrawCall straight = DrawnDiagram();
    const auto r0 = Draw().InLayer("runways");
    for (int k = 0; k < 10; ++k) {
        view.OnCommand(CommandId::RotateCW);
    }
    ASSERT_NE(doc.m_dRotation, 0.0);
    const DrawCall turned = DrawnDiagram();
    EXPECT_EQ(std::tie(turned.bounds, turned.points), std::tie(straight.bounds, straight.points));
    const auto r1 = Draw().InLayer("runways");
    ASSERT_FALSE(r0.empty());
    ASSERT_FALSE(r1.empty());
    EXPECT_NE(r0[0].points, r1[0].points);
}

TEST_F(DiagramCommands, PreciseClippingDrawsOnlyWhatCoversTheWindow) {
    settings.PreciseClipping = 1;
    doc.m_szBmpPath = Bitmap(1000, 500);
    Open();
    view.SetZoom(100);  // the image is 1000000 units wide and 500000 high, the window 12500 by 9375
    const DrawCall call = DrawnDiagram();
    EXPECT_EQ(call.bounds.left, 0);
    EXPECT_EQ(call.bounds.top, 0);
    EXPECT_LE(call.bounds.right, 12500);
    EXPECT_GE(call.bounds.bottom, -9375);
    // The source is cut in proportion, about the middle 1.25 % by 1.875 % of the image
    // (rows counted from the bottom).
    const LPoint source = call.points[0];
    const LPoint sourceSize = call.points[1];
    EXPECT_NEAR(sourceSize.x, 12.5, 1.0);
    EXPECT_NEAR(source.x, 500 - 6.25, 1.0);
    EXPECT_NEAR(sourceSize.y, 9.375, 1.0);
    EXPECT_NEAR(source.y, 250 - 4.69, 1.0);
}

TEST_F(DiagramCommands, ADamagedDiagramIsReportedAndLeftOut) {
    const auto path = dir / "cut.bmp";
    std::ofstream(path, std::ios::binary).write("BM\x10\0\0\0\0\0\0\0\x36\0\0\0", 14);
    doc.m_szBmpPath = path.string();
    Open();
    EXPECT_EQ(view.m_bDiagramLoaded, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Cannot read the airport diagram ", 0), 0u);
    EXPECT_TRUE(Draw().InLayer("diagram").empty());
    EXPECT_EQ(doc.m_szBmpPath, path.string());
}

}  // namespace
}  // namespace rollpath
