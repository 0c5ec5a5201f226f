#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "ViewTestSupport.h"
#include "support/DeterministicRandom.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

using testing::DeterministicRandom;
using testing::Distance;

class Transform : public ::testing::Test, protected testing::ViewTest {};

TEST_F(Transform, DeviceToLogicalIsExactAt96Dpi) {
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{96, 96}), (LPoint{1000, -1000}));
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{1, 1}), (LPoint{10, -10}));
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{1000, 0}), (LPoint{10417, 0}));
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{1200, 900}), (LPoint{12500, -9375}));
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{600, 450}), (LPoint{6250, -4688}));
    EXPECT_EQ(view.DeviceToLogical(DevicePoint{-48, -1}), (LPoint{-500, 10}));
}

// The numbers worked by hand: extent 6000 ft, the smaller side 9375 units,
// so Z = 100 x trunc(0.5 + 76.8) = 7700, k = 10000 / 7700.
TEST_F(Transform, InitialFitPutsTheBenchmarkInTheMiddle) {
    OpenWithRunway();
    EXPECT_EQ(view.m_nZoom, 7700);
    EXPECT_EQ(view.m_nScrollX, 21587);  // trunc(26400 - 6250 / k)
    EXPECT_EQ(view.m_nScrollY, 22790);  // trunc(-4688 / k + 26400)
    EXPECT_EQ(host.horizontal.max, 1000);
    EXPECT_EQ(host.vertical.max, 1000);
    EXPECT_EQ(host.horizontal.pos, 408);  // trunc(21587 / 52800 x 1000)
    EXPECT_EQ(host.vertical.pos, 431);
    EXPECT_EQ(host.statusWidth, 50.0);
    EXPECT_EQ(host.statusScale, 770);
    EXPECT_EQ(host.statusRotation, 0.0);
    const DPoint centre = view.WindowToWorld(DevicePoint{600, 450});
    EXPECT_LT(Distance(centre, DPoint{0.0, 0.0}), 1.0);
}

TEST_F(Transform, TheCentreMapsToTheBenchmarkAtAnyWindowSize) {
    for (const DeviceSize size : {DeviceSize{1200, 900}, DeviceSize{641, 479}, DeviceSize{1920, 1080},
                                  DeviceSize{300, 2000}, DeviceSize{1, 1}}) {
        host.client = size;
        OpenWithRunway();
        const DPoint centre = view.WindowToWorld(DevicePoint{size.width / 2, size.height / 2});
        EXPECT_LT(Distance(centre, DPoint{0.0, 0.0}), 1.0) << size.width << " x " << size.height;
        doc.CleanUp();
    }
}

TEST_F(Transform, NoDrawableGeometryGivesTheSmallestZoomValue) {
    doc.m_bAirportLoaded = 1;  // an airport without any runway: the box stays empty
    Open();
    EXPECT_EQ(view.m_nZoom, 100);

    doc.CleanUp();
    testing::AddRunway(doc, DPoint{0.0, 0.0}, DPoint{0.0, 0.0}, 0);  // extent exactly 0
    Open();
    EXPECT_EQ(view.m_nZoom, 100);
}

TEST_F(Transform, ZoomStopsAtItsLimits) {
    OpenWithRunway();
    view.SetZoom(150);
    view.ZoomIn();
    EXPECT_EQ(view.m_nZoom, 100);
    EXPECT_EQ(host.statusScale, 10);
    view.SetZoom(49500);
    host.shift = true;
    view.ZoomOut();
    EXPECT_EQ(view.m_nZoom, 50000);
    EXPECT_EQ(host.statusScale, 5000);
    view.SetZoom(-7);
    EXPECT_EQ(view.m_nZoom, 100);
    view.SetZoom(2147483647);
    EXPECT_EQ(view.m_nZoom, 50000);
}

