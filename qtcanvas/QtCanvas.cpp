#include "qtcanvas/QtCanvas.h"

#include <QImage>
#include <QPen>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <limits>

namespace rollpath {

namespace {

constexpr int kLogicalMin = -32768;
constexpr int kLogicalMax = 32767;
// A dot this many pixels across or less is a square: no ellipse shows there.
constexpr int kDotPixels = 3;

// The nearest whole pixel (halves away from zero), kept within a range Qt
// clips safely.
constexpr double kPixelLimit = 1e8;
inline int Pixel(double v) {
    v = std::min(std::max(v, -kPixelLimit), kPixelLimit);
    return static_cast<int>(v + std::copysign(0.5, v));
}
// Pixel for a value already known to lie within the limit.
inline int PixelInRange(double v) {
    return static_cast<int>(v + std::copysign(0.5, v));
}

// The number of times the sign of successive nonzero values changes, going
// round the closed outline once.
int SignChanges(const QPolygon& p, bool alongX) {
    const int n = p.size();
    int first = 0;
    int last = 0;
    int changes = 0;
    for (int i = 0; i < n; ++i) {
        const QPoint d = p[i + 1 < n ? i + 1 : 0] - p[i];
        const int v = alongX ? d.x() : d.y();
        const int s = v > 0 ? 1 : (v < 0 ? -1 : 0);
        if (s == 0) {
            continue;
        }
        if (first == 0) {
            first = s;
        } else if (s != last) {
            ++changes;
        }
        last = s;
    }
    return changes + (first != 0 && last != first ? 1 : 0);
}

// True when every turn of the closed outline goes the same way (collinear
// points allowed) and it goes round once: a convex polygon, which the winding
// rule fills exactly and Qt rasterises on a faster path. (A star turns the
// same way at every corner but goes round twice.)
bool IsConvex(const QPolygon& p) {
    const int n = p.size();
    int sign = 0;
    for (int i = 0, j = 1 % n, k = 2 % n; i < n; ++i) {
        const QPoint& a = p[i];
        const QPoint& b = p[j];
        const QPoint& c = p[k];
        j = k;
        k = k + 1 < n ? k + 1 : 0;
        const long long cross = static_cast<long long>(b.x() - a.x()) * (c.y() - b.y()) -
                                static_cast<long long>(b.y() - a.y()) * (c.x() - b.x());
        const int s = cross > 0 ? 1 : (cross < 0 ? -1 : 0);
        if (s != 0) {
            if (sign != 0 && s != sign) {
                return false;
            }
            sign = s;
        }
    }
    return SignChanges(p, true) <= 2 && SignChanges(p, false) <= 2;
}

// True when every point lies on one line, as the outlines of markings far
// thinner than a pixel come out: an aliased fill sets no pixel there.
bool Collinear(const QPolygon& p) {
    const int n = p.size();
    int k = 1;
    while (k < n && p[k] == p[0]) {
        ++k;
    }
    if (k == n) {
        return true;
    }
    const QPoint d = p[k] - p[0];
    for (int i = k + 1; i < n; ++i) {
        const QPoint e = p[i] - p[0];
        if (static_cast<long long>(d.x()) * e.y() != static_cast<long long>(d.y()) * e.x()) {
            return false;
        }
    }
    return true;
}

// Which pixels an aliased fill sets is decided at their centres. For an
// outline within a box of a few pixels, the centres inside it (winding rule)
// are listed in `pixels`; false when an edge runs through a centre, where
// the rasteriser's own rule for ties decides.
bool CoveredPixels(const QPolygon& p, const QRect& box, QVector<QPoint>& pixels) {
    pixels.clear();
    const int n = p.size();
    // Doubled coordinates put centres on odd values and points on even
    // ones, so no point lies on a centre's row.
    for (int y = box.top(); y < box.bottom(); ++y) {
        const long long cy = 2LL * y + 1;
        for (int x = box.left(); x < box.right(); ++x) {
            const long long cx = 2LL * x + 1;
            int winding = 0;
            for (int i = 0; i < n; ++i) {
                const QPoint& a = p[i];
                const QPoint& b = p[i + 1 < n ? i + 1 : 0];
                const long long ay = 2LL * a.y();
                const long long by = 2LL * b.y();
                if ((ay < cy) == (by < cy)) {
                    continue;
                }
                const long long ax = 2LL * a.x();
                const long long side = (2LL * b.x() - ax) * (cy - ay) - (cx - ax) * (by - ay);
                if (side == 0) {
                    return false;
                }
                // Crossings of the ray from the centre toward +x.
                if (by > ay && side > 0) {
                    ++winding;
                } else if (by < ay && side < 0) {
                    --winding;
                }
            }
            if (winding != 0) {
                pixels.append(QPoint(x, y));
            }
        }
    }
    return true;
}

// The pixels of the painter's image that may be set without QPainter, when
// what QPainter would set there is just the colour: a 32-bit image at one
// pixel per pixel, no transform, full opacity, and no clip but a rectangle.
std::optional<QRect> DirectArea(const QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return std::nullopt;
    }
    const auto& image = *static_cast<const QImage*>(device);
    const QImage::Format f = image.format();
    if ((f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
         f != QImage::Format_ARGB32_Premultiplied) ||
        image.devicePixelRatio() != 1.0 || painter.opacity() != 1.0 ||
        !painter.combinedTransform().isIdentity() || !painter.deviceTransform().isIdentity()) {
        return std::nullopt;
    }
    QRect area = image.rect();
    if (painter.hasClipping()) {
        const QRegion clip = painter.clipRegion();
        if (clip.rectCount() > 1) {
            return std::nullopt;
        }
        area = area.intersected(clip.boundingRect());
    }
    return area;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int dpiX, int dpiY, QSize deviceSize)
    : painter_(painter),
      scaleX_((dpiX > 0 ? dpiX : 96) / 1000.0),
      scaleY_((dpiY > 0 ? dpiY : 96) / 1000.0),
      device_(deviceSize),
      paintArea_(QPoint(0, 0), deviceSize) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(Qt::NoBrush);
    directArea_ = DirectArea(painter_);
}

