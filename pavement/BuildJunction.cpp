#include "pavement/BuildJunction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/Fillets.h"

namespace rollpath {

namespace {

constexpr int kMinDepth = 3;
constexpr int kMaxDepth = 10;
constexpr int kLightsPerCurve = 5;

DPoint Add(const DPoint& p, const DPoint& v, double d) {
    return DPoint{p.x + d * v.x, p.y + d * v.y};
}

double Distance(const DPoint& a, const DPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

DPoint Midpoint(const DPoint& a, const DPoint& b) {
    return DPoint{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// A line of the corner: its points level with the vertex and with the far
// vertex, `offset` feet out along `normal`.
struct Line {
    DPoint atVertex;
    DPoint atFar;
};

Line OffsetLine(const DPoint& p, const JunctionEnd& e, const DPoint& normal, double offset) {
    return Line{Add(p, normal, offset), Add(e.far, normal, offset)};
}

// The five lines of each segment at a corner, in the order: pavement edge on
// the facing side, pavement edge on the other side, edge-marking centre line
// on the facing side, centre line, edge-light line on the facing side.
constexpr int kLines = 5;
enum LineIndex { kPaveEdge = 0, kOtherEdge = 1, kEdgeMark = 2, kCentre = 3, kLightRow = 4 };

std::array<Line, kLines> CornerLines(const DPoint& p, const JunctionEnd& e, const DPoint& facing,
                                     double centreShift, const Settings& st) {
    const double h = e.halfWidth;
    const DPoint other{-facing.x, -facing.y};
    return {OffsetLine(p, e, facing, h), OffsetLine(p, e, other, h),
            OffsetLine(p, e, facing, h - st.EdgeInset - st.EdgeWidth / 2.0),
            OffsetLine(p, e, facing, centreShift), OffsetLine(p, e, facing, h + st.LiteOffset)};
}

// A runway centre line that does not end in an extension here stands for
// the runway: the curves onto it end CenterOffset from it, on the side of the
// rollpath.
bool ShiftedRunway(const JunctionEnd& e) {
    return e.IsRunway() && e.endClass != EndClass::Extension;
}

// Whether p lies strictly on the corner's side of the fillet's chord. A
// reflex fillet of segments of unequal width can pass in front of the vertex;
// closing the polygon at the vertex would then fold it over itself, so it
// closes along its chord instead.
bool OnCornerSide(const Fillet& f, const DPoint& corner, const DPoint& p) {
    const auto side = [&f](const DPoint& x) {
        const double cross = (f.t2.x - f.t1.x) * (x.y - f.t1.y) - (f.t2.y - f.t1.y) * (x.x - f.t1.x);
        return cross > 0.0 ? 1 : (cross < 0.0 ? -1 : 0);
    };
    const int at = side(p);
    return at != 0 && at == side(corner);
}

// Both ends meet the line from the corner c1 to c2: the facing corner at c1,
// the other corner at c2 and the centre between them.
void CutAlong(const JunctionEnd& e, bool facingLeft, const DPoint& c1, const DPoint& c2) {
    e.Corner(facingLeft) = c1;
    e.Corner(!facingLeft) = c2;
    e.Centre() = Midpoint(c1, c2);
}

// The curve of a fillet with its lead points: one foot back along the line it
// leaves and one foot on along the line it joins.
std::vector<DPoint> LeadPolyline(const Fillet& f, const std::vector<DPoint>& curve, const JunctionEnd& a,
                                 const JunctionEnd& b) {
    std::vector<DPoint> polyline;
    polyline.reserve(curve.size() + 2);
    polyline.push_back(Add(f.t1, a.u, -1.0));
    polyline.insert(polyline.end(), curve.begin(), curve.end());
    polyline.push_back(Add(f.t2, b.u, -1.0));
    return polyline;
}

void AddCurveLights(CappedList<DPoint, kMaxVertexProducts>& lights, const Fillet& f) {
    for (int j = 1; j <= kLightsPerCurve; ++j) {
        lights.push_back(FilletPoint(f, j / 6.0));
    }
}

// At a vertex of more than two segments a short runway centre line that
// stops dead at its other end gets no centre-line curve. At a vertex of two
// the curve of the convex corner serves the reflex one as well: both pass
// through the same corner of the two centre lines.
bool BuildsCentreCurve(const CRollpathDoc& doc, const DPoint& p, const JunctionEnd& a, const JunctionEnd& b,
                       int n, bool convex) {
    if (n == 2) {
        return convex;
    }
    const JunctionEnd* runway = a.IsRunway() ? &a : (b.IsRunway() ? &b : nullptr);
    if (runway == nullptr) {
        return true;
    }
    const bool deadElsewhere = runway->segment->EndClassAt(1 - runway->end) == EndClass::DeadEnd;
    const double length = std::hypot(p.x - runway->far.x, p.y - runway->far.y);
    return !(deadElsewhere && length < doc.GetSettings().RunwayExitMax);
}

// The exit line where a rollpath meets a runway centre line: from the
// curve's end edge on the runway side, RunwayExit feet along the runway away
// from the junction, or to the runway's end line on an extension.
void BuildExit(const CRollpathDoc& doc, const JunctionEnd& a, const JunctionEnd& b, const Fillet& curve,
               const EndEdge& e0, const EndEdge& e1) {
    if (a.IsRunway() == b.IsRunway()) {
        return;
    }
    const bool runwayFirst = a.IsRunway();
    const JunctionEnd& runway = runwayFirst ? a : b;
    const JunctionEnd& rollpath = runwayFirst ? b : a;
    const EndEdge& edge = runwayFirst ? e0 : e1;
    DPoint run;
    if (runway.endClass == EndClass::Extension) {
        const DPoint tip = runwayFirst ? curve.t1 : curve.t2;
        const auto& corners = runway.segment->extensionCorners;
        const DPoint endLine = Midpoint(corners[0], corners[1]);
        run = DPoint{endLine.x - tip.x, endLine.y - tip.y};
    } else {
        const double length = doc.GetSettings().RunwayExit;
        run = DPoint{-length * runway.u.x, -length * runway.u.y};
    }
    const int index = ExitIndex(rollpath.end, runwayFirst);
    rollpath.segment->exitQuads[static_cast<std::size_t>(index)] =
        Quad{edge.a, edge.b, Add(edge.b, run, 1.0), Add(edge.a, run, 1.0)};
    rollpath.segment->exitMask |= 1 << index;
}

}  // namespace

int JunctionDepth(const Settings& settings) {
    return std::clamp(settings.BezierDepth, kMinDepth, kMaxDepth);
}

bool BuildJunction(CRollpathDoc& doc, int k, JunctionEnd& a, JunctionEnd& b, int n, double theta,
                   GroundPolygon& polygon) {
    const Settings& st = doc.GetSettings();
    NetworkVertex& vertex = doc.Vertex(k);
    const DPoint p = vertex.pos();
    const int depth = JunctionDepth(st);
    const double angle = std::fabs(theta);
    const bool convex = angle < kPi;

    const double wmax = 2.0 * std::max(a.halfWidth, b.halfWidth);
    const double wmin = 2.0 * std::min(a.halfWidth, b.halfWidth);
    const double cap1 = convex ? wmin / 2.0 : wmax;
    const double cap2 = convex ? wmax : wmin / 2.0;
    const double cap3 = (wmax + wmin / 2.0) / 2.0;

    // The corner lies on a's left and b's right for a negative angle.
    const bool aLeft = theta < 0.0;
    const bool bLeft = !aLeft;
    const DPoint fa = a.Normal(aLeft);
    const DPoint fb = b.Normal(bLeft);
    const double shiftA = ShiftedRunway(a) ? st.CenterOffset : 0.0;
    const double shiftB = shiftA == 0.0 && ShiftedRunway(b) ? st.CenterOffset : 0.0;
    const auto linesA = CornerLines(p, a, fa, shiftA, st);
    const auto linesB = CornerLines(p, b, fb, shiftB, st);

    // Lines that meet farther out than the segments reach run (nearly) on top
    // of each other: their corner would pull the outlines into spikes, or off
    // to astronomical distances when the angle is a rounding error.
    const double reach = std::max(Distance(p, a.far), Distance(p, b.far)) + wmax + std::fabs(st.LiteOffset);
    std::array<DPoint, kLines> c{};
    for (int i = 0; i < kLines; ++i) {
        const Line& la = linesA[static_cast<std::size_t>(i)];
        const Line& lb = linesB[static_cast<std::size_t>(i)];
        DPoint& corner = c[static_cast<std::size_t>(i)];
        if (IntersectSegments(la.atVertex, la.atFar, lb.atVertex, lb.atFar, corner, false) == 0 ||
            !(Distance(p, corner) <= reach)) {
            return false;
        }
    }
    const auto fillet = [&](int i, double cap) {
        const auto at = static_cast<std::size_t>(i);
        return FilletControlPoints(c[at], cap, linesA[at].atFar, linesB[at].atFar, a.u, b.u);
    };
    const Fillet pave = fillet(kPaveEdge, cap1);
    const Fillet inner = fillet(kOtherEdge, cap2);
    const Fillet edgeMark = fillet(kEdgeMark, cap1);
    const Fillet centre = fillet(kCentre, cap3);
    const Fillet lightRow = fillet(kLightRow, cap1);
    const DPoint c1 = c[kPaveEdge];
    const DPoint c2 = c[kOtherEdge];

    const bool runwayEnd = a.endClass == EndClass::RunwayEnd || b.endClass == EndClass::RunwayEnd;
    const bool extension = a.endClass == EndClass::Extension || b.endClass == EndClass::Extension;
    const bool squareExtension = extension && angle >= kSquareLow && angle <= kSquareHigh;

    polygon.kind = PolygonKind::Junction;
    polygon.points = FilletCurve(pave, depth);
    if (convex) {
        polygon.points.push_back(c1);
        if (n > 2) {
            a.Corner(aLeft) = c1;
            b.Corner(bLeft) = c1;
        } else if (runwayEnd && angle >= kRightAngle) {
            CutAlong(a, aLeft, c1, c2);
            CutAlong(b, bLeft, c1, c2);
        }
    } else if (n == 2) {
        polygon.points.push_back(inner.t2);
        polygon.points.push_back(c2);
        polygon.points.push_back(inner.t1);
        if (squareExtension) {
            CutAlong(a, aLeft, c1, c2);
            CutAlong(b, bLeft, c1, c2);
        } else {
            CutAlong(a, aLeft, pave.t1, inner.t1);
            CutAlong(b, bLeft, pave.t2, inner.t2);
        }
    } else {
        if (!OnCornerSide(pave, c1, a.Centre())) {
            polygon.points.push_back(a.Centre());
        }
        a.Corner(aLeft) = pave.t1;
        b.Corner(bLeft) = pave.t2;
    }

    const double half = st.EdgeWidth / 2.0;
    if (BuildsCentreCurve(doc, p, a, b, n, convex)) {
        const EndEdge e0{Add(centre.t1, fa, half), Add(centre.t1, fa, -half)};
        const EndEdge e1{Add(centre.t2, fb, half), Add(centre.t2, fb, -half)};
        const auto polyline = LeadPolyline(centre, FilletCurve(centre, depth), a, b);
        if (CurvedStrip(vertex, StripList::Centre, polyline, st.EdgeWidth, e0, e1)) {
            // e0.a lies on a's facing side, which is its own left or right.
            const bool aOwn = a.OwnLeft(aLeft);
            a.segment->centreStripe[static_cast<std::size_t>(StripeLeft(a.end))] = aOwn ? e0.a : e0.b;
            a.segment->centreStripe[static_cast<std::size_t>(StripeRight(a.end))] = aOwn ? e0.b : e0.a;
            const bool bOwn = b.OwnLeft(bLeft);
            b.segment->centreStripe[static_cast<std::size_t>(StripeLeft(b.end))] = bOwn ? e1.a : e1.b;
            b.segment->centreStripe[static_cast<std::size_t>(StripeRight(b.end))] = bOwn ? e1.b : e1.a;
            AddCurveLights(vertex.lightPts0, centre);
            BuildExit(doc, a, b, centre, e0, e1);
        }
    }

    // The edge stripes' outer sides lie toward the facing side.
    const EndEdge e0{Add(edgeMark.t1, fa, half), Add(edgeMark.t1, fa, -half)};
    const EndEdge e1{Add(edgeMark.t2, fb, half), Add(edgeMark.t2, fb, -half)};
    const auto polyline = LeadPolyline(edgeMark, FilletCurve(edgeMark, depth), a, b);
    if (CurvedStrip(vertex, StripList::Edge, polyline, st.EdgeWidth, e0, e1)) {
        const EdgeStripeEnd sa = a.EdgeStripe(aLeft);
        *sa.outer = e0.a;
        *sa.inner = e0.b;
        const EdgeStripeEnd sb = b.EdgeStripe(bLeft);
        *sb.outer = e1.a;
        *sb.inner = e1.b;
    }

    if (!squareExtension) {
        AddCurveLights(vertex.lightPts1, lightRow);
    }
    return true;
}

}  // namespace rollpath
