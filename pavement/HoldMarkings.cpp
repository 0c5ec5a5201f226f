#include "pavement/HoldMarkings.h"

#include <cmath>

#include "geometry/PortableMath.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

namespace {

constexpr double kDash = 3.0;        // dash length and gap of the runway hold, feet
constexpr double kBlockStep = 10.0;  // lateral step of the critical hold's blocks, feet

DPoint At(const DPoint& base, const DPoint& u, double along, const DPoint& n, double across) {
    return Along(Along(base, u, along), n, across);
}

// A reference vertex R of the segment, the unit vector u from R toward the
// other vertex and n, u turned 90 degrees counter-clockwise.
struct HoldFrame {
    DPoint r;
    DPoint u;
    DPoint n;
    bool fromVertex0 = true;
};

bool GetHoldFrame(const CRollpathDoc& doc, const RollpathSegment& s, bool fromVertex0, HoldFrame& frame) {
    SegmentFrame f;
    if (!GetSegmentFrame(doc, s, f)) {
        return false;
    }
    const DPoint r = fromVertex0 ? f.p0 : f.p1;
    const DPoint o = fromVertex0 ? f.p1 : f.p0;
    const double a = math::Atan2(o.y - r.y, o.x - r.x);
    frame.r = r;
    frame.u = UnitVector(a);
    frame.n = DPoint{-frame.u.y, frame.u.x};
    frame.fromVertex0 = fromVertex0;
    return true;
}

// The runway hold is measured from the end at the runway.
bool RunwaySideIsVertex0(const RollpathSegment& s) {
    return s.endClass0 == EndClass::Runway || s.endClass0 == EndClass::RunwayEnd;
}

// A line 1 ft thick across the rollpath from -half to +half at `base`.
Quad SolidLine(const DPoint& base, const DPoint& u, const DPoint& n, double half) {
    return Quad{At(base, u, 0.0, n, half), At(base, u, 0.0, n, -half), At(base, u, 1.0, n, -half),
                At(base, u, 1.0, n, half)};
}

}  // namespace

int RunwayHoldQuads(const CRollpathDoc& doc, const RollpathSegment& segment, QuadBuffer& buffer) {
    buffer.Clear();
    HoldFrame f;
    const double h = static_cast<double>(segment.width) / 2.0;
    if (!std::isfinite(h) || !GetHoldFrame(doc, segment, RunwaySideIsVertex0(segment), f)) {
        return 0;
    }
    // The dashes are laid out so that the pattern is symmetric about the
    // centre line: whole dash-and-gap periods of 6 ft, with the end dashes
    // shortened (or the line pulled in from the edges) to take the rest.
    const double q = h - 1.5;
    const double k = std::trunc(q / 6.0);
    const double r = q - 6.0 * k;
    double start = h;
    double endDash = kDash;
    double dashes = 2.0 * k + 1.0;
    if (r > 3.0) {
        endDash = r - 3.0;
        dashes = 2.0 * k + 3.0;
    } else if (r != 0.0) {
        start = h - r;
    }
    const DPoint hold = At(f.r, f.u, segment.extent0, f.n, 0.0);
    for (const double line : {0.0, 2.0}) {
        DPoint s = At(hold, f.u, line, f.n, -start);
        for (double j = 0.0; j < dashes && !buffer.Full(); j += 1.0) {
            const double length = (j == 0.0 || j == dashes - 1.0) ? endDash : kDash;
            buffer.Add(Quad{s, At(s, f.u, 1.0, f.n, 0.0), At(s, f.u, 1.0, f.n, length),
                            At(s, f.u, 0.0, f.n, length)});
            s = At(s, f.u, 0.0, f.n, length + kDash);
        }
    }
    for (const double line : {4.0, 6.0}) {
        buffer.Add(SolidLine(At(hold, f.u, line, f.n, 0.0), f.u, f.n, h));
    }
    return buffer.size();
}

int CriticalHoldQuads(const CRollpathDoc& doc, const RollpathSegment& segment, QuadBuffer& buffer) {
    buffer.Clear();
    HoldFrame f;
    if (!GetHoldFrame(doc, segment, true, f)) {
        return 0;
    }
    const Settings& st = doc.GetSettings();
    const double w = static_cast<double>(segment.width) / 2.0 - st.EdgeInset - st.EdgeWidth;
    const DPoint base = At(f.r, f.u, segment.extent1 + 1.0, f.n, 0.0);
    const auto block = [&](double a, double b) {
        buffer.Add(Quad{At(base, f.u, 0.0, f.n, a), At(base, f.u, 0.0, f.n, b), At(base, f.u, 2.0, f.n, b),
                        At(base, f.u, 2.0, f.n, a)});
    };
    if (3.5 < w) {
        for (double c = 3.5; c < w && !buffer.Full(); c += kBlockStep) {
            const bool second = c + 2.0 < w;
            block(c, c + 1.0);
            if (second) {
                block(c + 2.0, c + 3.0);
            }
            block(-c - 1.0, -c);
            if (second) {
                block(-c - 3.0, -c - 2.0);
            }
        }
    }
    for (const double at : {0.0, 3.0}) {
        buffer.Add(SolidLine(At(f.r, f.u, segment.extent1 + at, f.n, 0.0), f.u, f.n, w));
    }
    return buffer.size();
}

int HoldEndQuads(const CRollpathDoc& doc, const RollpathSegment& segment, int kind, QuadBuffer& buffer) {
    buffer.Clear();
    const bool runwayHold = kind == SegmentFlag::RunwayHold;
    if (!runwayHold && kind != SegmentFlag::CriticalHold) {
        return 0;
    }
    HoldFrame f;
    SegmentFrame own;
    if (!GetHoldFrame(doc, segment, runwayHold ? RunwaySideIsVertex0(segment) : true, f) ||
        !GetSegmentFrame(doc, segment, own)) {
        return 0;
    }
    // Where the centre line stops before the marking and resumes after it,
    // measured from the reference vertex.
    const double d = runwayHold ? segment.extent0 : segment.extent1;
    const double cutIn = d + (runwayHold ? -3.0 : -0.5);
    const double cutOut = d + (runwayHold ? 7.5 : 4.5);
    const double tFirst = f.fromVertex0 ? cutIn : cutOut;
    const double tSecond = f.fromVertex0 ? cutOut : cutIn;
    const double half = doc.GetSettings().EdgeWidth / 2.0;
    const auto side = [&](double t, const DPoint& normal) {
        const DPoint q = At(f.r, f.u, t, f.n, 0.0);
        return Along(q, normal, half);
    };
    Quad first = segment.centreStripe;
    first[1] = side(tFirst, own.leftN);
    first[2] = side(tFirst, own.rightN);
    Quad second = segment.centreStripe;
    second[0] = side(tSecond, own.leftN);
    second[3] = side(tSecond, own.rightN);
    buffer.Add(first);
    buffer.Add(second);
    return buffer.size();
}

}  // namespace rollpath
