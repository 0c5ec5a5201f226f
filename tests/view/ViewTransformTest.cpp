#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "ViewTestSupport.h"
#include "view/ViewColors.h"

namespace rollpath {
namespace {

using testing::Distance;

class Transform : public ::testing::Test, protected testing::ViewTest {};

// The numbers worked by hand: extent 6000 ft, the smaller side 9375 units,
// so Z = 100 x trunc(0.5 + 76.8) = 7700, k = 10000 / 7700.
TEST_F(Transform, InitialFitPutsTheBenchmarkInTheMiddle) {
    OpenWithRunway();
    // Scroll x = trunc(26400 - 6250 / k), y = trunc(-4688 / k + 26400); the
    // thumbs at trunc(scroll / 52800 x 1000) of 1000.
    EXPECT_EQ(std::tie(view.m_nZoom, view.m_nScrollX, view.m_nScrollY), std::tuple(7700, 21587, 22790));
    EXPECT_EQ(std::tie(host.horizontal.max, host.vertical.max, host.horizontal.pos, host.vertical.pos),
              std::tuple(1000, 1000, 408, 431));
    EXPECT_EQ(std::tie(host.statusWidth, host.statusScale, host.statusRotation), std::tuple(50.0, 770L, 0.0));
    const DPoint centre = view.WindowToWorld(DevicePoint{600, 450});
    EXPECT_LT(Distance(centre, DPoint{0.0, 0.0}), 1.0);
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
        // Within whole-foot offsets and three logical units of the coarser
        // scale: the point is found in whole units, turned, by the zoom
        // before and after it and by this check.
        const double unit = 1.0 / std::min(coarse, view.UnitsPerFoot());
        RC_ASSERT(Distance(view.WindowToWorld(anchor), before) < 1.5 + 3.0 * unit);
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
