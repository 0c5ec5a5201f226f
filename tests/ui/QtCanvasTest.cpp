// The Qt canvas on a QImage: winding fill, not-xor, culling, the DPI
// mapping, stretched bitmaps; and the CLI's PNG rendering that uses it.

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <sstream>

#include "UiTestSupport.h"
#include "cli/Commands.h"
#include "qtcanvas/QtCanvas.h"
#include "support/TempDir.h"
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
    void logicalUnitsMapToPixelsWithYUp() {
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            const LPoint square[] = {{100, -100}, {300, -100}, {300, -300}, {100, -300}};
            canvas.FillPolygon(square, 0x0000FF);  // red
        }
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::red));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(image.pixelColor(35, 20), QColor(Qt::white));
    }

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

    void ellipsesAndRectanglesTakePenAndBrush() {
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            canvas.SetPen(0x00FF00);
            canvas.SetBrush(0xFF0000);
            canvas.Ellipse(LRect{100, -100, 500, -500});
            canvas.SetNullBrush();
            canvas.Rectangle(LRect{600, -600, 900, -900});
        }
        QCOMPARE(image.pixelColor(30, 30), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(75, 75), QColor(Qt::white));
        QCOMPARE(image.pixelColor(60, 75), QColor(Qt::green));
    }

    void bitmapsStretchWithTheirRowsCountedFromTheBottom() {
        DibImage dib;
        dib.width = 2;
        dib.height = 2;
        dib.pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};  // top row red, green
        QImage image = White();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 100, 100, image.size());
            canvas.StretchDib(dib, 0, 0, 1000, -1000, 0, 0, 2, 2);
        }
        QCOMPARE(image.pixelColor(25, 25), QColor(Qt::red));
        QCOMPARE(image.pixelColor(75, 25), QColor(Qt::green));
        QCOMPARE(image.pixelColor(25, 75), QColor(Qt::blue));
        QImage bottom = White();
        {
            QPainter painter(&bottom);
            QtCanvas canvas(painter, 100, 100, bottom.size());
            canvas.StretchDib(dib, 0, 0, 1000, -1000, 0, 0, 2, 1);  // the bottom row only
        }
        QCOMPARE(bottom.pixelColor(25, 50), QColor(Qt::blue));
    }

    void theCliRendersAPng() {
        testing::TempDir dir("rollpath-png");
        std::string error;
        QVERIFY2(testing::InstallSamples(dir.path(), error), error.c_str());
        const std::string out = (dir / "ksfo.png").string();
        std::ostringstream stdOut;
        std::ostringstream stdErr;
        const int status =
            cli::RunRender({"KSFO", out, "--size", "640x480", "--show", "markings,lights", "--fly-dir",
                            dir.path().string(), "--project-dir", (dir / "p").string()},
                           stdOut, stdErr);
        QVERIFY2(status == cli::kExitSuccess, stdErr.str().c_str());
        QImage image;
        QVERIFY(image.load(QString::fromStdString(out)));
        QCOMPARE(image.size(), QSize(640, 480));
        int painted = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) {
                painted += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
            }
        }
        QVERIFY(painted > 100);
    }
};

}  // namespace rollpath

QTEST_MAIN(rollpath::QtCanvasTest)
#include "QtCanvasTest.moc"
