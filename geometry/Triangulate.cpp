#include "geometry/Triangulate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

#include "geometry/CrtRandom.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

// Table sizes. Segment and vertex numbers start at 1; trapezoid and query
// node numbers too, 0 (or less) meaning "none". Building the map takes about
// 4 trapezoids and 8 query nodes per segment for star-shaped polygons and up
// to 5 and 10 for combs and staircases, the trapezoids merged away included:
// tables of 4 and 8 per segment would turn a polygon of 1999 vertices away
// (a star needs about 8200 trapezoids). 8 and 16 per segment leave room for
// unlucky insertion orders too.
constexpr int kSegmentTableSize = 2000;
constexpr int kTrapezoidTableSize = 8 * kSegmentTableSize;
constexpr int kQueryTableSize = 16 * kSegmentTableSize;
constexpr int kChainTableSize = 8000;
constexpr int kPieceTableSize = 2000;
constexpr int kReflexChainSize = 2000;
constexpr int kMaxChainsPerVertex = 4;
// Every trapezoid is entered once and queues at most its four neighbours.
constexpr int kWalkStackSize = 4 * kTrapezoidTableSize + 1;

// Coordinates beyond this are refused, so that the map's unbounded top and
// bottom (kFar) stay beyond every point.
constexpr double kMaxCoordinate = 1e15;
constexpr double kFar = 1e30;
// Points are kept as vertex numbers; these two stand for the map's top and
// bottom.
constexpr int kTopPoint = kSegmentTableSize;
constexpr int kBottomPoint = kSegmentTableSize + 1;
constexpr double kEps = kTriangulationTolerance;
static_assert(kQueryTableSize <= 32767 && kTrapezoidTableSize <= 32767 && kBottomPoint <= 32767,
              "table numbers are kept in 16 bits");

// ---- Point order ------------------------------------------------------------
// By y with the tolerance, then by x exactly: a consistent sweep order even
// for vertices at the same height.

bool SameHeight(double a, double b) {
    return std::fabs(a - b) <= kEps;
}

bool Above(const DPoint& a, const DPoint& b) {
    if (a.y > b.y + kEps) {
        return true;
    }
    if (a.y < b.y - kEps) {
        return false;
    }
    return a.x > b.x;
}

bool AboveOrSame(const DPoint& a, const DPoint& b) {
    if (a.y > b.y + kEps) {
        return true;
    }
    if (a.y < b.y - kEps) {
        return false;
    }
    return a.x >= b.x;
}

bool Below(const DPoint& a, const DPoint& b) {
    if (a.y < b.y - kEps) {
        return true;
    }
    if (a.y > b.y + kEps) {
        return false;
    }
    return a.x < b.x;
}

bool SamePoint(const DPoint& a, const DPoint& b) {
    return std::fabs(a.y - b.y) <= kEps && std::fabs(a.x - b.x) <= kEps;
}

// Twice the signed area of (a, b, c), positive when counter-clockwise.
double Cross(const DPoint& a, const DPoint& b, const DPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// ---- Tables -----------------------------------------------------------------

struct TriSegment;
bool LeftOf(const TriSegment& s, const DPoint& v);
bool StrictlyLeftOf(const TriSegment& s, const DPoint& v);

struct TriSegment {
    DPoint v0;  // start point (vertex number = segment number)
    DPoint v1;  // end point (start of the next segment)
    bool inserted = false;
    bool upward = false;  // v1 is above v0
    int root0 = 0;        // query node from which v0 is located
    int root1 = 0;        // query node from which v1 is located
    int next = 0;
    int prev = 0;
};

// A segment's ends as the point location reads them, lower end first, in
// half a cache line.
struct alignas(32) SegmentEnds {
    DPoint lower;
    DPoint upper;
};

enum TrapezoidState { kTrapezoidCleared = 0, kTrapezoidValid = 1, kTrapezoidMerged = 2 };
enum ThreadSide { kNoSide = 0, kLeftSide = 1, kRightSide = 2 };

// The point location runs through these tables at random, so they are kept
// small: points are vertex numbers (see Pt), and every number fits 16 bits
// (the largest table has fewer than 32768 entries), which halves the memory
// the location walks through.
using TableIndex = std::int16_t;

struct Trapezoid {
    TableIndex lseg = -1;
    TableIndex rseg = -1;
    TableIndex hi = 0;  // top point
    TableIndex lo = 0;  // bottom point
    TableIndex u0 = 0;
    TableIndex u1 = 0;
    TableIndex d0 = 0;
    TableIndex d1 = 0;
    TableIndex sink = 0;
    // A third upper neighbour kept while a segment is threaded through.
    TableIndex usave = 0;
    std::int16_t uside = kNoSide;
    std::int16_t state = kTrapezoidValid;
};

enum QueryNodeType { kNodeCleared = 0, kXNode = 1, kYNode = 2, kSinkNode = 3 };

// The parent of a node is needed only when trapezoids merge, so it is kept
// apart (QueryParent) and a node fills 8 bytes. No field is a character
// type: a store through one would make the compiler reload every table count.
struct QueryNode {
    std::int16_t type = kNodeCleared;
    // The segment of an x-node, the point (vertex number) of a y-node, the
    // trapezoid of a sink.
    TableIndex key = 0;
    TableIndex left = 0;   // below, or left of the segment
    TableIndex right = 0;  // above, or right of the segment
};

struct VertexChainEntry {
    DPoint pt;
    std::array<int, kMaxChainsPerVertex> vnext{};  // the following vertex in each chain
    std::array<int, kMaxChainsPerVertex> vpos{};   // this vertex's position in that chain
    int nextfree = 0;
};

struct MonotoneChainEntry {
    int vnum = 0;
    int next = 0;
    int prev = 0;
    bool marked = false;
};

struct WalkStep {
    int piece;
    int trapezoid;
    int from;
};

// The sides of a diagonal through a trapezoid, as lists of its neighbours.
struct Diagonal {
    int bottom = 0;  // vertex numbers
    int top = 0;
    std::array<int, 4> west{};
    std::array<int, 4> east{};
};

// The whole triangulator with its module-level tables. Every number that a
// degenerate input can spoil goes through a bounds check: an index outside
// the tables marks the call failed and reaches a scratch entry instead, so
// neither a degenerate input nor a full table can touch memory outside them.
class Triangulator {
public:
    int Run(std::span<const int> counts, std::span<const DPoint> vertices, std::vector<Triangle>& triangles,
            std::uint32_t seed);

private:
    // Table access. Numbers stored in the tables only ever come from the
    // allocators (which refuse a full table) or from the vertex and segment
    // numbers of this call, so an index beyond what this call filled cannot
    // occur; the checks against the table sizes keep even a broken invariant
    // inside the tables. The "none" numbers (0 and -1) are what the checks
    // catch on damaged input: they mark the call failed and reach a scratch
    // entry instead.
    const DPoint& Pt(int v) {
        if (static_cast<unsigned>(v - 1) >= static_cast<unsigned>(kBottomPoint)) [[unlikely]] {
            return Fail(pointScratch_);
        }
        return points_[static_cast<std::size_t>(v)];
    }
    TriSegment& Seg(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kSegmentTableSize - 1)) [[unlikely]] {
            return Fail(segScratch_);
        }
        return segments_[static_cast<std::size_t>(i)];
    }
    Trapezoid& Tr(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kTrapezoidTableSize - 1)) [[unlikely]] {
            return Fail(trScratch_);
        }
        return trapezoids_[static_cast<std::size_t>(i)];
    }
    // A trapezoid number read from the tables and found positive: every
    // number stored there came from NewTrapezoid, so it is inside the table.
    Trapezoid& Linked(int i) { return trapezoids_[static_cast<std::size_t>(i)]; }
    // A trapezoid's top or bottom point: a vertex of this call or the map's
    // top or bottom, set before the trapezoid is linked in.
    const DPoint& Corner(int v) const { return points_[static_cast<std::size_t>(v)]; }
    QueryNode& Q(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kQueryTableSize - 1)) [[unlikely]] {
            return Fail(qScratch_);
        }
        return nodes_[static_cast<std::size_t>(i)];
    }
    TableIndex& QueryParent(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kQueryTableSize - 1)) [[unlikely]] {
            return Fail(parentScratch_);
        }
        return parents_[static_cast<std::size_t>(i)];
    }
    // Only for a node just made: its callers check failed_ after NewNode.
    void SetNode(int i, QueryNodeType type, int key, int parent, int left, int right) {
        nodes_[static_cast<std::size_t>(i)] =
            QueryNode{static_cast<std::int16_t>(type), static_cast<TableIndex>(key),
                      static_cast<TableIndex>(left), static_cast<TableIndex>(right)};
        parents_[static_cast<std::size_t>(i)] = static_cast<TableIndex>(parent);
    }
    VertexChainEntry& Vert(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kSegmentTableSize - 1)) [[unlikely]] {
            return Fail(vertScratch_);
        }
        return vertexChains_[static_cast<std::size_t>(i)];
    }
    MonotoneChainEntry& Chain(int i) {
        if (static_cast<unsigned>(i - 1) >= static_cast<unsigned>(kChainTableSize - 1)) [[unlikely]] {
            return Fail(chainScratch_);
        }
        return chain_[static_cast<std::size_t>(i)];
    }
    // Every chain link and vertex number in the chain tables came through
    // the checked accessors (MakeNewMonotonePiece), so the sweep of the
    // finished pieces reads them unchecked.
    MonotoneChainEntry& Link(int i) { return chain_[static_cast<std::size_t>(i)]; }
    const DPoint& ChainPoint(int v) const { return vertexChains_[static_cast<std::size_t>(v)].pt; }
    template <typename T>
    [[gnu::noinline, gnu::cold]] T& Fail(T& scratch) {
        failed_ = true;
        scratch = T{};
        return scratch;
    }

    int NewTrapezoid();
    int NewNode();

    // Step 1 and 2.
    void BuildSegments(std::span<const int> counts, std::span<const DPoint> vertices);
    void GeneratePermutation(std::uint32_t seed);
    int NextSegment();

    // Step 3: trapezoidation.
    bool Trapezoidate();
    bool MapMonotoneOutline();
    int InitQueryStructure(int segnum);
    bool IsLeftOf(int segnum, const DPoint& v);
    bool EndpointInserted(int segnum, bool firstPoint) {
        const TriSegment& s = Seg(segnum);
        return Seg(firstPoint ? s.prev : s.next).inserted;
    }
    int LocateEndpoint(const DPoint& vRef, const DPoint& voRef, int root, bool* usedOther = nullptr);
    void SplitAtPoint(int p, const DPoint& other, int root, int& upper, int& lower, int& neighbourRoot);
    void LinkUpperNeighbours(int t, int tn, const TriSegment& s);
    int ThreadOneBelow(int t, int tn, bool viaD0, int tlast, bool lowerWasInMap, int segnum,
                       const TriSegment& s, bool swapped);
    int ThreadTwoBelow(int t, int tn, int tlast, bool lowerWasInMap, const TriSegment& s);
    bool AddSegment(int segnum);
    void MergeTrapezoids(int segnum, int tfirst, int tlast, int side);
    void FindNewRoots();

    // Step 4: monotone decomposition.
    int MonotonateTrapezoids();
    bool IsStartTrapezoid(int t);
    bool FindDiagonal(int t, Diagonal& diagonal);
    bool Push(int piece, int trapezoid, int from);
    int NewPiece();
    int NewChainEntry();
    int ChainPositionToward(int v, int toward);
    int MakeNewMonotonePiece(int piece, int v0, int v1);

    // Step 5: the reflex-chain sweep.
    void TriangulatePieces(int pieces, std::vector<Triangle>& triangles);
    void TriangulateUnimonotone(int posmax, bool leftIsSingleSegment, std::vector<Triangle>& triangles);
    void Emit(int a, int b, int c, std::vector<Triangle>& triangles);

    std::array<DPoint, kSegmentTableSize + 2> points_{};
    std::array<TriSegment, kSegmentTableSize> segments_{};
    std::array<SegmentEnds, kSegmentTableSize> ends_{};
    std::array<Trapezoid, kTrapezoidTableSize> trapezoids_{};
    std::array<QueryNode, kQueryTableSize> nodes_{};
    std::array<TableIndex, kQueryTableSize> parents_{};
    std::array<int, kSegmentTableSize> permutation_{};
    std::array<int, kSegmentTableSize> permutationPool_{};
    std::array<VertexChainEntry, kSegmentTableSize> vertexChains_{};
    std::array<MonotoneChainEntry, kChainTableSize> chain_{};
    std::array<int, kPieceTableSize> pieces_{};
    std::array<unsigned char, kTrapezoidTableSize> visited_{};
    std::array<int, kReflexChainSize> reflexChain_{};
    std::array<WalkStep, kWalkStackSize> walkStack_{};

    DPoint pointScratch_;
    TriSegment segScratch_;
    Trapezoid trScratch_;
    QueryNode qScratch_;
    TableIndex parentScratch_ = 0;
    VertexChainEntry vertScratch_;
    MonotoneChainEntry chainScratch_;

    // The phase ends of every size met so far (log* of the largest table size
    // is 4): a batch alternates between a few sizes, and the logarithms cost
    // as much as a small polygon's point locations. A count of 0 is "not yet".
    std::array<std::array<int, 6>, kSegmentTableSize> phaseEnds_{};
    std::array<int, kSegmentTableSize> phaseCounts_{};

    int n_ = 0;
    int maxTriangles_ = 0;
    int permutationCursor_ = 1;
    int trCount_ = 1;  // next free trapezoid
    int qCount_ = 1;   // next free query node
    int chainCount_ = 0;
    int pieceCount_ = 0;
    int walkTop_ = 0;
    bool failed_ = false;
};

