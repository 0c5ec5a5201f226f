// The airport diagram in the view widget on the offscreen platform: drawn
// from 24-bit and 8-bit files and checked pixel by pixel, and placed with
// the modeless Position dialog.

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "support/BitmapFiles.h"
#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "ui/ModelQtDialog.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class DiagramWidgetTest : public QObject {
    Q_OBJECT

private:
    QPoint PixelOf(const DPoint& world) {
        LPoint l;
        widget_->View().ProjectPoints(1, &world, &l, true);
        return QPoint(static_cast<int>(std::lround(l.x * widget_->LogicalDpiX() / 1000.0)),
                      static_cast<int>(std::lround(-l.y * widget_->LogicalDpiY() / 1000.0)));
    }

    QImage Painted() {
        widget_->RedrawBuffer();
        return widget_->BackBuffer();
    }

    // Opens the document with a quartered diagram of the given depth.
    void OpenWithDiagram(int bits) {
        const auto path = dir_ / (bits == 8 ? "eight.bmp" : "full.bmp");
        testing::WriteBytes(path, testing::QuarteredBitmap(40, 20, bits));
        doc_.m_szBmpPath = path.string();
        widget_->View().OnInitialUpdate();
        QCOMPARE(widget_->View().m_bDiagramLoaded, 1);
        // Only the diagram and the benchmark mark are drawn.
        widget_->View().OnCommand(CommandId::ViewRunways);
        widget_->View().OnCommand(CommandId::ViewRollpaths);
    }

    // The diagram is 10000 by 5000 ft about the benchmark: each quarter's
    // middle, away from the benchmark mark.
    void CheckQuarters() {
        const QImage image = Painted();
        const struct {
            DPoint world;
            QColor color;
        } quarters[] = {
            {DPoint{-2500.0, 1250.0}, Qt::red},
            {DPoint{2500.0, 1250.0}, Qt::green},
            {DPoint{-2500.0, -1250.0}, Qt::blue},
            {DPoint{2500.0, -1250.0}, Qt::white},
        };
        for (const auto& q : quarters) {
            const QPoint px = PixelOf(q.world);
            QVERIFY2(image.rect().contains(px), qPrintable(QStringLiteral("%1,%2").arg(px.x()).arg(px.y())));
            QVERIFY2(testing::SameRgb(image, px.x(), px.y(), q.color),
                     qPrintable(QStringLiteral("%1 at %2,%3 is %4")
                                    .arg(q.color.name())
                                    .arg(px.x())
                                    .arg(px.y())
                                    .arg(image.pixelColor(px).name())));
        }
        // Beyond the image's edge the window's white shows.
        const QPoint outside = PixelOf(DPoint{-5600.0, 0.0});
        if (image.rect().contains(outside)) {
            QVERIFY(testing::SameRgb(image, outside.x(), outside.y(), Qt::white));
        }
    }

    testing::TempDir dir_{"rollpath-diagram-ui"};
    Settings settings_;
    RecordingMessageSink messages_;
    CRollpathDoc doc_;
    std::unique_ptr<CViewWidget> widget_;

private slots:
    void init() {
        doc_.CleanUp();
        doc_.SetSettings(&settings_);
        doc_.SetMessageSink(&messages_);
        doc_.m_Airport.lat = 37.618544;
        doc_.m_Airport.lon = -122.375478;
        testing::AddRunway(doc_, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150);
        widget_ = std::make_unique<CViewWidget>(doc_, messages_);
        widget_->resize(700, 500);
        widget_->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget_.get()));
    }

    void cleanup() { widget_.reset(); }

    void aDiagramIsDrawnInItsColoursAtEitherDepth() {
        for (const int bits : {24, 8}) {
            OpenWithDiagram(bits);
            CheckQuarters();
            widget_->View().OnCommand(CommandId::ViewRunways);
            widget_->View().OnCommand(CommandId::ViewRollpaths);
        }
        QVERIFY(messages_.shown.empty());
    }

    void thePositionDialogMovesTheDiagram() {
        OpenWithDiagram(24);
        CRollpathView& view = widget_->View();
        view.OnCommand(CommandId::PositionDiagram);
        ModelQtDialog* window = widget_->Dialogs().ModelessWindow(view.PositionDialog());
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Position"));
        auto* horizontal = qobject_cast<QLineEdit*>(window->ControlWidget(1008));
        QVERIFY(horizontal != nullptr);
        QCOMPARE(horizontal->text(), QStringLiteral("0"));
        horizontal->selectAll();
        QTest::keyClicks(horizontal, QStringLiteral("250"));
        QCOMPARE(doc_.m_nBmpX, 250);
        // The red quarter's middle moved 250 ft east with the image.
        const QImage image = Painted();
        const QPoint px = PixelOf(DPoint{-2500.0 + 250.0, 1250.0});
        QVERIFY(testing::SameRgb(image, px.x(), px.y(), Qt::red));

        // A drag's refresh shows in the window.
        doc_.m_nBmpY = -75;
        view.RefreshPositionDialog();
        QCOMPARE(qobject_cast<QLineEdit*>(window->ControlWidget(1010))->text(), QStringLiteral("-75"));

        QPointer<ModelQtDialog> guard(window);
        window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(view.m_bPositioning, 0);
        QVERIFY(!view.IsPositionDialogOpen());
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(doc_.m_nBmpX, 250);
    }

    void anOpenPositionDialogGoesWithTheWidget() {
        OpenWithDiagram(24);
        widget_->View().OnCommand(CommandId::PositionDiagram);
        QPointer<ModelQtDialog> guard(widget_->Dialogs().ModelessWindow(widget_->View().PositionDialog()));
        QVERIFY(!guard.isNull());
        widget_.reset();
        QVERIFY(guard.isNull());
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::DiagramWidgetTest)
#include "DiagramWidgetTest.moc"
