#include "ReferenceRebuild.h"

#include <vector>

#include "pavement/NetworkEdits.h"
#include "pavement/RunwayPlacement.h"

namespace rollpath::testing {

namespace {

RollpathSegment& Seg(CRollpathDoc& doc, int index) {
    return *doc.m_pSegments[static_cast<std::size_t>(index)];
}

int SegmentCount(const CRollpathDoc& doc) {
    return static_cast<int>(doc.m_pSegments.size());
}

bool Uses(const RollpathSegment& s, int vertex) {
    return s.vertex0 == vertex || s.vertex1 == vertex;
}

// Usable segments with an end at the vertex, in list order.
std::vector<int> SegmentsAt(CRollpathDoc& doc, int vertex) {
    std::vector<int> found;
    for (int j = 0; j < SegmentCount(doc); ++j) {
        if (UsableSegment(doc, j) && Uses(Seg(doc, j), vertex)) {
            found.push_back(j);
        }
    }
    return found;
}

bool UsedByAnother(CRollpathDoc& doc, int index, int vertex) {
    for (const int j : SegmentsAt(doc, vertex)) {
        if (j != index) {
            return true;
        }
    }
    return false;
}

void ConnectDanglingEnds(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    const int radius = doc.GetSettings().MaxVertexRadius;
    for (int i = 0; i < SegmentCount(doc); ++i) {
        for (int end = 0; end < 2; ++end) {
            const RollpathSegment& s = Seg(doc, i);
            if (!UsableSegment(doc, s) || s.type != SegmentType::Rollpath) {
                continue;
            }
            const int v = s.VertexAt(end);
            if (UsedByAnother(doc, i, v)) {
                continue;
            }
            const DPoint p = doc.Vertex(v).pos();
            for (int j = 0; j < SegmentCount(doc); ++j) {
                if (j == i || !UsableSegment(doc, j) || !BandContains(doc, Seg(doc, j), p, radius)) {
                    continue;
                }
                const DanglingEndOutcome outcome = ConnectDanglingEnd(doc, i, end, j, nullptr);
                if (outcome == DanglingEndOutcome::TookVertex) {
                    ++summary.endsJoined;
                } else if (outcome == DanglingEndOutcome::Extended) {
                    ++summary.endsExtended;
                }
                break;
            }
        }
    }
}

void MergeCloseVertices(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    const int radius = doc.GetSettings().MaxVertexRadius;
    for (int i = 0; i < doc.m_nVertices; ++i) {
        for (int j = i + 1; j < doc.m_nVertices; ++j) {
            if (doc.IsLiveVertex(i) && doc.IsLiveVertex(j) &&
                Distance(doc.Vertex(i).pos(), doc.Vertex(j).pos()) < radius) {
                ReplaceVertex(doc, j, i, nullptr);
                ++summary.verticesMerged;
            }
        }
    }
}

void PinRunwayEndJunctions(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    for (int i = 0; i < SegmentCount(doc); ++i) {
        for (int end = 0; end < 2; ++end) {
            const RollpathSegment& s = Seg(doc, i);
            if (!UsableSegment(doc, s)) {
                continue;
            }
            const int v = s.VertexAt(end);
            for (int j = 0; j < SegmentCount(doc); ++j) {
                const RollpathSegment& t = Seg(doc, j);
                const bool oneRunway =
                    (s.type == SegmentType::RunwayCentreLine) != (t.type == SegmentType::RunwayCentreLine);
                if (j == i || !UsableSegment(doc, t) || !Uses(t, v) || !oneRunway) {
                    continue;
                }
                const RollpathSegment& rollpath = s.type == SegmentType::RunwayCentreLine ? t : s;
                if (PinAtRunwayEnd(doc, v, static_cast<double>(rollpath.width))) {
                    ++summary.endsPinned;
                }
                break;
            }
        }
    }
}

void SplitCrossings(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    bool poolRefused = false;
    for (int i = 0; i < SegmentCount(doc); ++i) {
        for (int j = 0; j < SegmentCount(doc); ++j) {
            if (!UsableSegment(doc, i)) {
                break;
            }
            const RollpathSegment& s = Seg(doc, i);
            const RollpathSegment& t = Seg(doc, j);
            if (j == i || !UsableSegment(doc, t) || Uses(t, s.vertex0) || Uses(t, s.vertex1)) {
                continue;
            }
            DPoint crossing;
            if (!CentreLinesCross(doc, s, t, crossing)) {
                continue;
            }
            const CrossingOutcome outcome = ResolveCrossing(doc, i, j, crossing, poolRefused, nullptr);
            if (!outcome.resolved) {
                ++summary.crossingsRefused;
                continue;
            }
            summary.crossingsSplit += outcome.splits;
            summary.crossingEndsMoved += outcome.endsMoved;
        }
    }
}

void ClassifyEnds(CRollpathDoc& doc) {
    for (int i = 0; i < SegmentCount(doc); ++i) {
        RollpathSegment& s = Seg(doc, i);
        if (!UsableSegment(doc, s)) {
            continue;
        }
        for (int end = 0; end < 2; ++end) {
            bool connected = false;
            for (int j = 0; j < SegmentCount(doc) && !connected; ++j) {
                const RollpathSegment& t = Seg(doc, j);
                connected = j != i && UsableSegment(doc, t) && Uses(t, s.VertexAt(end)) && !t.provisional() &&
                            (t.flags & SegmentFlag::NoPolygon) == 0;
            }
            (end == 0 ? s.endClass0 : s.endClass1) = ClassifyEnd(doc, s, end, connected);
        }
    }
}

void PinVerticesInRunways(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.IsLiveVertex(v)) {
            const std::vector<int> segments = SegmentsAt(doc, v);
            summary.verticesPinned += PinVertexInRunways(doc, v, segments);
        }
    }
}

bool JoinRunwaysAtPinnedVertices(CRollpathDoc& doc, RebuildNetworkSummary& summary) {
    const int joined = summary.runwaysJoined;
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.IsLiveVertex(v)) {
            const std::vector<int> segments = SegmentsAt(doc, v);
            summary.runwaysJoined += JoinRunwaysAtVertex(doc, v, segments);
        }
    }
    return summary.runwaysJoined != joined;
}

}  // namespace

RebuildNetworkSummary RebuildNetworkByPairs(CRollpathDoc& doc, const RebuildNetworkOptions& options) {
    RebuildNetworkSummary summary;
    if (options.rollpathsShown) {
        ConnectDanglingEnds(doc, summary);
    }
    MergeCloseVertices(doc, summary);
    PinRunwayEndJunctions(doc, summary);
    SplitCrossings(doc, summary);
    ClassifyEnds(doc);
    ShortenDeadEnds(doc);
    PinVerticesInRunways(doc, summary);
    if (JoinRunwaysAtPinnedVertices(doc, summary)) {
        ClassifyEnds(doc);
        ShortenDeadEnds(doc);
    }
    return summary;
}

}  // namespace rollpath::testing
