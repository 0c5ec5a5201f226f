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

namespace rollpath {
namespace {

using testing::AddCentreLine;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

class NetworkRebuildTest : public ::testing::Test {
protected:
    NetworkRebuildTest() { doc.SetMessageSink(&messages); }

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

// --- Vertex merging ---------------------------------------------------------

TEST_F(NetworkRebuildTest, MergeNeedsADistanceStrictlyBelowTheRadius) {
    struct Case {
        double distance;
        int radius;
        bool merged;
    };
    for (const Case c : {Case{24.9, 25, true}, Case{25.0, 25, false}, Case{0.0, 0, false}}) {
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
    EXPECT_EQ(doc.m_pSegments.size(), 4u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Vertex limit of 8192 reached"});
    ExpectSoundNetwork();
}

// --- End classes ------------------------------------------------------------

// A rollpath whose only neighbours are No Polygon, deleted or provisional
// ends there.
TEST_F(NetworkRebuildTest, NeighboursWithNoPolygonOrProvisionalMarkDoNotConnect) {
    for (const bool provisional : {false, true}) {
        CRollpathDoc d;
        const int v = AddVertexAt(d, 0, 0);
        const RollpathSegment& s = AddSegment(d, v, AddVertexAt(d, 0, -400), 50);
        RollpathSegment& t1 = AddSegment(d, v, AddVertexAt(d, 400, 0), 50, SegmentType::Rollpath,
                                         provisional ? 0 : SegmentFlag::NoPolygon);
        RollpathSegment& t2 = AddSegment(d, AddVertexAt(d, -400, 0), v, 50);
        t1.reserved = provisional ? SegmentMark::Provisional : 0;
        t2.reserved = provisional ? SegmentMark::Provisional : 0;
        t2.state = provisional ? 0 : -1;
        RebuildNetwork(d);
        EXPECT_EQ(s.endClass0, EndClass::DeadEnd) << provisional;
    }
}

// --- Runway pinning ---------------------------------------------------------

// A rollpath joining a runway's centre line ends at the runway, at its end
// within 200 ft of a threshold; joining it near an end, it is pinned half its
// own width in (on rollpaths the junction is only put on the line).
TEST_F(NetworkRebuildTest, RollpathJoiningACentreLineIsClassedAndPinnedNearAnEnd) {
    struct Case {
        DPoint junction;
        bool centreLine;  // the junction is on the runway's centre-line segments
        DPoint expected;
        int endClass;  // of the joining rollpath; -1: not judged
    };
    for (const Case c : {Case{{199, 0}, true, {199, 0}, EndClass::RunwayEnd},
                         Case{{201, 0}, true, {201, 0}, EndClass::Runway}, Case{{20, 3}, true, {25, 0}, -1},
                         Case{{5980, -3}, true, {5975, 0}, -1}, Case{{20, 3}, false, {20, 0}, -1}}) {
        CRollpathDoc d;
        AddRunway(d, {0, 0}, {6000, 0}, 150);
        const int j = AddVertexAt(d, c.junction.x, c.junction.y);
        const int type = c.centreLine ? SegmentType::RunwayCentreLine : SegmentType::Rollpath;
        AddSegment(d, AddVertexAt(d, 0, 0), j, 150, type);
        AddSegment(d, j, AddVertexAt(d, 6000, 0), 150, type);
        const RollpathSegment& exit = AddSegment(d, j, AddVertexAt(d, c.junction.x, -400), 50);
        const RebuildNetworkSummary summary = RebuildNetwork(d);
        const DPoint at = d.Vertex(j).pos();
        EXPECT_LT(std::hypot(at.x - c.expected.x, at.y - c.expected.y), 1e-9) << c.junction.x;
        EXPECT_EQ(summary.endsPinned > 0, c.expected.x != c.junction.x) << c.junction.x;
        EXPECT_TRUE(c.endClass < 0 || exit.endClass0 == c.endClass) << c.junction.x;
    }
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

}  // namespace
}  // namespace rollpath