int Triangulator::NewTrapezoid() {
    if (trCount_ >= kTrapezoidTableSize) {
        failed_ = true;
        return -1;
    }
    // Split halves are copies of the trapezoid split: only the first four
    // are cleared (InitQueryStructure).
    return trCount_++;
}

int Triangulator::NewNode() {
    if (qCount_ >= kQueryTableSize) {
        failed_ = true;
        return -1;
    }
    // Every caller sets the node in full (SetNode) before it is read.
    return qCount_++;
}

// ---- Steps 1 and 2 ------------------------------------------------------------

void Triangulator::BuildSegments(std::span<const int> counts, std::span<const DPoint> vertices) {
    int first = 1;
    for (const int count : counts) {
        const int last = first + count - 1;
        for (int i = first; i <= last; ++i) {
            TriSegment& s = segments_[static_cast<std::size_t>(i)];
            s = TriSegment{};
            s.next = i == last ? first : i + 1;
            s.prev = i == first ? last : i - 1;
            s.v0 = vertices[static_cast<std::size_t>(i)];
            s.v1 = vertices[static_cast<std::size_t>(s.next)];
            s.upward = Above(s.v1, s.v0);
            points_[static_cast<std::size_t>(i)] = s.v0;
            ends_[static_cast<std::size_t>(i)] = s.upward ? SegmentEnds{s.v0, s.v1} : SegmentEnds{s.v1, s.v0};
        }
        first = last + 1;
    }
    points_[kTopPoint] = {kFar, kFar};
    points_[kBottomPoint] = {-kFar, -kFar};
}

void Triangulator::GeneratePermutation(std::uint32_t seed) {
    CrtRandom random(seed);
    auto& pool = permutationPool_;
    for (int i = 1; i <= n_; ++i) {
        pool[static_cast<std::size_t>(i)] = i;
    }
    for (int k = 0; k < n_; ++k) {
        const int r = random.Next() % (n_ - k);
        const std::size_t taken = static_cast<std::size_t>(k + 1 + r);
        permutation_[static_cast<std::size_t>(k + 1)] = pool[taken];
        pool[taken] = pool[static_cast<std::size_t>(k + 1)];
    }
    permutationCursor_ = 1;
}

int Triangulator::NextSegment() {
    if (permutationCursor_ > n_) {
        failed_ = true;
        return 0;
    }
    return permutation_[static_cast<std::size_t>(permutationCursor_++)];
}

// ---- Step 3: trapezoidation -----------------------------------------------

// log*(n): how often log2 can be applied to n while the value stays at
// least 1, less one.
int LogStar(int n) {
    int i = 0;
    for (double v = n; v >= 1.0; ++i) {
        v = math::Log2(v);
    }
    return i - 1;
}

// The last permutation position inserted in phase h: ceil(n / log2^h(n)).
int PhaseEnd(int n, int h) {
    double v = n;
    for (int i = 0; i < h; ++i) {
        v = math::Log2(v);
    }
    return static_cast<int>(std::ceil(static_cast<double>(n) / v));
}

bool Triangulator::Trapezoidate() {
    // Nothing is cleared: every entry is set in full when it is allocated,
    // and nothing beyond the allocators is ever read.
    trCount_ = 1;
    qCount_ = 1;

    const int root = InitQueryStructure(NextSegment());
    for (int i = 1; i <= n_; ++i) {
        segments_[static_cast<std::size_t>(i)].root0 = root;
        segments_[static_cast<std::size_t>(i)].root1 = root;
    }
    const auto size = static_cast<std::size_t>(n_);
    auto& ends = phaseEnds_[size];
    if (phaseCounts_[size] == 0) {
        phaseCounts_[size] = LogStar(n_);
        for (int h = 0; h <= phaseCounts_[size]; ++h) {
            ends[static_cast<std::size_t>(h)] = PhaseEnd(n_, h);
        }
    }
    const int phases = phaseCounts_[size];
    for (int h = 1; h <= phases; ++h) {
        const int phaseEnd = ends[static_cast<std::size_t>(h)];
        for (int i = ends[static_cast<std::size_t>(h - 1)] + 1; i <= phaseEnd; ++i) {
            if (!AddSegment(NextSegment())) {
                return false;
            }
        }
        // Start the next phase's point locations deeper in the structure.
        FindNewRoots();
        if (failed_) {
            return false;
        }
    }
    for (int i = ends[static_cast<std::size_t>(phases)] + 1; i <= n_; ++i) {
        if (!AddSegment(NextSegment())) {
            return false;
        }
    }
    return !failed_;
}

