#include "pavement/NetworkEdits.h"

#include <algorithm>
#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "pavement/RunwayPlacement.h"
#include "pavement/SegmentGeometry.h"
#include "pavement/SplitSegment.h"

namespace rollpath {

namespace {

RollpathSegment& Segment(CRollpathDoc& doc, int index) {
    return *doc.m_pSegments[static_cast<std::size_t>(index)];
}

DPoint PositionOf(const CRollpathDoc& doc, int vertex) {
    return doc.Vertex(vertex).pos();
}

void TouchOnce(CRollpathDoc& doc, int vertex) {
    const auto begin = doc.m_TouchedVertices.begin();
    const auto end = begin + doc.m_nTouched;
    if (std::find(begin, end, vertex) == end) {
        doc.TouchVertex(vertex);
    }
}

// The rebuild's own edits are rebuilt like the user's: a vertex it moves, and
// the far vertex of every segment there, whose direction turned with it.
void TouchWithNeighbours(CRollpathDoc& doc, int vertex) {
    TouchOnce(doc, vertex);
    for (const auto& s : doc.m_pSegments) {
        if (UsableSegment(doc, *s) && (s->vertex0 == vertex) != (s->vertex1 == vertex)) {
            TouchOnce(doc, s->vertex0 == vertex ? s->vertex1 : s->vertex0);
        }
    }
}

void MoveVertex(CRollpathDoc& doc, int vertex, const DPoint& to) {
    NetworkVertex& v = doc.Vertex(vertex);
    v.x = to.x;
    v.y = to.y;
    TouchWithNeighbours(doc, vertex);
}

bool MoveVertexIfElsewhere(CRollpathDoc& doc, int vertex, const DPoint& to) {
    if (doc.Vertex(vertex).pos() == to) {
        return false;
    }
    MoveVertex(doc, vertex, to);
    return true;
}

// A vertex this close to a centre line lies on it: far below what an author
// can place, far above the rounding of a foot computed on the line.
constexpr double kOnCentreLine = 0.01;

// Appends a record to the segment list and splits `index` into it at
// `vertex`; returns the new record's index. The cut and both far ends are
// rebuilt: a vertex found within a foot of the cut leaves the halves a
// little turned.
int SplitInto(CRollpathDoc& doc, int index, int vertex) {
    RollpathSegment& copy = doc.AppendSegment();
    RollpathSegment& segment = Segment(doc, index);
    SplitSegment(doc, copy, segment, vertex);
    for (const int v : {vertex, segment.vertex0, copy.vertex1}) {
        TouchOnce(doc, v);
    }
    return static_cast<int>(doc.m_pSegments.size()) - 1;
}

bool SameEnds(const RollpathSegment& a, const RollpathSegment& b) {
    return (a.vertex0 == b.vertex0 && a.vertex1 == b.vertex1) ||
           (a.vertex0 == b.vertex1 && a.vertex1 == b.vertex0);
}

// The two pieces of a split: one that joins the same two vertices as another
// live segment is deleted, since the network already has it. (X may have
// been a vertex before, or have taken the ends of the other segment of the
// crossing.)
void DropDuplicatePieces(CRollpathDoc& doc, int index, int copy) {
    RollpathSegment& first = Segment(doc, index);
    RollpathSegment& second = Segment(doc, copy);
    for (int i = 0; i < static_cast<int>(doc.m_pSegments.size()); ++i) {
        const RollpathSegment& s = Segment(doc, i);
        if (i == index || i == copy || !s.live()) {
            continue;
        }
        if (SameEnds(s, first)) {
            first.state = -1;
        }
        if (SameEnds(s, second)) {
            second.state = -1;
        }
    }
}

// X on one segment of a crossing: already a vertex, an end moved to it, or a
// split.
void AttachToCrossing(CRollpathDoc& doc, int index, int x, CrossingOutcome& outcome,
                      std::vector<int>* changed) {
    const RollpathSegment& s = Segment(doc, index);
    if (s.vertex0 == x || s.vertex1 == x) {
        return;
    }
    const double reach = doc.GetSettings().MaxSegLength;
    const DPoint px = PositionOf(doc, x);
    if (Distance(px, PositionOf(doc, s.vertex0)) < reach) {
        ReplaceVertex(doc, s.vertex0, x, changed);
        ++outcome.endsMoved;
    } else if (Distance(px, PositionOf(doc, s.vertex1)) < reach) {
        ReplaceVertex(doc, s.vertex1, x, changed);
        ++outcome.endsMoved;
    } else {
        const int copy = SplitInto(doc, index, x);
        ++outcome.splits;
        DropDuplicatePieces(doc, index, copy);
        if (changed != nullptr) {
            changed->push_back(index);
            changed->push_back(copy);
        }
    }
}

}  // namespace

bool UsableSegment(const CRollpathDoc& doc, const RollpathSegment& segment) {
    return segment.live() && segment.vertex0 >= 0 && segment.vertex0 < doc.m_nVertices &&
           segment.vertex1 >= 0 && segment.vertex1 < doc.m_nVertices;
}

bool UsableSegment(const CRollpathDoc& doc, int index) {
    return UsableSegment(doc, *doc.m_pSegments[static_cast<std::size_t>(index)]);
}

void ReplaceVertex(CRollpathDoc& doc, int from, int to, std::vector<int>* changed) {
    if (from == to) {
        return;
    }
    // The far ends of the live segments at `to` before the change.
    std::vector<int> joined;
    for (const auto& s : doc.m_pSegments) {
        if (s->live() && (s->vertex0 == to || s->vertex1 == to)) {
            joined.push_back(s->vertex0 == to ? s->vertex1 : s->vertex0);
        }
    }
    // Their far ends turn or lose a segment: rebuild them too.
    std::vector<int> farEnds;
    for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
        RollpathSegment& s = *doc.m_pSegments[i];
        if (!s.live() || (s.vertex0 != from && s.vertex1 != from)) {
            continue;
        }
        if (s.vertex0 == from) {
            s.vertex0 = to;
        }
        if (s.vertex1 == from) {
            s.vertex1 = to;
        }
        const int far = s.vertex0 == to ? s.vertex1 : s.vertex0;
        if (s.vertex0 == s.vertex1 || std::find(joined.begin(), joined.end(), far) != joined.end()) {
            s.state = -1;
        } else {
            joined.push_back(far);
        }
        if (s.vertex0 != s.vertex1) {
            farEnds.push_back(far);
        }
        if (changed != nullptr) {
            changed->push_back(static_cast<int>(i));
        }
    }
    NetworkVertex& old = doc.Vertex(from);
    old.state = -1;
    old.ClearProducts();
    ReplaceTouchedVertex(doc, from, to);
    if (doc.m_nSource == from) {
        doc.m_nSource = to;
    }
    if (doc.m_nSink == from) {
        doc.m_nSink = to;
    }
    // The segments that moved over turned with their end.
    TouchOnce(doc, to);
    for (const int v : farEnds) {
        TouchOnce(doc, v);
    }
}

