// One full OnDraw of the large synthetic airport into the recording canvas:
// the cost of the view's own work (rotation, clipping, projection, light
// spacing) without any painting.

#include <benchmark/benchmark.h>

#include "DrawScene.h"
#include "view/RecordingCanvas.h"

namespace rollpath {
namespace {

void BM_OnDrawRecording(benchmark::State& state) {
    DrawScene scene;
    scene.ZoomTo(static_cast<int>(state.range(0)));
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        scene.view.OnDraw(canvas);
        benchmark::DoNotOptimize(canvas.calls.data());
    }
    scene.Describe(state);
    state.counters["calls"] = static_cast<double>(canvas.calls.size());
}
// 0: the initial fit, the whole airport; 2000: zoomed in, most of it culled.
BENCHMARK(BM_OnDrawRecording)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_OnDrawRotated(benchmark::State& state) {
    DrawScene scene;
    scene.doc.m_dRotation = 29.0;
    scene.view.OnRotateCW();
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        scene.view.OnDraw(canvas);
        benchmark::DoNotOptimize(canvas.calls.data());
    }
    scene.Describe(state);
}
BENCHMARK(BM_OnDrawRotated)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