// The map of one segment: a y-node at its upper end (the root) with the area
// above to its right, a y-node at its lower end to its left with the area
// below and an x-node for the segment between its left and right trapezoids.
int Triangulator::InitQueryStructure(int segnum) {
    TriSegment& s = Seg(segnum);
    const int upper = Above(s.v0, s.v1) ? segnum : s.next;
    const int lower = Above(s.v0, s.v1) ? s.next : segnum;

    const int i1 = NewNode();
    const int i2 = NewNode();
    const int i3 = NewNode();
    const int i4 = NewNode();
    const int i5 = NewNode();
    const int i6 = NewNode();
    const int i7 = NewNode();
    const int left = NewTrapezoid();
    const int right = NewTrapezoid();
    const int below = NewTrapezoid();
    const int above = NewTrapezoid();
    if (failed_) {
        return 0;
    }
    for (const int t : {left, right, below, above}) {
        trapezoids_[static_cast<std::size_t>(t)] = Trapezoid{};
    }

    SetNode(i1, kYNode, upper, 0, i3, i2);
    SetNode(i2, kSinkNode, above, i1, 0, 0);
    SetNode(i3, kYNode, lower, i1, i4, i5);
    SetNode(i4, kSinkNode, below, i3, 0, 0);
    SetNode(i5, kXNode, segnum, i3, i6, i7);
    SetNode(i6, kSinkNode, left, i5, 0, 0);
    SetNode(i7, kSinkNode, right, i5, 0, 0);

    Trapezoid& tl = Tr(left);
    Trapezoid& tr = Tr(right);
    Trapezoid& tb = Tr(below);
    Trapezoid& ta = Tr(above);
    tl.hi = tr.hi = ta.lo = upper;
    tl.lo = tr.lo = tb.hi = lower;
    ta.hi = kTopPoint;
    tb.lo = kBottomPoint;
    tl.rseg = tr.lseg = segnum;
    tl.u0 = tr.u0 = above;
    tl.d0 = tr.d0 = below;
    ta.d0 = tb.u0 = left;
    ta.d1 = tb.u1 = right;
    tl.sink = i6;
    tr.sink = i7;
    tb.sink = i4;
    ta.sink = i2;
    s.inserted = true;
    return i1;
}

bool Triangulator::IsLeftOf(int segnum, const DPoint& v) {
    return LeftOf(Seg(segnum), v);
}

// For a point at the height of neither end: left of the segment taken from
// its lower to its upper end.
bool StrictlyLeftOf(const TriSegment& s, const DPoint& v) {
    const DPoint& lower = s.upward ? s.v0 : s.v1;
    const DPoint& upper = s.upward ? s.v1 : s.v0;
    return Cross(lower, upper, v) > 0.0;
}

// Left of the segment taken from its lower to its upper end. A point at the
// height of either end is left when its x is smaller than that end's.
bool LeftOf(const TriSegment& s, const DPoint& v) {
    if (SameHeight(s.v1.y, v.y)) {
        return v.x < s.v1.x;
    }
    if (SameHeight(s.v0.y, v.y)) {
        return v.x < s.v0.x;
    }
    return StrictlyLeftOf(s, v);
}

// Walks the query structure from root to the trapezoid that holds v, where
// vo is the other end of v's segment (it decides when v is already in the
// map). usedOther, when given, is set when vo decided a step. A walk is only
// a few steps, so it is inlined into its callers: the call cost a tenth of it.
[[gnu::always_inline]] inline int Triangulator::LocateEndpoint(const DPoint& vRef, const DPoint& voRef,
                                                               int root, bool* usedOther) {
    if (failed_ || root < 1 || root >= qCount_) {
        failed_ = true;
        return -1;
    }
    // Local copies: the points may be table entries, and the walk must not
    // reload them after every step. The walk reads the tables unchecked: a
    // node's children are nodes of this call and its key a vertex, segment or
    // trapezoid number of this call, all set before the node is linked in. An
    // edge always leads to a node that was still a sink when the edge was
    // made, and only sinks become inner nodes, so no walk can cycle; the step
    // count only bounds a broken invariant.
    const DPoint v = vRef;
    const DPoint vo = voRef;
    bool other = false;
    int r = root;
    for (int steps = qCount_; steps > 0; --steps) {
        const QueryNode node = nodes_[static_cast<std::size_t>(r)];
        const int key = node.key;
        if (node.type == kXNode) {
            // Most steps compare with a segment whose ends are both at other
            // heights: one cache line and one cross product.
            const SegmentEnds& ends = ends_[static_cast<std::size_t>(key)];
            if (!SameHeight(v.y, ends.lower.y) && !SameHeight(v.y, ends.upper.y)) {
                r = Cross(ends.lower, ends.upper, v) > 0.0 ? node.left : node.right;
                continue;
            }
            const TriSegment& s = segments_[static_cast<std::size_t>(key)];
            // The height tests of the end point check and of LeftOf(s, v),
            // shared: this is the innermost loop of the whole algorithm.
            const bool atEnd1 = SameHeight(v.y, s.v1.y);
            const bool atEnd0 = SameHeight(v.y, s.v0.y);
            bool left = false;
            if (!atEnd0 && !atEnd1) {
                left = StrictlyLeftOf(s, v);
            } else if ((atEnd0 && std::fabs(v.x - s.v0.x) <= kEps) ||
                       (atEnd1 && std::fabs(v.x - s.v1.x) <= kEps)) {
                left = SameHeight(v.y, vo.y) ? vo.x < v.x : LeftOf(s, vo);
                other = true;
            } else if (atEnd1) {
                left = v.x < s.v1.x;
            } else {
                left = v.x < s.v0.x;
            }
            r = left ? node.left : node.right;
            continue;
        }
        if (node.type == kYNode) {
            const DPoint& y = points_[static_cast<std::size_t>(key)];
            if (Above(v, y)) {
                r = node.right;
            } else if (SamePoint(v, y)) {
                r = Above(vo, y) ? node.right : node.left;
                other = true;
            } else {
                r = node.left;
            }
            continue;
        }
        // A trapezoid merged away is linked in only when the contours cross
        // or touch themselves (threading followed a stale neighbour link):
        // the map is broken, and the call fails rather than build on it.
        if (node.type != kSinkNode || trapezoids_[static_cast<std::size_t>(key)].state != kTrapezoidValid) {
            break;
        }
        if (other && usedOther != nullptr) {
            *usedOther = true;
        }
        return key;
    }
    if (other && usedOther != nullptr) {
        *usedOther = true;
    }
    failed_ = true;
    return -1;
}

// Splits the trapezoid holding p by the horizontal line through p: the old
// trapezoid keeps the part above, a new one takes the part below, and the
// old sink becomes a y-node over both. neighbourRoot is the root from which
// the other segment at p will locate it.
void Triangulator::SplitAtPoint(int p, const DPoint& other, int root, int& upper, int& lower,
                                int& neighbourRoot) {
    bool usedOther = false;
    const int tu = LocateEndpoint(Pt(p), other, root, &usedOther);
    const int tl = NewTrapezoid();
    const int i1 = NewNode();
    const int i2 = NewNode();
    upper = tu;
    lower = tl;
    if (failed_) {
        return;
    }
    // tu is a sink's trapezoid, found with failed_ still clear; tl is fresh.
    Trapezoid& above = Linked(tu);
    Trapezoid& below = Linked(tl);
    below = above;
    above.lo = static_cast<TableIndex>(p);
    below.hi = static_cast<TableIndex>(p);
    above.d0 = static_cast<TableIndex>(tl);
    above.d1 = 0;
    below.u0 = static_cast<TableIndex>(tu);
    below.u1 = 0;
    for (const int d : {below.d0, below.d1}) {
        if (d > 0) {
            Trapezoid& next = Linked(d);
            if (next.u0 == tu) {
                next.u0 = static_cast<TableIndex>(tl);
            }
            if (next.u1 == tu) {
                next.u1 = static_cast<TableIndex>(tl);
            }
        }
    }
    const int sk = above.sink;
    // A walk for p from the same root that does not depend on which
    // segment asks reaches this node too: the other segment's walk starts
    // here (as FindNewRoots shares a root), a y-node at p itself.
    if (neighbourRoot == root && !usedOther) {
        neighbourRoot = sk;
    }
    QueryNode& node = nodes_[static_cast<std::size_t>(sk)];
    node.type = kYNode;
    node.key = static_cast<TableIndex>(p);
    node.left = static_cast<TableIndex>(i2);
    node.right = static_cast<TableIndex>(i1);
    SetNode(i1, kSinkNode, tu, sk, 0, 0);
    SetNode(i2, kSinkNode, tl, sk, 0, 0);
    above.sink = static_cast<TableIndex>(i1);
    below.sink = static_cast<TableIndex>(i2);
}