void ReplaceTouchedVertex(CRollpathDoc& doc, int from, int to) {
    for (int k = 0; k < doc.m_nTouched; ++k) {
        int& entry = doc.m_TouchedVertices[static_cast<std::size_t>(k)];
        if (entry == from) {
            entry = to;
        }
    }
}

double BandHalfWidth(const RollpathSegment& segment, int maxVertexRadius) {
    return (static_cast<double>(maxVertexRadius) + static_cast<double>(segment.width)) / 2.0;
}

bool BandContains(const CRollpathDoc& doc, const RollpathSegment& segment, const DPoint& p,
                  int maxVertexRadius) {
    const DPoint a = PositionOf(doc, segment.vertex0);
    const DPoint b = PositionOf(doc, segment.vertex1);
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0.0)) {
        return false;
    }
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    if (!(t >= 0.0 && t <= 1.0)) {
        return false;
    }
    const double offLine = std::fabs(dx * (p.y - a.y) - dy * (p.x - a.x)) / std::sqrt(lengthSquared);
    return offLine <= BandHalfWidth(segment, maxVertexRadius);
}

DanglingEndOutcome ConnectDanglingEnd(CRollpathDoc& doc, int index, int end, int target,
                                      std::vector<int>* changed) {
    const RollpathSegment& s = Segment(doc, index);
    const RollpathSegment& s2 = Segment(doc, target);
    const int e = s.VertexAt(end);
    const int other = s.VertexAt(1 - end);
    const DPoint pe = PositionOf(doc, e);
    const double width2 = static_cast<double>(s2.width);

    int nearest = -1;
    double nearestDistance = 0.0;
    for (const int candidate : {s2.vertex0, s2.vertex1}) {
        const double d = Distance(pe, PositionOf(doc, candidate));
        if (candidate != other && d < width2 && (nearest < 0 || d < nearestDistance)) {
            nearest = candidate;
            nearestDistance = d;
        }
    }
    if (nearest >= 0) {
        ReplaceVertex(doc, e, nearest, changed);
        return DanglingEndOutcome::TookVertex;
    }

    const DPoint po = PositionOf(doc, other);
    const double length = Distance(po, pe);
    DPoint reach = pe;
    if (length > 0.0) {
        reach = DPoint{pe.x + width2 * (pe.x - po.x) / length, pe.y + width2 * (pe.y - po.y) / length};
    }
    DPoint hit;
    if (IntersectSegments(po, reach, PositionOf(doc, s2.vertex0), PositionOf(doc, s2.vertex1), hit, true) ==
        0) {
        return DanglingEndOutcome::Unchanged;
    }
    MoveVertex(doc, e, hit);
    const int copy = SplitInto(doc, target, e);
    if (changed != nullptr) {
        changed->push_back(index);
        changed->push_back(target);
        changed->push_back(copy);
    }
    return DanglingEndOutcome::Extended;
}