// Wheel notches (and fractions of one) zoom about the pointer, forward in and
// backward out; a new zoom value zooms about the centre. Either way the world
// point under the anchor stays there, whatever the rotation.
RC_GTEST_FIXTURE_PROP(Transform, ZoomingKeepsTheWorldPointUnderItsAnchor, ()) {
    OpenWithRunway();
    const int turns = *rc::gen::inRange(0, 360).as("degrees turned");
    for (int i = 0; i < turns; ++i) {
        view.OnRotateCW();
    }
    const auto steps = *rc::gen::container<std::vector<std::tuple<int, int, int>>>(
        rc::gen::tuple(rc::gen::inRange(0, 1200), rc::gen::inRange(0, 900), rc::gen::inRange(-24, 25)));
    for (const auto& [x, y, eighths] : steps) {
        const DevicePoint anchor = eighths == 0 ? DevicePoint{600, 450} : DevicePoint{x, y};
        const DPoint before = view.WindowToWorld(anchor);
        const int zoom = view.m_nZoom;
        const double coarse = view.UnitsPerFoot();
        if (eighths == 0) {
            view.SetZoom(*rc::gen::inRange(100, 50001).as("zoom value"));
        } else {
            view.OnMouseWheel(anchor, eighths / 8.0);
            const bool forward = eighths > 0;
            const bool towards = forward ? view.m_nZoom <= zoom : view.m_nZoom >= zoom;
            const bool atLimit = zoom == (forward ? kMinZoom : kMaxZoom);
            RC_ASSERT(towards);
            RC_ASSERT((view.m_nZoom == zoom) == atLimit);
        }
        // Within whole-foot offsets and a logical unit of the coarser scale
        // either way (points are found in whole logical units).
        const double unit = 1.0 / std::min(coarse, view.UnitsPerFoot());
        RC_ASSERT(Distance(view.WindowToWorld(anchor), before) < 1.5 + 2.0 * unit);
    }
}

// However often the window changes size, the world point that was at its
// centre stays at the centre (within the half foot of whole-foot offsets).
RC_GTEST_FIXTURE_PROP(Transform, AResizedWindowKeepsItsCentre, ()) {
    OpenWithRunway();
    view.SetZoom(*rc::gen::inRange(100, 50001).as("zoom value"));
    const DPoint centre = view.WindowToWorld(DevicePoint{600, 450});
    const auto sizes = *rc::gen::container<std::vector<std::pair<int, int>>>(
        rc::gen::pair(rc::gen::inRange(1, 3000), rc::gen::inRange(1, 3000)));
    for (const auto& [w, h] : sizes) {
        host.client = DeviceSize{w, h};
        view.OnSize(w, h);
        LPoint seen;
        view.ProjectPoints(1, &centre, &seen, true);
        const LPoint size = view.DeviceToLogical(DevicePoint{w, h});
        const double slack = 0.5 * view.UnitsPerFoot() + 2.0;
        RC_ASSERT(std::fabs(seen.x - size.x / 2.0) <= slack);
        RC_ASSERT(std::fabs(seen.y - size.y / 2.0) <= slack);
    }
}

TEST_F(Transform, CharactersZoomByAHundredOrAThousandWithShift) {
    OpenWithRunway();
    EXPECT_TRUE(view.OnChar('='));
    EXPECT_EQ(view.m_nZoom, 7600);
    EXPECT_TRUE(view.OnChar('-'));
    EXPECT_EQ(view.m_nZoom, 7700);
    host.shift = true;
    EXPECT_TRUE(view.OnChar('+'));
    EXPECT_EQ(view.m_nZoom, 6700);
    EXPECT_TRUE(view.OnChar('_'));
    EXPECT_EQ(view.m_nZoom, 7700);
    EXPECT_FALSE(view.OnChar('x'));
}