// After t was split into t (left) and tn (right), gives each half its upper
// neighbours. Either the split continues one made just above (t has the two
// halves of that split above it, perhaps with a third neighbour saved aside),
// or the segment starts here: at a fresh point, or at a cusp where the
// neighbouring segment also runs down from the same point.
void Triangulator::LinkUpperNeighbours(int t, int tn, const TriSegment& s) {
    Trapezoid& left = Linked(t);
    Trapezoid& right = Linked(tn);
    const auto none = static_cast<TableIndex>(-1);
    if (left.u0 > 0 && left.u1 > 0) {
        if (left.usave > 0) {
            if (left.uside == kLeftSide) {
                right.u0 = left.u1;
                left.u1 = none;
                right.u1 = left.usave;
                Linked(left.u0).d0 = static_cast<TableIndex>(t);
                Linked(right.u0).d0 = static_cast<TableIndex>(tn);
                Linked(right.u1).d0 = static_cast<TableIndex>(tn);
            } else {
                right.u1 = none;
                right.u0 = left.u1;
                left.u1 = left.u0;
                left.u0 = left.usave;
                Linked(left.u0).d0 = static_cast<TableIndex>(t);
                Linked(left.u1).d0 = static_cast<TableIndex>(t);
                Linked(right.u0).d0 = static_cast<TableIndex>(tn);
            }
            left.usave = 0;
            right.usave = 0;
        } else {
            right.u0 = left.u1;
            left.u1 = none;
            right.u1 = none;
            Linked(right.u0).d0 = static_cast<TableIndex>(tn);
        }
        return;
    }
    const int above = left.u0;
    Trapezoid& top = Tr(above);
    const int td0 = top.d0;
    const int td1 = top.d1;
    if (td0 > 0 && td1 > 0) {
        // Upward cusp: one half is a triangle with nothing above it.
        if (Linked(td0).rseg > 0 && !IsLeftOf(Linked(td0).rseg, s.v1)) {
            left.u0 = none;
            left.u1 = none;
            right.u1 = none;
            Tr(right.u0).d1 = static_cast<TableIndex>(tn);
        } else {
            right.u0 = none;
            right.u1 = none;
            left.u1 = none;
            Tr(left.u0).d0 = static_cast<TableIndex>(t);
        }
    } else {
        // A fresh upper end point: both halves hang below the trapezoid above.
        top.d0 = static_cast<TableIndex>(t);
        top.d1 = static_cast<TableIndex>(tn);
    }
}

// Threading where t has a single trapezoid below (d0, or d1 when viaD0 is
// false). Returns the next trapezoid to split.
int Triangulator::ThreadOneBelow(int t, int tn, bool viaD0, int tlast, bool lowerWasInMap, int segnum,
                                 const TriSegment& s, bool swapped) {
    LinkUpperNeighbours(t, tn, s);
    Trapezoid& left = Linked(t);
    Trapezoid& right = Linked(tn);
    auto below = [viaD0](const Trapezoid& trap) -> int { return viaD0 ? trap.d0 : trap.d1; };
    const auto none = static_cast<TableIndex>(-1);
    if (SamePoint(Corner(left.lo), Corner(Linked(tlast).lo)) && lowerWasInMap) {
        // The bottom forms a triangle: the segment meets its neighbour,
        // which runs upward from the same point, on one side.
        const int neighbour = swapped ? Seg(segnum).prev : Seg(segnum).next;
        if (neighbour > 0 && IsLeftOf(neighbour, s.v0)) {
            Linked(below(left)).u0 = static_cast<TableIndex>(t);
            right.d0 = none;
            right.d1 = none;
        } else {
            Linked(below(right)).u1 = static_cast<TableIndex>(tn);
            left.d0 = none;
            left.d1 = none;
        }
    } else {
        Trapezoid& b = Linked(below(left));
        if (b.u0 > 0 && b.u1 > 0) {
            // b already has two upper neighbours: keep the one the segment
            // does not pass through until b itself is split.
            if (b.u0 == t) {
                b.usave = b.u1;
                b.uside = kLeftSide;
            } else {
                b.usave = b.u0;
                b.uside = kRightSide;
            }
        }
        b.u0 = static_cast<TableIndex>(t);
        b.u1 = static_cast<TableIndex>(tn);
    }
    return below(left);
}

void SetUpperNeighbours(Trapezoid& trap, TableIndex u0, TableIndex u1) {
    trap.u0 = u0;
    trap.u1 = u1;
}

// Threading where t has two trapezoids below: the segment goes on into the
// one on its side of the vertex that separates them.
int Triangulator::ThreadTwoBelow(int t, int tn, int tlast, bool lowerWasInMap, const TriSegment& s) {
    Trapezoid& left = Linked(t);
    const DPoint lo = Corner(left.lo);
    bool intoD0 = false;
    if (SameHeight(lo.y, s.v0.y)) {
        intoD0 = lo.x > s.v0.x;
    } else {
        const double along = (lo.y - s.v0.y) / (s.v1.y - s.v0.y);
        const DPoint crossing{s.v0.x + along * (s.v1.x - s.v0.x), lo.y};
        intoD0 = Below(crossing, lo);
    }

    LinkUpperNeighbours(t, tn, s);

    Trapezoid& right = Linked(tn);
    const int d0 = left.d0;
    const int d1 = left.d1;
    Trapezoid& below0 = Linked(d0);
    Trapezoid& below1 = Linked(d1);
    const auto none = static_cast<TableIndex>(-1);
    const auto tl = static_cast<TableIndex>(t);
    const auto tr = static_cast<TableIndex>(tn);
    if (SamePoint(lo, Corner(Linked(tlast).lo)) && lowerWasInMap) {
        // Only at the last trapezoid, when the lower end was in the map.
        SetUpperNeighbours(below0, tl, none);
        SetUpperNeighbours(below1, tr, none);
        right.d0 = static_cast<TableIndex>(d1);
        left.d1 = none;
        right.d1 = none;
        return -1;
    }
    if (intoD0) {
        SetUpperNeighbours(below0, tl, tr);
        SetUpperNeighbours(below1, tr, none);
        left.d1 = none;
        return d0;
    }
    SetUpperNeighbours(below0, tl, none);
    SetUpperNeighbours(below1, tl, tr);
    right.d0 = static_cast<TableIndex>(d1);
    right.d1 = none;
    return d1;
}

