#include "view/RecordingCanvas.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace rollpath {

namespace {

// One lasting copy of each layer name: calls refer to it instead of copying
// it (a heap allocation for long names) each time.
std::string_view Interned(std::string_view name) {
    static std::mutex mutex;
    static std::set<std::string, std::less<>> names;
    const std::scoped_lock lock(mutex);
    auto it = names.find(name);
    if (it == names.end()) {
        it = names.emplace(name).first;
    }
    return *it;
}

}  // namespace

void RecordingCanvas::BeginLayer(std::string_view name) {
    layers_.push_back(Interned(name));
}

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

void RecordingCanvas::Dots(std::span<const LPoint> centres, int radius) {
    for (const LPoint& c : centres) {
        Record(DrawKind::Ellipse).bounds = LRect{c.x - radius, c.y + radius, c.x + radius, c.y - radius};
    }
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
            order.emplace_back(call.layer);
        }
    }
    return order;
}

}  // namespace rollpath