TEST_F(Transform, CenterAtBringsTheClickedPointToTheCentre) {
    OpenWithRunway();
    for (const DevicePoint click :
         {DevicePoint{0, 0}, DevicePoint{1199, 899}, DevicePoint{100, 800}, DevicePoint{-500, 3000}}) {
        const DPoint target = view.WindowToWorld(click);
        const int before = host.invalidations;
        view.CenterAt(click);
        // Offsets are whole feet, rounded half up (negative values toward zero).
        const DPoint centre = view.WindowToWorld(DevicePoint{600, 450});
        EXPECT_LT(std::fabs(centre.x - target.x), 1.5);
        EXPECT_LT(std::fabs(centre.y - target.y), 1.5);
        EXPECT_EQ(host.invalidations, before + 1);
    }
}

TEST_F(Transform, RotationWrapsAroundNorth) {
    OpenWithRunway();
    settings.Rotation = 0;  // 0.25 degrees
    doc.m_dRotation = 359.75;
    view.OnRotateCW();
    EXPECT_EQ(doc.m_dRotation, 0.0);
    EXPECT_EQ(host.statusRotation, 0.0);
    view.OnRotateCCW();
    EXPECT_EQ(doc.m_dRotation, 359.75);
    EXPECT_EQ(host.statusRotation, 359.75);
    host.shift = true;  // a whole degree whatever the setting
    view.OnRotateCW();
    EXPECT_EQ(doc.m_dRotation, 0.75);
}

TEST_F(Transform, RotationCharactersAndIncrements) {
    OpenWithRunway();
    struct Case {
        int setting;
        char key;
        double expected;
    };
    for (const Case c : {Case{0, ',', 0.25}, Case{1, '<', 0.5}, Case{2, ',', 1.0}, Case{0, '.', 359.75},
                         Case{1, '>', 359.5}, Case{2, '.', 359.0}, Case{7, ',', 1.0}}) {
        doc.m_dRotation = 0.0;
        settings.Rotation = c.setting;
        EXPECT_TRUE(view.OnChar(c.key));
        EXPECT_EQ(doc.m_dRotation, c.expected) << c.key << " with setting " << c.setting;
    }
}

TEST_F(Transform, ZeroRotationLeavesPointsExactlyAsTheyAre) {
    OpenWithRunway();
    for (const LPoint p :
         {LPoint{0, 0}, LPoint{123457, -98765}, LPoint{-2147483647, 2147483647}, LPoint{7, 3}}) {
        LPoint q = p;
        view.RotateLogical(q);
        EXPECT_EQ(q, p);
        view.UnrotateLogical(q);
        EXPECT_EQ(q, p);
    }
    DPoint world[2] = {DPoint{0.1, -0.2}, DPoint{1e9, 3.5}};
    view.RotateWorldPoints(world, 2);
    EXPECT_EQ(world[0], (DPoint{0.1, -0.2}));
    EXPECT_EQ(world[1], (DPoint{1e9, 3.5}));
}

// Turns forward and back at a rotation; the largest error of each axis.
LPoint RoundTripError(CRollpathView& view, CRollpathDoc& doc, double t, int lo, int hi, int seed) {
    doc.m_dRotation = t;
    view.OnRotateCW();  // refreshes the cached sine and cosine
    view.OnRotateCCW();
    DeterministicRandom rng(static_cast<std::uint64_t>(seed));
    LPoint worst;
    for (int i = 0; i < 200; ++i) {
        const LPoint p{rng.Int(lo, hi), rng.Int(lo, hi)};
        LPoint q = p;
        view.RotateLogical(q);
        view.UnrotateLogical(q);
        worst.x = std::max(worst.x, std::abs(q.x - p.x));
        worst.y = std::max(worst.y, std::abs(q.y - p.y));
    }
    return worst;
}

const double kRotations[] = {0.25, 1.0, 33.5, 90.0, 137.75, 180.0, 270.0, 359.75};

