// The busiest vertex of the large synthetic airport dragged with the mouse
// in the view widget on the offscreen platform, markings and lights on, at
// 1920 x 1080: one iteration is one mouse move and the repaint it asks for,
// a frame of the drag.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "../BusiestVertex.h"
#include "support/SyntheticAirport.h"
#include "ui/ViewWidget.h"

namespace rollpath {
namespace {

using bench::BusiestVertex;

// The platform without a screen, unless one was asked for.
void UseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

QPoint PixelOf(CViewWidget& widget, const DPoint& world) {
    LPoint l;
    widget.View().ProjectPoints(1, &world, &l, true);
    return QPoint(static_cast<int>(std::lround(l.x * widget.LogicalDpiX() / 1000.0)),
                  static_cast<int>(std::lround(-l.y * widget.LogicalDpiY() / 1000.0)));
}

void SendMouse(QWidget* viewport, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// 0: the initial fit, the whole airport; 2000: zoomed in on the vertex.
void BM_DragBusiestVertex(benchmark::State& state) {
    UseOffscreenPlatform();
    int argc = 1;
    char name[] = "rollpath_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    RecordingMessageSink messages;
    CRollpathDoc doc;
    testing::BuildSyntheticAirport(doc);
    doc.SetMessageSink(&messages);
    CViewWidget widget(doc, messages);
    widget.resize(1920, 1080);
    widget.show();
    QCoreApplication::processEvents();
    widget.resize(QSize(1920, 1080) + widget.size() - widget.viewport()->size());
    QCoreApplication::processEvents();
    CRollpathView& view = widget.View();
    view.OnInitialUpdate();
    view.OnCommand(CommandId::ViewMarkings);
    view.OnCommand(CommandId::ViewLights);
    const DPoint vertex = doc.Vertex(BusiestVertex(doc)).pos();
    if (state.range(0) != 0) {
        view.SetZoom(static_cast<int>(state.range(0)));
        const QPoint p = PixelOf(widget, vertex);
        view.CenterAt(DevicePoint{p.x(), p.y()});
    }
    QCoreApplication::processEvents();
    QWidget* viewport = widget.viewport();
    QPoint at = PixelOf(widget, vertex);
    SendMouse(viewport, QEvent::MouseButtonPress, at);
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // Back and forth, three pixels a move.
        at += QPoint(step % 16 < 8 ? 3 : -3, step % 32 < 16 ? 2 : -2);
        ++step;
        SendMouse(viewport, QEvent::MouseMove, at);
        QCoreApplication::processEvents();
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, at);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["zoom"] = view.m_nZoom;
    state.counters["width"] = viewport->width();
    state.counters["height"] = viewport->height();
}
BENCHMARK(BM_DragBusiestVertex)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rollpath
