#include "ui/ViewPrinting.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "qtcanvas/QtCanvas.h"
#include "view/RollpathView.h"
#include "view/ViewColors.h"

namespace rollpath {

double FitScale(const ScreenArea& screen, const QRect& page) {
    if (screen.size.isEmpty() || page.isEmpty()) {
        return 0.0;
    }
    return std::min(static_cast<double>(page.width()) / screen.size.width(),
                    static_cast<double>(page.height()) / screen.size.height());
}

void DrawViewOnPage(CRollpathView& view, const ScreenArea& screen, QPainter& painter, const QRect& page) {
    const double scale = FitScale(screen, page);
    if (scale <= 0.0) {
        return;
    }
    painter.save();
    const double width = screen.size.width() * scale;
    const double height = screen.size.height() * scale;
    painter.translate(page.left() + (page.width() - width) / 2.0,
                      page.top() + (page.height() - height) / 2.0);
    painter.scale(scale, scale);
    const QRect area(QPoint(0, 0), screen.size);
    painter.setClipRect(area);
    painter.fillRect(area, QtCanvas::ToQColor(kWindowWhite));
    {
        QtCanvas canvas(painter, screen.dpiX, screen.dpiY, screen.size);
        view.OnDraw(canvas);
    }
    painter.restore();
}

void PrintView(CRollpathView& view, const ScreenArea& screen, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    DrawViewOnPage(view, screen, painter, QRect(QPoint(0, 0), page.size()));
    painter.end();
}

}  // namespace rollpath
