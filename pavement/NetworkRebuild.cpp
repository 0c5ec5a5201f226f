#include "pavement/NetworkRebuild.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "pavement/NetworkEdits.h"
#include "pavement/NetworkIndex.h"
#include "pavement/RunwayExtension.h"
#include "pavement/RunwayPlacement.h"

namespace rollpath {

// Every search below narrows its candidates with a grid or the vertex
// incidence and then takes, among the candidates that pass the exact test,
// the one the plain pairwise scan in list (or pool) order would have met
// first. Whenever an edit changes a segment, the grids learn its new box
// before the next search, so the candidates always include every match.

namespace {

// Boxes are grown by this much so that rounding in the exact tests can never
// reach past a box.
constexpr double kBoxPad = 1.0;

RollpathSegment& Seg(CRollpathDoc& doc, int index) {
    return *doc.m_pSegments[static_cast<std::size_t>(index)];
}

int SegmentCount(const CRollpathDoc& doc) {
    return static_cast<int>(doc.m_pSegments.size());
}

Box NaNBox() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return Box{nan, nan, nan, nan};
}

Box PointBox(const DPoint& p, double radius) {
    return Box{p.x - radius, p.y - radius, p.x + radius, p.y + radius};
}

// The median longer side of the boxes (of an even sample of at most 512 of
// them): a cell of that size holds a few items and an item covers a few
// cells, and a few absurd boxes from a damaged file do not change it.
double TypicalSide(const std::vector<Box>& boxes) {
    constexpr std::size_t kSample = 512;
    const std::size_t stride = boxes.size() / kSample + 1;
    std::vector<double> sides;
    sides.reserve(boxes.size() / stride + 1);
    for (std::size_t i = 0; i < boxes.size(); i += stride) {
        const Box& b = boxes[i];
        const double side = std::max(b.x1 - b.x0, b.y1 - b.y0);
        if (std::isfinite(side)) {
            sides.push_back(side);
        }
    }
    if (sides.empty()) {
        return 1.0;
    }
    const auto middle = sides.begin() + static_cast<std::ptrdiff_t>(sides.size() / 2);
    std::nth_element(sides.begin(), middle, sides.end());
    return *middle;
}

// The spacing of points spread evenly over their bounding box, counting
// only points within the airport's reach.
double PointSpacing(const std::vector<Box>& boxes) {
    constexpr double kReach = 1.0e6;
    double minX = kReach;
    double minY = kReach;
    double maxX = -kReach;
    double maxY = -kReach;
    int count = 0;
    for (const Box& b : boxes) {
        if (std::fabs(b.x0) <= kReach && std::fabs(b.y0) <= kReach) {
            minX = std::min(minX, b.x0);
            minY = std::min(minY, b.y0);
            maxX = std::max(maxX, b.x0);
            maxY = std::max(maxY, b.y0);
            ++count;
        }
    }
    if (count == 0) {
        return 1.0;
    }
    return std::sqrt((maxX - minX + 1.0) * (maxY - minY + 1.0) / count);
}

// Usable segment ends at every vertex.
std::vector<int> CountEndUses(const CRollpathDoc& doc) {
    std::vector<int> uses(static_cast<std::size_t>(doc.m_nVertices), 0);
    for (const auto& s : doc.m_pSegments) {
        if (UsableSegment(doc, *s)) {
            ++uses[static_cast<std::size_t>(s->vertex0)];
            ++uses[static_cast<std::size_t>(s->vertex1)];
        }
    }
    return uses;
}

void ConnectDanglingEnds(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    const int radius = doc.GetSettings().MaxVertexRadius;
    const auto bandBox = [&doc, radius](int index) {
        const RollpathSegment& s = Seg(doc, index);
        return SegmentBox(doc, s, std::max(0.0, BandHalfWidth(s, radius)) + kBoxPad);
    };
    std::vector<Box> boxes(doc.m_pSegments.size());
    for (int i = 0; i < SegmentCount(doc); ++i) {
        boxes[static_cast<std::size_t>(i)] = UsableSegment(doc, i) ? bandBox(i) : NaNBox();
    }
    BoxGrid bands(boxes, TypicalSide(boxes));
    std::vector<int> uses = CountEndUses(doc);
    std::vector<int> candidates;
    std::vector<int> changed;

    for (int i = 0; i < SegmentCount(doc); ++i) {
        for (int end = 0; end < 2; ++end) {
            const RollpathSegment& s = Seg(doc, i);
            if (!UsableSegment(doc, s) || s.type != SegmentType::Rollpath) {
                continue;
            }
            const int v = s.VertexAt(end);
            const int own = (s.vertex0 == v ? 1 : 0) + (s.vertex1 == v ? 1 : 0);
            if (uses[static_cast<std::size_t>(v)] > own) {
                continue;
            }
            const DPoint p = doc.Vertex(v).pos();
            bands.Query(PointBox(p, 0.0), candidates);
            int target = -1;
            for (const int j : candidates) {
                if (j != i && (target < 0 || j < target) && UsableSegment(doc, j) &&
                    BandContains(doc, Seg(doc, j), p, radius)) {
                    target = j;
                }
            }
            if (target < 0) {
                continue;
            }
            changed.clear();
            const DanglingEndOutcome outcome = ConnectDanglingEnd(doc, i, end, target, &changed);
            if (outcome == DanglingEndOutcome::Unchanged) {
                continue;
            }
            ++(outcome == DanglingEndOutcome::TookVertex ? summary.endsJoined : summary.endsExtended);
            for (const int c : changed) {
                bands.Insert(c, bandBox(c));
            }
            uses = CountEndUses(doc);
        }
    }
}

void MergeCloseVertices(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    const int radius = doc.GetSettings().MaxVertexRadius;
    if (radius <= 0) {
        return;  // no two vertices are closer than that
    }
    std::vector<Box> boxes(static_cast<std::size_t>(doc.m_nVertices));
    for (int v = 0; v < doc.m_nVertices; ++v) {
        boxes[static_cast<std::size_t>(v)] =
            doc.IsLiveVertex(v) ? PointBox(doc.Vertex(v).pos(), 0.0) : NaNBox();
    }
    BoxGrid grid(boxes, std::max(static_cast<double>(radius), PointSpacing(boxes)));
    std::vector<int> candidates;
    for (int i = 0; i < doc.m_nVertices; ++i) {
        if (!doc.IsLiveVertex(i)) {
            continue;
        }
        const DPoint p = doc.Vertex(i).pos();
        grid.Query(PointBox(p, radius + kBoxPad), candidates);
        std::erase_if(candidates, [i](int j) { return j <= i; });
        std::sort(candidates.begin(), candidates.end());
        for (const int j : candidates) {
            if (doc.IsLiveVertex(j) && Distance(p, doc.Vertex(j).pos()) < radius) {
                ReplaceVertex(doc, j, i, nullptr);
                ++summary.verticesMerged;
            }
        }
    }
}

// Whether each segment is a runway centre line, read once in list order:
// the scans below look at the segments around every vertex, at random.
std::vector<char> RunwayCentreLines(const CRollpathDoc& doc) {
    std::vector<char> runway(doc.m_pSegments.size());
    for (std::size_t i = 0; i < runway.size(); ++i) {
        runway[i] = doc.m_pSegments[i]->type == SegmentType::RunwayCentreLine ? 1 : 0;
    }
    return runway;
}

void PinRunwayEndJunctions(CRollpathDoc& doc, const VertexIncidence& incidence,
                           RebuildNetworkSummary& summary) {
    const std::vector<char> runway = RunwayCentreLines(doc);
    for (int i = 0; i < SegmentCount(doc); ++i) {
        for (int end = 0; end < 2; ++end) {
            const RollpathSegment& s = Seg(doc, i);
            if (!UsableSegment(doc, s)) {
                continue;
            }
            const int v = s.VertexAt(end);
            const bool sIsRunway = runway[static_cast<std::size_t>(i)] != 0;
            for (const int j : incidence.SegmentsAt(v)) {
                if (j == i || sIsRunway == (runway[static_cast<std::size_t>(j)] != 0)) {
                    continue;
                }
                const RollpathSegment& rollpath = sIsRunway ? Seg(doc, j) : s;
                if (PinAtRunwayEnd(doc, v, static_cast<double>(rollpath.width))) {
                    ++summary.endsPinned;
                }
                break;
            }
        }
    }
}

bool ShareVertex(const RollpathSegment& a, const RollpathSegment& b) {
    return a.vertex0 == b.vertex0 || a.vertex0 == b.vertex1 || a.vertex1 == b.vertex0 ||
           a.vertex1 == b.vertex1;
}

bool Overlap(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

// The first candidate beyond `after`, in list order, whose centre line
// crosses segment i's strictly inside both; -1 when there is none. `boxes`
// holds every segment's current padded box: centre lines whose boxes do not
// overlap cannot cross.
int NextCrossing(CRollpathDoc& doc, int i, const std::vector<int>& candidates, const std::vector<Box>& boxes,
                 int after, DPoint& crossing) {
    const RollpathSegment& s = Seg(doc, i);
    const Box& box = boxes[static_cast<std::size_t>(i)];
    int best = -1;
    for (const int j : candidates) {
        if (j <= after || j == i || (best >= 0 && j >= best) ||
            !Overlap(box, boxes[static_cast<std::size_t>(j)]) || !UsableSegment(doc, j)) {
            continue;
        }
        const RollpathSegment& t = Seg(doc, j);
        DPoint x;
        if (!ShareVertex(s, t) && CentreLinesCross(doc, s, t, x)) {
            best = j;
            crossing = x;
        }
    }
    return best;
}

// True when it changed the network (any crossing it tried to resolve).
bool SplitCrossings(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    std::vector<Box> boxes(doc.m_pSegments.size());
    for (int i = 0; i < SegmentCount(doc); ++i) {
        boxes[static_cast<std::size_t>(i)] = SegmentBox(doc, Seg(doc, i), kBoxPad);
    }
    BoxGrid grid(boxes, TypicalSide(boxes));
    std::vector<int> candidates;
    std::vector<int> more;
    std::vector<int> changed;
    bool poolRefused = false;
    bool edited = false;

    for (int i = 0; i < SegmentCount(doc); ++i) {
        if (!UsableSegment(doc, i)) {
            continue;
        }
        grid.Query(boxes[static_cast<std::size_t>(i)], candidates);
        // The network only changes when a crossing is resolved, so the next
        // crossing in list order is the first candidate that crosses now.
        DPoint crossing;
        for (int j = NextCrossing(doc, i, candidates, boxes, -1, crossing); j >= 0;
             j = NextCrossing(doc, i, candidates, boxes, j, crossing)) {
            changed.clear();
            edited = true;
            const CrossingOutcome outcome = ResolveCrossing(doc, i, j, crossing, poolRefused, &changed);
            if (!outcome.resolved) {
                ++summary.crossingsRefused;
                continue;
            }
            summary.crossingsSplit += outcome.splits;
            summary.crossingEndsMoved += outcome.endsMoved;
            boxes.resize(doc.m_pSegments.size());
            for (const int c : changed) {
                boxes[static_cast<std::size_t>(c)] = SegmentBox(doc, Seg(doc, c), kBoxPad);
                grid.Insert(c, boxes[static_cast<std::size_t>(c)]);
            }
            if (!UsableSegment(doc, i)) {
                break;
            }
            // S may now reach segments it did not reach before.
            grid.Query(boxes[static_cast<std::size_t>(i)], more);
            candidates.insert(candidates.end(), more.begin(), more.end());
        }
    }
    return edited;
}

void ClassifyEnds(CRollpathDoc& doc, const VertexIncidence& incidence) {
    // An end's class follows its extension flag, which an edit that changed
    // a runway centre line's vertex (a merge, a split, a drag back inside
    // the runway) may have left from the vertex it had before.
    for (int i = 0; i < SegmentCount(doc); ++i) {
        RollpathSegment& s = Seg(doc, i);
        if ((s.flags & SegmentFlag::Extension) == 0 || !UsableSegment(doc, s)) {
            continue;
        }
        int insideEnd = 0;
        const int flag = ExtendedRunway(doc, s, insideEnd) == nullptr ? 0
                         : insideEnd == 0                             ? SegmentFlag::ExtensionAt1
                                                                      : SegmentFlag::ExtensionAt0;
        if ((s.flags & SegmentFlag::Extension) != flag) {
            s.flags &= ~SegmentFlag::Extension;
        }
    }
    // Which segments count as a connection at their ends, read once in list
    // order (classifying writes only the end classes, never these fields).
    std::vector<char> connects(doc.m_pSegments.size());
    for (std::size_t i = 0; i < connects.size(); ++i) {
        const RollpathSegment& t = *doc.m_pSegments[i];
        connects[i] = !t.provisional() && (t.flags & SegmentFlag::NoPolygon) == 0 ? 1 : 0;
    }
    // The class by the runways depends on the vertex alone and no vertex
    // moves in this step: work it out once per vertex.
    std::vector<int> runwayClass(static_cast<std::size_t>(doc.m_nVertices), -1);
    const auto classAt = [&doc, &runwayClass](int v) {
        int& c = runwayClass[static_cast<std::size_t>(v)];
        if (c < 0) {
            c = ConnectedEndClass(doc, doc.Vertex(v).pos());
        }
        return c;
    };
    for (int i = 0; i < SegmentCount(doc); ++i) {
        RollpathSegment& s = Seg(doc, i);
        if (!UsableSegment(doc, s)) {
            continue;
        }
        for (int end = 0; end < 2; ++end) {
            bool connected = false;
            for (const int j : incidence.SegmentsAt(s.VertexAt(end))) {
                if (j != i && connects[static_cast<std::size_t>(j)] != 0) {
                    connected = true;
                    break;
                }
            }
            const bool extension =
                (s.flags & (end == 0 ? SegmentFlag::ExtensionAt0 : SegmentFlag::ExtensionAt1)) != 0;
            (end == 0 ? s.endClass0 : s.endClass1) =
                extension || !connected ? ClassifyEnd(doc, s, end, connected) : classAt(s.VertexAt(end));
        }
    }
}

void PinVerticesInRunways(CRollpathDoc& doc, const VertexIncidence& incidence,
                          RebuildNetworkSummary& summary) {
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.IsLiveVertex(v)) {
            summary.verticesPinned += PinVertexInRunways(doc, v, incidence.SegmentsAt(v));
        }
    }
}

