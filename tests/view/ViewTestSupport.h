#pragma once

// A document with one runway, a headless host of 1200 x 900 pixels at
// 96 dpi and a view on them.

#include <cmath>

#include "document/RollpathDoc.h"
#include "support/NetworkBuilder.h"
#include "view/HeadlessViewHost.h"
#include "view/RecordingCanvas.h"
#include "view/RollpathView.h"

namespace rollpath::testing {

class ViewTest {
public:
    ViewTest() {
        doc.SetSettings(&settings);
        doc.SetMessageSink(&messages);
        doc.m_Airport.lat = 37.618544;
        doc.m_Airport.lon = -122.375478;
    }

    // The runway from (-3000, 0) to (3000, 0), 150 ft wide, and the view
    // opened on it.
    void OpenWithRunway() {
        AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150);
        Open();
    }

    void Open() {
        view.OnSize(host.client.width, host.client.height);
        view.OnInitialUpdate();
    }

    bool Enabled(CommandId id) const {
        const std::optional<CommandUI> ui = view.UpdateCommandUI(id);
        return ui.has_value() && ui->enabled;
    }

    RecordingCanvas Draw() {
        RecordingCanvas canvas;
        view.OnDraw(canvas);
        return canvas;
    }

    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
    HeadlessViewHost host{messages};
    CRollpathView view{doc, host};
};

inline double Distance(const DPoint& a, const DPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A view opened on a document, looked at closely (zoom 500: 20 logical
// units, about two pixels, per foot) so that mouse events land within half a
// foot of the world points the tests name.
class EditTest : public ViewTest {
public:
    // The window centred on c at zoom 500.
    void Focus(const DPoint& c) {
        view.m_nZoom = 500;
        view.CenterOnWorld(c);
    }

    // The pixel nearest to a world point.
    DevicePoint At(const DPoint& world) const {
        LPoint l;
        view.ProjectPoints(1, &world, &l, true);
        return DevicePoint{static_cast<int>(std::lround(l.x * host.dpi / 1000.0)),
                           static_cast<int>(std::lround(-l.y * host.dpi / 1000.0))};
    }

    // Where the view takes the pixel nearest to a world point to be.
    DPoint Seen(const DPoint& w) const { return view.WindowToWorld(At(w)); }

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
};

}  // namespace rollpath::testing
