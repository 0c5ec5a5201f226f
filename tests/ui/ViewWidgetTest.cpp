// The editor's view widget on the offscreen platform, KSFO opened from a
// sample installation: keys, the wheel, a resized window, the right-button
// menu with its items greyed as the view says, and repaints of invalidated
// areas against full paints.

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "UiTestSupport.h"
#include "geometry/PolygonMeasures.h"
#include "qtcanvas/QtCanvas.h"
#include "support/SyntheticAirport.h"
#include "support/TempDir.h"
#include "ui/ContextMenu.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"
#include "view/ViewColors.h"

namespace rollpath {

class ViewWidgetTest : public QObject {
    Q_OBJECT

private:
    CViewWidget& Widget() { return frame_->ViewWidget(); }

    QPoint PixelOf(const DPoint& world) { return PixelOf(Widget(), world); }

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

    // The widget's picture drawn afresh, the view told to draw everything.
    static QImage FullPaint(CViewWidget& widget) {
        class Everything : public QtCanvas {
        public:
            using QtCanvas::QtCanvas;
            std::optional<LRect> PaintArea() const override { return std::nullopt; }
        };
        QImage image(widget.BackBuffer().size(), QImage::Format_RGB32);
        image.fill(QtCanvas::ToQColor(kWindowWhite));
        {
            QPainter painter(&image);
            Everything canvas(painter, widget.LogicalDpiX(), widget.LogicalDpiY(), image.size());
            widget.View().OnDraw(canvas);
        }
        return image;
    }

    // One random step of a session: a view change, a toggle, an edit, or a
    // drag whose every move is painted.
    void RandomStep(CViewWidget& widget, CRollpathDoc& doc, std::mt19937& random,
                    const std::function<void()>& paint) {
        CRollpathView& view = widget.View();
        const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        QWidget* viewport = widget.viewport();
        const auto mouse = [viewport](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        };
        switch (pick(8)) {
            case 0:
                view.OnChar("=-,."[pick(4)]);
                break;
            case 1: {
                constexpr ViewKey keys[] = {ViewKey::Left, ViewKey::Right, ViewKey::Up, ViewKey::Down};
                view.OnKeyDown(keys[pick(4)]);
                break;
            }
            case 2: {
                constexpr CommandId toggles[] = {CommandId::ViewMarkings, CommandId::ViewLights,
                                                 CommandId::ViewVertices, CommandId::ViewPolygons,
                                                 CommandId::ViewRunways,  CommandId::ViewGrid};
                view.OnCommand(toggles[pick(6)]);
                break;
            }
            case 3: {
                constexpr CommandId edits[] = {CommandId::EditUndo, CommandId::EditRedo,
                                               CommandId::EditDelete};
                view.OnCommand(edits[pick(3)]);
                break;
            }
            default: {
                // Pressed on a vertex, or anywhere (a polygon, a hold bar ...).
                QPoint at(pick(viewport->width()), pick(viewport->height()));
                const int k = pick(std::max(doc.m_nVertices, 1));
                if (pick(2) == 0 && doc.IsLiveVertex(k)) {
                    at = PixelOf(widget, doc.Vertex(k).pos());
                }
                mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
                paint();
                for (int moves = pick(4); moves > 0; --moves) {
                    at += QPoint(pick(241) - 120, pick(241) - 120);
                    mouse(QEvent::MouseMove, at, Qt::LeftButton);
                    paint();
                }
                mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
                break;
            }
        }
    }

    // The device pixel of a world point in a view widget.
    static QPoint PixelOf(CViewWidget& widget, const DPoint& world) {
        LPoint l;
        widget.View().ProjectPoints(1, &world, &l, true);
        return QPoint(static_cast<int>(std::lround(l.x * widget.LogicalDpiX() / 1000.0)),
                      static_cast<int>(std::lround(-l.y * widget.LogicalDpiY() / 1000.0)));
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

    // A right click pops up the menu with its items greyed as the view says.
    void aRightClickPopsUpTheContextMenu() {
        QWidget* viewport = Widget().viewport();
        const QPoint p = FreePixel(60, 60);
        QVERIFY(p.x() >= 0);
        QTest::mouseMove(viewport, p);
        QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, p);
        CContextMenu& menu = Widget().ContextMenu();
        QVERIFY(menu.isVisible());
        QStringList texts;
        for (QAction* a : menu.actions()) {
            texts << a->text();
        }
        QCOMPARE(texts, (QStringList{"Cu&t", "&Copy", "&Paste", "&Insert Vertex", "&Delete Vertex", "Ce&nter",
                                     "Pr&operties..."}));
        QCOMPARE(menu.Action(CommandId::CenterAtMouse)->statusTip(),
                 QStringLiteral("Center diagram at mouse"));
        // Nothing was right-clicked: Cut is greyed as the view says.
        QCOMPARE(Widget().View().m_Context.kind, ContextKind::Nothing);
        QVERIFY(!menu.Action(CommandId::ContextCut)->isEnabled());
        QVERIFY(menu.Action(CommandId::CenterAtMouse)->isEnabled());
        Widget().ContextMenu().close();
    }

    // The window keeps what it drew and repaints only what the view
    // invalidates: after every step of random sessions (views, toggles,
    // edits, drags painted move by move) it shows what a full paint from
    // the model shows, pixel for pixel.
    void repaintsOfInvalidatedAreasMatchFullPaints() {
        constexpr int kSessions = 6;
        constexpr int kSteps = 25;
        for (int seed = 1; seed <= kSessions; ++seed) {
            CRollpathDoc doc;
            doc.SetSettings(&settings_);
            doc.SetMessageSink(&messages_);
            testing::BuildSyntheticAirport(doc, {.seed = static_cast<std::uint64_t>(seed),
                                                 .columns = 9,
                                                 .rows = 7,
                                                 .spacing = 300.0,
                                                 .polygons = 12});
            CViewWidget widget(doc, messages_);
            widget.resize(360, 280);
            widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&widget));
            widget.View().OnInitialUpdate();
            widget.View().OnCommand(CommandId::ViewMarkings);
            widget.View().OnCommand(CommandId::ViewLights);
            // Zoomed in on one part of the airport, or all of it.
            widget.View().SetZoom(widget.View().m_nZoom / (1 + seed % 3));
            std::mt19937 random(static_cast<unsigned>(seed));
            int step = 0;
            bool same = true;
            const auto paint = [&] {
                widget.RedrawBuffer();
                same = same && widget.BackBuffer() == FullPaint(widget);
            };
            paint();
            for (; step < kSteps && same; ++step) {
                RandomStep(widget, doc, random, paint);
                paint();
            }
            QVERIFY2(same, qPrintable(QStringLiteral("seed %1, after %2 steps").arg(seed).arg(step)));
        }
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::ViewWidgetTest)
#include "ViewWidgetTest.moc"
