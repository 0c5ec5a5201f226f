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
protected:
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

    RecordingCanvas Draw() {
        RecordingCanvas canvas;
        view.OnDraw(canvas);
        return canvas;
    }

    // Device pixels of a world point, as floating values.
    void DevicePosition(const DPoint& world, double& x, double& y) const {
        LPoint l;
        view.ProjectPoints(1, &world, &l, true);
        x = l.x * host.dpi / 1000.0;
        y = -l.y * host.dpi / 1000.0;
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

}  // namespace rollpath::testing