QtCanvas::~QtCanvas() {
    FlushDots();
}

void QtCanvas::SetPaintArea(const QRect& pixels) {
    paintArea_ = pixels.intersected(QRect(QPoint(0, 0), device_));
}

std::optional<LRect> QtCanvas::PaintArea() const {
    // Widened by a pixel: a shape's pixels reach half a pixel past its points.
    const auto logicalX = [this](int x) { return static_cast<int>(std::floor(x / scaleX_)); };
    const auto logicalY = [this](int y) { return static_cast<int>(std::floor(-y / scaleY_)); };
    return LRect{logicalX(paintArea_.left() - 1), logicalY(paintArea_.top() - 1),
                 logicalX(paintArea_.right() + 2) + 1, logicalY(paintArea_.bottom() + 2) - 1};
}

QColor QtCanvas::ToQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

void QtCanvas::UsePen(ColorRef color) {
    if (color == painterPen_) {
        return;
    }
    painterPen_ = color;
    painter_.setPen(color != kNone ? QPen(ToQColor(color), 0) : QPen(Qt::NoPen));
}

void QtCanvas::UseBrush(ColorRef color) {
    if (color == painterBrush_) {
        return;
    }
    painterBrush_ = color;
    painter_.setBrush(color != kNone ? QBrush(ToQColor(color)) : QBrush(Qt::NoBrush));
}

void QtCanvas::SetPen(ColorRef color) {
    pen_ = color & 0xFFFFFF;
}

void QtCanvas::SetBrush(ColorRef color) {
    brush_ = color & 0xFFFFFF;
    nullBrush_ = false;
}

void QtCanvas::SetNullBrush() {
    nullBrush_ = true;
}

void QtCanvas::SetRasterOp(RasterOp op) {
    FlushDots();
    notXor_ = op == RasterOp::NotXorPen;
    painter_.setCompositionMode(notXor_ ? QPainter::RasterOp_NotSourceXorDestination
                                        : QPainter::CompositionMode_SourceOver);
}

QPoint QtCanvas::ToDevice(int x, int y) const {
    return QPoint(Pixel(x * scaleX_), Pixel(-(y * scaleY_)));
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
    // Logical y runs from the top of the device (0) down to -height.
    const double x0 = left * scaleX_;
    const double x1 = right * scaleX_;
    const double y0 = -top * scaleY_;
    const double y1 = -bottom * scaleY_;
    return x1 < paintArea_.left() - 1.0 || x0 > paintArea_.right() + 2.0 || y1 < paintArea_.top() - 1.0 ||
           y0 > paintArea_.bottom() + 2.0;
}

