#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/NetworkBuilder.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

using testing::AddCentreLine;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

class NetworkRebuildTest : public ::testing::Test {
protected:
    NetworkRebuildTest() { doc.SetMessageSink(&messages); }

    RollpathSegment& Seg(int index) { return *doc.m_pSegments[static_cast<std::size_t>(index)]; }
    int SegCount() const { return static_cast<int>(doc.m_pSegments.size()); }
    int LiveSegCount() const {
        int n = 0;
        for (const auto& s : doc.m_pSegments) {
            n += s->live() ? 1 : 0;
        }
        return n;
    }
    DPoint Pos(int v) const { return doc.Vertex(v).pos(); }
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

TEST_F(NetworkRebuildTest, VerticesThreeFeetApartMergeIntoTheLowerIndex) {
    doc.GetSettings().MaxVertexRadius = 25;
    const int a = AddVertexAt(doc, 0, 0);
    const int b = AddVertexAt(doc, 300, 0);
    const int c = AddVertexAt(doc, 301.8, 2.4);  // 3 ft from b
    AddSegment(doc, a, b, 50);
    AddSegment(doc, c, AddVertexAt(doc, 600, 0), 50);
    AddSegment(doc, AddVertexAt(doc, 300, 300), c, 50);
    AddSegment(doc, c, AddVertexAt(doc, 300, -300), 50);
    AddSegment(doc, b, AddVertexAt(doc, 0, 300), 50);  // b is no dangling end
    doc.ClearTouched();
    doc.TouchVertex(a);
    doc.TouchVertex(c);

    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_EQ(summary.verticesMerged, 1);
    EXPECT_EQ(doc.Vertex(c).state, -1);
    EXPECT_EQ(Seg(1).vertex0, b);
    EXPECT_EQ(Seg(2).vertex1, b);
    EXPECT_EQ(Seg(3).vertex0, b);
    ExpectAt(Pos(b), 300, 0);  // the kept vertex does not move
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Seg(i).EndClassAt(Seg(i).vertex0 == b ? 0 : 1), EndClass::Rollpath) << i;
    }
    ExpectSoundNetwork();
}

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

TEST_F(NetworkRebuildTest, MergeKeepsSourceAndSinkAndDropsTheDeletedVertexPieces) {
    const int a = AddVertexAt(doc, 0, 0);
    const int b = AddVertexAt(doc, 10, 0);
    AddSegment(doc, AddVertexAt(doc, -400, 0), a, 50);
    AddSegment(doc, b, AddVertexAt(doc, 400, 30), 50);
    doc.m_nSource = b;
    doc.m_nSink = b;
    doc.Vertex(b).junctionPolys.push_back(GroundPolygon{});
    doc.Vertex(b).lightPts1.push_back(DPoint{1, 1});
    RebuildNetwork(doc);
    EXPECT_EQ(doc.Vertex(b).state, -1);
    EXPECT_EQ(doc.m_nSource, a);
    EXPECT_EQ(doc.m_nSink, a);
    EXPECT_TRUE(doc.Vertex(b).junctionPolys.empty());
    EXPECT_TRUE(doc.Vertex(b).lightPts1.empty());
    ExpectSoundNetwork();
}

TEST_F(NetworkRebuildTest, SegmentShorterThanTheRadiusIsDeletedWhenItsEndsMerge) {
    const int a = AddVertexAt(doc, 0, 0);
    const int b = AddVertexAt(doc, 12, 0);
    AddSegment(doc, AddVertexAt(doc, -400, 0), a, 50);
    AddSegment(doc, a, b, 50);
    AddSegment(doc, b, AddVertexAt(doc, 400, 0), 50);
    RebuildNetwork(doc);
    EXPECT_EQ(Seg(1).state, -1);
    EXPECT_EQ(Seg(2).vertex0, a);
    ExpectSoundNetwork();
}

// --- Crossings --------------------------------------------------------------