// Where every coordinate stays positive, rounding half up is symmetric and
// the round trip lands within one unit.
TEST_F(Transform, ForwardThenInverseWithinOneLogicalUnit) {
    OpenWithRunway();
    const double k = view.UnitsPerFoot();
    view.m_nScrollX = TruncToInt(kHalfField - 30000 / k);  // the benchmark at logical (30000, 30000)
    view.m_nScrollY = TruncToInt(kHalfField + 30000 / k);
    for (const double t : kRotations) {
        const LPoint worst = RoundTripError(view, doc, t, 10000, 50000, 11);
        EXPECT_LE(worst.x, 1) << t;
        EXPECT_LE(worst.y, 1) << t;
    }
}

// Negative values round toward zero after adding a half, so the points of
// the window (logical y below 0) drift up to three units over a round trip.
TEST_F(Transform, ForwardThenInverseInTheWindowWithinThreeUnits) {
    OpenWithRunway();
    for (const double t : kRotations) {
        const LPoint worst = RoundTripError(view, doc, t, -20000, 20000, 13);
        EXPECT_LE(worst.x, 3) << t;
        EXPECT_LE(worst.y, 3) << t;
    }
}

// Projecting a world point with rotation and mapping its pixel back gives
// the point again, within a pixel's worth of feet.
TEST_F(Transform, WindowToWorldInvertsProjection) {
    OpenWithRunway();
    DeterministicRandom rng(5);
    for (const double t : {0.0, 12.5, 90.0, 200.25}) {
        doc.m_dRotation = t;
        view.OnRotateCW();
        view.OnRotateCCW();
        for (int zoom : {100, 2000, 7700, 50000}) {
            view.SetZoom(zoom);
            const double pixelFeet = 1000.0 / 96.0 / view.UnitsPerFoot();
            for (int i = 0; i < 50; ++i) {
                const DPoint w{rng.Uniform(-3000, 3000), rng.Uniform(-3000, 3000)};
                double x = 0.0;
                double y = 0.0;
                DevicePosition(w, x, y);
                if (std::fabs(x) > 1e6 || std::fabs(y) > 1e6) {
                    continue;
                }
                const DPoint back = view.WindowToWorld(
                    DevicePoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))});
                EXPECT_LT(Distance(back, w), 1.5 * pixelFeet + 2.0 / view.UnitsPerFoot()) << t << " " << zoom;
            }
        }
    }
}

TEST_F(Transform, RotatedProjectionTurnsTheDrawingAboutTheBenchmark) {
    OpenWithRunway();
    doc.m_dRotation = 90.0;
    view.OnRotateCW();
    view.OnRotateCCW();
    // With 90 degrees at the top of the window, east shows up north.
    const DPoint east{1000.0, 0.0};
    double x = 0.0;
    double y = 0.0;
    double bx = 0.0;
    double by = 0.0;
    DevicePosition(east, x, y);
    DevicePosition(DPoint{0.0, 0.0}, bx, by);
    EXPECT_NEAR(x, bx, 1.0);
    EXPECT_LT(y, by - 70.0);
}

class LineScroll : public Transform, public ::testing::WithParamInterface<int> {};

TEST_P(LineScroll, MovesTheDrawingByOnePixel) {
    OpenWithRunway();
    view.SetZoom(GetParam());
    const DPoint probe{0.0, 0.0};
    // Offsets are whole feet: the move is a pixel give or take one foot.
    const double tolerance = view.UnitsPerFoot() * 0.096 + 0.05;
    double x0 = 0.0;
    double y0 = 0.0;
    DevicePosition(probe, x0, y0);
    const int hpos = host.horizontal.pos;
    ASSERT_TRUE(view.OnKeyDown(ViewKey::Right));
    double x1 = 0.0;
    double y1 = 0.0;
    DevicePosition(probe, x1, y1);
    EXPECT_NEAR(x0 - x1, 1.0, tolerance);
    EXPECT_EQ(y1, y0);
    ASSERT_EQ(host.scrolls.size(), 1u);
    EXPECT_EQ(host.scrolls[0], (DevicePoint{-1, 0}));
    EXPECT_GE(host.horizontal.pos, hpos);

    ASSERT_TRUE(view.OnKeyDown(ViewKey::Down));
    double x2 = 0.0;
    double y2 = 0.0;
    DevicePosition(probe, x2, y2);
    EXPECT_NEAR(y1 - y2, 1.0, tolerance);
    EXPECT_EQ(host.scrolls.back(), (DevicePoint{0, -1}));
    EXPECT_GE(host.updates, 2);
}