bool QtCanvas::ToVisiblePolygon(std::span<const LPoint> points) {
    const int n = static_cast<int>(points.size());
    polygon_.resize(n);
    QPoint* out = polygon_.data();
    int left = points[0].x;
    int right = left;
    int bottom = points[0].y;
    int top = bottom;
    const double scaleX = scaleX_;
    const double scaleY = scaleY_;
    for (int i = 0; i < n; ++i) {
        const LPoint& p = points[static_cast<std::size_t>(i)];
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
        out[i] = QPoint(Pixel(p.x * scaleX), Pixel(-(p.y * scaleY)));
    }
    if (right < kLogicalMin || left > kLogicalMax || top < kLogicalMin || bottom > kLogicalMax) {
        return false;
    }
    // Pixel never decreases as its argument grows: the device box is that
    // of the logical box's corners.
    polygonBox_ = QRect(QPoint(Pixel(left * scaleX), Pixel(-(top * scaleY))),
                        QPoint(Pixel(right * scaleX), Pixel(-(bottom * scaleY))));
    return polygonBox_.right() >= paintArea_.left() - 1 && polygonBox_.left() <= paintArea_.right() + 2 &&
           polygonBox_.bottom() >= paintArea_.top() - 1 && polygonBox_.top() <= paintArea_.bottom() + 2;
}

bool QtCanvas::HoldDot(const QRect& rect) {
    if (notXor_ || nullBrush_ || pen_ != brush_ || rect.width() > kDotPixels || rect.height() > kDotPixels) {
        return false;
    }
    HoldDot(rect, brush_);
    return true;
}

void QtCanvas::HoldDot(const QRect& rect, ColorRef color) {
    if (!dots_.empty() && dotColor_ != color) {
        FlushDots();
    }
    dotColor_ = color;
    // Dots of one colour are opaque and drawn in any order: one that
    // touches the last along the same rows or columns (lights along a
    // row, the pixels of a marking) widens it instead.
    if (!dots_.empty()) {
        QRect& last = dots_.back();
        if (last.top() == rect.top() && last.bottom() == rect.bottom() && rect.left() <= last.right() + 1 &&
            rect.right() >= last.left() - 1) {
            last.setLeft(std::min(last.left(), rect.left()));
            last.setRight(std::max(last.right(), rect.right()));
            return;
        }
        if (last.left() == rect.left() && last.right() == rect.right() && rect.top() <= last.bottom() + 1 &&
            rect.bottom() >= last.top() - 1) {
            last.setTop(std::min(last.top(), rect.top()));
            last.setBottom(std::max(last.bottom(), rect.bottom()));
            return;
        }
    }
    dots_.push_back(rect);
}

void QtCanvas::FlushDots() {
    if (dots_.empty()) {
        return;
    }
    if (!FillDotsInImage()) {
        UsePen(kNone);
        UseBrush(dotColor_);
        painter_.drawRects(dots_.data(), static_cast<int>(dots_.size()));
    }
    dots_.clear();
}

// Held dots are opaque, drawn in the composition that replaces what lies
// below: each of their pixels becomes the colour, as a QPainter fill of the
// rectangles sets it, without the rasteriser's work per rectangle.
bool QtCanvas::FillDotsInImage() {
    if (!directArea_) {
        return false;
    }
    auto& image = *static_cast<QImage*>(painter_.device());
    // A shared image would be copied by the write access below, away from
    // the painter.
    if (!image.isDetached()) {
        return false;
    }
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb value = qRgb(static_cast<int>(dotColor_ & 0xFF), static_cast<int>((dotColor_ >> 8) & 0xFF),
                            static_cast<int>((dotColor_ >> 16) & 0xFF));
    const QRect area = *directArea_;
    for (const QRect& dot : dots_) {
        const int left = std::max(dot.left(), area.left());
        const int right = std::min(dot.right(), area.right());
        const int top = std::max(dot.top(), area.top());
        const int bottom = std::min(dot.bottom(), area.bottom());
        for (int y = top; left <= right && y <= bottom; ++y) {
            auto* const row = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(row + left, row + right + 1, value);
        }
    }
    return true;
}

void QtCanvas::FillPolygon(std::span<const LPoint> points, ColorRef brush) {
    if (points.size() < 3 || !ToVisiblePolygon(points) || Collinear(polygon_)) {
        return;
    }
    // Markings of a few pixels or less at this zoom (most of them when the
    // whole airport shows) set the pixels whose centres they hold: those
    // join the held dots instead of a polygon of their own.
    if (!notXor_ && polygonBox_.width() <= kDotPixels + 1 && polygonBox_.height() <= kDotPixels + 1 &&
        CoveredPixels(polygon_, polygonBox_, pixels_)) {
        for (const QPoint& pixel : pixels_) {
            HoldDot(QRect(pixel, QSize(1, 1)), brush & 0xFFFFFF);
        }
        return;
    }
    FlushDots();
    UsePen(kNone);
    UseBrush(brush & 0xFFFFFF);
    if (polygon_.size() <= 6 && IsConvex(polygon_)) {
        painter_.drawConvexPolygon(polygon_);
    } else {
        painter_.drawPolygon(polygon_, Qt::WindingFill);
    }
}

