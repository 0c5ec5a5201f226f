#pragma once

// For the Qt tests: the pixels of the view widget.

#include <QColor>
#include <QImage>
#include <cmath>

#include "ui/ViewWidget.h"

namespace rollpath::testing {

// The device pixel of a world point in a view widget.
inline QPoint PixelOf(CViewWidget& widget, const DPoint& world) {
    LPoint l;
    widget.View().ProjectPoints(1, &world, &l, true);
    return QPoint(static_cast<int>(std::lround(l.x * widget.LogicalDpiX() / 1000.0)),
                  static_cast<int>(std::lround(-l.y * widget.LogicalDpiY() / 1000.0)));
}

inline bool SameRgb(const QImage& image, int x, int y, const QColor& color) {
    return image.valid(x, y) && image.pixelColor(x, y).rgb() == color.rgb();
}

}  // namespace rollpath::testing
