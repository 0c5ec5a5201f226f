#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "pavement/NetworkRebuild.h"
#include "support/DeterministicRandom.h"
#include "support/RandomNetwork.h"
#include "support/ReferenceRebuild.h"

namespace rollpath {
namespace {

using testing::BuildRandomNetwork;
using testing::RebuildNetworkByPairs;

// The whole network side of the model, compared field by field.
void ExpectSameModel(const CRollpathDoc& a, const CRollpathDoc& b, const std::string& context) {
    ASSERT_EQ(a.m_pSegments.size(), b.m_pSegments.size()) << context;
    for (std::size_t i = 0; i < a.m_pSegments.size(); ++i) {
        ASSERT_EQ(*a.m_pSegments[i], *b.m_pSegments[i]) << context << " segment " << i;
    }
    ASSERT_EQ(a.m_nVertices, b.m_nVertices) << context;
    for (int v = 0; v < a.m_nVertices; ++v) {
        ASSERT_EQ(a.Vertex(v), b.Vertex(v)) << context << " vertex " << v;
    }
    ASSERT_EQ(a.m_nTouched, b.m_nTouched) << context;
    EXPECT_EQ(a.m_TouchedVertices, b.m_TouchedVertices) << context;
    EXPECT_EQ(a.m_nSource, b.m_nSource) << context;
    EXPECT_EQ(a.m_nSink, b.m_nSink) << context;
}

RebuildNetworkSummary& operator+=(RebuildNetworkSummary& t, const RebuildNetworkSummary& s) {
    t.endsJoined += s.endsJoined;
    t.endsExtended += s.endsExtended;
    t.verticesMerged += s.verticesMerged;
    t.endsPinned += s.endsPinned;
    t.crossingsSplit += s.crossingsSplit;
    t.crossingEndsMoved += s.crossingEndsMoved;
    t.crossingsRefused += s.crossingsRefused;
    t.verticesPinned += s.verticesPinned;
    return t;
}

bool Usable(const CRollpathDoc& doc, const RollpathSegment& s) {
    return s.live() && doc.IsLiveVertex(s.vertex0) && doc.IsLiveVertex(s.vertex1);
}

double Direction(const CRollpathDoc& doc, const RollpathSegment& s) {
    const DPoint a = doc.Vertex(s.vertex0).pos();
    const DPoint b = doc.Vertex(s.vertex1).pos();
    return std::atan2(b.y - a.y, b.x - a.x);
}

// What a document looked like before a rebuild, for the checks after it.
struct NetworkBefore {
    struct Segment {
        int vertex0, vertex1;
        bool usable;
        double direction;
    };
    std::vector<bool> liveVertex;
    std::vector<DPoint> position;
    std::vector<Segment> segment;