TEST_F(NetworkRebuildTest, RollpathsCrossingInTheirMiddlesAreSplitAtOneNewVertex) {
    const int a0 = AddVertexAt(doc, 0, 0);
    const int a1 = AddVertexAt(doc, 200, 0);
    const int b0 = AddVertexAt(doc, 100, -100);
    const int b1 = AddVertexAt(doc, 100, 100);
    AddSegment(doc, a0, a1, 50);
    AddSegment(doc, b0, b1, 50);
    doc.ClearTouched();

    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_EQ(summary.crossingsSplit, 2);
    ASSERT_EQ(SegCount(), 4);
    const int x = 4;
    ASSERT_EQ(doc.m_nVertices, 5);
    ExpectAt(Pos(x), 100, 0);
    EXPECT_EQ(Seg(0).vertex0, a0);
    EXPECT_EQ(Seg(0).vertex1, x);
    EXPECT_EQ(Seg(1).vertex0, b0);
    EXPECT_EQ(Seg(1).vertex1, x);
    EXPECT_EQ(Seg(2).vertex0, x);  // copy of the first rollpath
    EXPECT_EQ(Seg(2).vertex1, a1);
    EXPECT_EQ(Seg(3).vertex0, x);
    EXPECT_EQ(Seg(3).vertex1, b1);
    for (int i = 0; i < 4; ++i) {
        const RollpathSegment& s = Seg(i);
        EXPECT_EQ(s.EndClassAt(s.vertex0 == x ? 0 : 1), EndClass::Rollpath) << i;
        EXPECT_EQ(s.EndClassAt(s.vertex0 == x ? 1 : 0), EndClass::DeadEnd) << i;
    }
    // The halves of each rollpath meet across the crossing.
    EXPECT_EQ(Seg(0).outline[2], Seg(2).outline[1]);
    EXPECT_EQ(Seg(1).outline[4], Seg(3).outline[5]);
    ExpectSoundNetwork();
}

TEST_F(NetworkRebuildTest, CrossingWithinMaxSegLengthOfAnEndMovesThatEndInsteadOfSplitting) {
    doc.GetSettings().MaxSegLength = 25;
    for (const bool crossingSegmentFirst : {true, false}) {
        CRollpathDoc d;
        d.GetSettings().MaxSegLength = 25;
        int b0 = -1;
        const auto addLong = [&d] { AddSegment(d, AddVertexAt(d, 0, 0), AddVertexAt(d, 200, 0), 50); };
        const auto addShort = [&d, &b0] {
            b0 = AddVertexAt(d, 100, -10);
            AddSegment(d, b0, AddVertexAt(d, 100, 200), 50);
        };
        if (crossingSegmentFirst) {
            addShort();
            addLong();
        } else {
            addLong();
            addShort();
        }
        d.ClearTouched();
        d.TouchVertex(b0);
        // Hidden rollpaths: the end is not connected as a dangling end first.
        const RebuildNetworkSummary summary = RebuildNetwork(d, RebuildNetworkOptions{false});
        EXPECT_EQ(summary.crossingEndsMoved, 1);
        EXPECT_EQ(summary.crossingsSplit, 1);
        EXPECT_EQ(d.m_pSegments.size(), 3u);
        EXPECT_EQ(d.Vertex(b0).state, -1);
        const int x = d.m_nVertices - 1;
        ExpectAt(d.Vertex(x).pos(), 100, 0);
        const RollpathSegment& shortOne = *d.m_pSegments[crossingSegmentFirst ? 0 : 1];
        EXPECT_EQ(shortOne.vertex0, x);
        // The touched entry of the removed end now names the crossing.
        EXPECT_EQ(d.m_TouchedVertices[0], x);
    }
}