// Pixel never decreases as its argument grows, so every point's pixel lies
// between those of the box's sides: one column or row is a line, which
// FillPolygon leaves undrawn.
bool QtCanvas::FillsNoPixel(const LRect& box) const {
    return Pixel(box.left * scaleX_) == Pixel(box.right * scaleX_) ||
           Pixel(-(box.top * scaleY_)) == Pixel(-(box.bottom * scaleY_));
}

void QtCanvas::Polyline(std::span<const LPoint> points) {
    if (points.size() < 2 || !ToVisiblePolygon(points)) {
        return;
    }
    FlushDots();
    UsePen(pen_);
    painter_.drawPolyline(polygon_);
}

void QtCanvas::Ellipse(const LRect& b) {
    if (Culled(std::min(b.left, b.right), std::max(b.top, b.bottom), std::max(b.left, b.right),
               std::min(b.top, b.bottom))) {
        return;
    }
    const QRect rect = DeviceRect(b);
    // The outline reaches one pixel past the rectangle's right and bottom.
    if (HoldDot(rect.adjusted(0, 0, 1, 1))) {
        return;
    }
    DrawEllipse(rect);
}

void QtCanvas::DrawEllipse(const QRect& rect) {
    FlushDots();
    UsePen(pen_);
    UseBrush(nullBrush_ ? kNone : brush_);
    painter_.drawEllipse(rect);
}

void QtCanvas::Dots(std::span<const LPoint> centres, int radius) {
    const int r = std::abs(radius);
    const bool holdable = !notXor_ && !nullBrush_ && pen_ == brush_;
    const double scaleX = scaleX_;
    const double scaleY = scaleY_;
    const double areaLeft = paintArea_.left() - 1.0;
    const double areaRight = paintArea_.right() + 2.0;
    const double areaTop = paintArea_.top() - 1.0;
    const double areaBottom = paintArea_.bottom() + 2.0;
    // A box that passes the range test below reaches at most this far from
    // the origin: its pixels need no clamping then.
    const double reach = (-static_cast<double>(kLogicalMin) + 2.0 * r) * std::max(scaleX, scaleY);
    const bool inRange = reach < kPixelLimit;
    // Culled and DeviceRect of each dot's box, from the same products.
    for (const LPoint& c : centres) {
        const int left = c.x - r;
        const int right = c.x + r;
        const int top = c.y + r;
        const int bottom = c.y - r;
        if (right < kLogicalMin || left > kLogicalMax || top < kLogicalMin || bottom > kLogicalMax) {
            continue;
        }
        const double x0 = left * scaleX;
        const double x1 = right * scaleX;
        const double y0 = -(top * scaleY);
        const double y1 = -(bottom * scaleY);
        if (x1 < areaLeft || x0 > areaRight || y1 < areaTop || y0 > areaBottom) {
            continue;
        }
        // The outline reaches one pixel past the rectangle's right and bottom.
        const QRect outline = inRange ? QRect(QPoint(PixelInRange(x0), PixelInRange(y0)),
                                              QPoint(PixelInRange(x1), PixelInRange(y1)))
                                      : QRect(QPoint(Pixel(x0), Pixel(y0)), QPoint(Pixel(x1), Pixel(y1)));
        if (holdable && outline.width() <= kDotPixels && outline.height() <= kDotPixels) {
            HoldDot(outline, brush_);
        } else {
            DrawEllipse(outline.adjusted(0, 0, -1, -1));
        }
    }
}

void QtCanvas::Rectangle(const LRect& b) {
    if (Culled(std::min(b.left, b.right), std::max(b.top, b.bottom), std::max(b.left, b.right),
               std::min(b.top, b.bottom))) {
        return;
    }
    FlushDots();
    UsePen(pen_);
    UseBrush(nullBrush_ ? kNone : brush_);
    painter_.drawRect(DeviceRect(b));
}

void QtCanvas::StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                          int srcWidth, int srcHeight) {
    if (image.empty() || width == 0 || height == 0 || srcWidth <= 0 || srcHeight <= 0) {
        return;
    }
    FlushDots();
    const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                      image.width * 4, QImage::Format_RGB32);
    // Source rows count from the bottom of the bitmap.
    const QRect source(srcX, image.height - (srcY + srcHeight), srcWidth, srcHeight);
    const QPoint a = ToDevice(std::min(x, x + width), std::max(y, y + height));
    const QPoint c = ToDevice(std::max(x, x + width), std::min(y, y + height));
    painter_.drawImage(QRect(a, QSize(c.x() - a.x(), c.y() - a.y())), view, source);
}

}  // namespace rollpath
