#include "ui/QtCanvas.h"

#include <QImage>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace rollpath {

namespace {

constexpr int kLogicalMin = -32768;
constexpr int kLogicalMax = 32767;

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int dpiX, int dpiY, QSize deviceSize)
    : painter_(painter),
      scaleX_((dpiX > 0 ? dpiX : 96) / 1000.0),
      scaleY_((dpiY > 0 ? dpiY : 96) / 1000.0),
      device_(deviceSize) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QColor QtCanvas::ToQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

void QtCanvas::SetPen(ColorRef color) {
    pen_ = ToQColor(color);
}

void QtCanvas::SetBrush(ColorRef color) {
    brush_ = ToQColor(color);
    nullBrush_ = false;
}

void QtCanvas::SetNullBrush() {
    nullBrush_ = true;
}

void QtCanvas::SetRasterOp(RasterOp op) {
    painter_.setCompositionMode(op == RasterOp::NotXorPen ? QPainter::RasterOp_NotSourceXorDestination
                                                          : QPainter::CompositionMode_SourceOver);
}

QPoint QtCanvas::ToDevice(int x, int y) const {
    return QPoint(static_cast<int>(std::lround(x * scaleX_)), static_cast<int>(std::lround(-y * scaleY_)));
}

QRect QtCanvas::DeviceRect(const LRect& b) const {
    const QPoint a = ToDevice(std::min(b.left, b.right), std::max(b.top, b.bottom));
    const QPoint c = ToDevice(std::max(b.left, b.right), std::min(b.top, b.bottom));
    return QRect(a, QPoint(c.x() - 1, c.y() - 1));
}

bool QtCanvas::Culled(int left, int top, int right, int bottom) const {
    if (right < kLogicalMin || left > kLogicalMax || top < kLogicalMin || bottom > kLogicalMax) {
        return true;
    }
    // Logical y runs upward from the top of the device (0) to -height.
    const double x0 = left * scaleX_;
    const double x1 = right * scaleX_;
    const double y0 = -top * scaleY_;
    const double y1 = -bottom * scaleY_;
    return x1 < -1.0 || x0 > device_.width() + 1.0 || y1 < -1.0 || y0 > device_.height() + 1.0;
}

bool QtCanvas::Culled(std::span<const LPoint> points) const {
    if (points.empty()) {
        return true;
    }
    int left = points[0].x;
    int right = left;
    int top = points[0].y;
    int bottom = top;
    for (const LPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::max(top, p.y);
        bottom = std::min(bottom, p.y);
    }
    return Culled(left, top, right, bottom);
}

void QtCanvas::ToPolygon(std::span<const LPoint> points) {
    polygon_.resize(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        polygon_[static_cast<int>(i)] = ToDevice(points[i].x, points[i].y);
    }
}

void QtCanvas::FillPolygon(std::span<const LPoint> points, ColorRef brush) {
    if (points.size() < 3 || Culled(points)) {
        return;
    }
    ToPolygon(points);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(brush));
    painter_.drawPolygon(polygon_, Qt::WindingFill);
}

void QtCanvas::Polyline(std::span<const LPoint> points) {
    if (points.size() < 2 || Culled(points)) {
        return;
    }
    ToPolygon(points);
    painter_.setPen(QPen(pen_, 0));
    painter_.drawPolyline(polygon_);
}

void QtCanvas::Ellipse(const LRect& b) {
    if (Culled(std::min(b.left, b.right), std::max(b.top, b.bottom), std::max(b.left, b.right),
               std::min(b.top, b.bottom))) {
        return;
    }
    painter_.setPen(QPen(pen_, 0));
    painter_.setBrush(nullBrush_ ? QBrush(Qt::NoBrush) : QBrush(brush_));
    painter_.drawEllipse(DeviceRect(b));
}

void QtCanvas::Rectangle(const LRect& b) {
    if (Culled(std::min(b.left, b.right), std::max(b.top, b.bottom), std::max(b.left, b.right),
               std::min(b.top, b.bottom))) {
        return;
    }
    painter_.setPen(QPen(pen_, 0));
    painter_.setBrush(nullBrush_ ? QBrush(Qt::NoBrush) : QBrush(brush_));
    painter_.drawRect(DeviceRect(b));
}

void QtCanvas::StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                          int srcWidth, int srcHeight) {
    if (image.empty() || width == 0 || height == 0 || srcWidth <= 0 || srcHeight <= 0) {
        return;
    }
    const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                      image.width * 4, QImage::Format_RGB32);
    // Source rows count from the bottom of the bitmap.
    const QRect source(srcX, image.height - (srcY + srcHeight), srcWidth, srcHeight);
    const QPoint a = ToDevice(std::min(x, x + width), std::max(y, y + height));
    const QPoint c = ToDevice(std::max(x, x + width), std::min(y, y + height));
    painter_.drawImage(QRect(a, QSize(c.x() - a.x(), c.y() - a.y())), view, source);
}

}  // namespace rollpath
