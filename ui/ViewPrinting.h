#pragma once

// Printing the view: what the window shows, drawn by the view's own OnDraw
// through a QtCanvas, scaled to fit the page and centred on it.

#include <QRect>
#include <QSize>

class QPainter;
class QPrinter;

namespace rollpath {

class CRollpathView;

// The client area as the view sees it: its size in pixels and its DPI.
struct ScreenArea {
    QSize size;
    int dpiX = 96;
    int dpiY = 96;
};

// The scale that fits the screen area into a page rectangle (both in their
// own device pixels), keeping the proportions.
double FitScale(const ScreenArea& screen, const QRect& page);

// Draws the view onto a painter whose device area `page` receives it.
void DrawViewOnPage(CRollpathView& view, const ScreenArea& screen, QPainter& painter, const QRect& page);

// Prints the view on one page of the printer.
void PrintView(CRollpathView& view, const ScreenArea& screen, QPrinter& printer);

}  // namespace rollpath
