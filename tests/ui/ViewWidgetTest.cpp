// The editor's view widget on the offscreen platform, KSFO opened from a
// sample installation: keys, the wheel, a resized window, and drawing with
// real mouse events (a chain ended by Escape, undone and redone from the Edit
// menu; the right-button menu).

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "geometry/PolygonMeasures.h"
#include "support/TempDir.h"
#include "ui/ContextMenu.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class ViewWidgetTest : public QObject {
    Q_OBJECT

private:
    CViewWidget& Widget() { return frame_->ViewWidget(); }

    // The device pixel of a world point in the view.
    QPoint PixelOf(const DPoint& world) {
        LPoint l;
        Widget().View().ProjectPoints(1, &world, &l, true);
        return QPoint(static_cast<int>(std::lround(l.x * Widget().LogicalDpiX() / 1000.0)),
                      static_cast<int>(std::lround(-l.y * Widget().LogicalDpiY() / 1000.0)));
    }

    // A point of the window that no runway covers.
    QPoint FreePixel(int x, int y) {
        const DPoint world = Widget().View().WindowToWorld(DevicePoint{x, y});
        for (const auto& runway : doc_.m_pRunways) {
            if (PointInPolygon(world.x, world.y, runway->corners.data(), 4) != kOutside) {
                return QPoint(-1, -1);
            }
        }
        return QPoint(x, y);
    }

    testing::TempDir dir_{"rollpath-ui"};
    Settings settings_;
    RecordingMessageSink messages_;
    CRollpathDoc doc_;
    std::unique_ptr<CMainFrame> frame_;

private slots:
    void init() {
        std::string error;
        QVERIFY2(testing::InstallSamples(dir_.path(), error), error.c_str());
        settings_.FlyDir = dir_.path().string();
        doc_.SetSettings(&settings_);
        doc_.SetMessageSink(&messages_);
        doc_.SetProgramDir(dir_ / "program");
        frame_ = std::make_unique<CMainFrame>(doc_, messages_);
        frame_->resize(900, 700);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        FixedOpenAirportDialog dialog(OpenAirportChoice{"KSFO", false});
        QVERIFY(frame_->OpenAirport(dialog));
        QVERIFY2(messages_.shown.empty(), messages_.shown.empty() ? "" : messages_.shown.front().c_str());
        QCOMPARE(doc_.m_bAirportLoaded, 1);
    }

    void cleanup() { frame_.reset(); }

    void keysZoomRotateAndToggle() {
        CRollpathView& view = frame_->ViewWidget().View();
        const int zoom = view.m_nZoom;
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Equal);
        QCOMPARE(view.m_nZoom, zoom - 100);
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Plus, Qt::ShiftModifier);
        QCOMPARE(view.m_nZoom, zoom - 1100);
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Period);
        QCOMPARE(doc_.m_dRotation, 359.0);
        QCOMPARE(frame_->RotationPane()->text(), QString::fromUtf8("1.00\u00b0"));
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_L);
        QCOMPARE(view.m_bOutlineOnly, 1);
        const int sx = view.m_nScrollX;
        QTest::keyClick(&frame_->ViewWidget(), Qt::Key_Right);
        QVERIFY(view.m_nScrollX > sx);
    }

    // The wheel zooms about the pointer, forward in; with Shift it scrolls
    // sideways. A resized window keeps the drawing's centre in its centre.
    void theWheelZoomsAboutThePointerAndAResizeKeepsTheCentre() {
        CViewWidget& widget = frame_->ViewWidget();
        CRollpathView& view = widget.View();
        const QPoint pointer(150, 120);
        const auto wheel = [&widget, pointer](int angle, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(QPointF(pointer), QPointF(widget.viewport()->mapToGlobal(pointer)), QPoint(),
                              QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(widget.viewport(), &event);
        };
        const DPoint under = view.WindowToWorld(DevicePoint{pointer.x(), pointer.y()});
        const int zoom = view.m_nZoom;
        wheel(120, Qt::NoModifier);
        QVERIFY(std::abs(view.m_nZoom * 6 - zoom * 5) <= 6);
        const DPoint still = view.WindowToWorld(DevicePoint{pointer.x(), pointer.y()});
        QVERIFY(std::hypot(still.x - under.x, still.y - under.y) < 1.5);
        wheel(-120, Qt::NoModifier);
        QVERIFY(std::abs(view.m_nZoom - zoom) <= 1);

        const int sx = view.m_nScrollX;
        const int sy = view.m_nScrollY;
        const int thumb = widget.horizontalScrollBar()->value();
        wheel(-120, Qt::ShiftModifier);
        QVERIFY(view.m_nScrollX > sx);
        QCOMPARE(view.m_nScrollY, sy);
        QCOMPARE(view.m_nZoom, zoom);
        QVERIFY(widget.horizontalScrollBar()->value() > thumb);

        const auto centre = [&widget] {
            return widget.View().WindowToWorld(
                DevicePoint{widget.viewport()->width() / 2, widget.viewport()->height() / 2});
        };
        const DPoint middle = centre();
        frame_->resize(1200, 500);
        QTRY_COMPARE(widget.viewport()->height() < 500, true);
        const DPoint kept = centre();
        // Within a foot and a pixel (the centre pixel is a whole pixel).
        const double pixel = view.m_nZoom / (10.0 * widget.LogicalDpiX());
        QVERIFY(std::hypot(kept.x - middle.x, kept.y - middle.y) < 1.5 * (1.0 + pixel));
    }

    void aRightClickPopsUpTheContextMenu() {
        QWidget* viewport = Widget().viewport();
        const QPoint p = FreePixel(60, 60);
        QVERIFY(p.x() >= 0);
        QTest::mouseMove(viewport, p);
        QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, p);
        QVERIFY(Widget().ContextMenu().isVisible());
        QCOMPARE(Widget().ContextMenu().actions().size(), qsizetype{7});
        QCOMPARE(Widget().View().m_Context.kind, ContextKind::Nothing);
        Widget().ContextMenu().close();
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::ViewWidgetTest)
#include "ViewWidgetTest.moc"
