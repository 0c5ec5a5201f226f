#include "view/SvgCanvas.h"

#include <algorithm>
#include <cstdio>

#include "geometry/NumberText.h"

namespace rollpath {

namespace {

std::string Number(double v) {
    std::string s = FormatFixed(v, 2);
    // Trailing zeros only make the file longer.
    while (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void PutU16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

}  // namespace

std::string SvgColor(ColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
    return text;
}

SvgCanvas::SvgCanvas(int width, int height, int dpi)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), scale_((dpi > 0 ? dpi : 96) / 1000.0) {}

void SvgCanvas::AppendX(int logical) {
    body_ += Number(logical * scale_);
}

void SvgCanvas::AppendY(int logical) {
    body_ += Number(-logical * scale_);
}

void SvgCanvas::AppendPoints(std::span<const LPoint> points) {
    bool first = true;
    for (const LPoint& p : points) {
        if (!first) {
            body_ += ' ';
        }
        first = false;
        AppendX(p.x);
        body_ += ',';
        AppendY(p.y);
    }
}

// Not-xor has no SVG equivalent; a difference blend of the inverted colour
// gives the same result wherever the colours are pure (0 or 255 per channel).
// (Texts are appended piece by piece: chains of string additions trip a
// false overlap warning of GCC 12 at -O3.)
void SvgCanvas::AppendPaint(const char* attribute, ColorRef color) {
    const ColorRef shown = op_ == RasterOp::NotXorPen ? (~color & 0xFFFFFF) : color;
    body_ += ' ';
    body_ += attribute;
    body_ += "=\"";
    body_ += SvgColor(shown);
    body_ += '"';
}

void SvgCanvas::AppendFill() {
    if (nullBrush_) {
        body_ += " fill=\"none\"";
    } else {
        AppendPaint("fill", brush_);
    }
}

void SvgCanvas::AppendStrokeAndEnd() {
    AppendPaint("stroke", pen_);
    body_ += " stroke-width=\"1\"";
    AppendBlendAndEnd();
}

void SvgCanvas::AppendBlendAndEnd() {
    if (op_ == RasterOp::NotXorPen) {
        body_ += " style=\"mix-blend-mode:difference\"";
    }
    body_ += "/>\n";
}

void SvgCanvas::AppendAttribute(const char* name, double value) {
    body_ += ' ';
    body_ += name;
    body_ += "=\"";
    body_ += Number(value);
    body_ += '"';
}

void SvgCanvas::FillPolygon(std::span<const LPoint> points, ColorRef brush) {
    if (points.size() < 3) {
        return;
    }
    body_ += "<polygon points=\"";
    AppendPoints(points);
    body_ += '"';
    AppendPaint("fill", brush);
    body_ += " fill-rule=\"nonzero\" stroke=\"none\"";
    AppendBlendAndEnd();
}

void SvgCanvas::Polyline(std::span<const LPoint> points) {
    if (points.size() < 2) {
        return;
    }
    body_ += "<polyline points=\"";
    AppendPoints(points);
    body_ += "\" fill=\"none\"";
    AppendStrokeAndEnd();
}

void SvgCanvas::Ellipse(const LRect& b) {
    body_ += "<ellipse";
    AppendAttribute("cx", (b.left + b.right) / 2.0 * scale_);
    AppendAttribute("cy", -(b.top + b.bottom) / 2.0 * scale_);
    AppendAttribute("rx", std::abs(b.right - b.left) / 2.0 * scale_);
    AppendAttribute("ry", std::abs(b.top - b.bottom) / 2.0 * scale_);
    AppendFill();
    AppendStrokeAndEnd();
}

void SvgCanvas::Rectangle(const LRect& b) {
    body_ += "<rect";
    AppendAttribute("x", std::min(b.left, b.right) * scale_);
    AppendAttribute("y", -std::max(b.top, b.bottom) * scale_);
    AppendAttribute("width", std::abs(b.right - b.left) * scale_);
    AppendAttribute("height", std::abs(b.top - b.bottom) * scale_);
    AppendFill();
    AppendStrokeAndEnd();
}

void SvgCanvas::StretchDib(const DibImage& image, int x, int y, int width, int height, int srcX, int srcY,
                           int srcWidth, int srcHeight) {
    if (image.empty() || srcWidth <= 0 || srcHeight <= 0 || width == 0 || height == 0) {
        return;
    }
    // Source rows count from the image's bottom; ours from its top.
    const int top = image.height - (srcY + srcHeight);
    const std::string bmp = EncodeBmp(image, srcX, top, srcWidth, srcHeight);
    if (bmp.empty()) {
        return;
    }
    body_ += "<image";
    AppendAttribute("x", std::min(x, x + width) * scale_);
    AppendAttribute("y", -std::max(y, y + height) * scale_);
    AppendAttribute("width", std::abs(width) * scale_);
    AppendAttribute("height", std::abs(height) * scale_);
    body_ += " preserveAspectRatio=\"none\" href=\"data:image/bmp;base64,";
    body_ += Base64(bmp);
    body_ += "\"/>\n";
}

void SvgCanvas::BeginLayer(std::string_view name) {
    body_ += "<g class=\"";
    body_ += Escaped(name);
    body_ += "\">\n";
}

void SvgCanvas::EndLayer() {
    body_ += "</g>\n";
}

std::string SvgCanvas::Finish() const {
    const std::string w = std::to_string(width_);
    const std::string h = std::to_string(height_);
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
    svg += w;
    svg += "\" height=\"";
    svg += h;
    svg += "\" viewBox=\"0 0 ";
    svg += w;
    svg += ' ';
    svg += h;
    svg += "\">\n<rect width=\"";
    svg += w;
    svg += "\" height=\"";
    svg += h;
    svg += "\" fill=\"#ffffff\"/>\n";
    svg += body_;
    svg += "</svg>\n";
    return svg;
}

std::string EncodeBmp(const DibImage& image, int x, int top, int width, int height) {
    x = std::max(x, 0);
    top = std::max(top, 0);
    width = std::min(width, image.width - x);
    height = std::min(height, image.height - top);
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string out;
    out.reserve(54 + pixelBytes);
    out += "BM";
    PutU32(out, 54 + pixelBytes);
    PutU32(out, 0);
    PutU32(out, 54);
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0);
    PutU32(out, pixelBytes);
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int row = height - 1; row >= 0; --row) {
        const std::uint32_t* src =
            image.pixels.data() +
            static_cast<std::size_t>(top + row) * static_cast<std::size_t>(image.width) +
            static_cast<std::size_t>(x);
        std::uint32_t written = 0;
        for (int i = 0; i < width; ++i) {
            out += static_cast<char>(src[i] & 0xFF);
            out += static_cast<char>((src[i] >> 8) & 0xFF);
            out += static_cast<char>((src[i] >> 16) & 0xFF);
            written += 3;
        }
        out.append(rowBytes - written, '\0');
    }
    return out;
}

std::string Base64(const std::string& bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16 |
                                static_cast<std::uint8_t>(bytes[i + 1]) << 8 |
                                static_cast<std::uint8_t>(bytes[i + 2]);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < bytes.size()) {
        std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) {
            v |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        }
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

}  // namespace rollpath