bool CentreLinesCross(const CRollpathDoc& doc, const RollpathSegment& a, const RollpathSegment& b,
                      DPoint& crossing) {
    return IntersectSegments(PositionOf(doc, a.vertex0), PositionOf(doc, a.vertex1),
                             PositionOf(doc, b.vertex0), PositionOf(doc, b.vertex1), crossing, true) != 0;
}

CrossingOutcome ResolveCrossing(CRollpathDoc& doc, int s, int t, const DPoint& crossing, bool& poolRefused,
                                std::vector<int>* changed) {
    CrossingOutcome outcome;
    if (poolRefused) {
        return outcome;
    }
    const int x = doc.AddVertex(crossing.x, crossing.y, false);
    if (x < 0) {
        poolRefused = true;
        return outcome;
    }
    outcome.resolved = true;
    AttachToCrossing(doc, s, x, outcome, changed);
    if (UsableSegment(doc, t)) {
        AttachToCrossing(doc, t, x, outcome, changed);
    }
    return outcome;
}

bool PinAtRunwayEnd(CRollpathDoc& doc, int vertex, double rollpathWidth) {
    DPoint pin;
    if (!RunwayEndPin(doc, PositionOf(doc, vertex), rollpathWidth, pin)) {
        return false;
    }
    return MoveVertexIfElsewhere(doc, vertex, pin);
}

int ClassifyEnd(const CRollpathDoc& doc, const RollpathSegment& segment, int end, bool connected) {
    if ((end == 0 && (segment.flags & SegmentFlag::ExtensionAt0) != 0) ||
        (end == 1 && (segment.flags & SegmentFlag::ExtensionAt1) != 0)) {
        return EndClass::Extension;
    }
    if (!connected) {
        return EndClass::DeadEnd;
    }
    return ConnectedEndClass(doc, PositionOf(doc, segment.VertexAt(end)));
}