bool Triangulator::AddSegment(int segnum) {
    if (failed_) {
        return false;
    }
    TriSegment s = Seg(segnum);
    bool swapped = false;
    if (Above(s.v1, s.v0)) {
        std::swap(s.v0, s.v1);
        std::swap(s.root0, s.root1);
        s.upward = Above(s.v1, s.v0);
        swapped = true;
    }
    // From here on s.v0 is the upper end point and s.v1 the lower.
    const int upperVertex = swapped ? s.next : segnum;
    const int lowerVertex = swapped ? segnum : s.next;
    const bool upperInMap = EndpointInserted(segnum, !swapped);
    const bool lowerInMap = EndpointInserted(segnum, swapped);

    int tfirst = 0;
    int tlast = 0;
    int unused = 0;
    // The segment that meets this one at each end.
    TriSegment& upperNeighbour = Seg(swapped ? s.next : s.prev);
    TriSegment& lowerNeighbour = Seg(swapped ? s.prev : s.next);
    if (!upperInMap) {
        SplitAtPoint(upperVertex, s.v1, s.root0, unused, tfirst,
                     swapped ? upperNeighbour.root0 : upperNeighbour.root1);
    } else {
        tfirst = LocateEndpoint(s.v0, s.v1, s.root0);
    }
    if (!lowerInMap) {
        SplitAtPoint(lowerVertex, s.v0, s.root1, tlast, unused,
                     swapped ? lowerNeighbour.root1 : lowerNeighbour.root0);
    } else {
        tlast = LocateEndpoint(s.v1, s.v0, s.root1);
    }
    if (failed_) {
        return false;
    }

    // Thread the segment down from tfirst to tlast, splitting every
    // trapezoid on the way into a left part (the old number) and a right one.
    int tfirstr = 0;
    int tlastr = 0;
    int t = tfirst;
    // Threading changes the links of the trapezoids, never their heights.
    const DPoint lastLo = Corner(Linked(tlast).lo);
    while (t > 0 && !failed_ && AboveOrSame(Corner(Linked(t).lo), lastLo)) {
        Trapezoid& left = Linked(t);
        const int sk = left.sink;
        const int i1 = NewNode();
        const int i2 = NewNode();
        const int tn = NewTrapezoid();
        if (failed_) {
            return false;
        }
        QueryNode& node = nodes_[static_cast<std::size_t>(sk)];
        node.type = kXNode;
        node.key = segnum;
        node.left = i1;
        node.right = i2;
        SetNode(i1, kSinkNode, t, sk, 0, 0);
        SetNode(i2, kSinkNode, tn, sk, 0, 0);
        if (t == tfirst) {
            tfirstr = tn;
        }
        if (SamePoint(Corner(left.lo), lastLo)) {
            tlastr = tn;
        }
        Trapezoid& right = trapezoids_[static_cast<std::size_t>(tn)];  // tn is fresh
        right = left;
        left.sink = static_cast<TableIndex>(i1);
        right.sink = static_cast<TableIndex>(i2);
        const int d0 = left.d0;
        const int d1 = left.d1;
        if (d0 <= 0 && d1 <= 0) {
            return false;  // nothing below: not a simple polygon
        }
        if (d0 > 0 && d1 <= 0) {
            t = ThreadOneBelow(t, tn, true, tlast, lowerInMap, segnum, s, swapped);
        } else if (d0 <= 0) {
            t = ThreadOneBelow(t, tn, false, tlast, lowerInMap, segnum, s, swapped);
        } else {
            t = ThreadTwoBelow(t, tn, tlast, lowerInMap, s);
        }
        left.rseg = static_cast<TableIndex>(segnum);
        right.lseg = static_cast<TableIndex>(segnum);
    }
    if (failed_) {
        return false;
    }
    for (const int end : {tfirst, tlast, tfirstr, tlastr}) {
        if (end < 1 || end >= trCount_) {
            return false;
        }
    }
    MergeTrapezoids(segnum, tfirst, tlast, kLeftSide);
    MergeTrapezoids(segnum, tfirstr, tlastr, kRightSide);
    Seg(segnum).inserted = true;
    return !failed_;
}

// Joins vertically adjacent trapezoids on one side of the new segment that
// have the same left and right segments. The lower one is merged into the
// upper and its sink's parent pointed at the upper's sink.
void Triangulator::MergeTrapezoids(int segnum, int tfirst, int tlast, int side) {
    const Trapezoid& last = Linked(tlast);  // the caller checked both ends
    int t = tfirst;
    const bool leftSide = side == kLeftSide;
    for (int guard = 0; t > 0 && !failed_ && AboveOrSame(Corner(Linked(t).lo), Corner(last.lo)); ++guard) {
        if (guard > 2 * trCount_) {
            failed_ = true;
            return;
        }
        Trapezoid& upper = Linked(t);
        auto sharesSegment = [&](int below) {
            return below > 0 && (leftSide ? Linked(below).rseg : Linked(below).lseg) == segnum;
        };
        int tnext = upper.d0;
        bool candidate = sharesSegment(tnext);
        if (!candidate) {
            tnext = upper.d1;
            candidate = sharesSegment(tnext);
        }
        if (!candidate) {
            t = tnext;
            continue;
        }
        Trapezoid& lower = Linked(tnext);
        if (upper.lseg != lower.lseg || upper.rseg != lower.rseg) {
            t = tnext;
            continue;
        }
        const int nextSink = lower.sink;
        QueryNode& parent = Q(QueryParent(nextSink));
        if (parent.left == nextSink) {
            parent.left = upper.sink;
        } else {
            parent.right = upper.sink;
        }
        upper.d0 = lower.d0;
        upper.d1 = lower.d1;
        for (const int d : {upper.d0, upper.d1}) {
            if (d > 0) {
                Trapezoid& below = Linked(d);
                if (below.u0 == tnext) {
                    below.u0 = static_cast<TableIndex>(t);
                } else if (below.u1 == tnext) {
                    below.u1 = static_cast<TableIndex>(t);
                }
            }
        }
        upper.lo = lower.lo;
        lower.state = kTrapezoidMerged;
    }
}

// A root is only a shortcut: the structure grows below its sinks, so a walk
// from any node on a point's path ends where a walk from the top would.
// Every vertex not yet in the map is located for both segments that meet at
// it: once, when both start from the same node and the walk did not depend
// on which segment asked (it differs only where the point is the same as a
// point already in the map). A vertex already in the map keeps the root of
// its other segment: the segment that placed it mostly left a root at the
// vertex's own y-node, and a new walk would cost more than it saves.
void Triangulator::FindNewRoots() {
    for (int v = 1; v <= n_ && !failed_; ++v) {
        TriSegment& out = segments_[static_cast<std::size_t>(v)];
        TriSegment& in = Seg(out.prev);
        if (out.inserted || in.inserted) {
            continue;
        }
        const int shared = out.root0;
        bool usedOther = in.root1 != shared;
        out.root0 = Tr(LocateEndpoint(out.v0, out.v1, shared, &usedOther)).sink;
        in.root1 = usedOther ? Tr(LocateEndpoint(in.v1, in.v0, in.root1)).sink : out.root0;
    }
}

// Which of the two triangles of a monotone outline's map the full
// construction numbers first, from the insertion order alone. Inside such an
// outline nothing is ever merged, so a trapezoid's number is the one given
// when its area was last split off: by a split at a vertex (the part below
// is new) or by a segment threaded through it (the part right of it is new).
// The top triangle is the right half of the first trapezoid that the segment
// down from the top threads; the bottom triangle is the part below the split
// at the second lowest vertex, or the right half that the segment down into
// the bottom threads there, whichever came later.
bool TopTriangleFirst(std::span<const int> permutation, int n, int top, int bottom, int second) {
    const auto next = [n](int v) { return v == n ? 1 : v + 1; };
    const auto prev = [n](int v) { return v == 1 ? n : v - 1; };
    const int downFromTop = top;
    const int downToBottom = prev(bottom);
    if (downFromTop == downToBottom) {
        return true;  // the same segment: it threads the top first
    }
    int posTop = 0;
    int posBottom = 0;
    int posSecond = 0;
    int splitter = 0;  // the first segment inserted at the second lowest vertex
    for (int i = 1; i <= n; ++i) {
        const int seg = permutation[static_cast<std::size_t>(i)];
        posTop = seg == downFromTop ? i : posTop;
        posBottom = seg == downToBottom ? i : posBottom;
        if (posSecond == 0 && (seg == second || seg == prev(second))) {
            posSecond = i;
            splitter = seg;
        }
    }
    // When a number was given: (insertion, step). The first segment's map
    // numbers its left and right trapezoids 1 and 2 and the one below 3; a
    // later segment splits at its upper end (10), its lower end (11), then
    // threads (12 on).
    using Moment = std::pair<int, int>;
    const auto threaded = [](int pos) { return pos == 1 ? Moment{1, 2} : Moment{pos, 12}; };
    const int splitterOther = splitter == second ? next(second) : splitter;
    const bool secondIsUpper = splitterOther == bottom;
    Moment split{posSecond, secondIsUpper ? 10 : 11};
    if (posSecond == 1) {
        // From the second lowest vertex down to the bottom on the left (its
        // right half) or on the right (its left half), or from above it (the
        // part below).
        split = {1, !secondIsUpper ? 3 : (splitter == downToBottom ? 2 : 1)};
    }
    return threaded(posTop) < std::max(split, threaded(posBottom));
}

