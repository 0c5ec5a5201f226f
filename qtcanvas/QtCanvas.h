#pragma once

// The view's Canvas on a QPainter: logical units (0.001 inch, y up) become
// device pixels at the painter's DPI. Shapes that lie wholly outside the
// 16-bit logical range of the drawing interface, or wholly outside the
// device, are culled; everything else is drawn whole (Qt clips it), so no
// coordinate is ever wrapped. Only QtGui is needed, so the CLI can draw
// into a QImage with it. The painter's transform and clip stay as they were
// when the canvas was made, while it lives.

#include <QColor>
#include <QPainter>
#include <QPolygon>
#include <QSize>
#include <optional>
#include <vector>

#include "view/Canvas.h"

namespace rollpath {

class QtCanvas : public Canvas {
public:
    QtCanvas(QPainter& painter, int dpiX, int dpiY, QSize deviceSize);
    // Only these pixels need painting (the painter clips to them); the
    // whole device until set.
    void SetPaintArea(const QRect& pixels);
    // Draws what is still held back.
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void SetPen(ColorRef color) override;
    void SetBrush(ColorRef color) override;
    void SetNullBrush() override;
    void SetRasterOp(RasterOp op) override;

    void FillPolygon(std::span<const LPoint> points, ColorRef brush) override;
    bool FillsNoPixel(const LRect& box) const override;
    void Polyline(std::span<const LPoint> points) override;
    void Ellipse(const LRect& bounds) override;
    void Rectangle(const LRect& bounds) override;
    void Dots(std::span<const LPoint> centres, int radius) override;
    void StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                    int srcWidth, int srcHeight) override;
    std::optional<LRect> PaintArea() const override;

    // The QColor of a 0x00BBGGRR value.
    static QColor ToQColor(ColorRef color);

private:
    // No pen or no brush; never a colour value (those have a zero top byte).
    static constexpr ColorRef kNone = 0xFFFFFFFFu;

    QPoint ToDevice(int x, int y) const;
    QRect DeviceRect(const LRect& bounds) const;
    // True when nothing of the box can show.
    bool Culled(int left, int top, int right, int bottom) const;
    // The points as device pixels in polygon_ and their box in polygonBox_;
    // false when nothing of them can show.
    bool ToVisiblePolygon(std::span<const LPoint> points);
    // The painter's pen and brush are set only when they change.
    void UsePen(ColorRef color);
    void UseBrush(ColorRef color);
    // Dots of at most a few pixels (lights when zoomed out) are held back
    // and filled in one call per colour; any other drawing flushes them.
    bool HoldDot(const QRect& rect);
    void HoldDot(const QRect& rect, ColorRef color);
    void FlushDots();
    // The held dots set straight in the image's scan lines; false when the
    // painter must fill them.
    bool FillDotsInImage();
    // An ellipse inside the pixel rectangle with the pen and brush.
    void DrawEllipse(const QRect& rect);

    QPainter& painter_;
    double scaleX_;
    double scaleY_;
    QSize device_;
    QRect paintArea_;
    ColorRef pen_ = 0x000000;
    ColorRef brush_ = 0xFFFFFF;
    bool nullBrush_ = false;
    bool notXor_ = false;
    QPolygon polygon_;
    QRect polygonBox_;
    QVector<QPoint> pixels_;
    ColorRef painterPen_ = kNone;
    ColorRef painterBrush_ = kNone;
    ColorRef dotColor_ = kNone;
    std::vector<QRect> dots_;
    // Where dots may be set straight in the painter's image: a 32-bit image
    // painted without a transform, clipped to one rectangle at most.
    std::optional<QRect> directArea_;
};

}  // namespace rollpath
