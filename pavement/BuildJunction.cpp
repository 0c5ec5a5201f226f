#include "pavement/BuildJunction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/Fillets.h"

namespace rollpath {

namespace {

constexpr int kMinDepth = 3;
constexpr int kMaxDepth = 10;
constexpr int kLightsPerCurve = 5;

// A line of the corner: its points level with the vertex and with the far
// vertex, `offset` feet out along `normal`.
struct Line {
    DPoint atVertex;
    DPoint atFar;
};

Line OffsetLine(const DPoint& p, const JunctionEnd& e, const DPoint& normal, double offset) {
    return Line{Along(p, normal, offset), Along(e.far, normal, offset)};
}

// The five lines of each segment at a corner, in the order: pavement edge on
// the facing side, pavement edge on the other side, edge-marking centre line
// on the facing side, centre line, edge-light line on the facing side.
constexpr std::size_t kLines = 5;
constexpr std::size_t kPaveEdge = 0;
constexpr std::size_t kOtherEdge = 1;
constexpr std::size_t kEdgeMark = 2;
constexpr std::size_t kCentre = 3;
constexpr std::size_t kLightRow = 4;

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
    polyline.push_back(Along(f.t1, a.u, -1.0));
    polyline.insert(polyline.end(), curve.begin(), curve.end());
    polyline.push_back(Along(f.t2, b.u, -1.0));
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
    const double length = math::Hypot(p.x - runway->far.x, p.y - runway->far.y);
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
        Quad{edge.a, edge.b, Along(edge.b, run, 1.0), Along(edge.a, run, 1.0)};
    rollpath.segment->exitMask |= 1 << index;
}

// One corner of the walk: the two ends, on which side of each it lies, and
// the unit normals toward it.
struct CornerFrame {
    JunctionEnd& a;
    JunctionEnd& b;
    DPoint p;  // the vertex
    int n;     // segments at the vertex
    double angle;
    bool convex;
    bool aLeft;  // the corner lies on a's left (and b's right) of travel toward p
    DPoint fa;
    DPoint fb;
};

// The corners of the five pairs of lines and the fillets at them.
struct CornerFillets {
    DPoint c1;  // pavement edges on the facing sides
    DPoint c2;  // pavement edges on the other sides
    Fillet pave;
    Fillet inner;
    Fillet edgeMark;
    Fillet centre;
    Fillet lightRow;
};

// False when some pair of lines gives no corner. Lines that meet farther
// out than the segments reach run (nearly) on top of each other: their
// corner would pull the outlines into spikes, or off to astronomical
// distances when the angle is a rounding error.
bool FindFillets(const Settings& st, const CornerFrame& f, CornerFillets& out) {
    const double wmax = 2.0 * std::max(f.a.halfWidth, f.b.halfWidth);
    const double wmin = 2.0 * std::min(f.a.halfWidth, f.b.halfWidth);
    const double cap1 = f.convex ? wmin / 2.0 : wmax;
    const double cap2 = f.convex ? wmax : wmin / 2.0;
    const double cap3 = (wmax + wmin / 2.0) / 2.0;
    const double shiftA = ShiftedRunway(f.a) ? st.CenterOffset : 0.0;
    const double shiftB = shiftA == 0.0 && ShiftedRunway(f.b) ? st.CenterOffset : 0.0;
    const auto linesA = CornerLines(f.p, f.a, f.fa, shiftA, st);
    const auto linesB = CornerLines(f.p, f.b, f.fb, shiftB, st);
    const double reach =
        std::max(HypotDistance(f.p, f.a.far), HypotDistance(f.p, f.b.far)) + wmax + std::fabs(st.LiteOffset);
    std::array<DPoint, kLines> c{};
    for (std::size_t i = 0; i < kLines; ++i) {
        if (IntersectSegments(linesA[i].atVertex, linesA[i].atFar, linesB[i].atVertex, linesB[i].atFar, c[i],
                              false) == 0 ||
            !(HypotDistance(f.p, c[i]) <= reach)) {
            return false;
        }
    }
    const auto fillet = [&](std::size_t i, double cap) {
        return FilletControlPoints(c[i], cap, linesA[i].atFar, linesB[i].atFar, f.a.u, f.b.u);
    };
    out = CornerFillets{c[kPaveEdge],
                        c[kOtherEdge],
                        fillet(kPaveEdge, cap1),
                        fillet(kOtherEdge, cap2),
                        fillet(kEdgeMark, cap1),
                        fillet(kCentre, cap3),
                        fillet(kLightRow, cap1)};
    return true;
}

// The junction polygon, and the ends of both segments trimmed to meet it.
void ShapePolygonAndEnds(const CornerFrame& f, const CornerFillets& k, int depth, bool runwayEnd,
                         bool squareExtension, GroundPolygon& polygon) {
    const bool bLeft = !f.aLeft;
    polygon.kind = PolygonKind::Junction;
    polygon.points = FilletCurve(k.pave, depth);
    if (f.convex) {
        polygon.points.push_back(k.c1);
        if (f.n > 2) {
            f.a.Corner(f.aLeft) = k.c1;
            f.b.Corner(bLeft) = k.c1;
        } else if (runwayEnd && f.angle >= kRightAngle) {
            CutAlong(f.a, f.aLeft, k.c1, k.c2);
            CutAlong(f.b, bLeft, k.c1, k.c2);
        }
    } else if (f.n == 2) {
        polygon.points.push_back(k.inner.t2);
        polygon.points.push_back(k.c2);
        polygon.points.push_back(k.inner.t1);
        if (squareExtension) {
            CutAlong(f.a, f.aLeft, k.c1, k.c2);
            CutAlong(f.b, bLeft, k.c1, k.c2);
        } else {
            CutAlong(f.a, f.aLeft, k.pave.t1, k.inner.t1);
            CutAlong(f.b, bLeft, k.pave.t2, k.inner.t2);
        }
    } else {
        if (!OnCornerSide(k.pave, k.c1, f.a.Centre())) {
            polygon.points.push_back(f.a.Centre());
        }
        f.a.Corner(f.aLeft) = k.pave.t1;
        f.b.Corner(bLeft) = k.pave.t2;
    }
}

// The curved centre line with its lights (and the exit line onto a runway);
// both centre stripes are cut back to where it starts and ends.
void BuildCentreCurve(CRollpathDoc& doc, NetworkVertex& vertex, const CornerFrame& f, const Fillet& centre,
                      int depth) {
    const double half = doc.GetSettings().EdgeWidth / 2.0;
    const EndEdge e0{Along(centre.t1, f.fa, half), Along(centre.t1, f.fa, -half)};
    const EndEdge e1{Along(centre.t2, f.fb, half), Along(centre.t2, f.fb, -half)};
    const auto polyline = LeadPolyline(centre, FilletCurve(centre, depth), f.a, f.b);
    if (!CurvedStrip(vertex, StripList::Centre, polyline, doc.GetSettings().EdgeWidth, e0, e1)) {
        return;
    }
    // An edge's first point lies on the facing side, which is the segment's
    // own left or right.
    const auto trim = [](const JunctionEnd& e, bool facingLeft, const EndEdge& edge) {
        const bool own = e.OwnLeft(facingLeft);
        e.segment->centreStripe[static_cast<std::size_t>(StripeLeft(e.end))] = own ? edge.a : edge.b;
        e.segment->centreStripe[static_cast<std::size_t>(StripeRight(e.end))] = own ? edge.b : edge.a;
    };
    trim(f.a, f.aLeft, e0);
    trim(f.b, !f.aLeft, e1);
    AddCurveLights(vertex.lightPts0, centre);
    BuildExit(doc, f.a, f.b, centre, e0, e1);
}

// The curved edge marking on the facing sides; both edge stripes there are
// cut back to where it starts and ends (their outer sides toward the corner's
// outside).
void BuildEdgeCurve(CRollpathDoc& doc, NetworkVertex& vertex, const CornerFrame& f, const Fillet& edgeMark,
                    int depth) {
    const double half = doc.GetSettings().EdgeWidth / 2.0;
    const EndEdge e0{Along(edgeMark.t1, f.fa, half), Along(edgeMark.t1, f.fa, -half)};
    const EndEdge e1{Along(edgeMark.t2, f.fb, half), Along(edgeMark.t2, f.fb, -half)};
    const auto polyline = LeadPolyline(edgeMark, FilletCurve(edgeMark, depth), f.a, f.b);
    if (!CurvedStrip(vertex, StripList::Edge, polyline, doc.GetSettings().EdgeWidth, e0, e1)) {
        return;
    }
    const EdgeStripeEnd sa = f.a.EdgeStripe(f.aLeft);
    *sa.outer = e0.a;
    *sa.inner = e0.b;
    const EdgeStripeEnd sb = f.b.EdgeStripe(!f.aLeft);
    *sb.outer = e1.a;
    *sb.inner = e1.b;
}

}  // namespace

