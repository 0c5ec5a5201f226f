// The Qt canvas on a QImage: winding fill, not-xor and culling.

#include <QImage>
#include <QPainter>
#include <QtTest>

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

    void windingFillFillsTheMiddleOfAStar() {
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            // A pentagram: its middle is wound twice, which even-odd would leave empty.
            const LPoint star[] = {{500, -50}, {790, -950}, {30, -390}, {970, -390}, {210, -950}};
            canvas.FillPolygon(star, 0x000000);
        }
        QCOMPARE(image.pixelColor(50, 55), QColor(Qt::black));
    }

    void aTwistedQuadFillsBothLobes() {
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            const LPoint bowTie[] = {{100, -100}, {900, -900}, {900, -100}, {100, -900}};
            canvas.FillPolygon(bowTie, 0x000000);
        }
        QCOMPARE(image.pixelColor(20, 50), QColor(Qt::black));
        QCOMPARE(image.pixelColor(80, 50), QColor(Qt::black));
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::white));
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
