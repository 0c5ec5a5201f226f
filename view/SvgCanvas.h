#pragma once

// A canvas that writes an SVG picture of a client area of the given size in
// pixels, at `dpi` pixels per inch, on a white background.

#include <string>

#include "view/Canvas.h"

namespace rollpath {

class SvgCanvas : public Canvas {
public:
    SvgCanvas(int width, int height, int dpi = 96);

    void SetPen(ColorRef color) override { pen_ = color; }
    void SetBrush(ColorRef color) override {
        brush_ = color;
        nullBrush_ = false;
    }
    void SetNullBrush() override { nullBrush_ = true; }
    void SetRasterOp(RasterOp op) override { op_ = op; }

    void FillPolygon(std::span<const LPoint> points, ColorRef brush) override;
    void Polyline(std::span<const LPoint> points) override;
    void Ellipse(const LRect& bounds) override;
    void Rectangle(const LRect& bounds) override;
    void StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                    int srcWidth, int srcHeight) override;
    void BeginLayer(std::string_view name) override;
    void EndLayer() override;

    // The whole document, closed.
    std::string Finish() const;

private:
    void AppendPoints(std::span<const LPoint> points);
    void AppendX(int logical);
    void AppendY(int logical);
    // A colour attribute under the raster operation.
    void AppendPaint(const char* attribute, ColorRef color);
    void AppendFill();
    void AppendStrokeAndEnd();
    void AppendBlendAndEnd();
    void AppendAttribute(const char* name, double value);

    int width_;
    int height_;
    double scale_;  // pixels per logical unit
    ColorRef pen_ = kBlack;
    ColorRef brush_ = 0xFFFFFF;
    bool nullBrush_ = false;
    RasterOp op_ = RasterOp::CopyPen;
    std::string body_;
};

// "#RRGGBB" of a 0x00BBGGRR colour.
std::string SvgColor(ColorRef color);

// A 24-bit Windows bitmap file of a part of an image (rows from the top).
std::string EncodeBmp(const DibImage& image, int x, int top, int width, int height);

std::string Base64(const std::string& bytes);

}  // namespace rollpath