// A well-shaped outline of one chain down the left and one up the right
// (convex pieces and most junction fillets) has one map whatever the
// insertion order: a trapezoid between each two heights, bounded by the two
// chains. Of its numbers only the order of the two triangles at the top and
// the bottom matters (the first starts the walk of step 4), and that follows
// from the insertion order (TopTriangleFirst). The map is made straight away;
// the rest of the call is shared. The shape limits keep every comparison the
// full construction would make (heights, turns, and each vertex against the
// other chain) far from its tolerance and rounding, so it could not have
// decided otherwise. Returns false for any other outline, whose map the full
// construction then makes afresh.
bool Triangulator::MapMonotoneOutline() {
    constexpr double kMaxMonotoneCoordinate = 1e6;
    constexpr double kMinHeightGap = 1e-6;
    constexpr double kMinTurnSine = 1e-4;
    constexpr double kMinWidth = 1e-9;  // as a sine, and relative to the largest coordinate
    const int n = n_;
    const auto next = [n](int v) { return v == n ? 1 : v + 1; };
    const auto prev = [n](int v) { return v == 1 ? n : v - 1; };
    // One fall and one rise round the outline, or it is none: most others
    // (stars, combs) show a third within a few vertices.
    int changes = 0;
    bool falling = points_[1].y < points_[static_cast<std::size_t>(n)].y;
    for (int v = 1; v <= n; ++v) {
        const bool fall =
            points_[static_cast<std::size_t>(next(v))].y < points_[static_cast<std::size_t>(v)].y;
        if (fall != falling && ++changes > 2) {
            return false;
        }
        falling = fall;
    }
    int top = 1;
    int bottom = 1;
    double scale = 0.0;
    for (int v = 1; v <= n; ++v) {
        const DPoint& p = points_[static_cast<std::size_t>(v)];
        if (!(std::fabs(p.x) <= kMaxMonotoneCoordinate && std::fabs(p.y) <= kMaxMonotoneCoordinate)) {
            return false;
        }
        scale = std::max(scale, std::max(std::fabs(p.x), std::fabs(p.y)));
        top = p.y > points_[static_cast<std::size_t>(top)].y ? v : top;
        bottom = p.y < points_[static_cast<std::size_t>(bottom)].y ? v : bottom;
        const DPoint& a = points_[static_cast<std::size_t>(prev(v))];
        const DPoint& b = points_[static_cast<std::size_t>(next(v))];
        const double ax = p.x - a.x;
        const double ay = p.y - a.y;
        const double bx = b.x - p.x;
        const double by = b.y - p.y;
        const double turn = ax * by - ay * bx;
        if (!(turn * turn > kMinTurnSine * kMinTurnSine * (ax * ax + ay * ay) * (bx * bx + by * by))) {
            return false;
        }
    }
    // A vertex clearly on its side of the other chain's segment at its
    // height (the inside is on the left of a segment taken upward).
    const double minWidth = kMinWidth * (scale + 1.0);
    const auto clearOf = [this, minWidth](int lower, int upper, int v, double side) {
        const DPoint& l = Corner(lower);
        const DPoint& u = Corner(upper);
        const DPoint& p = Corner(v);
        const double cross = side * Cross(l, u, p);
        const double dx = u.x - l.x;
        const double dy = u.y - l.y;
        const double px = p.x - l.x;
        const double py = p.y - l.y;
        return cross > minWidth * dy &&
               cross * cross > kMinWidth * kMinWidth * (dx * dx + dy * dy) * (px * px + py * py);
    };
    const int second = Corner(prev(bottom)).y < Corner(next(bottom)).y ? prev(bottom) : next(bottom);
    const bool fromTop = TopTriangleFirst(permutation_, n, top, bottom, second);

    // Merge the chain down the left (top to bottom) and the one up the right
    // (bottom to top, read backwards) into one order by height, every gap
    // wide: the trapezoids between them, from the top.
    int left = top;
    int right = prev(top);
    int leftSeg = top;         // a left segment runs from its vertex down
    int rightSeg = prev(top);  // a right segment runs up to the next vertex
    int hi = top;
    for (int k = 0; k + 1 < n; ++k) {
        const int nextLeft = next(left);
        const bool takeLeft = right == bottom || (nextLeft != bottom && Corner(nextLeft).y > Corner(right).y);
        const int lo = takeLeft ? nextLeft : right;
        if (!(Corner(hi).y - Corner(lo).y > kMinHeightGap)) {
            return false;
        }
        if (lo != bottom &&
            !(takeLeft ? clearOf(right, next(right), lo, 1.0) : clearOf(nextLeft, left, lo, -1.0))) {
            return false;
        }
        const int number = fromTop ? k + 1 : n - 1 - k;
        const int step = fromTop ? 1 : -1;
        Trapezoid& t = trapezoids_[static_cast<std::size_t>(number)];
        t = Trapezoid{};
        t.lseg = static_cast<TableIndex>(leftSeg);
        t.rseg = static_cast<TableIndex>(rightSeg);
        t.hi = static_cast<TableIndex>(hi);
        t.lo = static_cast<TableIndex>(lo);
        t.u0 = static_cast<TableIndex>(k == 0 ? -1 : number - step);
        t.u1 = -1;
        t.d0 = static_cast<TableIndex>(k + 2 == n ? -1 : number + step);
        t.d1 = -1;
        if (takeLeft) {
            left = nextLeft;
            leftSeg = left;
        } else {
            rightSeg = prev(right);
            right = rightSeg;
        }
        hi = lo;
    }
    if (hi != bottom || left != bottom || right != bottom ||
        second != trapezoids_[static_cast<std::size_t>(fromTop ? n - 1 : 1)].hi) {
        return false;  // not one chain down and one up
    }
    trCount_ = n;
    return true;
}

// ---- Step 4: monotone decomposition ---------------------------------------

// A triangle inside the polygon: both sides are segments and the right one
// runs upward (the inside of a counter-clockwise outline is on its left).
bool Triangulator::IsStartTrapezoid(int t) {
    const Trapezoid& trap = trapezoids_[static_cast<std::size_t>(t)];
    if (trap.state != kTrapezoidValid || trap.lseg <= 0 || trap.rseg <= 0) {
        return false;
    }
    const bool triangle = (trap.u0 <= 0 && trap.u1 <= 0) || (trap.d0 <= 0 && trap.d1 <= 0);
    if (!triangle) {
        return false;
    }
    const TriSegment& right = Seg(trap.rseg);
    return Above(right.v1, right.v0);
}

// The diagonal a trapezoid adds when the vertices on its top and bottom are
// not joined by one of its sides, with its neighbours sorted by the side of
// the diagonal they lie on (west: left of the diagonal taken upward). Left
// segments run downward and right segments upward, so the start vertex of a
// left segment is its upper end and that of a right segment its lower end.
bool Triangulator::FindDiagonal(int t, Diagonal& g) {
    const Trapezoid& tr = Tr(t);
    const bool twoAbove = tr.u0 > 0 && tr.u1 > 0;
    const bool twoBelow = tr.d0 > 0 && tr.d1 > 0;
    const bool noneAbove = tr.u0 <= 0 && tr.u1 <= 0;
    const bool noneBelow = tr.d0 <= 0 && tr.d1 <= 0;
    const int u0 = tr.u0;
    const int u1 = tr.u1;
    const int d0 = tr.d0;
    const int d1 = tr.d1;
    if (noneAbove) {
        if (!twoBelow) {
            return false;
        }
        g = {Tr(d1).lseg, tr.lseg, {d0}, {d1}};
    } else if (noneBelow) {
        if (!twoAbove) {
            return false;
        }
        g = {tr.rseg, Tr(u0).rseg, {u0}, {u1}};
    } else if (twoAbove && twoBelow) {
        g = {Tr(d1).lseg, Tr(u0).rseg, {u0, d0}, {u1, d1}};
    } else if (twoAbove) {
        if (SamePoint(Pt(tr.lo), Seg(tr.lseg).v1)) {
            g = {Seg(tr.lseg).next, Tr(u0).rseg, {u0}, {u1, d0, d1}};
        } else {
            g = {tr.rseg, Tr(u0).rseg, {u0, d0, d1}, {u1}};
        }
    } else if (twoBelow) {
        if (SamePoint(Pt(tr.hi), Seg(tr.lseg).v0)) {
            g = {Tr(d1).lseg, tr.lseg, {d0}, {u0, u1, d1}};
        } else {
            g = {Tr(d1).lseg, Seg(tr.rseg).next, {u0, u1, d0}, {d1}};
        }
    } else if (SamePoint(Pt(tr.hi), Seg(tr.lseg).v0) && SamePoint(Pt(tr.lo), Seg(tr.rseg).v0)) {
        g = {tr.rseg, tr.lseg, {d0, d1}, {u0, u1}};
    } else if (SamePoint(Pt(tr.hi), Seg(tr.rseg).v1) && SamePoint(Pt(tr.lo), Seg(tr.lseg).v1)) {
        g = {Seg(tr.lseg).next, Seg(tr.rseg).next, {u0, u1}, {d0, d1}};
    } else {
        return false;
    }
    return true;
}

bool Triangulator::Push(int piece, int trapezoid, int from) {
    if (trapezoid <= 0) {
        return true;
    }
    if (walkTop_ >= kWalkStackSize) {
        failed_ = true;
        return false;
    }
    walkStack_[static_cast<std::size_t>(walkTop_++)] = {piece, trapezoid, from};
    return true;
}

int Triangulator::NewPiece() {
    if (pieceCount_ >= kPieceTableSize) {
        failed_ = true;
        return 0;
    }
    return pieceCount_++;
}

int Triangulator::NewChainEntry() {
    if (chainCount_ + 1 >= kChainTableSize) {
        failed_ = true;
        return 0;
    }
    ++chainCount_;
    chain_[static_cast<std::size_t>(chainCount_)] = MonotoneChainEntry{};
    return chainCount_;
}

