// The Qt canvas on a QImage: winding fill, not-xor and culling.

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <random>
#include <vector>

#include "qtcanvas/QtCanvas.h"
#include "view/ViewColors.h"

namespace rollpath {

class QtCanvasTest : public QObject {
    Q_OBJECT

private:
    // A 100 x 100 pixel white image at 100 dpi: 10 logical units per pixel.
    static QImage White() {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

private slots:

    // Random outlines (twisted, concave, thinner than a pixel, a few pixels
    // or tens across) fill the pixels Qt's own winding fill of the same
    // pixel points fills, whether the canvas draws them as polygons or as
    // the pixels whose centres they hold.
    void fillsWhatQtsWindingFillFills() {
        std::mt19937 random(12345);
        const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        for (int round = 0; round < 400; ++round) {
            QImage ours = White();
            QImage qts = White();
            QPolygon pixels;
            std::vector<LPoint> points;
            const int span = round % 2 == 0 ? 4 : 40;
            const QPoint base(pick(50), pick(50));
            for (int n = 3 + pick(5); n > 0; --n) {
                const QPoint p = base + QPoint(pick(span), pick(span));
                pixels << p;
                points.push_back(LPoint{10 * p.x(), -10 * p.y()});
            }
            {
                QPainter painter(&ours);
                QtCanvas canvas(painter, 100, 100, ours.size());
                canvas.FillPolygon(points, 0x000000);
            }
            QPainter painter(&qts);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawPolygon(pixels, Qt::WindingFill);
            painter.end();
            QVERIFY2(ours == qts, qPrintable(QStringLiteral("round %1").arg(round)));
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

QTEST_MAIN(rollpath::QtCanvasTest)
#include "QtCanvasTest.moc"