    explicit NetworkBefore(const CRollpathDoc& doc) {
        for (int v = 0; v < doc.m_nVertices; ++v) {
            liveVertex.push_back(doc.IsLiveVertex(v));
            position.push_back(doc.Vertex(v).pos());
        }
        for (const auto& s : doc.m_pSegments) {
            const bool usable = Usable(doc, *s);
            segment.push_back({s->vertex0, s->vertex1, usable, usable ? Direction(doc, *s) : 0.0});
        }
    }
};

// What the rebuild changed is rebuilt after it (the touched list was emptied
// before it): every vertex it moved or created, every vertex a segment end
// took, both ends of every segment it created or turned.
void ExpectChangesTouched(const NetworkBefore& before, const CRollpathDoc& after,
                          const std::string& context) {
    const auto touched = [&after](int v) {
        const auto listed = after.m_TouchedVertices.begin();
        return std::find(listed, listed + after.m_nTouched, v) != listed + after.m_nTouched;
    };
    for (int v = 0; v < after.m_nVertices; ++v) {
        const auto old = static_cast<std::size_t>(v);
        if (after.IsLiveVertex(v) &&
            (old >= before.position.size() || !(after.Vertex(v).pos() == before.position[old]))) {
            EXPECT_TRUE(touched(v)) << context << " vertex " << v << " moved or created";
        }
    }
    for (std::size_t i = 0; i < after.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *after.m_pSegments[i];
        if (!Usable(after, s)) {
            continue;
        }
        const std::string where = context + " segment " + std::to_string(i);
        if (i >= before.segment.size()) {
            EXPECT_TRUE(touched(s.vertex0) && touched(s.vertex1)) << where << " created";
            continue;
        }
        const NetworkBefore::Segment& b = before.segment[i];
        EXPECT_TRUE(s.vertex0 == b.vertex0 || touched(s.vertex0)) << where << " took a vertex";
        EXPECT_TRUE(s.vertex1 == b.vertex1 || touched(s.vertex1)) << where << " took a vertex";
        const double turn = std::remainder(Direction(after, s) - b.direction, 2.0 * 3.141592653589793);
        EXPECT_TRUE(!b.usable || std::fabs(turn) <= 1e-9 || (touched(s.vertex0) && touched(s.vertex1)))
            << where << " turned";
    }
}

// Vertices the rebuild deleted are no longer used, and no live segment has
// been left with both ends at one vertex.
void ExpectNoDanglingReferences(const NetworkBefore& before, const CRollpathDoc& after,
                                const std::string& context) {
    for (std::size_t i = 0; i < after.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *after.m_pSegments[i];
        if (!s.live()) {
            continue;
        }
        for (const int v : {s.vertex0, s.vertex1}) {
            const bool wasLive = v >= static_cast<int>(before.liveVertex.size()) ||
                                 (v >= 0 && before.liveVertex[static_cast<std::size_t>(v)]);
            if (v >= 0 && v < after.m_nVertices && wasLive) {
                EXPECT_TRUE(after.IsLiveVertex(v)) << context << " segment " << i << " vertex " << v;
            }
        }
        if (i >= before.segment.size() || before.segment[i].vertex0 != before.segment[i].vertex1) {
            EXPECT_NE(s.vertex0, s.vertex1) << context << " segment " << i;
        }
    }
}

TEST(NetworkRebuildEquivalence, IndexedSearchesMatchPairwiseScansOnRandomNetworks) {
    RebuildNetworkSummary totals;
    int refusedNetworks = 0;
    for (std::uint64_t seed = 1; seed <= 250; ++seed) {
        const std::string context = "seed " + std::to_string(seed);
        CRollpathDoc indexed;
        CRollpathDoc pairs;
        RecordingMessageSink indexedMessages;
        RecordingMessageSink pairsMessages;
        indexed.SetMessageSink(&indexedMessages);
        pairs.SetMessageSink(&pairsMessages);
        BuildRandomNetwork(indexed, seed);
        BuildRandomNetwork(pairs, seed);
        indexed.ClearTouched();
        pairs.ClearTouched();
        ExpectSameModel(indexed, pairs, context + " as built");
        const NetworkBefore before(indexed);

        const RebuildNetworkOptions options{seed % 5 != 0};
        for (int pass = 0; pass < 2; ++pass) {
            const RebuildNetworkSummary a = RebuildNetwork(indexed, options);
            const RebuildNetworkSummary b = RebuildNetworkByPairs(pairs, options);
            const std::string at = context + " pass " + std::to_string(pass);
            EXPECT_EQ(a, b) << at;
            ExpectSameModel(indexed, pairs, at);
            EXPECT_EQ(indexedMessages.shown, pairsMessages.shown) << at;
            if (pass == 0) {
                ExpectChangesTouched(before, indexed, at);
            }
            totals += a;
        }
        ExpectNoDanglingReferences(before, indexed, context);
        refusedNetworks += totals.crossingsRefused > 0 ? 1 : 0;
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
    // Every kind of edit happened somewhere, so the comparison covered it.
    EXPECT_GT(totals.endsJoined, 20);
    EXPECT_GT(totals.endsExtended, 20);
    EXPECT_GT(totals.verticesMerged, 20);
    EXPECT_GT(totals.endsPinned, 5);
    EXPECT_GT(totals.crossingsSplit, 100);
    EXPECT_GT(totals.crossingEndsMoved, 20);
    EXPECT_GT(totals.verticesPinned, 20);
    EXPECT_EQ(refusedNetworks, 0);
}

// Positions a damaged file could carry: far beyond any airport, or not even
// numbers. Far positions still give the same result both ways; NaN and
// infinite ones must simply not upset the rebuild.
void Damage(CRollpathDoc& doc, std::uint64_t seed, bool finite) {
    testing::DeterministicRandom rng(seed * 7919);
    const double far[] = {1.0e7, -3.0e9, 2.5e12, -1.0e15, 4.0e15};
    const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1.0e300};
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (rng.Chance(0.08)) {
            double& c = rng.Chance(0.5) ? doc.Vertex(v).x : doc.Vertex(v).y;
            c = finite ? far[rng.Int(0, 4)] : odd[rng.Int(0, 3)];
        }
    }
}

TEST(NetworkRebuildEquivalence, FarPositionsGiveTheSameResultBothWays) {
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        CRollpathDoc indexed;
        CRollpathDoc pairs;
        BuildRandomNetwork(indexed, seed);
        BuildRandomNetwork(pairs, seed);
        Damage(indexed, seed, true);
        Damage(pairs, seed, true);
        EXPECT_EQ(RebuildNetwork(indexed), RebuildNetworkByPairs(pairs));
        ExpectSameModel(indexed, pairs, "seed " + std::to_string(seed));
    }
}

TEST(NetworkRebuildEquivalence, PositionsThatAreNotNumbersAreSurvived) {
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        CRollpathDoc doc;
        BuildRandomNetwork(doc, seed);
        Damage(doc, seed, false);
        const NetworkBefore before(doc);
        RebuildNetwork(doc);
        RebuildNetwork(doc);
        ExpectNoDanglingReferences(before, doc, "seed " + std::to_string(seed));
    }
}

}  // namespace
}  // namespace rollpath
