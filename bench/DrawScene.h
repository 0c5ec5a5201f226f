#pragma once

// The large synthetic airport opened in a headless view of 1920 x 1080
// pixels at 96 dpi, with markings and lights shown: what one full OnDraw
// of the benchmarks draws.

#include <benchmark/benchmark.h>

#include <memory>

#include "support/SyntheticAirport.h"
#include "view/HeadlessViewHost.h"
#include "view/RollpathView.h"

namespace rollpath {

struct DrawScene {
    DrawScene() {
        testing::BuildSyntheticAirport(doc);
        doc.SetMessageSink(&messages);
        view.OnSize(host.client.width, host.client.height);
        view.OnInitialUpdate();
        view.OnCommand(CommandId::ViewMarkings);
        view.OnCommand(CommandId::ViewLights);
    }

    // Zoom 0 keeps the initial fit (the whole airport in the window).
    void ZoomTo(int zoom) {
        if (zoom != 0) {
            view.SetZoom(zoom);
        }
    }

    void Describe(benchmark::State& state) const {
        int segments = 0;
        for (const auto& s : doc.m_pSegments) {
            segments += s->live() ? 1 : 0;
        }
        state.counters["segments"] = segments;
        state.counters["zoom"] = view.m_nZoom;
    }

    RecordingMessageSink messages;
    CRollpathDoc doc;
    HeadlessViewHost host{messages, DeviceSize{1920, 1080}, 96};
    CRollpathView view{doc, host};
};

}  // namespace rollpath
