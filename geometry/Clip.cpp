#include "geometry/Clip.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "geometry/PolygonMeasures.h"

namespace rollpath {

namespace {

// x is tested against the left and right sides, y against the top and bottom.
double TestValue(double x, double y, int side) {
    return side == kClipLeft || side == kClipRight ? x : y;
}

bool IsInside(double value, double c, int side) {
    switch (side) {
        case kClipLeft:
        case kClipBottom:
            return value >= c;
        default:
            return value <= c;
    }
}

bool IsStrictlyInside(double value, double c, int side) {
    switch (side) {
        case kClipLeft:
        case kClipBottom:
            return value > c;
        default:
            return value < c;
    }
}

// Both clippers decide "crosses" by the sign of value - c, with zero counted
// as positive; a vertex exactly on the boundary therefore sits on the
// positive side for every side number.
bool SignsDiffer(double a, double b, double c) {
    return (a - c >= 0.0) != (b - c >= 0.0);
}

DPoint Crossing(const DPoint& prev, const DPoint& cur, double c, int side) {
    if (side == kClipLeft || side == kClipRight) {
        return {c, prev.y + (c - prev.x) / (cur.x - prev.x) * (cur.y - prev.y)};
    }
    return {prev.x + (c - prev.y) / (cur.y - prev.y) * (cur.x - prev.x), c};
}

bool InRect(const ClipRect& rect, double x, double y) {
    return x >= rect.left && x <= rect.right && y >= rect.bottom && y <= rect.top;
}

void Report(const ReportFn& report) {
    if (report) {
        report(kClipCapacityMessage);
    }
}

bool ValidIndex(int i, const std::vector<ClipNode>& list) {
    return i >= 0 && static_cast<std::size_t>(i) < list.size();
}

// Where each side runs in the clip list: from corner kSideStart[side] along
// next up to corner kSideEnd[side].
constexpr std::array<int, 4> kSideStart{3, 1, 0, 2};
constexpr std::array<int, 4> kSideEnd{0, 2, 1, 3};

double BoundaryValue(const std::vector<ClipNode>& clip, int side) {
    switch (side) {
        case kClipLeft:
            return clip[0].x;
        case kClipRight:
            return clip[1].x;
        case kClipTop:
            return clip[0].y;
        default:
            return clip[2].y;
    }
}

// Finds the sub-edge of the side (between intersections already inserted)
// that the subject edge a-b crosses strictly inside both segments. Returns
// the sub-edge's start node, -1 when there is none, -2 when the list is
// malformed.
int FindCrossedSubEdge(const ClipNode& a, const ClipNode& b, const std::vector<ClipNode>& clip, int side,
                       DPoint& hit) {
    int k = kSideStart[static_cast<std::size_t>(side)];
    const int end = kSideEnd[static_cast<std::size_t>(side)];
    for (std::size_t guard = 0; k != end; ++guard) {
        const int kn = clip[static_cast<std::size_t>(k)].next;
        if (guard >= clip.size() || !ValidIndex(kn, clip)) {
            return -2;
        }
        const ClipNode& p = clip[static_cast<std::size_t>(k)];
        const ClipNode& q = clip[static_cast<std::size_t>(kn)];
        if (IntersectSegments(a.x, a.y, b.x, b.y, p.x, p.y, q.x, q.y, hit.x, hit.y, 1) != 0) {
            return k;
        }
        k = kn;
    }
    return -1;
}

// Output of the piece tracing, refusing the point or piece that reaches the
// capacity.
class PieceWriter {
public:
    PieceWriter(std::vector<DPoint>& points, std::vector<int>& counts) : points_(points), counts_(counts) {}