// True when it split any runway centre line.
bool JoinRunwaysAtPinnedVertices(CRollpathDoc& doc, const VertexIncidence& incidence,
                                 RebuildNetworkSummary& summary) {
    const int joined = summary.runwaysJoined;
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.IsLiveVertex(v)) {
            summary.runwaysJoined += JoinRunwaysAtVertex(doc, v, incidence.SegmentsAt(v));
        }
    }
    return summary.runwaysJoined != joined;
}

}  // namespace

RebuildNetworkSummary RebuildNetwork(CRollpathDoc& doc, const RebuildNetworkOptions& options,
                                     VertexIncidence& incidence) {
    RebuildNetworkSummary summary;
    if (options.rollpathsShown) {
        ConnectDanglingEnds(doc, summary);
    }
    MergeCloseVertices(doc, summary);
    // Pinning moves vertices only: the incidence holds until a crossing is
    // split.
    incidence = VertexIncidence(doc);
    PinRunwayEndJunctions(doc, incidence, summary);
    if (SplitCrossings(doc, summary)) {
        incidence = VertexIncidence(doc);
    }
    // Steps from here on move vertices but never change which segment uses
    // which vertex.
    ClassifyEnds(doc, incidence);
    ShortenDeadEnds(doc);
    PinVerticesInRunways(doc, incidence, summary);
    // A vertex pinned onto a runway's centre line joins it now, so that the
    // edit that put it there shows its junction (and undoes with it). Only
    // splitting changes the network's ends, so their classes follow only then.
    if (JoinRunwaysAtPinnedVertices(doc, incidence, summary)) {
        incidence = VertexIncidence(doc);
        ClassifyEnds(doc, incidence);
        ShortenDeadEnds(doc);
    }
    return summary;
}

RebuildNetworkSummary RebuildNetwork(CRollpathDoc& doc, const RebuildNetworkOptions& options) {
    VertexIncidence incidence;
    return RebuildNetwork(doc, options, incidence);
}

}  // namespace rollpath
