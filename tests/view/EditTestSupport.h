#pragma once

// A view opened on a document, looked at closely (zoom 500: 20 logical
// units, about two pixels, per foot) so that mouse events land within half a
// foot of the world points the tests name.

#include <cmath>

#include "ViewTestSupport.h"

namespace rollpath::testing {

class EditTest : public ViewTest {
protected:
    // The window centred on c at zoom value `zoom`.
    void Focus(const DPoint& c, int zoom = 500) {
        view.m_nZoom = zoom;
        const double k = view.UnitsPerFoot();
        const LPoint centre =
            view.DeviceToLogical(DevicePoint{host.client.width / 2, host.client.height / 2});
        view.m_nScrollX = static_cast<int>(std::lround(kHalfField + c.x - centre.x / k));
        view.m_nScrollY = static_cast<int>(std::lround(kHalfField - c.y + centre.y / k));
        view.UpdateVisibleArea();
    }

    // The pixel nearest to a world point.
    DevicePoint At(const DPoint& world) const {
        double x = 0.0;
        double y = 0.0;
        DevicePosition(world, x, y);
        return DevicePoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }

    void Move(const DPoint& w) { view.OnMouseMove(At(w)); }
    void Press(const DPoint& w) {
        Move(w);
        view.OnLButtonDown(At(w));
    }
    void Release(const DPoint& w) {
        Move(w);
        view.OnLButtonUp(At(w));
    }
    void Click(const DPoint& w) {
        Press(w);
        view.OnLButtonUp(At(w));
    }
    void RightClick(const DPoint& w) {
        Move(w);
        view.OnRButtonDown(At(w));
    }
    void Drag(const DPoint& from, const DPoint& to) {
        Press(from);
        Move(DPoint{(from.x + to.x) / 2.0, (from.y + to.y) / 2.0});
        Release(to);
    }

    int LiveSegments() const {
        int n = 0;
        for (const auto& s : doc.m_pSegments) {
            n += s->live() ? 1 : 0;
        }
        return n;
    }
};

}  // namespace rollpath::testing
