#include "pavement/ExtensionMarkings.h"

#include <algorithm>
#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/Arrowhead.h"
#include "pavement/SegmentEnds.h"

namespace rollpath {

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kStroke = 3.0;  // width of a chevron arm, feet

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

// A stroke along `arm` from `from`, kStroke wide toward `inward`: the
// stroke's inner edge starts `inner` from `from`, on the line where the
// stroke begins.
Quad Stroke(const DPoint& from, const DPoint& arm, const DPoint& inward, double length, const DPoint& inner) {
    const DPoint end = Along(from, arm, length);
    return Quad{from, end, Along(end, inward, kStroke), inner};
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
    const DPoint u = UnitVector(psi);
    const DPoint d1 = UnitVector(psi + kPi / 4.0);
    const DPoint d2 = UnitVector(psi - kPi / 4.0);
    const DPoint nL = UnitVector(psi + kPi / 2.0);
    const DPoint nR = UnitVector(psi - kPi / 2.0);
    const double padLength = math::Hypot(e.x - m.x, e.y - m.y);
    // Each arm ends 3 ft inside the pavement edge...
    const double arm = (static_cast<double>(segment.width) - 6.0) * kSqrt2 / 2.0;
    // ... and, its stroke included, no further out than the pad's end, from
    // an apex (or the end line) `from` feet out along the pad. An arm shorter
    // than its stroke is wide is not painted.
    const auto armWithin = [&](double limit, double from) {
        return std::min(limit, (padLength - from) * kSqrt2 - kStroke);
    };
    const auto chevron = [&](const DPoint& c, double from) {
        const double length = armWithin(arm, from);
        if (length >= kStroke) {
            const DPoint inner = Along(c, u, kStroke * kSqrt2);
            buffer.Add(Stroke(c, d2, d1, length, inner));
            buffer.Add(Stroke(c, d1, d2, length, inner));
        }
    };
    const double spacing = padLength >= 250.0 ? 100.0 : 50.0;

    double length = padLength;
    DPoint c = m;
    double apex = 0.0;  // how far c lies out along the pad
    if (spacing == 100.0) {
        // The tips of a chevron whose apex lies 50 ft behind the runway's end,
        // cut off at the end line: on a pad narrower than 106 ft its arms end
        // before they reach the line.
        const double tip = armWithin(arm - 50.0 * kSqrt2, 0.0);
        if (tip > 0.0) {
            const DPoint a = Along(m, nR, 50.0);
            const DPoint b = Along(m, nL, 50.0);
            buffer.Add(Stroke(a, d2, d1, tip, Along(a, nL, kStroke * kSqrt2)));
            buffer.Add(Stroke(b, d1, d2, tip, Along(b, nR, kStroke * kSqrt2)));
        }
        length -= 50.0;
        c = Along(m, u, 50.0);
        apex = 50.0;
    }
    const double count = std::trunc(length / spacing);
    for (double i = 0.0; i < count && !buffer.Full(); i += 1.0) {
        chevron(c, apex);
        c = Along(c, u, spacing);
        apex += spacing;
    }
    const double rest = length - count * spacing;
    if (rest > 25.0) {
        chevron(c, apex);
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
    const double q = static_cast<double>(segment.width) / 4.0;
    const double stroke = ArrowStrokeFor(static_cast<double>(segment.width));
    const DPoint u = UnitVector(phi);
    const DPoint n{-u.y, u.x};
    const DPoint m = Midpoint(segment.extensionCorners[0], segment.extensionCorners[1]);
    const DPoint b0 = Along(Along(m, u, 4.0), n, -1.5 * q);
    for (std::size_t k = 0; k < segment.extensionMarks.size(); ++k) {
        segment.extensionMarks[k] = ArrowheadPoints(Along(b0, n, static_cast<double>(k) * q), phi, q, stroke);
    }
}

}  // namespace rollpath
