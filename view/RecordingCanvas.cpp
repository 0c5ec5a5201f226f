#include "view/RecordingCanvas.h"

#include <algorithm>

namespace rollpath {

DrawCall& RecordingCanvas::Record(DrawKind kind) {
    DrawCall& call = calls.emplace_back();
    call.kind = kind;
    call.pen = pen_;
    call.brush = brush_;
    call.nullBrush = nullBrush_;
    call.op = op_;
    if (!layers_.empty()) {
        call.layer = layers_.back();
    }
    return call;
}

void RecordingCanvas::FillPolygon(std::span<const LPoint> points, ColorRef brush) {
    DrawCall& call = Record(DrawKind::FillPolygon);
    call.points.assign(points.begin(), points.end());
    call.brush = brush;
    call.nullBrush = false;
}

void RecordingCanvas::Polyline(std::span<const LPoint> points) {
    Record(DrawKind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::Ellipse(const LRect& bounds) {
    Record(DrawKind::Ellipse).bounds = bounds;
}

void RecordingCanvas::Rectangle(const LRect& bounds) {
    Record(DrawKind::Rectangle).bounds = bounds;
}

void RecordingCanvas::StretchDib(const DibImage& /*image*/, int x, int y, int width, int height, int srcX,
                                 int srcY, int srcWidth, int srcHeight) {
    DrawCall& call = Record(DrawKind::StretchDib);
    call.bounds = LRect{x, y, x + width, y + height};
    call.points = {LPoint{srcX, srcY}, LPoint{srcWidth, srcHeight}};
}

std::vector<DrawCall> RecordingCanvas::InLayer(std::string_view name) const {
    std::vector<DrawCall> found;
    for (const DrawCall& call : calls) {
        if (call.layer == name) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<std::string> RecordingCanvas::LayerOrder() const {
    std::vector<std::string> order;
    for (const DrawCall& call : calls) {
        if (std::find(order.begin(), order.end(), call.layer) == order.end()) {
            order.push_back(call.layer);
        }
    }
    return order;
}

}  // namespace rollpath
