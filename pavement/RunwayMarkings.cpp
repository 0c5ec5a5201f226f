#include "pavement/RunwayMarkings.h"

#include <algorithm>
#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "pavement/Arrowhead.h"

namespace rollpath {

namespace {

constexpr double kCrossInset = 75.0;
constexpr double kCrossHalfLength = 30.0;
constexpr double kCrossHalfWidth = 5.0;
constexpr double kThresholdBarLength = 120.0;
constexpr double kThresholdInset = 5.0;
constexpr double kThresholdPastDisplaced = 8.0;
constexpr double kCentreLineInset = 200.0;
constexpr double kDashPeriod = 200.0;
constexpr double kDashLength = 120.0;
constexpr double kDashHalfWidth = 1.0;
constexpr double kDisplacedBarLength = 3.0;
constexpr double kArrowMargin = 10.0;
constexpr double kAimingPointInner = 0.45;
constexpr double kAimingPointOuter = 0.85;
// A runway of 400000 ft; longer ones only come from damaged data.
constexpr int kMaxCentreLineDashes = 2000;

// One end of the runway seen from that end: its point, the unit vector
// inward along the axis, the unit normal to the left of it, and the corners
// on its left and right.
struct EndFrame {
    DPoint origin;
    DPoint in;
    DPoint left;
    DPoint leftCorner;
    DPoint rightCorner;
    int displaced;
};

double AxisAngle(const RunwayRecord& r) {
    return math::Atan2(r.end1.y - r.end0.y, r.end1.x - r.end0.x);
}

double AxisLength(const RunwayRecord& r) {
    return math::Hypot(r.end1.x - r.end0.x, r.end1.y - r.end0.y);
}

EndFrame FrameOf(const RunwayRecord& r, int end) {
    const double a = AxisAngle(r) + (end == 0 ? 0.0 : kPi);
    EndFrame f;
    f.in = UnitVector(a);
    f.left = DPoint{-f.in.y, f.in.x};
    if (end == 0) {
        f.origin = r.end0;
        f.leftCorner = r.corners[0];
        f.rightCorner = r.corners[1];
        f.displaced = r.displaced0;
    } else {
        f.origin = r.end1;
        f.leftCorner = r.corners[2];
        f.rightCorner = r.corners[3];
        f.displaced = r.displaced1;
    }
    return f;
}

DPoint At(const EndFrame& f, double along, double lateral) {
    return Along(Along(f.origin, f.in, along), f.left, lateral);
}

// The rectangle from `along0` to `along1` inside the end and from `lateral0`
// to `lateral1` left of the centre line.
Quad Band(const EndFrame& f, double along0, double along1, double lateral0, double lateral1) {
    return Quad{At(f, along0, lateral0), At(f, along1, lateral0), At(f, along1, lateral1),
                At(f, along0, lateral1)};
}

// A bar centred at c along the direction of `angle`.
Quad Bar(const DPoint& c, double angle, double halfLength, double halfWidth) {
    const DPoint u = UnitVector(angle);
    const DPoint n{-u.y, u.x};
    const auto p = [&](double a, double b) { return Along(Along(c, u, a), n, b); };
    return Quad{p(-halfLength, halfWidth), p(halfLength, halfWidth), p(halfLength, -halfWidth),
                p(-halfLength, -halfWidth)};
}

bool HasThresholdBars(int c) {
    return c == 4 || c == 6 || c == 7;
}
bool HasCentreLine(int c) {
    return c == 1 || c == 4 || c == 6 || c == 7;
}
bool HasAimingPoints(int c) {
    return c == 6 || c == 7;
}

double DisplacedOf(const EndFrame& f) {
    return f.displaced > 0 ? f.displaced : 0.0;
}

// The point `fraction` of the way from the centre line at `along` toward the
// corner line through `corner`.
DPoint TowardCorner(const EndFrame& f, double along, const DPoint& corner, double fraction) {
    const DPoint c = At(f, along, 0.0);
    return Along(c, DPoint{corner.x - f.origin.x, corner.y - f.origin.y}, fraction);
}

}  // namespace

int RunwayMarkingClass(const RunwayRecord& runway) {
    return runway.endAttr0 & 0xFF;
}

void AppendClosedRunwayCrosses(const RunwayRecord& runway, std::vector<Quad>& out) {
    for (int end = 0; end < 2; ++end) {
        const EndFrame f = FrameOf(runway, end);
        const DPoint c = At(f, kCrossInset, 0.0);
        const double axis = AxisAngle(runway);
        out.push_back(
            Bar(c, NormalizeAngle(axis + 45.0 * kDegToRad, kTwoPi), kCrossHalfLength, kCrossHalfWidth));
        out.push_back(
            Bar(c, NormalizeAngle(axis + 135.0 * kDegToRad, kTwoPi), kCrossHalfLength, kCrossHalfWidth));
    }
}

void AppendThresholdBars(const RunwayRecord& runway, std::vector<Quad>& out) {
    if (!HasThresholdBars(RunwayMarkingClass(runway))) {
        return;
    }
    const double s = runway.width / 11.0;
    for (int end = 0; end < 2; ++end) {
        const EndFrame f = FrameOf(runway, end);
        const double start = f.displaced > 0 ? f.displaced + kThresholdPastDisplaced : kThresholdInset;
        for (int i = 0; i < 4; ++i) {
            const double inner = (i + 0.5) * s;
            const double outer = inner + 2.0 * s / 3.0;
            out.push_back(Band(f, start, start + kThresholdBarLength, inner, outer));
            out.push_back(Band(f, start, start + kThresholdBarLength, -outer, -inner));
        }
    }
}

void AppendCentreLineDashes(const RunwayRecord& runway, std::vector<Quad>& out) {
    const int c = RunwayMarkingClass(runway);
    if (!HasCentreLine(c)) {
        return;
    }
    const double inset = c == 1 ? 0.0 : kCentreLineInset;
    const EndFrame f = FrameOf(runway, 0);
    const double start = inset + DisplacedOf(f);
    const double length = AxisLength(runway) - start - inset - DisplacedOf(FrameOf(runway, 1));
    if (!(length > 0.0)) {
        return;
    }
    const int dashes = static_cast<int>(std::min(0.005 * length, static_cast<double>(kMaxCentreLineDashes)));
    for (int k = 1; k <= dashes; ++k) {
        out.push_back(Band(f, start + kDashPeriod * k - kDashLength, start + kDashPeriod * k, -kDashHalfWidth,
                           kDashHalfWidth));
    }
}

void AppendDisplacedThresholdMarks(const RunwayRecord& runway, int end, std::vector<Quad>& out) {
    const EndFrame f = FrameOf(runway, end);
    if (f.displaced <= 0) {
        return;
    }
    const double d = f.displaced;
    const double halfWidth = runway.width / 2.0;
    out.push_back(Band(f, d, d + kDisplacedBarLength, -halfWidth, halfWidth));

    const int arrows =
        static_cast<int>(std::min(d / kArrowSlot, static_cast<double>(kMaxDisplacedThresholdArrows)));
    const double q = runway.width / 4.0;
    const double stroke = ArrowStrokeFor(runway.width);
    const double outward = math::Atan2(-f.in.y, -f.in.x);
    const double t = ArrowheadNotch(stroke);
    for (int k = 0; k < arrows; ++k) {
        const double slotEnd = d - kArrowSlot * k;
        const double tip = slotEnd - kArrowMargin;
        const double tail = slotEnd - kArrowSlot + kArrowMargin;
        AppendArrowheadQuads(ArrowheadPoints(At(f, tip, 0.0), outward, q, stroke), out);
        out.push_back(Band(f, tail, tip - t, -stroke / 2.0, stroke / 2.0));
    }
}

void AppendAimingPointBars(const RunwayRecord& runway, std::vector<Quad>& out) {
    if (!HasAimingPoints(RunwayMarkingClass(runway))) {
        return;
    }
    const double half = AxisLength(runway) / 2.0;
    for (int end = 0; end < 2; ++end) {
        const EndFrame f = FrameOf(runway, end);
        const double a0 = DisplacedOf(f) + kAimingPointDistance;
        const double a1 = a0 + kAimingPointLength;
        if (a1 > half) {
            continue;
        }
        for (const DPoint& corner : {f.leftCorner, f.rightCorner}) {
            out.push_back(Quad{TowardCorner(f, a0, corner, kAimingPointInner),
                               TowardCorner(f, a1, corner, kAimingPointInner),
                               TowardCorner(f, a1, corner, kAimingPointOuter),
                               TowardCorner(f, a0, corner, kAimingPointOuter)});
        }
    }
}

void BuildRunwayMarkings(const RunwayRecord& runway, std::vector<Quad>& out) {
    if (runway.closed != 0) {
        AppendClosedRunwayCrosses(runway, out);
        return;
    }
    AppendThresholdBars(runway, out);
    AppendCentreLineDashes(runway, out);
    AppendDisplacedThresholdMarks(runway, 0, out);
    AppendDisplacedThresholdMarks(runway, 1, out);
    AppendAimingPointBars(runway, out);
}

}  // namespace rollpath
