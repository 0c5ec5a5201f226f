// One full OnDraw of the large synthetic airport into a 1920 x 1080 QImage
// through the Qt canvas, markings and lights on: a frame while dragging.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "../DrawScene.h"
#include "qtcanvas/QtCanvas.h"

namespace rollpath {
namespace {

void BM_OnDrawQImage(benchmark::State& state) {
    DrawScene scene;
    scene.ZoomTo(static_cast<int>(state.range(0)));
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter, 96, 96, image.size());
        scene.view.OnDraw(canvas);
    }
    scene.Describe(state);
}
BENCHMARK(BM_OnDrawQImage)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