INSTANTIATE_TEST_SUITE_P(Zooms, LineScroll, ::testing::Values(5000, 7700, 20000, 50000));

// Line and page steps of either bar, at any zoom: the steps and then their
// reverse, last first, bring back the same view.
RC_GTEST_FIXTURE_PROP(Transform, ScrollStepsAndTheirReverseReturnToTheSameView, ()) {
    static constexpr ScrollCode kCodes[] = {ScrollCode::LineUp, ScrollCode::LineDown, ScrollCode::PageUp,
                                            ScrollCode::PageDown};
    OpenWithRunway();
    view.SetZoom(*rc::gen::inRange(1, 501).as("zoom / 100") * 100);
    // The thumbs in the middle of their bars, and few enough steps that they
    // never reach the ends.
    view.m_nScrollX = kHalfField;
    view.m_nScrollY = kHalfField;
    view.UpdateScrollThumbs();
    const auto steps =
        *rc::gen::container<std::vector<int>>(*rc::gen::inRange(0, 40), rc::gen::inRange(0, 8));
    const int sx = view.m_nScrollX;
    const int sy = view.m_nScrollY;
    const auto scroll = [this](int step, bool reverse) {
        const ScrollCode code = kCodes[(step % 4) ^ (reverse ? 1 : 0)];
        step < 4 ? view.OnHScroll(code) : view.OnVScroll(code);
    };
    for (const int step : steps) {
        scroll(step, false);
    }
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        scroll(*it, true);
    }
    RC_ASSERT(view.m_nScrollX == sx);
    RC_ASSERT(view.m_nScrollY == sy);
}

TEST_F(Transform, ZoomedFarInALineScrollStillMoves) {
    OpenWithRunway();
    view.SetZoom(100);  // a pixel is a tenth of a foot: whole-foot offsets move by at least a foot
    const int sx = view.m_nScrollX;
    const int sy = view.m_nScrollY;
    view.OnKeyDown(ViewKey::Right);
    view.OnKeyDown(ViewKey::Down);
    EXPECT_EQ(view.m_nScrollX, sx + 1);
    EXPECT_EQ(view.m_nScrollY, sy + 1);
}

TEST_F(Transform, ThumbTrackingMovesByTheThumbsTravelInPixels) {
    OpenWithRunway();
    const int p = host.horizontal.pos;
    const int sx = view.m_nScrollX;
    view.OnHScroll(ScrollCode::ThumbTrack, p + 25);
    // 25 pixels of 10417 x 0.00077 ft each, rounded half up.
    EXPECT_EQ(view.m_nScrollX, sx + RoundHalfUp(10417 * 25 * 0.001 * 7700 * 0.0001));
    EXPECT_EQ(host.scrolls.back(), (DevicePoint{-25, 0}));
    const int before = view.m_nScrollX;
    view.OnHScroll(ScrollCode::ThumbPosition, 900);
    EXPECT_EQ(view.m_nScrollX, before);
}

struct KeyCase {
    const char* name;
    ViewKey key;
    int dh;  // thumb move of the horizontal bar, in line steps of the drawing
    int dv;
};