void ShortenDeadEnds(CRollpathDoc& doc) {
    const double markShort = doc.GetSettings().MarkShort;
    for (const auto& s : doc.m_pSegments) {
        if (!UsableSegment(doc, *s)) {
            continue;
        }
        for (int end = 0; end < 2; ++end) {
            if (s->EndClassAt(end) == EndClass::DeadEnd) {
                SegmentEndGeometry(doc, *s, end, markShort);
            }
        }
    }
}

int PinVertexInRunways(CRollpathDoc& doc, int vertex, std::span<const int> segmentsUsingVertex) {
    const DPoint p = PositionOf(doc, vertex);
    int first = -1;
    int second = -1;
    int count = 0;
    for (std::size_t r = 0; r < doc.m_pRunways.size(); ++r) {
        if (RunwayContains(*doc.m_pRunways[r], p) >= 0) {
            ++count;
            if (first < 0) {
                first = static_cast<int>(r);
            } else if (second < 0) {
                second = static_cast<int>(r);
            }
        }
    }
    if (first < 0 || count >= 3) {
        return 0;
    }
    const RunwayRecord& runway = *doc.m_pRunways[static_cast<std::size_t>(first)];
    int moves = 0;
    DPoint to;
    if (count == 2 && RunwayCrossing(runway, *doc.m_pRunways[static_cast<std::size_t>(second)], to)) {
        moves += MoveVertexIfElsewhere(doc, vertex, to) ? 1 : 0;
    }
    for (const int index : segmentsUsingVertex) {
        const RollpathSegment& s = Segment(doc, index);
        const int other = s.vertex0 == vertex ? s.vertex1 : s.vertex0;
        if (other == vertex) {
            continue;
        }
        if (FootOnCentreLine(runway, PositionOf(doc, vertex), to)) {
            moves += MoveVertexIfElsewhere(doc, vertex, to) ? 1 : 0;
        }
        if (RunwayContains(runway, PositionOf(doc, other)) >= 0 &&
            FootOnCentreLine(runway, PositionOf(doc, other), to)) {
            moves += MoveVertexIfElsewhere(doc, other, to) ? 1 : 0;
        }
    }
    return moves;
}

int JoinRunwaysAtVertex(CRollpathDoc& doc, int vertex, std::span<const int> segmentsUsingVertex) {
    const auto notRunway = [&doc](int index) {
        return Segment(doc, index).type != SegmentType::RunwayCentreLine;
    };
    const DPoint p = PositionOf(doc, vertex);
    if (std::none_of(segmentsUsingVertex.begin(), segmentsUsingVertex.end(), notRunway) ||
        FirstRunwayContaining(doc, p) < 0) {
        return 0;
    }
    int splits = 0;
    const int count = static_cast<int>(doc.m_pSegments.size());
    for (int index = 0; index < count; ++index) {
        const RollpathSegment& s = Segment(doc, index);
        if (!UsableSegment(doc, s) || s.type != SegmentType::RunwayCentreLine || s.vertex0 == vertex ||
            s.vertex1 == vertex) {
            continue;
        }
        const DPoint a = PositionOf(doc, s.vertex0);
        const DPoint b = PositionOf(doc, s.vertex1);
        const double length = Distance(a, b);
        if (!(length > 2.0 * kOnCentreLine)) {
            continue;
        }
        const double along = ((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y)) / length;
        const double offLine = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
        if (std::fabs(offLine) < kOnCentreLine && along > kOnCentreLine && along < length - kOnCentreLine) {
            DropDuplicatePieces(doc, index, SplitInto(doc, index, vertex));
            ++splits;
        }
    }
    return splits;
}

}  // namespace rollpath
