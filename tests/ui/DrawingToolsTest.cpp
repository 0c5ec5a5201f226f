// Drawing with real mouse events on the editor's view widget (offscreen):
// a chain on KSFO ended by Escape, undone and redone from the Edit menu,
// and the right-button menu.

#include <QMouseEvent>
#include <QStatusBar>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "geometry/PolygonMeasures.h"
#include "support/TempDir.h"
#include "ui/ContextMenu.h"
#include "ui/MainFrame.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class DrawingToolsTest : public QObject {
    Q_OBJECT

private:
    CViewWidget& Widget() { return frame_->ViewWidget(); }

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

    testing::TempDir dir_{"rollpath-ui-tools"};
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
        QCOMPARE(doc_.m_bAirportLoaded, 1);
    }

    void cleanup() { frame_.reset(); }

    // Escape ends the chain where the pointer is, as a right click there
    // would, and the tool's prompt goes with it; Edit > Undo takes the chain
    // away and Redo brings it back.
    void escapeEndsTheChainThatUndoTakesAwayAndRedoBringsBack() {
        QWidget* viewport = Widget().viewport();
        const QPoint a = FreePixel(40, 40);
        const QPoint b = FreePixel(140, 40);
        QVERIFY(a.x() >= 0 && b.x() >= 0);
        QAction* undo = frame_->Action(CommandId::EditUndo);
        QVERIFY(undo != nullptr);
        QVERIFY(!undo->isEnabled());
        const std::size_t before = doc_.m_pSegments.size();
        Widget().View().OnCommand(CommandId::RollpathTool);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, a);
        QTest::mouseMove(viewport, b);
        // The prompt shows when the pointer's cursor is set over the view.
        QVERIFY(Widget().View().OnSetCursor());
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("Click right mouse button to finish"));
        // The pointer over b, as the view sees it moving there.
        QMouseEvent move(QEvent::MouseMove, QPointF(b), QPointF(viewport->mapToGlobal(b)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::keyClick(&Widget(), Qt::Key_Escape);
        QCOMPARE(Widget().View().m_bRollpathTool, 0);
        QCOMPARE(frame_->MessagePaneText(), QStringLiteral("For Help, press F1"));
        QCOMPARE(doc_.m_pSegments.size(), before + 1);
        const RollpathSegment& s = *doc_.m_pSegments.back();
        QCOMPARE(PixelOf(doc_.Vertex(s.vertex1).pos()), b);
        QVERIFY(s.live());
        frame_->UpdateActions();
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo New Rollpath\tCtrl+Z"));
        QAction* redo = frame_->Action(CommandId::EditRedo);
        QVERIFY(!redo->isEnabled());
        undo->trigger();
        QCOMPARE(doc_.m_pSegments.size(), before);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo\tCtrl+Z"));
        QVERIFY(redo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("&Redo New Rollpath\tCtrl+Shift+Z"));
        redo->trigger();
        QCOMPARE(doc_.m_pSegments.size(), before + 1);
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
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

QTEST_MAIN(rollpath::DrawingToolsTest)
#include "DrawingToolsTest.moc"