TEST_F(Transform, KeysScrollAsTheirScrollCodes) {
    OpenWithRunway();
    const KeyCase cases[] = {
        {"PageUp", ViewKey::PageUp, 0, -10}, {"PageDown", ViewKey::PageDown, 0, 10},
        {"Left", ViewKey::Left, -1, 0},      {"Right", ViewKey::Right, 1, 0},
        {"Up", ViewKey::Up, 0, -1},          {"Down", ViewKey::Down, 0, 1},
        {"Home", ViewKey::Home, 0, 0},       {"End", ViewKey::End, 0, 0},
    };
    for (const KeyCase& c : cases) {
        host.scrolls.clear();
        const int sx = view.m_nScrollX;
        const int sy = view.m_nScrollY;
        EXPECT_TRUE(view.OnKeyDown(c.key)) << c.name;
        if (c.dh == 0 && c.dv == 0) {
            EXPECT_TRUE(host.scrolls.empty()) << c.name;
        } else {
            ASSERT_EQ(host.scrolls.size(), 1u) << c.name;
            EXPECT_EQ(host.scrolls[0], (DevicePoint{-c.dh, -c.dv})) << c.name;
        }
        EXPECT_EQ(view.m_nScrollX > sx, c.dh > 0) << c.name;
        EXPECT_EQ(view.m_nScrollX < sx, c.dh < 0) << c.name;
        EXPECT_EQ(view.m_nScrollY > sy, c.dv > 0) << c.name;
        EXPECT_EQ(view.m_nScrollY < sy, c.dv < 0) << c.name;
    }
    EXPECT_FALSE(view.OnKeyDown(ViewKey::Other));
}

TEST_F(Transform, AScrollBarAtItsEndDoesNotMove) {
    OpenWithRunway();
    host.horizontal.pos = 0;
    const int sx = view.m_nScrollX;
    view.OnHScroll(ScrollCode::LineUp);
    view.OnHScroll(ScrollCode::PageUp);
    EXPECT_EQ(view.m_nScrollX, sx);
    EXPECT_TRUE(host.scrolls.empty());
    host.vertical.pos = 995;
    const int sy = view.m_nScrollY;
    view.OnVScroll(ScrollCode::PageDown);  // limited to the 5 units left
    EXPECT_EQ(host.scrolls.back(), (DevicePoint{0, -5}));
    EXPECT_GT(view.m_nScrollY, sy);
}

TEST_F(Transform, OffsetsOutsideTheFieldPutTheThumbsAtTheEnds) {
    OpenWithRunway();
    view.m_nScrollX = -500;
    view.m_nScrollY = 90000;
    view.UpdateScrollThumbs();
    EXPECT_EQ(host.horizontal.pos, 0);
    EXPECT_EQ(host.vertical.pos, 1000);
}

TEST_F(Transform, VisibleAreaIsTheWindowWidenedByFivePercent) {
    OpenWithRunway();
    const DPoint topLeft = view.WindowToWorld(DevicePoint{0, 0});
    const DPoint bottomRight = view.WindowToWorld(DevicePoint{1200, 900});
    const ClipRect& a = view.m_VisibleArea;
    const double w = bottomRight.x - topLeft.x;
    const double h = topLeft.y - bottomRight.y;
    const double foot = 2.0 / view.UnitsPerFoot();  // two logical units of rounding
    EXPECT_NEAR(a.left, topLeft.x - 0.05 * w, foot);
    EXPECT_NEAR(a.right, bottomRight.x + 0.05 * w, foot);
    EXPECT_NEAR(a.top, topLeft.y + 0.05 * h, foot);
    EXPECT_NEAR(a.bottom, bottomRight.y - 0.05 * h, foot);
}