// Of the chains through vertex v, the one into which the diagonal toward
// vertex 'toward' turns: the greatest pseudo-angle between the chain's next
// edge and the diagonal, counted so that turning counter-clockwise wins.
// Returns the slot in v's entry, or -1 when v has no chain.
int Triangulator::ChainPositionToward(int v, int toward) {
    const VertexChainEntry& entry = Vert(v);
    const DPoint b{Vert(toward).pt.x - entry.pt.x, Vert(toward).pt.y - entry.pt.y};
    const double lengthB = std::sqrt(b.x * b.x + b.y * b.y);
    double best = -4.0;
    int slot = -1;
    for (int i = 0; i < kMaxChainsPerVertex; ++i) {
        const int following = entry.vnext[static_cast<std::size_t>(i)];
        if (following <= 0) {
            continue;
        }
        const DPoint a{Vert(following).pt.x - entry.pt.x, Vert(following).pt.y - entry.pt.y};
        const double c = (a.x * b.x + a.y * b.y) / std::sqrt(a.x * a.x + a.y * a.y) / lengthB;
        const double value = a.x * b.y - a.y * b.x >= 0.0 ? c : -c - 2.0;
        if (value > best) {
            best = value;
            slot = i;
        }
    }
    return slot;
}

// Cuts the chain through v0 and v1 along the diagonal v0-v1. The piece keeps
// the part on the left of v0 -> v1; the returned new piece takes the part on
// its right.
int Triangulator::MakeNewMonotonePiece(int piece, int v0, int v1) {
    const int ip = ChainPositionToward(v0, v1);
    const int iq = ChainPositionToward(v1, v0);
    if (ip < 0 || iq < 0) {
        failed_ = true;  // a diagonal at a vertex with no chain to join
        return 0;
    }
    VertexChainEntry& vp0 = Vert(v0);
    VertexChainEntry& vp1 = Vert(v1);
    if (vp0.nextfree >= kMaxChainsPerVertex || vp1.nextfree >= kMaxChainsPerVertex) {
        failed_ = true;
        return 0;
    }
    const int p = vp0.vpos[static_cast<std::size_t>(ip)];
    const int q = vp1.vpos[static_cast<std::size_t>(iq)];
    const int newPiece = NewPiece();
    const int i = NewChainEntry();
    const int j = NewChainEntry();
    if (failed_) {
        return 0;
    }
    Chain(i).vnum = v0;
    Chain(j).vnum = v1;
    Chain(i).next = Chain(p).next;
    Chain(Chain(p).next).prev = i;
    Chain(i).prev = j;
    Chain(j).next = i;
    Chain(j).prev = Chain(q).prev;
    Chain(Chain(q).prev).next = j;
    Chain(p).next = q;
    Chain(q).prev = p;

    const std::size_t nf0 = static_cast<std::size_t>(vp0.nextfree);
    const std::size_t nf1 = static_cast<std::size_t>(vp1.nextfree);
    vp0.vnext[static_cast<std::size_t>(ip)] = v1;
    vp0.vpos[nf0] = i;
    vp0.vnext[nf0] = Chain(Chain(i).next).vnum;
    vp1.vpos[nf1] = j;
    vp1.vnext[nf1] = v0;
    ++vp0.nextfree;
    ++vp1.nextfree;

    pieces_[static_cast<std::size_t>(piece)] = p;
    pieces_[static_cast<std::size_t>(newPiece)] = i;
    return newPiece;
}

// Splits the polygon into monotone pieces by walking the trapezoids inside it
// and adding a diagonal wherever a trapezoid's top and bottom vertices are
// not joined by one of its sides. Returns the number of pieces, or -1.
int Triangulator::MonotonateTrapezoids() {
    std::fill_n(visited_.begin(), trCount_, static_cast<unsigned char>(0));
    int start = 0;
    for (int t = 1; t < trCount_; ++t) {
        if (IsStartTrapezoid(t)) {
            start = t;
            break;
        }
    }
    if (start == 0) {
        return -1;
    }

    for (int i = 1; i <= n_; ++i) {
        const TriSegment& s = segments_[static_cast<std::size_t>(i)];
        chain_[static_cast<std::size_t>(i)] = {i, s.next, s.prev, false};
        VertexChainEntry& v = vertexChains_[static_cast<std::size_t>(i)];
        v = VertexChainEntry{};
        v.pt = s.v0;
        v.vnext[0] = s.next;
        v.vpos[0] = i;
        v.nextfree = 1;
    }
    chainCount_ = n_;
    pieceCount_ = 1;
    pieces_[0] = 1;  // a position in the first piece's chain

    walkTop_ = 0;
    const Trapezoid& first = Tr(start);
    if (first.u0 > 0) {
        Push(0, start, first.u0);
    } else if (first.d0 > 0) {
        Push(0, start, first.d0);
    }
    while (walkTop_ > 0 && !failed_) {
        const WalkStep step = walkStack_[static_cast<std::size_t>(--walkTop_)];
        const int t = step.trapezoid;
        if (t >= trCount_) {
            return -1;
        }
        if (visited_[static_cast<std::size_t>(t)] != 0) {
            continue;
        }
        visited_[static_cast<std::size_t>(t)] = 1;
        const Trapezoid& trap = Tr(t);
        if (trap.lseg <= 0 || trap.rseg <= 0) {
            return -1;  // the walk left the polygon
        }
        Diagonal g;
        if (!FindDiagonal(t, g)) {
            for (const int next : {trap.d1, trap.u1, trap.d0, trap.u0}) {
                Push(step.piece, next, t);
            }
            continue;
        }
        // The current piece goes on on the side the walk came from.
        const bool fromWest = std::find(g.west.begin(), g.west.end(), step.from) != g.west.end();
        const int newPiece = fromWest ? MakeNewMonotonePiece(step.piece, g.bottom, g.top)
                                      : MakeNewMonotonePiece(step.piece, g.top, g.bottom);
        const auto& same = fromWest ? g.west : g.east;
        const auto& other = fromWest ? g.east : g.west;
        for (auto it = other.rbegin(); it != other.rend(); ++it) {
            Push(newPiece, *it, t);
        }
        for (auto it = same.rbegin(); it != same.rend(); ++it) {
            Push(step.piece, *it, t);
        }
    }
    return failed_ ? -1 : pieceCount_;
}

// ---- Step 5: triangulating the monotone pieces ------------------------------

void Triangulator::Emit(int a, int b, int c, std::vector<Triangle>& triangles) {
    if (static_cast<int>(triangles.size()) >= maxTriangles_) {
        failed_ = true;
        return;
    }
    triangles.push_back({a, b, c});
}

void Triangulator::TriangulatePieces(int pieces, std::vector<Triangle>& triangles) {
    for (int k = 0; k < pieces && !failed_; ++k) {
        const int startPos = pieces_[static_cast<std::size_t>(k)];
        const int vfirst = Link(startPos).vnum;
        DPoint ymax = ChainPoint(vfirst);
        DPoint ymin = ymax;
        int posmax = startPos;
        int count = 1;
        bool processed = false;
        Link(startPos).marked = true;
        int p = Link(startPos).next;
        int v = 0;
        while (!failed_ && (v = Link(p).vnum) != vfirst) {
            if (Link(p).marked) {
                processed = true;
                break;
            }
            Link(p).marked = true;
            if (Above(ChainPoint(v), ymax)) {
                ymax = ChainPoint(v);
                posmax = p;
            }
            if (Below(ChainPoint(v), ymin)) {
                ymin = ChainPoint(v);
            }
            p = Link(p).next;
            ++count;
        }
        if (processed || failed_) {
            continue;
        }
        if (count == 3) {
            Emit(Link(p).vnum, Link(Link(p).next).vnum, Link(Link(p).prev).vnum, triangles);
            continue;
        }
        const int afterMax = Link(Link(posmax).next).vnum;
        TriangulateUnimonotone(posmax, SamePoint(ChainPoint(afterMax), ymin), triangles);
    }
}

