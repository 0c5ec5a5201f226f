#pragma once

// A canvas that remembers every drawing call with the state it was made in:
// for tests, and for measuring the view's own drawing cost.

#include <string>
#include <string_view>
#include <vector>

#include "view/Canvas.h"

namespace rollpath {

enum class DrawKind { FillPolygon, Polyline, Ellipse, Rectangle, StretchDib };

struct DrawCall {
    DrawKind kind = DrawKind::FillPolygon;
    std::vector<LPoint> points;  // polygons and polylines
    LRect bounds;                // ellipses, rectangles, images (top-left, bottom-right)
    ColorRef pen = kBlack;
    ColorRef brush = kBlack;  // for FillPolygon the colour it was given
    bool nullBrush = false;
    RasterOp op = RasterOp::CopyPen;
    std::string_view layer;  // the innermost open layer, empty outside any (names live for the program)
};

class RecordingCanvas : public Canvas {
public:
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
    void Dots(std::span<const LPoint> centres, int radius) override;
    void StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                    int srcWidth, int srcHeight) override;

    void BeginLayer(std::string_view name) override;
    void EndLayer() override {
        if (!layers_.empty()) {
            layers_.pop_back();
        }
    }

    // Forgets the calls (the state stays).
    void Clear() { calls.clear(); }

    // Copies of the calls made inside layers of this name.
    std::vector<DrawCall> InLayer(std::string_view name) const;
    // The names of the layers in the order their first call was made.
    std::vector<std::string> LayerOrder() const;

    std::vector<DrawCall> calls;

private:
    DrawCall& Record(DrawKind kind);

    ColorRef pen_ = kBlack;
    ColorRef brush_ = 0xFFFFFF;
    bool nullBrush_ = false;
    RasterOp op_ = RasterOp::CopyPen;
    std::vector<std::string_view> layers_;
};

}  // namespace rollpath