TEST_F(Transform, GeoToLogicalOfTheBenchmarkIsItsLogicalPosition) {
    OpenWithRunway();
    EXPECT_EQ(view.GeoToLogical(doc.m_Airport.lat, doc.m_Airport.lon), view.BenchmarkLogical());
    // One nautical mile north is 6076.1 ft up.
    const LPoint north = view.GeoToLogical(doc.m_Airport.lat + 1.0 / 60.0, doc.m_Airport.lon);
    const LPoint b = view.BenchmarkLogical();
    EXPECT_NEAR(north.y - b.y, 6076.1 * view.UnitsPerFoot(), 2.0);
    EXPECT_NEAR(north.x, b.x, 2.0);
}

TEST_F(Transform, ZoomModeCommandTogglesTheCursorAndEnablesByState) {
    EXPECT_FALSE(view.UpdateCommandUI(CommandId::Zoom)->enabled);
    OpenWithRunway();
    EXPECT_EQ(view.UpdateCommandUI(CommandId::Zoom), (CommandUI{true, false, std::nullopt}));
    EXPECT_TRUE(view.OnCommand(CommandId::Zoom));
    EXPECT_EQ(host.cursor, ViewCursor::Zoom);
    EXPECT_EQ(view.UpdateCommandUI(CommandId::Zoom), (CommandUI{true, true, std::nullopt}));
    EXPECT_TRUE(view.OnSetCursor());
    EXPECT_EQ(host.prompt, "Hold Shift key down to zoom 10x");
    view.m_bPlaceSink = 1;
    EXPECT_FALSE(view.UpdateCommandUI(CommandId::Zoom)->enabled);
    view.m_bPlaceSink = 0;
    view.m_nDragState = DragState::CollectPolygon;
    EXPECT_FALSE(view.UpdateCommandUI(CommandId::Zoom)->enabled);
    view.m_nDragState = DragState::Idle;
    view.OnCommand(CommandId::Zoom);
    EXPECT_EQ(host.cursor, ViewCursor::Arrow);
    EXPECT_FALSE(view.OnSetCursor());
}

TEST_F(Transform, ZoomModeClicksCentreAndZoom) {
    OpenWithRunway();
    view.OnCommand(CommandId::Zoom);
    const DevicePoint click{900, 200};
    const DPoint target = view.WindowToWorld(click);
    view.OnLButtonDown(click);
    EXPECT_EQ(view.m_nZoom, 7600);
    const DPoint centre = view.WindowToWorld(DevicePoint{600, 450});
    EXPECT_LT(std::fabs(centre.x - target.x), 2.5);  // the roundings of centring and of zooming
    EXPECT_LT(std::fabs(centre.y - target.y), 2.5);
    view.OnRButtonDown(DevicePoint{600, 450});
    EXPECT_EQ(view.m_nZoom, 7700);
}

TEST_F(Transform, RotationCommandsAreEnabledWithAnAirport) {
    EXPECT_EQ(view.UpdateCommandUI(CommandId::RotateCW), (CommandUI{false, std::nullopt, std::nullopt}));
    OpenWithRunway();
    EXPECT_EQ(view.UpdateCommandUI(CommandId::RotateCCW), (CommandUI{true, std::nullopt, std::nullopt}));
    EXPECT_TRUE(view.OnCommand(CommandId::RotateCW));
    EXPECT_EQ(doc.m_dRotation, 1.0);
    EXPECT_FALSE(view.OnCommand(CommandId::FileSave));
    EXPECT_FALSE(view.UpdateCommandUI(CommandId::FileSave).has_value());
}

TEST_F(Transform, AnOpenedDocumentsRotationIsInForceAtOnce) {
    testing::AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
    doc.m_dRotation = 30.0;
    Open();
    EXPECT_NEAR(view.m_dSin, 0.5, 1e-12);
    LPoint p{5000, 0};
    const LPoint b = view.BenchmarkLogical();
    p.x += b.x;
    p.y += b.y;
    view.RotateLogical(p);
    EXPECT_NEAR(p.x - b.x, 4330.1, 2.0);
    EXPECT_NEAR(p.y - b.y, 2500.0, 2.0);
}

}  // namespace
}  // namespace rollpath
