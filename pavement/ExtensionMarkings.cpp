#include "pavement/ExtensionMarkings.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/SegmentEnds.h"

namespace rollpath {

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kStroke = 3.0;  // width of a chevron arm, feet

DPoint Unit(double angle) {
    return DPoint{math::Cos(angle), math::Sin(angle)};
}

DPoint Add(const DPoint& p, const DPoint& v, double d) {
    return DPoint{p.x + d * v.x, p.y + d * v.y};
}

DPoint Midpoint(const DPoint& a, const DPoint& b) {
    return DPoint{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// The extension's outer end: vertex1 with flag 0x40, vertex0 with 0x20, -1
// without an extension.
int OuterEnd(const RollpathSegment& s) {
    if ((s.flags & SegmentFlag::ExtensionAt1) != 0) {
        return 1;
    }
    if ((s.flags & SegmentFlag::ExtensionAt0) != 0) {
        return 0;
    }
    return -1;
}

// The two arms of a chevron with its apex at c, each `arm` long.
void Chevron(QuadBuffer& buffer, const DPoint& c, double arm, const DPoint& u, const DPoint& d1,
             const DPoint& d2) {
    buffer.Add(Quad{c, Add(c, d2, arm), Add(Add(c, d2, arm), d1, kStroke), Add(c, u, kStroke * kSqrt2)});
    buffer.Add(Quad{c, Add(c, d1, arm), Add(Add(c, d1, arm), d2, kStroke), Add(c, u, kStroke * kSqrt2)});
}

}  // namespace

int BlastPadQuads(const RollpathSegment& segment, QuadBuffer& buffer) {
    buffer.Clear();
    const int outer = OuterEnd(segment);
    if (outer < 0) {
        return 0;
    }
    const DPoint m = Midpoint(segment.extensionCorners[0], segment.extensionCorners[1]);
    const DPoint e = Midpoint(segment.outline[static_cast<std::size_t>(OutlineLeft(outer))],
                              segment.outline[static_cast<std::size_t>(OutlineRight(outer))]);
    const double psi = math::Atan2(e.y - m.y, e.x - m.x);
    const DPoint u = Unit(psi);
    const DPoint d1 = Unit(psi + kPi / 4.0);
    const DPoint d2 = Unit(psi - kPi / 4.0);
    const DPoint nL = Unit(psi + kPi / 2.0);
    const DPoint nR = Unit(psi - kPi / 2.0);
    double length = math::Hypot(e.x - m.x, e.y - m.y);
    // Each arm ends 3 ft inside the pavement edge.
    const double arm = (static_cast<double>(segment.width) - 6.0) * kSqrt2 / 2.0;
    const double spacing = length >= 250.0 ? 100.0 : 50.0;

    DPoint c = m;
    if (spacing == 100.0) {
        // The tips of a chevron whose apex lies 50 ft behind the runway's end,
        // cut off at the end line.
        const double tip = arm - 50.0 * kSqrt2;
        const DPoint a = Add(m, nR, 50.0);
        const DPoint b = Add(m, nL, 50.0);
        buffer.Add(Quad{a, Add(a, d2, tip), Add(Add(a, d2, tip), d1, kStroke), Add(a, nL, kStroke * kSqrt2)});
        buffer.Add(Quad{b, Add(b, d1, tip), Add(Add(b, d1, tip), d2, kStroke), Add(b, nR, kStroke * kSqrt2)});
        length -= 50.0;
        c = Add(m, u, 50.0);
    }
    const double count = std::trunc(length / spacing);
    for (double i = 0.0; i < count && !buffer.Full(); i += 1.0) {
        Chevron(buffer, c, arm, u, d1, d2);
        c = Add(c, u, spacing);
    }
    const double rest = length - count * spacing;
    if (rest > 25.0) {
        Chevron(buffer, c, rest * kSqrt2, u, d1, d2);
    }
    return buffer.size();
}

void ExtensionArrowheads(const CRollpathDoc& doc, RollpathSegment& segment) {
    const int outer = OuterEnd(segment);
    if (outer < 0 || !doc.IsLiveVertex(segment.vertex0) || !doc.IsLiveVertex(segment.vertex1)) {
        return;
    }
    const DPoint out = doc.Vertex(segment.VertexAt(outer)).pos();
    const DPoint in = doc.Vertex(segment.VertexAt(1 - outer)).pos();
    const double phi = math::Atan2(out.y - in.y, out.x - in.x);
    const double w = static_cast<double>(segment.width);
    const double q = w / 4.0;
    const double stroke = w <= 50.0 ? 1.0 : (w <= 100.0 ? 1.5 : 2.0);
    const double arms = 10.0 * kDegToRad;
    const double steep = 80.0 * kDegToRad;
    // The inner side of an arm starts t along the axis from the tip, so that
    // the arm, opening at 10 degrees, is `stroke` wide.
    const double t = stroke / math::Cos(steep);
    const double e = q - t * math::Sin(steep);
    const DPoint u = Unit(phi);
    const DPoint n{-u.y, u.x};
    const DPoint dMinus = Unit(phi - arms);
    const DPoint dPlus = Unit(phi + arms);
    const DPoint m = Midpoint(segment.extensionCorners[0], segment.extensionCorners[1]);
    const DPoint b0 = Add(Add(m, u, 4.0), n, -1.5 * q);
    for (std::size_t k = 0; k < segment.extensionMarks.size(); ++k) {
        const DPoint b = Add(b0, n, static_cast<double>(k) * q);
        const DPoint p1 = Add(b, u, t);
        segment.extensionMarks[k] = {
            b, p1, Add(p1, dMinus, e), Add(b, dMinus, q), Add(p1, dPlus, e), Add(b, dPlus, q)};
    }
}

}  // namespace rollpath
