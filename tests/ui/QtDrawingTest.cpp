// Drawing on the offscreen platform: the Qt canvas on a QImage (winding
// fill, not-xor and culling), and the airport diagram in the view widget,
// drawn and checked pixel by pixel, and placed
// with the modeless Position dialog.

#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "UiTestSupport.h"
#include "qtcanvas/QtCanvas.h"
#include "support/BitmapFiles.h"
#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "ui/ModelQtDialog.h"
#include "ui/ViewWidget.h"

namespace rollpath {

class QtDrawingTest : public QObject {
    Q_OBJECT

private:
    QPoint PixelOf(const DPoint& world) { return testing::PixelOf(*widget_, world); }

    QImage Painted() {
        widget_->RedrawBuffer();
        return widget_->BackBuffer();
    }

    // Opens the document with a quartered diagram (every depth is decoded
    // to the same pixels: the view's bitmap tests).
    void OpenWithDiagram() {
        const auto path = dir_ / "full.bmp";
        testing::WriteBytes(path, testing::QuarteredBitmap(40, 20));
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

    // A 100 x 100 pixel white image at 100 dpi: 10 logical units per pixel.
    static QImage White() {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
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

    void aDiagramIsDrawnInItsColours() {
        OpenWithDiagram();
        CheckQuarters();
        QVERIFY(messages_.shown.empty());
    }

    void thePositionDialogMovesTheDiagram() {
        OpenWithDiagram();
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
        OpenWithDiagram();
        widget_->View().OnCommand(CommandId::PositionDiagram);
        QPointer<ModelQtDialog> guard(widget_->Dialogs().ModelessWindow(widget_->View().PositionDialog()));
        QVERIFY(!guard.isNull());
        widget_.reset();
        QVERIFY(guard.isNull());
    }

    // Random outlines (twisted, concave, thinner than a pixel, a few pixels
    // or tens across) fill the pixels Qt's own winding fill of the same
    // pixel points fills, whether the canvas draws them as polygons or as
    // the pixels whose centres they hold. Some are squeezed into one column
    // or row of pixels (their points less than a pixel apart there): the
    // canvas tells from their box alone that they fill nothing, and never
    // tells so of an outline that fills a pixel.
    void fillsWhatQtsWindingFillFills() {
        std::mt19937 random(12345);
        const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        for (int round = 0; round < 400; ++round) {
            QImage ours = White();
            QImage qts = White();
            QPolygon pixels;
            std::vector<LPoint> points;
            const int span = round % 2 == 0 ? 4 : 40;
            const bool column = round % 10 == 3;
            const bool row = round % 10 == 7;
            const QPoint base(pick(50), pick(50));
            for (int n = 3 + pick(5); n > 0; --n) {
                QPoint p = base + QPoint(pick(span), pick(span));
                p = QPoint(column ? base.x() : p.x(), row ? base.y() : p.y());
                pixels << p;
                // Within 0.4 pixel of the pixel's point.
                const int jitter = n % 9 - 4;
                points.push_back(
                    LPoint{10 * p.x() + (column ? jitter : 0), -10 * p.y() + (row ? jitter : 0)});
            }
            LRect box{points[0].x, points[0].y, points[0].x, points[0].y};
            for (const LPoint& p : points) {
                box = LRect{std::min(box.left, p.x), std::max(box.top, p.y), std::max(box.right, p.x),
                            std::min(box.bottom, p.y)};
            }
            bool fillsNoPixel = false;
            {
                QPainter painter(&ours);
                QtCanvas canvas(painter, 100, 100, ours.size());
                fillsNoPixel = canvas.FillsNoPixel(box);
                canvas.FillPolygon(points, 0x000000);
            }
            QPainter painter(&qts);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawPolygon(pixels, Qt::WindingFill);
            painter.end();
            QVERIFY2(ours == qts, qPrintable(QStringLiteral("round %1").arg(round)));
            QVERIFY2(fillsNoPixel || !(column || row), qPrintable(QStringLiteral("round %1").arg(round)));
            QVERIFY2(!fillsNoPixel || qts == White(), qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void notXorTwiceLeavesTheImageAsItWas() {
        QImage image = White();
        const QImage before = image;
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            const LPoint box[] = {{0, 0}, {500, 0}, {500, -500}, {0, -500}};
            canvas.FillPolygon(box, 0x000000);  // black on white
            canvas.SetRasterOp(RasterOp::NotXorPen);
            const LPoint shape[] = {{200, -200}, {800, -200}, {800, -800}, {200, -800}};
            canvas.FillPolygon(shape, 0xC0C0C0);
            canvas.FillPolygon(shape, 0xC0C0C0);
            canvas.SetRasterOp(RasterOp::CopyPen);
            canvas.FillPolygon(box, 0xFFFFFF);
        }
        QCOMPARE(image, before);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            canvas.SetRasterOp(RasterOp::NotXorPen);
            const LPoint shape[] = {{200, -200}, {800, -200}, {800, -800}, {200, -800}};
            canvas.FillPolygon(shape, 0x0000FF);
        }
        // NOT (white XOR red) is red.
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::red));
    }

    void shapesBeyondTheRangeAreCulled() {
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            const LPoint far[] = {{40000, -100}, {2000000000, -100}, {2000000000, -2000000000}};
            canvas.FillPolygon(far, 0x000000);
            canvas.Ellipse(LRect{-2147483647, 2147483647, -2147483600, 2147483600});
            // Partly in range: drawn, and Qt clips the rest.
            const LPoint wide[] = {
                {-2000000000, 0}, {2000000000, 0}, {2000000000, -500}, {-2000000000, -500}};
            canvas.FillPolygon(wide, 0x000000);
        }
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(50, 80), QColor(Qt::white));
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::QtDrawingTest)
#include "QtDrawingTest.moc"
