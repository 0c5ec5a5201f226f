#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/DocumentSnapshot.h"
#include "support/NetworkBuilder.h"
#include "support/RandomNetwork.h"
#include "support/ReferenceRebuild.h"

namespace rollpath {
namespace {

using testing::AddCentreLine;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

class NetworkRebuildTest : public ::testing::Test {
protected:
    NetworkRebuildTest() { doc.SetMessageSink(&messages); }

    int SegCount() const { return static_cast<int>(doc.m_pSegments.size()); }
    // No live segment may be left at a vertex the rebuild deleted, and none
    // may have both ends at one vertex.
    void ExpectSoundNetwork() const {
        for (const auto& s : doc.m_pSegments) {
            if (!s->live()) {
                continue;
            }
            EXPECT_TRUE(doc.IsLiveVertex(s->vertex0));
            EXPECT_TRUE(doc.IsLiveVertex(s->vertex1));
            EXPECT_NE(s->vertex0, s->vertex1);
        }
    }

    RecordingMessageSink messages;
    CRollpathDoc doc;
};

void ExpectAt(const DPoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

// --- Vertex merging ---------------------------------------------------------

TEST_F(NetworkRebuildTest, MergeNeedsADistanceStrictlyBelowTheRadius) {
    struct Case {
        double distance;
        int radius;
        bool merged;
    };
    for (const Case c : {Case{24.9, 25, true}, Case{25.0, 25, false}, Case{3.0, 0, false},
                         Case{0.0, 0, false}, Case{39.0, 40, true}}) {
        CRollpathDoc d;
        d.GetSettings().MaxVertexRadius = c.radius;
        const int a = AddVertexAt(d, 0, 0);
        const int b = AddVertexAt(d, c.distance * 0.6, c.distance * 0.8);
        AddSegment(d, AddVertexAt(d, -500, 0), a, 50);
        AddSegment(d, b, AddVertexAt(d, 500, 500), 50);
        RebuildNetwork(d);
        EXPECT_EQ(d.Vertex(b).state == -1, c.merged) << c.distance << " " << c.radius;
    }
}

// --- Crossings --------------------------------------------------------------

TEST_F(NetworkRebuildTest, FullVertexPoolLeavesCrossingsAloneWithOneMessage) {
    AddSegment(doc, AddVertexAt(doc, 0, 0), AddVertexAt(doc, 200, 0), 50);
    AddSegment(doc, AddVertexAt(doc, 100, -100), AddVertexAt(doc, 100, 100), 50);
    AddSegment(doc, AddVertexAt(doc, 1000, 0), AddVertexAt(doc, 1200, 0), 50);
    AddSegment(doc, AddVertexAt(doc, 1100, -100), AddVertexAt(doc, 1100, 100), 50);
    while (doc.m_nVertices < kMaxVertices) {
        AddVertexAt(doc, 100000.0 + doc.m_nVertices * 30.0, 0.0);
        doc.ClearTouched();
    }
    messages.Clear();
    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_EQ(summary.crossingsRefused, 4);  // each pair is met from both sides
    EXPECT_EQ(summary.crossingsSplit, 0);
    EXPECT_EQ(SegCount(), 4);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Vertex limit of 8192 reached"});
    ExpectSoundNetwork();
}

// --- Dangling ends ----------------------------------------------------------

// --- End classes ------------------------------------------------------------

TEST_F(NetworkRebuildTest, EndInsideARunwayIsRunwayEndNearAThresholdAndRunwayElsewhere) {
    struct Case {
        double x;
        int endClass;
    };
    for (const Case c :
         {Case{150, EndClass::RunwayEnd}, Case{199, EndClass::RunwayEnd}, Case{201, EndClass::Runway},
          Case{1000, EndClass::Runway}, Case{7850, EndClass::RunwayEnd}, Case{7700, EndClass::Runway}}) {
        CRollpathDoc d;
        AddRunway(d, {0, 0}, {8000, 0}, 150);
        const int e0 = AddVertexAt(d, 0, 0);
        const int j = AddVertexAt(d, c.x, 0);
        const int e1 = AddVertexAt(d, 8000, 0);
        AddSegment(d, e0, j, 150, SegmentType::RunwayCentreLine);
        AddSegment(d, j, e1, 150, SegmentType::RunwayCentreLine);
        const RollpathSegment& exit = AddSegment(d, j, AddVertexAt(d, c.x, -400), 50);
        RebuildNetwork(d);
        EXPECT_EQ(exit.endClass0, c.endClass) << c.x;
        EXPECT_EQ(exit.endClass1, EndClass::DeadEnd) << c.x;
        EXPECT_EQ(d.m_pSegments[0]->endClass1, c.endClass) << c.x;
        EXPECT_EQ(d.m_pSegments[0]->endClass0, EndClass::DeadEnd) << c.x;
        ExpectAt(d.Vertex(j).pos(), c.x, 0);
    }
}

TEST_F(NetworkRebuildTest, NeighboursWithNoPolygonOrProvisionalMarkDoNotConnect) {
    struct Case {
        std::string name;
        int flags1;
        int mark1;
        int flags2;
        int mark2;
        bool secondLive;
        int endClass;
    };
    const std::vector<Case> cases = {
        {"PlainNeighbour", 0, 0, 0, 0, true, EndClass::Rollpath},
        {"FirstNoPolygonSecondPlain", SegmentFlag::NoPolygon, 0, 0, 0, true, EndClass::Rollpath},
        {"OnlyNoPolygonNeighbours", SegmentFlag::NoPolygon, 0, SegmentFlag::NoPolygon, 0, true,
         EndClass::DeadEnd},
        {"SecondDeleted", SegmentFlag::NoPolygon, 0, 0, 0, false, EndClass::DeadEnd},
        {"OnlyProvisional", 0, SegmentMark::Provisional, 0, SegmentMark::Provisional, true,
         EndClass::DeadEnd},
        {"ProvisionalAndPlain", 0, SegmentMark::Provisional, 0, 0, true, EndClass::Rollpath},
    };
    for (const Case& c : cases) {
        CRollpathDoc d;
        const int v = AddVertexAt(d, 0, 0);
        const RollpathSegment& s =
            AddSegment(d, v, AddVertexAt(d, 0, -400), 50, SegmentType::Rollpath, SegmentFlag::NoPolygon);
        RollpathSegment& t1 = AddSegment(d, v, AddVertexAt(d, 400, 0), 50, SegmentType::Rollpath, c.flags1);
        RollpathSegment& t2 = AddSegment(d, AddVertexAt(d, -400, 0), v, 50, SegmentType::Rollpath, c.flags2);
        t1.reserved = c.mark1;
        t2.reserved = c.mark2;
        t2.state = c.secondLive ? 0 : -1;
        RebuildNetwork(d);
        EXPECT_EQ(s.endClass0, c.endClass) << c.name;
    }
}

// --- Runway pinning ---------------------------------------------------------

TEST_F(NetworkRebuildTest, RollpathJoiningACentreLineNearARunwayEndIsPinnedHalfItsWidthIn) {
    struct Case {
        DPoint junction;
        bool centreLine;  // the junction is on the runway's centre-line segments
        DPoint expected;
    };
    for (const Case c : {Case{{20, 3}, true, {25, 0}}, Case{{5980, -3}, true, {5975, 0}},
                         Case{{20, 3}, false, {20, 0}}, Case{{60, 3}, true, {60, 0}}}) {
        CRollpathDoc d;
        AddRunway(d, {0, 0}, {6000, 0}, 150);
        const int j = AddVertexAt(d, c.junction.x, c.junction.y);
        const int type = c.centreLine ? SegmentType::RunwayCentreLine : SegmentType::Rollpath;
        AddSegment(d, AddVertexAt(d, 0, 0), j, 150, type);
        AddSegment(d, j, AddVertexAt(d, 6000, 0), 150, type);
        AddSegment(d, j, AddVertexAt(d, c.junction.x, -400), 50);
        const RebuildNetworkSummary summary = RebuildNetwork(d);
        ExpectAt(d.Vertex(j).pos(), c.expected.x, c.expected.y);
        const bool pinned = c.centreLine && (c.junction.x < 30 || c.junction.x > 5970);
        EXPECT_EQ(summary.endsPinned > 0, pinned) << c.junction.x;
    }
}

// --- Runway extensions ------------------------------------------------------

// Each vertex inside one runway moves to its foot on the centre line, and so
// does the far end of its segment when that lies in the same runway; every
// move counts once.
TEST_F(NetworkRebuildTest, VerticesInsideARunwayMoveToTheirFeetOnItsCentreLine) {
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    const int in = AddVertexAt(doc, 2000, 30);
    const int out = AddVertexAt(doc, 2000, 500);
    AddSegment(doc, in, out, 50);
    const int both0 = AddVertexAt(doc, 1000, 30);
    const int both1 = AddVertexAt(doc, 1500, -40);
    AddSegment(doc, both0, both1, 50);
    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_EQ(summary.verticesPinned, 3);
    ExpectAt(doc.Vertex(in).pos(), 2000, 0);
    ExpectAt(doc.Vertex(out).pos(), 2000, 500);
    ExpectAt(doc.Vertex(both0).pos(), 1000, 0);
    ExpectAt(doc.Vertex(both1).pos(), 1500, 0);
}

// --- A tidy network ---------------------------------------------------------

// Two crossing runways with split centre lines, exits, an extension, a
// crossing of two rollpaths and dead ends.
void BuildSmallAirport(CRollpathDoc& d) {
    const RunwayRecord& r1 = AddRunway(d, {0, 0}, {6000, 0}, 150);
    AddRunway(d, {3000, -3000}, {3000, 3000}, 100);
    AddCentreLine(d, r1);
    AddSegment(d, AddVertexAt(d, 3000, -3000), AddVertexAt(d, 3000, 3300), 100,
               SegmentType::RunwayCentreLine);
    const int a = AddVertexAt(d, 1000, -600);
    const int b = AddVertexAt(d, 5000, -600);
    AddSegment(d, a, b, 50);
    AddSegment(d, a, AddVertexAt(d, 1000, -5), 50);  // exit stopping short of the centre line
    AddSegment(d, b, AddVertexAt(d, 5020, 0), 50);
    AddSegment(d, AddVertexAt(d, 1500, -1200), AddVertexAt(d, 2000, -200), 35);  // crosses a-b
    AddSegment(d, AddVertexAt(d, 20, 3), AddVertexAt(d, -300, -400), 50);        // near the runway end
    AddSegment(d, AddVertexAt(d, 4000, -603), AddVertexAt(d, 4000, -1500), 50);  // onto a-b, 3 ft short
    d.ClearTouched();
}

TEST_F(NetworkRebuildTest, SecondRebuildOfATidyNetworkChangesNothing) {
    BuildSmallAirport(doc);
    const RebuildNetworkSummary first = RebuildNetwork(doc);
    EXPECT_GT(first.crossingsSplit, 0);
    EXPECT_GT(first.endsExtended, 0);
    EXPECT_GT(first.endsPinned, 0);
    ExpectSoundNetwork();

    const testing::DocumentSnapshot tidy = testing::Snapshot(doc);
    const int touched = doc.m_nTouched;
    EXPECT_EQ(RebuildNetwork(doc), RebuildNetworkSummary{});
    EXPECT_EQ(testing::SnapshotDifference(tidy, testing::Snapshot(doc)), std::nullopt);
    EXPECT_EQ(doc.m_nTouched, touched);
}

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
    t.runwaysJoined += s.runwaysJoined;
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

}  // namespace
}  // namespace rollpath