TEST_F(NetworkRebuildTest, AMovedEndTakesItsWholeJunctionAlong) {
    const int a0 = AddVertexAt(doc, 0, 0);
    AddSegment(doc, a0, AddVertexAt(doc, 200, 0), 50);
    const int j = AddVertexAt(doc, 100, -10);
    AddSegment(doc, j, AddVertexAt(doc, 100, 200), 50);
    AddSegment(doc, j, AddVertexAt(doc, 300, -10), 50);
    RebuildNetwork(doc);
    const int x = doc.m_nVertices - 1;
    EXPECT_EQ(doc.Vertex(j).state, -1);
    EXPECT_EQ(Seg(1).vertex0, x);
    EXPECT_EQ(Seg(2).vertex0, x);  // still joined to the crossing rollpath
    EXPECT_EQ(Seg(2).endClass0, EndClass::Rollpath);
    ExpectSoundNetwork();
}

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

TEST_F(NetworkRebuildTest, EndTwentyFeetShortOfA50FootRollpathIsExtendedAndTheOtherSplit) {
    doc.GetSettings().MaxVertexRadius = 25;
    const int a0 = AddVertexAt(doc, 0, 0);
    const int a1 = AddVertexAt(doc, 400, 0);
    AddSegment(doc, a0, a1, 50);
    const int end = AddVertexAt(doc, 200, -20);
    AddSegment(doc, AddVertexAt(doc, 200, -300), end, 35);

    // Another edit's rebuild: nothing here was touched by the user.
    doc.ClearTouched();
    RebuildTouchedVertices(doc);
    ExpectAt(Pos(end), 200, 0);
    ASSERT_EQ(SegCount(), 3);
    EXPECT_EQ(Seg(0).vertex1, end);
    EXPECT_EQ(Seg(2).vertex0, end);
    EXPECT_EQ(Seg(2).vertex1, a1);
    EXPECT_EQ(Seg(1).endClass1, EndClass::Rollpath);
    ExpectSoundNetwork();
    // The moved end is rebuilt: its junction is paved, and the halves'
    // stripes are cut back from it by the curves.
    EXPECT_EQ(doc.Vertex(end).junctionPolys.size(), 2);
    EXPECT_LT(Seg(0).centreStripe[1].x, 200.0 - 10.0);
    EXPECT_GT(Seg(2).centreStripe[0].x, 200.0 + 10.0);
}

TEST_F(NetworkRebuildTest, HiddenRollpathsLeaveDanglingEndsAlone) {
    const int a0 = AddVertexAt(doc, 0, 0);
    AddSegment(doc, a0, AddVertexAt(doc, 400, 0), 50);
    const int end = AddVertexAt(doc, 200, -20);
    AddSegment(doc, AddVertexAt(doc, 200, -300), end, 35);
    const RebuildNetworkSummary summary = RebuildNetwork(doc, RebuildNetworkOptions{false});
    EXPECT_EQ(summary, RebuildNetworkSummary{});
    ExpectAt(Pos(end), 200, -20);
    EXPECT_EQ(SegCount(), 2);
    EXPECT_EQ(Seg(1).endClass1, EndClass::DeadEnd);
}

TEST_F(NetworkRebuildTest, EndNearAVertexOfTheOtherSegmentTakesTheNearerVertex) {
    struct Case {
        double x2;   // the other segment runs from (0, 0) to (x2, 0)
        DPoint end;  // where the dangling end stops
        int takes;   // 0 or 1: which vertex of the other segment it takes
    };
    for (const Case c :
         {Case{400, {390, -20}, 1}, Case{400, {12, 18}, 0}, Case{60, {45, -20}, 1}, Case{60, {15, -20}, 0}}) {
        CRollpathDoc d;
        const int v0 = AddVertexAt(d, 0, 0);
        const int v1 = AddVertexAt(d, c.x2, 0);
        AddSegment(d, v0, v1, 50);
        const int end = AddVertexAt(d, c.end.x, c.end.y);
        AddSegment(d, AddVertexAt(d, c.end.x, c.end.y - 400 * (c.end.y < 0 ? 1 : -1)), end, 35);
        d.ClearTouched();
        d.TouchVertex(end);
        const RebuildNetworkSummary summary = RebuildNetwork(d);
        EXPECT_EQ(summary.endsJoined, 1);
        const int expected = c.takes == 0 ? v0 : v1;
        EXPECT_EQ(d.m_pSegments[1]->vertex1, expected) << c.end.x;
        EXPECT_EQ(d.Vertex(end).state, -1);
        EXPECT_EQ(d.m_TouchedVertices[0], expected);
    }
}