int JunctionDepth(const Settings& settings) {
    return std::clamp(settings.BezierDepth, kMinDepth, kMaxDepth);
}

bool BuildJunction(CRollpathDoc& doc, int k, JunctionEnd& a, JunctionEnd& b, int n, double theta,
                   GroundPolygon& polygon) {
    NetworkVertex& vertex = doc.Vertex(k);
    const double angle = std::fabs(theta);
    // The corner lies on a's left and b's right for a negative angle.
    const bool aLeft = theta < 0.0;
    const CornerFrame f{a, b, vertex.pos(), n, angle, angle < kPi, aLeft, a.Normal(aLeft), b.Normal(!aLeft)};
    CornerFillets fillets;
    if (!FindFillets(doc.GetSettings(), f, fillets)) {
        return false;
    }
    const int depth = JunctionDepth(doc.GetSettings());
    const bool runwayEnd = a.endClass == EndClass::RunwayEnd || b.endClass == EndClass::RunwayEnd;
    const bool extension = a.endClass == EndClass::Extension || b.endClass == EndClass::Extension;
    const bool squareExtension = extension && angle >= kSquareLow && angle <= kSquareHigh;

    ShapePolygonAndEnds(f, fillets, depth, runwayEnd, squareExtension, polygon);
    if (BuildsCentreCurve(doc, f.p, a, b, n, f.convex)) {
        BuildCentreCurve(doc, vertex, f, fillets.centre, depth);
    }
    BuildEdgeCurve(doc, vertex, f, fillets.edgeMark, depth);
    if (!squareExtension) {
        AddCurveLights(vertex.lightPts1, fillets.lightRow);
    }
    return true;
}

}  // namespace rollpath