// One side of a piece made by the trapezoids is a single segment; the sweep
// runs down (or up) the other side, cutting off every convex corner of the
// reflex chain as soon as it appears. Chains run counter-clockwise, so the
// triangles do too.
void Triangulator::TriangulateUnimonotone(int posmax, bool leftIsSingleSegment,
                                          std::vector<Triangle>& triangles) {
    auto& rc = reflexChain_;
    int vpos = 0;
    int endv = 0;
    if (!leftIsSingleSegment) {
        rc[0] = Link(posmax).vnum;
        const int second = Link(posmax).next;
        rc[1] = Link(second).vnum;
        vpos = Link(second).next;
        endv = Link(Link(posmax).prev).vnum;
    } else {
        const int first = Link(posmax).next;
        rc[0] = Link(first).vnum;
        const int second = Link(first).next;
        rc[1] = Link(second).vnum;
        vpos = Link(second).next;
        endv = Link(posmax).vnum;
    }
    int ri = 1;
    int v = Link(vpos).vnum;
    while (!failed_ && (v != endv || ri > 1)) {
        if (ri > 0) {
            const DPoint& a = ChainPoint(rc[static_cast<std::size_t>(ri - 1)]);
            const DPoint& b = ChainPoint(rc[static_cast<std::size_t>(ri)]);
            // At the end vertex everything left on the chain is cut off, even
            // a corner that collinear vertices make flat: the sweep must not
            // run past the end of its piece.
            if (v == endv || Cross(ChainPoint(v), a, b) > 0.0) {
                Emit(rc[static_cast<std::size_t>(ri - 1)], rc[static_cast<std::size_t>(ri)], v, triangles);
                --ri;
                continue;
            }
        }
        if (ri + 1 >= kReflexChainSize) {
            failed_ = true;
            return;
        }
        rc[static_cast<std::size_t>(++ri)] = v;
        vpos = Link(vpos).next;
        v = Link(vpos).vnum;
    }
    if (!failed_ && ri >= 1) {
        Emit(rc[static_cast<std::size_t>(ri - 1)], rc[static_cast<std::size_t>(ri)], v, triangles);
    }
}

// ---- The call ---------------------------------------------------------------

// What the check of the input learns on its way, for the check of the
// triangles: the polygon's area (the inside positive) and its extent.
struct InputMeasures {
    int n = -1;
    double area = 0.0;
    double extent = 0.0;
};

// Checks what the tables cannot hold or the algorithm cannot handle; n is
// the vertex count, or -1.
InputMeasures ValidateInput(std::span<const int> counts, std::span<const DPoint> vertices) {
    InputMeasures refused;
    if (counts.empty()) {
        return refused;
    }
    int n = 0;
    for (const int count : counts) {
        if (count < 3 || count > kMaxTriangulationVertices - n) {
            return refused;
        }
        n += count;
    }
    if (vertices.size() < static_cast<std::size_t>(n) + 1) {
        return refused;
    }
    double minX = vertices[1].x;
    double maxX = minX;
    double minY = vertices[1].y;
    double maxY = minY;
    for (int i = 1; i <= n; ++i) {
        const DPoint& p = vertices[static_cast<std::size_t>(i)];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > kMaxCoordinate ||
            std::fabs(p.y) > kMaxCoordinate) {
            return refused;
        }
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    double polygonArea = 0.0;
    int first = 1;
    for (std::size_t c = 0; c < counts.size(); ++c) {
        const double area = PolygonArea(&vertices[static_cast<std::size_t>(first)], counts[c]);
        // The outline runs counter-clockwise, holes clockwise: the inside is
        // always on the left of an edge.
        if (c == 0 ? !(area < 0.0) : !(area > 0.0)) {
            return refused;
        }
        polygonArea -= area;
        first += counts[c];
    }
    return {n, polygonArea, std::max(maxX - minX, maxY - minY)};
}

// The triangles must tile the polygon: the right number, none turned over and
// the areas adding up to the polygon's. The trapezoidation does not detect
// every crossing of edges, so a self-intersecting input is caught here.
bool TilesPolygon(const InputMeasures& input, std::size_t contours, std::span<const DPoint> vertices,
                  const std::vector<Triangle>& triangles, int expected) {
    if (static_cast<int>(triangles.size()) != expected) {
        return false;
    }
    const double polygonArea = input.area;
    const double extent = input.extent;
    double sum = 0.0;
    double sumAbs = 0.0;
    for (const Triangle& t : triangles) {
        const double a =
            Cross(vertices[static_cast<std::size_t>(t[0])], vertices[static_cast<std::size_t>(t[1])],
                  vertices[static_cast<std::size_t>(t[2])]) /
            2.0;
        sum += a;
        sumAbs += std::fabs(a);
    }
    // Rounding in the cross products grows with the squared extent, however
    // small the area.
    const double rounding = 16.0 * std::numeric_limits<double>::epsilon() * extent * extent *
                            static_cast<double>(triangles.size() + contours + 2);
    const double tolerance = 1e-9 * (sumAbs + std::fabs(polygonArea)) + rounding;
    return std::fabs(sum - polygonArea) <= tolerance && sumAbs - sum <= tolerance;
}

int Triangulator::Run(std::span<const int> counts, std::span<const DPoint> vertices,
                      std::vector<Triangle>& triangles, std::uint32_t seed) {
    triangles.clear();
    failed_ = false;
    const InputMeasures input = ValidateInput(counts, vertices);
    n_ = input.n;
    if (n_ < 0) {
        n_ = 0;
        return -1;
    }
    const int holes = static_cast<int>(counts.size()) - 1;
    maxTriangles_ = n_ - 2 + 2 * holes;

    BuildSegments(counts, vertices);
    GeneratePermutation(seed);
    if (!(holes == 0 && MapMonotoneOutline()) && !Trapezoidate()) {
        return -1;
    }
    const int pieces = MonotonateTrapezoids();
    if (pieces < 0) {
        return -1;
    }
    triangles.reserve(static_cast<std::size_t>(maxTriangles_));
    TriangulatePieces(pieces, triangles);
    if (failed_ || !TilesPolygon(input, counts.size(), vertices, triangles, maxTriangles_)) {
        triangles.clear();
        return -1;
    }
    return static_cast<int>(triangles.size());
}

// One set per thread: batch builds triangulate on several.
Triangulator& Tables() {
    thread_local Triangulator tables;
    return tables;
}

// Repeated points: a vertex that is the same point (within the tolerance) as
// the one kept before it in its contour, or a last vertex that is the first,
// gives a zero-length edge that the trapezoidation cannot place.
struct WithoutRepeats {
    std::vector<int> counts;
    std::vector<DPoint> vertices{DPoint{}};  // numbered from 1 like the caller's
    std::vector<int> callerNumber{0};        // the caller's number of each vertex
};

// The contours of a well-formed input, each as the range [first, end) of
// vertex numbers.
std::vector<std::pair<std::size_t, std::size_t>> ContourRanges(std::span<const int> counts) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t first = 1;
    for (const int count : counts) {
        ranges.emplace_back(first, first + static_cast<std::size_t>(count));
        first += static_cast<std::size_t>(count);
    }
    return ranges;
}

// Whether the input is well formed and has repeated points, without
// allocating: most calls have none and go straight to the triangulation,
// which refuses a malformed input itself.
bool HasRepeatedPoints(std::span<const int> counts, std::span<const DPoint> vertices) {
    std::size_t first = 1;
    for (const int count : counts) {
        if (count <= 0 || first > vertices.size() ||
            static_cast<std::size_t>(count) > vertices.size() - first) {
            return false;
        }
        first += static_cast<std::size_t>(count);
    }
    first = 1;
    for (const int count : counts) {
        const std::size_t end = first + static_cast<std::size_t>(count);
        for (std::size_t i = first; i < end; ++i) {
            if (SamePoint(vertices[i], vertices[i + 1 < end ? i + 1 : first])) {
                return true;
            }
        }
        first = end;
    }
    return false;
}

WithoutRepeats DropRepeatedPoints(std::span<const DPoint> vertices,
                                  const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
    WithoutRepeats out;
    for (const auto& [first, end] : ranges) {
        const std::size_t start = out.vertices.size();
        for (std::size_t i = first; i < end; ++i) {
            if (out.vertices.size() == start || !SamePoint(vertices[i], out.vertices.back())) {
                out.vertices.push_back(vertices[i]);
                out.callerNumber.push_back(static_cast<int>(i));
            }
        }
        while (out.vertices.size() > start + 1 && SamePoint(out.vertices.back(), out.vertices[start])) {
            out.vertices.pop_back();
            out.callerNumber.pop_back();
        }
        out.counts.push_back(static_cast<int>(out.vertices.size() - start));
    }
    return out;
}

}  // namespace

std::uint32_t UtcSecondSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    return static_cast<std::uint32_t>(((seconds % 60) + 60) % 60);
}

int TriangulatePolygon(std::span<const int> contourCounts, std::span<const DPoint> vertices,
                       std::vector<Triangle>& triangles, std::optional<std::uint32_t> seed) {
    const std::uint32_t order = seed.has_value() ? *seed : UtcSecondSeed();
    if (!HasRepeatedPoints(contourCounts, vertices)) {
        return Tables().Run(contourCounts, vertices, triangles, order);
    }
    const WithoutRepeats distinct = DropRepeatedPoints(vertices, ContourRanges(contourCounts));
    const int result = Tables().Run(distinct.counts, distinct.vertices, triangles, order);
    for (Triangle& t : triangles) {
        for (int& v : t) {
            v = distinct.callerNumber[static_cast<std::size_t>(v)];
        }
    }
    return result;
}

}  // namespace rollpath