TEST_F(NetworkRebuildTest, EndNeverTakesItsOwnSegmentsOtherVertex) {
    const int a0 = AddVertexAt(doc, 0, 0);
    AddSegment(doc, a0, AddVertexAt(doc, 300, 0), 50);
    const int stub = AddVertexAt(doc, 40, -15);
    AddSegment(doc, a0, stub, 35);
    RebuildNetwork(doc);
    EXPECT_TRUE(Seg(1).live());
    EXPECT_EQ(Seg(1).vertex0, a0);
    EXPECT_EQ(Seg(1).vertex1, stub);
    ExpectSoundNetwork();
}

TEST_F(NetworkRebuildTest, DanglingEndMeetsTheFirstSegmentInListOrder) {
    for (const bool upperFirst : {true, false}) {
        CRollpathDoc d;
        const auto addAt = [&d](double y) {
            AddSegment(d, AddVertexAt(d, 0, y), AddVertexAt(d, 400, y), 50);
        };
        addAt(upperFirst ? 0 : -40);
        addAt(upperFirst ? -40 : 0);
        const int end = AddVertexAt(d, 200, -20);
        AddSegment(d, AddVertexAt(d, 200, -400), end, 35);
        RebuildNetwork(d, RebuildNetworkOptions{true});
        // The end went to the first segment; the second one it then crosses.
        EXPECT_NEAR(d.Vertex(end).pos().y, upperFirst ? 0.0 : -40.0, 1e-9) << upperFirst;
    }
}

TEST_F(NetworkRebuildTest, OnlyRollpathEndsUsedByNoOtherSegmentAreConnected) {
    AddSegment(doc, AddVertexAt(doc, 0, 0), AddVertexAt(doc, 400, 0), 150, SegmentType::Rollpath);
    const int runwayEnd = AddVertexAt(doc, 100, -20);
    AddSegment(doc, AddVertexAt(doc, 100, -400), runwayEnd, 50, SegmentType::RunwayCentreLine);
    const int shared = AddVertexAt(doc, 300, -20);
    AddSegment(doc, AddVertexAt(doc, 300, -400), shared, 50);
    AddSegment(doc, shared, AddVertexAt(doc, 600, -20), 50);
    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_EQ(summary.endsJoined + summary.endsExtended, 0);
    ExpectAt(Pos(runwayEnd), 100, -20);
    ExpectAt(Pos(shared), 300, -20);
}

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

