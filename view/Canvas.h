#pragma once

// What the view draws on. Coordinates are logical units (0.001 inch, y up);
// a canvas maps them onto its device. Colours are 0x00BBGGRR values.

#include <optional>
#include <span>
#include <string_view>

#include "settings/Settings.h"
#include "view/DibImage.h"
#include "view/LogicalGeometry.h"

namespace rollpath {

enum class RasterOp {
    CopyPen,    // the colour replaces what is there
    NotXorPen,  // the result is NOT (screen XOR colour): drawing twice restores the screen
};

inline constexpr ColorRef kBlack = 0x000000;

class Canvas {
public:
    virtual ~Canvas() = default;

    // A solid pen one pixel wide; the default pen is black.
    virtual void SetPen(ColorRef color) = 0;
    void SetDefaultPen() { SetPen(kBlack); }
    // The brush that fills ellipses and rectangles; a null brush fills nothing.
    virtual void SetBrush(ColorRef color) = 0;
    virtual void SetNullBrush() = 0;
    virtual void SetRasterOp(RasterOp op) = 0;

    // A polygon region (winding fill rule) filled with the brush colour and
    // no outline.
    virtual void FillPolygon(std::span<const LPoint> points, ColorRef brush) = 0;
    // True when no polygon whose points all lie within the logical box can
    // fill a pixel here (its outline comes out as one column or one row of
    // pixels): a caller may skip working out its points. False when unknown.
    virtual bool FillsNoPixel(const LRect& /*box*/) const { return false; }
    // Lines through the points with the pen; not closed.
    virtual void Polyline(std::span<const LPoint> points) = 0;
    // Outlined with the pen and filled with the brush, inside the rectangle.
    virtual void Ellipse(const LRect& bounds) = 0;
    virtual void Rectangle(const LRect& bounds) = 0;
    // Ellipses of one radius around the centres, as Ellipse draws each; a
    // canvas may draw the lot in fewer calls.
    virtual void Dots(std::span<const LPoint> centres, int radius) {
        for (const LPoint& c : centres) {
            Ellipse(LRect{c.x - radius, c.y + radius, c.x + radius, c.y - radius});
        }
    }
    // The source rectangle of the image (pixels, y measured from the image's
    // bottom row as bitmaps count it) stretched onto the destination: x, y is
    // its top-left corner and height is negative when the image stands upright.
    virtual void StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                            int srcWidth, int srcHeight) = 0;

    // Names what follows ("runways", "lights" ...) until the matching end;
    // canvases may group or label it. Nothing is drawn by these.
    virtual void BeginLayer(std::string_view /*name*/) {}
    virtual void EndLayer() {}

    // The logical rectangle whose pixels this paint must get right (a window,
    // or the part of it to repaint): what lies wholly outside it may be
    // skipped. None: every shape is drawn, as a recording or a file keeps
    // what lies beyond the window too.
    virtual std::optional<LRect> PaintArea() const { return std::nullopt; }
};

}  // namespace rollpath
