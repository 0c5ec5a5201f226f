#include "pavement/Junctions.h"

#include <cmath>
#include <vector>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/BuildJunction.h"
#include "pavement/ExtensionMarkings.h"
#include "pavement/JunctionWalk.h"
#include "pavement/LightRows.h"
#include "pavement/NetworkEdits.h"
#include "pavement/SegmentGeometry.h"

namespace rollpath {

namespace {

bool Finite(const DPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool Collectable(const CRollpathDoc& doc, const RollpathSegment& s, int k) {
    return UsableSegment(doc, s) && (s.flags & SegmentFlag::NoPolygon) == 0 &&
           (s.vertex0 == k || s.vertex1 == k);
}

// Step one of a rebuild. Every listed live segment without No Polygon that
// meets the vertex gets that end's straight geometry afresh (a dead end's
// markings shortened by MarkShort) and loses what earlier junctions there
// made of it: its exit lines and stub at that end, and a through line from
// there. An extension's arrowheads are renewed. The ends that have a
// direction become the junction's ends, in list order. False, with a
// message, when too many segments meet there.
bool CollectEnds(CRollpathDoc& doc, int k, std::span<const int> segmentsAtK, std::vector<JunctionEnd>& ends) {
    std::vector<RollpathSegment*> incident;
    for (const int i : segmentsAtK) {
        if (i >= 0 && static_cast<std::size_t>(i) < doc.m_pSegments.size()) {
            RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(i)];
            if (Collectable(doc, s, k)) {
                incident.push_back(&s);
            }
        }
    }
    if (incident.size() > static_cast<std::size_t>(kMaxJunctionEnds)) {
        doc.Messages().Show(kTooManySegmentsMessage);
        return false;
    }
    const DPoint p = doc.Vertex(k).pos();
    const double markShort = doc.GetSettings().MarkShort;
    for (RollpathSegment* ptr : incident) {
        RollpathSegment& s = *ptr;
        const int end = s.vertex0 == k ? 0 : 1;
        const int endClass = s.EndClassAt(end);
        SegmentEndGeometry(doc, s, end, endClass == EndClass::DeadEnd ? markShort : 0.0);
        s.exitMask &= ~ExitBitsOfEnd(end);
        s.exitQuads[static_cast<std::size_t>(ExitIndex(end, true))] = Quad{};
        s.exitQuads[static_cast<std::size_t>(ExitIndex(end, false))] = Quad{};
        s.flags &= ~StubFlag(end);
        const DPoint far = doc.Vertex(s.VertexAt(1 - end)).pos();
        // A through line belongs to the vertex it starts from; one that starts
        // at neither end any more was left behind by a move.
        if (s.throughLine[0] != far) {
            s.flags &= ~SegmentFlag::ThroughLine;
            s.throughLine = {};
        }
        if (endClass == EndClass::Extension) {
            ExtensionArrowheads(doc, s);
        }
        if (!Finite(p) || !Finite(far) || far == p) {
            continue;  // no direction: no corner can be built with it
        }
        JunctionEnd e;
        e.segment = &s;
        e.end = end;
        e.far = far;
        e.dir = math::Atan2(p.y - far.y, p.x - far.x);
        e.u = UnitVector(e.dir);
        e.halfWidth = static_cast<double>(s.width) / 2.0;
        e.endClass = endClass;
        ends.push_back(e);
    }
    return true;
}

// A straight continuation remembered for its stubs and through line.
struct StraightPair {
    int a = -1;
    int b = -1;
    double beta = 0.0;
};

// Nearly straight on: both facing corners meet at the mitre point J on the
// bisector of the corner, as far out as the two half-widths on average.
void MitreStraight(const DPoint& p, JunctionEnd& a, JunctionEnd& b, double theta, double& beta) {
    beta = a.dir + theta / 2.0;
    const double r = (a.halfWidth + b.halfWidth) / 2.0;
    // beta points away from the corner: the corner's bisector is its opposite.
    const DPoint j = Along(p, UnitVector(beta), -r);
    const bool aLeft = theta < 0.0;
    a.Corner(aLeft) = j;
    b.Corner(!aLeft) = j;
    a.Centre() = p;
    b.Centre() = p;
}

// A rollpath meeting a runway end at a reflex corner gets no junction piece:
// its edge stripe on that side ends on the runway's pavement edge with a 1 ft
// end edge along it.
void EndStripeOnRunwayEdge(const CRollpathDoc& doc, const DPoint& p, const JunctionEnd& a,
                           const JunctionEnd& b, double theta) {
    const bool aLeft = theta < 0.0;
    const bool runwayIsA = a.IsRunway();
    const JunctionEnd& r = runwayIsA ? a : b;
    const JunctionEnd& t = runwayIsA ? b : a;
    const bool rFacing = runwayIsA ? aLeft : !aLeft;
    const bool tFacing = runwayIsA ? !aLeft : aLeft;
    // The runway's edge on the rollpath's side, the rollpath's edge marking on
    // the side of the gap.
    const DPoint nr = r.Normal(!rFacing);
    const DPoint nt = t.Normal(tFacing);
    const Settings& st = doc.GetSettings();
    const double mark = t.halfWidth - st.EdgeInset - st.EdgeWidth / 2.0;
    DPoint x;
    if (IntersectSegments(Along(p, nr, r.halfWidth), Along(r.far, nr, r.halfWidth), Along(p, nt, mark),
                          Along(t.far, nt, mark), x, false) == 0) {
        return;
    }
    const EdgeStripeEnd stripe = t.EdgeStripe(tFacing);
    *stripe.outer = Along(x, r.u, 0.5);
    *stripe.inner = Along(x, r.u, -0.5);
}

bool ProductLimitReached(const NetworkVertex& v) {
    return v.junctionPolys.size() >= kJunctionProductLimit || v.centreQuads.size() >= kJunctionProductLimit ||
           v.edgeQuads.size() >= kJunctionProductLimit || v.lightPts0.size() >= kJunctionProductLimit ||
           v.lightPts1.size() >= kJunctionProductLimit;
}

enum class CornerOutcome {
    Done,
    NoCorner,  // a junction was due but the lines gave no corner
    LimitReached,
};

// The corner between a and b by their end classes.
CornerOutcome HandleCorner(CRollpathDoc& doc, int k, JunctionEnd& a, JunctionEnd& b, int n, double theta) {
    const double angle = std::fabs(theta);
    const int ea = a.endClass;
    const int eb = b.endClass;
    const bool runway = ea == EndClass::Runway || eb == EndClass::Runway;
    const bool extension = ea == EndClass::Extension || eb == EndClass::Extension;
    const bool runwayEnd = ea == EndClass::RunwayEnd || eb == EndClass::RunwayEnd;
    // Rollpaths and runway sides always get a junction; an extension's
    // square reflex side loses its polygon again; a runway end's reflex side
    // gets none, only a stripe ending on the runway's edge.
    const bool plain = (ea == EndClass::Rollpath && eb == EndClass::Rollpath) || runway;
    const bool attempted = plain || extension || (runwayEnd && angle <= kPi);
    const bool square = !plain && extension && angle >= kSquareLow && angle <= kSquareHigh;
    GroundPolygon polygon;
    const bool built = attempted && BuildJunction(doc, k, a, b, n, theta, polygon);
    if (!attempted && runwayEnd) {
        EndStripeOnRunwayEdge(doc, doc.Vertex(k).pos(), a, b, theta);
    }
    NetworkVertex& v = doc.Vertex(k);
    if (built && !square) {
        v.junctionPolys.push_back(std::move(polygon));
    }
    if (ProductLimitReached(v)) {
        doc.Messages().Show(kPolygonLimitMessage);
        return CornerOutcome::LimitReached;
    }
    return attempted && !built ? CornerOutcome::NoCorner : CornerOutcome::Done;
}

// Segments whose corner gives no lines to build on but that continue on
// (rather than fold back onto each other) are mitred like a straight
// continuation: nearly straight with a change of width, their edges meet far
// away.
bool ContinuesOn(double angle) {
    return angle > kRightAngle && angle < 3.0 * kRightAngle;
}

// The centre lines of a straight pair run on through the junction: each
// stub closes its segment's centre line from the vertex to where the
// junction curves trimmed it.
void CloseStraightCentreLines(CRollpathDoc& doc, const DPoint& p, std::vector<JunctionEnd>& ends,
                              const StraightPair& pair) {
    for (const int i : {pair.a, pair.b}) {
        const JunctionEnd& e = ends[static_cast<std::size_t>(i)];
        RollpathSegment& s = *e.segment;
        Quad& stub = StubAt(s, e.end);
        if (e.end == 0) {
            stub[1] = s.centreStripe[0];
            stub[2] = s.centreStripe[3];
        } else {
            stub[0] = s.centreStripe[1];
            stub[3] = s.centreStripe[2];
        }
        s.flags |= StubFlag(e.end);
    }
    RollpathSegment& a = *ends[static_cast<std::size_t>(pair.a)].segment;
    const double reach =
        doc.GetSettings().LiteOffset + static_cast<double>(ends.front().segment->width) / 2.0;
    a.throughLine = {p, Along(p, UnitVector(pair.beta), reach)};
    a.flags |= SegmentFlag::ThroughLine;
}

// The corners around vertex k, clockwise from the first end, each once: a
// mitre, a junction or a stripe ended on a runway's edge. A proper walk
// returns to the first end after n corners; the bound keeps degenerate
// layouts (segments lying on top of each other) from circling.
void BuildCorners(CRollpathDoc& doc, int k, std::vector<JunctionEnd>& ends) {
    const DPoint p = doc.Vertex(k).pos();
    const int n = static_cast<int>(ends.size());
    StraightPair straight;
    int current = 0;
    for (int corner = 0; corner < n; ++corner) {
        const Neighbour next = NextAroundVertex(ends, current, p);
        if (next.index < 0) {
            break;
        }
        JunctionEnd& a = ends[static_cast<std::size_t>(current)];
        JunctionEnd& b = ends[static_cast<std::size_t>(next.index)];
        const double angle = std::fabs(next.theta);
        // Runways are paved by the runway itself.
        if (!a.IsRunway() || !b.IsRunway()) {
            bool mitre = angle > kStraightLow && angle < kStraightHigh;
            if (!mitre) {
                const CornerOutcome outcome = HandleCorner(doc, k, a, b, n, next.theta);
                if (outcome == CornerOutcome::LimitReached) {
                    break;
                }
                mitre = outcome == CornerOutcome::NoCorner && ContinuesOn(angle);
            }
            if (mitre) {
                double beta = 0.0;
                MitreStraight(p, a, b, next.theta, beta);
                if (n > 2) {
                    straight = StraightPair{current, next.index, beta};
                }
            }
        }
        current = next.index;
        if (current == 0) {
            break;
        }
    }
    if (straight.a >= 0) {
        CloseStraightCentreLines(doc, p, ends, straight);
    }
}

}  // namespace

void ConstructVertexPolygons(CRollpathDoc& doc, int k) {
    if (doc.m_bSafeMode != 0 || k < 0 || k >= doc.m_nVertices) {
        return;
    }
    std::vector<int> segmentsAtK;
    for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *doc.m_pSegments[i];
        if (s.vertex0 == k || s.vertex1 == k) {
            segmentsAtK.push_back(static_cast<int>(i));
        }
    }
    ConstructVertexPolygons(doc, k, segmentsAtK);
}

void ConstructVertexPolygons(CRollpathDoc& doc, int k, std::span<const int> segmentsAtK) {
    if (doc.m_bSafeMode != 0 || k < 0 || k >= doc.m_nVertices) {
        return;
    }
    doc.Vertex(k).ClearProducts();
    if (!doc.Vertex(k).live()) {
        return;  // a deleted vertex carries no pavement
    }
    std::vector<JunctionEnd> ends;
    if (!CollectEnds(doc, k, segmentsAtK, ends)) {
        return;
    }
    if (ends.size() >= 2) {
        BuildCorners(doc, k, ends);
    }
    // Every end's rows follow its markings, a dead end's too.
    for (JunctionEnd& e : ends) {
        UpdateLightLines(doc, *e.segment);
    }
}

}  // namespace rollpath