TEST_F(NetworkRebuildTest, DeadEndMarkingsStartMarkShortInside) {
    doc.GetSettings().MarkShort = 50;
    const RollpathSegment& lone = AddSegment(doc, AddVertexAt(doc, 0, 0), AddVertexAt(doc, 300, 0), 50);
    const int j = AddVertexAt(doc, 0, 1000);
    const RollpathSegment& joined = AddSegment(doc, AddVertexAt(doc, 300, 1000), j, 50);
    AddSegment(doc, j, AddVertexAt(doc, -300, 1200), 50);
    RebuildNetwork(doc);
    ASSERT_EQ(lone.endClass0, EndClass::DeadEnd);
    ASSERT_EQ(lone.endClass1, EndClass::DeadEnd);
    ExpectAt(lone.centreStripe[0], 50, 0.5);
    ExpectAt(lone.centreStripe[1], 250, 0.5);
    ExpectAt(lone.rightEdgeStripe[0], 50, -22);
    ExpectAt(lone.leftEdgeStripe[2], 250, 22);
    ExpectAt(lone.outline[1], 0, 25);
    ExpectAt(lone.outline[4], 300, -25);
    // The stub seeds follow the shortened stripe.
    EXPECT_EQ(lone.stub0[0], lone.centreStripe[0]);
    EXPECT_EQ(lone.stub1[2], lone.centreStripe[2]);
    // Only the dead end of a joined segment is shortened.
    ASSERT_EQ(joined.endClass0, EndClass::DeadEnd);
    ASSERT_EQ(joined.endClass1, EndClass::Rollpath);
    ExpectAt(joined.centreStripe[0], 250, 999.5);
    ExpectAt(joined.centreStripe[1], 0, 999.5);
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

TEST_F(NetworkRebuildTest, VertexInTwoCrossingRunwaysMovesToTheCrossingOfTheirCentreLines) {
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    AddRunway(doc, {3000, -3000}, {3000, 3000}, 150);
    const int v = AddVertexAt(doc, 3010, 20);
    AddSegment(doc, v, AddVertexAt(doc, 3500, -500), 50);
    const RebuildNetworkSummary summary = RebuildNetwork(doc);
    EXPECT_GE(summary.verticesPinned, 1);
    EXPECT_EQ(Pos(v), (DPoint{3000, 0}));
}

TEST_F(NetworkRebuildTest, VertexInTheOverlapOfNearlyParallelRunwaysStaysInThem) {
    // The centre lines meet 2300 ft west of both runways.
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    AddRunway(doc, {0, 20}, {6000, 20 + 6000 * std::tan(0.5 * 3.141592653589793 / 180.0)}, 150);
    const int v = AddVertexAt(doc, 3000, 30);
    AddSegment(doc, v, AddVertexAt(doc, 3000, 600), 50);
    RebuildNetwork(doc);
    ExpectAt(Pos(v), 3000, 0);  // onto the first runway's centre line
}

TEST_F(NetworkRebuildTest, VertexInThreeRunwaysIsLeftWhereItIs) {
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    AddRunway(doc, {3000, -3000}, {3000, 3000}, 150);
    AddRunway(doc, {1000, -2000}, {5000, 2000}, 150);
    const int v = AddVertexAt(doc, 3010, 20);
    AddSegment(doc, v, AddVertexAt(doc, 3500, -500), 50);
    RebuildNetwork(doc);
    EXPECT_EQ(Pos(v), (DPoint{3010, 20}));
}

TEST_F(NetworkRebuildTest, VerticesInsideARunwayMoveToTheirFeetOnItsCentreLine) {
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    const int in = AddVertexAt(doc, 2000, 30);
    const int out = AddVertexAt(doc, 2000, 500);
    AddSegment(doc, in, out, 50);
    const int both0 = AddVertexAt(doc, 1000, 30);
    const int both1 = AddVertexAt(doc, 1500, -40);
    AddSegment(doc, both0, both1, 50);
    const int alone = AddVertexAt(doc, 4000, 30);
    RebuildNetwork(doc);
    ExpectAt(Pos(in), 2000, 0);
    ExpectAt(Pos(out), 2000, 500);
    ExpectAt(Pos(both0), 1000, 0);
    ExpectAt(Pos(both1), 1500, 0);
    ExpectAt(Pos(alone), 4000, 30);  // no segment: not pinned
}

// --- Runway extensions ------------------------------------------------------

TEST_F(NetworkRebuildTest, CrossingOnARunwayExtensionTurnsTheOuterHalfIntoARollpath) {
    AddRunway(doc, {0, 0}, {6000, 0}, 150);
    const int inner = AddVertexAt(doc, 5000, 0);
    const int outer = AddVertexAt(doc, 6400, 0);
    const RollpathSegment& centre = AddSegment(doc, inner, outer, 150, SegmentType::RunwayCentreLine);
    ASSERT_EQ(centre.endClass1, EndClass::Extension);
    AddSegment(doc, AddVertexAt(doc, 6200, -300), AddVertexAt(doc, 6200, 300), 50);
    RebuildNetwork(doc);

    ASSERT_EQ(SegCount(), 4);
    const int x = doc.m_nVertices - 1;
    ExpectAt(Pos(x), 6200, 0);
    const RollpathSegment& outerHalf = Seg(2);
    EXPECT_EQ(outerHalf.vertex0, x);
    EXPECT_EQ(outerHalf.vertex1, outer);
    EXPECT_EQ(outerHalf.type, SegmentType::Rollpath);
    EXPECT_EQ(outerHalf.flags & SegmentFlag::Extension, 0);
    EXPECT_EQ(outerHalf.endClass0, EndClass::Rollpath);
    EXPECT_EQ(outerHalf.endClass1, EndClass::DeadEnd);
    EXPECT_EQ(centre.vertex1, x);
    EXPECT_EQ(centre.type, SegmentType::RunwayCentreLine);
    EXPECT_EQ(centre.endClass1, EndClass::Extension);
    ExpectSoundNetwork();
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

// The network part of a document, to compare before and after a rebuild.
struct NetworkSnapshot {
    explicit NetworkSnapshot(const CRollpathDoc& d)
        : vertices(d.m_Vertices.begin(), d.m_Vertices.begin() + d.m_nVertices),
          touched(d.m_TouchedVertices.begin(), d.m_TouchedVertices.begin() + d.m_nTouched) {
        for (const auto& s : d.m_pSegments) {
            segments.push_back(*s);
        }
    }
    std::vector<RollpathSegment> segments;
    std::vector<NetworkVertex> vertices;
    std::vector<int> touched;
};

void ExpectSameNetwork(const NetworkSnapshot& a, const NetworkSnapshot& b) {
    ASSERT_EQ(a.segments.size(), b.segments.size());
    for (std::size_t i = 0; i < a.segments.size(); ++i) {
        EXPECT_EQ(a.segments[i], b.segments[i]) << "segment " << i;
    }
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (std::size_t v = 0; v < a.vertices.size(); ++v) {
        EXPECT_EQ(a.vertices[v], b.vertices[v]) << "vertex " << v;
    }
    EXPECT_EQ(a.touched, b.touched);
}

TEST_F(NetworkRebuildTest, SecondRebuildOfATidyNetworkChangesNothing) {
    BuildSmallAirport(doc);
    const RebuildNetworkSummary first = RebuildNetwork(doc);
    EXPECT_GT(first.crossingsSplit, 0);
    EXPECT_GT(first.endsExtended, 0);
    EXPECT_GT(first.endsPinned, 0);
    ExpectSoundNetwork();

    const NetworkSnapshot tidy(doc);
    EXPECT_EQ(RebuildNetwork(doc), RebuildNetworkSummary{});
    ExpectSameNetwork(tidy, NetworkSnapshot(doc));
}

TEST_F(NetworkRebuildTest, SyntheticAirportSettlesAndThenStaysExactlyAsItIs) {
    testing::SyntheticAirportOptions options;
    options.columns = 20;
    options.rows = 20;
    options.spacing = 750.0;
    options.polygons = 0;
    testing::BuildSyntheticAirport(doc, options);
    int passes = 0;
    while (!(RebuildNetwork(doc) == RebuildNetworkSummary{}) && passes < 4) {
        ++passes;
    }
    EXPECT_LT(passes, 4);
    ExpectSoundNetwork();
    const NetworkSnapshot tidy(doc);
    EXPECT_EQ(RebuildNetwork(doc), RebuildNetworkSummary{});
    ExpectSameNetwork(tidy, NetworkSnapshot(doc));
}

}  // namespace
}  // namespace rollpath
