// The editor's view widget on the offscreen platform, KSFO opened from a
// sample installation: the right-button menu with its items greyed as the
// view says, and repaints of invalidated areas against full paints (its keys
// and wheel: the main frame's tests).

#include <QAction>
#include <QMouseEvent>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "UiTestSupport.h"
#include "geometry/PolygonMeasures.h"
#include "qtcanvas/QtCanvas.h"
#include "support/SampleInstallation.h"
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
                    at = testing::PixelOf(widget, doc.Vertex(k).pos());
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

    testing::TempDir dir_{"rollpath-ui"};
    Settings settings_;
    RecordingMessageSink messages_;
    CRollpathDoc doc_;
    std::unique_ptr<CMainFrame> frame_;

private slots:
    void init() {
        QVERIFY(testing::WriteSampleInstallation(dir_.path(), SampleLayout::Loose));
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