    bool Append(double x, double y) {
        points_.push_back({x, y});
        ++pieceCount_;
        return static_cast<int>(points_.size()) < kMaxClipOutputPoints;
    }
    bool ClosePiece() {
        counts_.push_back(pieceCount_);
        pieceCount_ = 0;
        return static_cast<int>(counts_.size()) < kMaxClipPieces;
    }
    int Pieces() const { return static_cast<int>(counts_.size()); }

private:
    std::vector<DPoint>& points_;
    std::vector<int>& counts_;
    int pieceCount_ = 0;
};

// Weiler-Atherton tracing: follow the subject from an entering intersection
// until it leaves, then the rectangle (clockwise, like the subject) until it
// enters again, until the piece closes at its start. Every entering
// intersection that a piece passes through is marked, so it does not start a
// piece of its own later; the entering list is in the order the sides were
// processed, not the order of the outline, so it cannot tell by position.
// A crossing missed by the strict intersection test (exactly at a vertex)
// can send the trace out of the rectangle along the subject: that gives -1,
// like an overflow, rather than pieces with points outside.
int TracePieces(const std::vector<ClipNode>& subject, const std::vector<ClipNode>& clip,
                const std::vector<int>& entering, const ClipRect& rect, PieceWriter& writer) {
    std::vector<char> visited(subject.size(), 0);
    for (const int start : entering) {
        if (visited[static_cast<std::size_t>(start)] != 0) {
            continue;
        }
        visited[static_cast<std::size_t>(start)] = 1;
        int current = start;
        for (;;) {
            const ClipNode& node = subject[static_cast<std::size_t>(current)];
            if ((node.kind == kVertexNode && !InRect(rect, node.x, node.y)) ||
                !writer.Append(node.x, node.y)) {
                return -1;
            }
            if (node.kind != kLeavingNode) {
                current = node.next;
                continue;
            }
            int k = clip[static_cast<std::size_t>(node.link)].next;
            while (clip[static_cast<std::size_t>(k)].kind != kEnteringNode) {
                if (!writer.Append(clip[static_cast<std::size_t>(k)].x,
                                   clip[static_cast<std::size_t>(k)].y)) {
                    return -1;
                }
                k = clip[static_cast<std::size_t>(k)].next;
            }
            const int m = clip[static_cast<std::size_t>(k)].link;
            if (m == start) {
                break;
            }
            visited[static_cast<std::size_t>(m)] = 1;
            current = m;
        }
        if (!writer.ClosePiece()) {
            return -1;
        }
    }
    return writer.Pieces();
}

// No crossing was found: the outline lies inside the rectangle, outside it
// or around it, or it meets the sides only at its vertices or at the
// rectangle's corners, where the strict test finds nothing. The area of the
// plain clip tells these apart without the foot-wide boundary band of
// PointInPolygon: none of the rectangle, all of it, or a part that cannot be
// traced (-1).
int WithoutCrossings(const DPoint* v, int n, const ClipRect& rect, const std::array<DPoint, 4>& corners,
                     std::vector<DPoint>& outPoints, std::vector<int>& outCounts) {
    if (std::all_of(v, v + n, [&rect](const DPoint& p) { return InRect(rect, p.x, p.y); })) {
        outPoints.assign(v, v + n);
        outCounts.push_back(n);
        return 1;
    }
    std::vector<DPoint> clipped;
    const int kept = ClipToRectangle(v, n, rect, clipped);
    const double inside = std::fabs(PolygonArea(clipped.data(), kept));
    const double whole = (rect.right - rect.left) * (rect.top - rect.bottom);
    const double tolerance = 1e-9 * whole;
    if (!(inside > tolerance)) {
        return 0;
    }
    if (inside >= whole - tolerance) {
        outPoints.assign(corners.begin(), corners.end());
        outCounts.push_back(4);
        return 1;
    }
    return -1;
}

}  // namespace

int ClipAgainstEdge(const DPoint* v, int n, double c, int side, std::vector<DPoint>& out) {
    out.clear();
    if (v == nullptr || n <= 0 || side < kClipLeft || side > kClipBottom) {
        return 0;
    }
    out.reserve(2 * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const DPoint& cur = v[i];
        const double value = TestValue(cur.x, cur.y, side);
        if (i > 0) {
            const DPoint& prev = v[i - 1];
            if (SignsDiffer(TestValue(prev.x, prev.y, side), value, c)) {
                out.push_back(Crossing(prev, cur, c, side));
            }
        }
        if (IsInside(value, c, side)) {
            out.push_back(cur);
        }
    }
    const DPoint& last = v[n - 1];
    const DPoint& first = v[0];
    if (SignsDiffer(TestValue(last.x, last.y, side), TestValue(first.x, first.y, side), c)) {
        out.push_back(Crossing(last, first, c, side));
    }
    return static_cast<int>(out.size());
}

int ClipToRectangle(const DPoint* v, int n, const ClipRect& rect, std::vector<DPoint>& out) {
    std::vector<DPoint> buffer;
    int count = ClipAgainstEdge(v, n, rect.left, kClipLeft, buffer);
    if (count == 0) {
        out.clear();
        return 0;
    }
    // From here on v is not read, so out may be the vector that held it.
    count = ClipAgainstEdge(buffer.data(), count, rect.right, kClipRight, out);
    if (count == 0) {
        return 0;
    }
    count = ClipAgainstEdge(out.data(), count, rect.top, kClipTop, buffer);
    if (count == 0) {
        out.clear();
        return 0;
    }
    return ClipAgainstEdge(buffer.data(), count, rect.bottom, kClipBottom, out);
}

int ClipAgainstEdge2(std::vector<ClipNode>& subject, std::vector<ClipNode>& clip, std::vector<int>& entering,
                     int side, const ReportFn& report) {
    if (side < kClipLeft || side > kClipBottom || subject.empty() || clip.size() < 4) {
        return 0;
    }
    const double c = BoundaryValue(clip, side);
    const std::size_t nodesBefore = subject.size();
    int current = 0;
    for (std::size_t step = 0; step < nodesBefore; ++step) {
        const int following = subject[static_cast<std::size_t>(current)].next;
        if (!ValidIndex(following, subject)) {
            return 0;
        }
        const ClipNode a = subject[static_cast<std::size_t>(current)];
        const ClipNode b = subject[static_cast<std::size_t>(following)];
        if (SignsDiffer(TestValue(a.x, a.y, side), TestValue(b.x, b.y, side), c)) {
            DPoint hit;
            const int k = FindCrossedSubEdge(a, b, clip, side, hit);
            if (k == -2) {
                return 0;
            }
            if (k >= 0) {
                // The point lies on the side; put it there exactly, so that
                // rounding never leaves a piece's point a hair outside.
                if (side == kClipLeft || side == kClipRight) {
                    hit.x = c;
                } else {
                    hit.y = c;
                }
                const int kind =
                    IsStrictlyInside(TestValue(a.x, a.y, side), c, side) ? kLeavingNode : kEnteringNode;
                const int s = static_cast<int>(subject.size());
                const int q = static_cast<int>(clip.size());
                subject.push_back({hit.x, hit.y, following, kind, q});
                subject[static_cast<std::size_t>(current)].next = s;
                clip.push_back({hit.x, hit.y, clip[static_cast<std::size_t>(k)].next, kind, s});
                clip[static_cast<std::size_t>(k)].next = q;
                if (kind == kEnteringNode) {
                    entering.push_back(s);
                }
                if (static_cast<int>(subject.size()) >= kMaxSubjectNodes ||
                    static_cast<int>(clip.size()) >= kMaxClipNodes ||
                    static_cast<int>(entering.size()) >= kMaxEnteringNodes) {
                    Report(report);
                    return 0;
                }
            }
        }
        // The inserted node lies on the edge just handled: go on after it.
        current = following;
        if (current == 0) {
            return 1;
        }
    }
    return 0;
}

int PreciseClipToRectangle(DPoint* v, int n, const ClipRect& rect, std::vector<DPoint>& outPoints,
                           std::vector<int>& outCounts, const ReportFn& report) {
    outPoints.clear();
    outCounts.clear();
    if (v == nullptr || n < 3) {
        return 0;
    }
    if (PolygonArea(v, n) < 0.0) {
        ReversePolygon(v, n);
    }
    const std::array<DPoint, 4> corners{
        {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}}};
    // The subject list would not even hold the input vertices.
    if (n >= kMaxSubjectNodes) {
        Report(report);
        return 0;
    }
    std::vector<ClipNode> subject;
    std::vector<ClipNode> clip;
    std::vector<int> entering;
    subject.reserve(kMaxSubjectNodes);
    clip.reserve(kMaxClipNodes);
    entering.reserve(kMaxEnteringNodes);
    for (int i = 0; i < n; ++i) {
        subject.push_back({v[i].x, v[i].y, (i + 1) % n, kVertexNode, 0});
    }
    for (int i = 0; i < 4; ++i) {
        const DPoint& corner = corners[static_cast<std::size_t>(i)];
        clip.push_back({corner.x, corner.y, (i + 1) % 4, kVertexNode, 0});
    }
    for (int side = kClipLeft; side <= kClipBottom; ++side) {
        if (ClipAgainstEdge2(subject, clip, entering, side, report) == 0) {
            return 0;
        }
    }

    if (entering.empty()) {
        return WithoutCrossings(v, n, rect, corners, outPoints, outCounts);
    }

    PieceWriter writer(outPoints, outCounts);
    const int pieces = TracePieces(subject, clip, entering, rect, writer);
    if (pieces < 0) {
        outPoints.clear();
        outCounts.clear();
    }
    return pieces;
}

}  // namespace rollpath
