#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/AnsiText.h"
#include "document/CompactNetwork.h"
#include "document/RollpathDoc.h"
#include "support/DocumentSnapshot.h"

namespace rollpath {
namespace {

class DocTest : public ::testing::Test {
protected:
    DocTest() { doc.SetMessageSink(&messages); }
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

// A click merges onto a live vertex strictly within one foot, the lowest
// index first; a deleted vertex is never reused, a forced one never merges.
TEST_F(DocTest, AddVertexMergesOnlyStrictlyWithinOneFootOntoTheLowestLiveVertex) {
    const int a = doc.AddVertex(100.0, 200.0, false);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(doc.AddVertex(100.99, 199.01, false), a);
    EXPECT_EQ(doc.AddVertex(101.0, 200.0, false), 1);  // exactly 1 ft in x: new
    EXPECT_EQ(doc.AddVertex(100.0, 199.0, false), 2);  // exactly 1 ft in y: new
    EXPECT_EQ(doc.m_nVertices, 3);
    // Every call, merged or not, lists the index as touched.
    ASSERT_EQ(doc.m_nTouched, 4);
    EXPECT_EQ(doc.m_TouchedVertices[1], a);

    EXPECT_EQ(doc.AddVertex(100.5, 199.5, false), 0);
    doc.Vertex(0).state = -1;
    EXPECT_EQ(doc.AddVertex(100.5, 199.5, false), 1);
    doc.Vertex(1).state = -1;
    doc.Vertex(2).state = -1;
    EXPECT_EQ(doc.AddVertex(100.0, 200.0, false), 3);
    doc.Vertex(3).flags = VertexFlag::NoLighting;
    const int forced = doc.AddVertex(100.0, 200.0, true);
    EXPECT_EQ(forced, 4);
    EXPECT_EQ(doc.Vertex(forced).state, 0);
    EXPECT_EQ(doc.Vertex(forced).flags, 0);
}

// The pool refuses a vertex past its limit with a message, and the touched
// list stops at its own and says so once; a click still merges onto a vertex
// at the limit.
TEST_F(DocTest, FullPoolAndFullTouchedListRefuseWithAMessageEach) {
    for (int i = 0; i < kMaxVertices; ++i) {
        ASSERT_EQ(doc.AddVertex(i * 10.0, 0.0, true), i);
    }
    EXPECT_EQ(doc.m_nTouched, kMaxTouchedVertices);
    EXPECT_EQ(doc.AddVertex(-50.0, -50.0, true), -1);
    EXPECT_EQ(doc.m_nVertices, kMaxVertices);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Touched-vertex limit of 1024 reached",
                                                        "Vertex limit of 8192 reached"}));
    doc.ClearTouched();
    EXPECT_EQ(doc.AddVertex(30.2, 0.1, false), 3);
    EXPECT_EQ(doc.m_nTouched, 1);
}

// An opening reads into a scratch document and takes its model when it
// succeeded: everything moves over, and the scratch one is left clean.
TEST_F(DocTest, TakingTheModelMovesAllOfItAndCleansTheOther) {
    doc.m_szCode = "KSFO";
    doc.m_szTmsName = "KSFO.tms";
    doc.SetModifiedFlag(true);
    doc.m_szBmpPath = "/x.bmp";
    doc.m_nBmpScale = 250;
    doc.m_dRotation = 12.5;
    doc.m_bAirportLoaded = 1;
    doc.m_bSafeMode = 1;
    doc.m_bLoadedFromTms = 1;
    doc.m_nSource = 0;
    doc.m_nSink = 0;
    doc.m_Airport.name = "San Francisco";
    doc.AppendRunway().width = 200;
    doc.AppendPolygon().points = {{0, 0}, {1, 1}, {2, 0}};
    doc.AppendSegment();
    const int v = doc.AddVertex(3, 4, false);
    doc.Vertex(v).centreQuads.push_back(Quad{});
    doc.m_TriErrors.push_back({{0, 0}});

    const testing::DocumentSnapshot taken = testing::Snapshot(doc);
    CRollpathDoc target;
    target.m_szCode = "KOLD";
    target.AddVertex(9, 9, true);
    target.AppendSegment();
    target.TakeModelFrom(doc);
    EXPECT_EQ(testing::SnapshotDifference(testing::Snapshot(target), taken), std::nullopt);
    EXPECT_EQ(
        std::tuple(target.m_szTmsName, target.m_bSafeMode, target.m_Airport.name, target.m_TriErrors.size()),
        std::tuple("KSFO.tms", 1, "San Francisco", 1u));
    EXPECT_TRUE(target.IsModified());

    const CRollpathDoc clean;
    EXPECT_EQ(testing::SnapshotDifference(testing::Snapshot(doc), testing::Snapshot(clean)), std::nullopt);
    EXPECT_EQ(doc.m_szCode + doc.m_szTmsName, "");
    EXPECT_EQ(doc.m_bAirportLoaded + doc.m_bSafeMode + doc.m_bLoadedFromTms + doc.m_nTouched, 0);
    EXPECT_TRUE(doc.m_pRunways.empty() && doc.m_TriErrors.empty());
    // A vertex added afterwards starts with nothing generated for the old one.
    EXPECT_EQ(doc.AddVertex(3, 4, false), v);
    EXPECT_TRUE(doc.Vertex(v).centreQuads.empty());
}

TEST_F(DocTest, ModifiedFlagIsFrozenForPavementFileDocuments) {
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.m_bLoadedFromTms = 1;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.IsModified());
}

// Soft runways move before hard ones within each run of hard and soft
// runways; a runway of another surface holds its neighbours apart.
TEST(RunwayOrder, SoftRunwaysMoveBeforeHardOnesUpToAnotherSurface) {
    CRollpathDoc doc;
    int id = 0;
    for (const int surface : {kConcrete, kTurf, kWater, kAsphalt, kDirt, kGravel}) {
        RunwayRecord& r = doc.AppendRunway();
        r.surface = 1 << surface;
        r.length = ++id;  // identifies the runway
    }
    doc.OrderRunwaysSoftFirst();
    std::vector<int> order;
    for (const auto& r : doc.m_pRunways) {
        order.push_back(r->length);
    }
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3, 5, 6, 4}));
}

TEST(AnsiText, DegreeSignAndHighControlsBecomeUtf8) {
    EXPECT_EQ(AnsiToUtf8("45\xB0 N"), "45\xC2\xB0 N");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(AnsiToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(AnsiToUtf8("Z\xFCrich"), "Z\xC3\xBCrich");
    EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(AnsiText, TypedTextComesBackToTheCodePage) {
    EXPECT_EQ(Utf8ToAnsi("\xE6\x97\xA5"), "?");  // not in the code page
    EXPECT_EQ(Utf8ToAnsi("a\xFF"
                         "b"),
              "a?b");                                // not UTF-8
    EXPECT_EQ(Utf8ToAnsi("\xC2"), "?");              // cut short
    EXPECT_EQ(Utf8ToAnsi("\xC0\x80"), "?");          // overlong
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
    // Every byte the code page assigns survives the round trip (the degree
    // sign and the euro above among them).
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        if (AnsiToUtf8(ansi) != "\xEF\xBF\xBD") {
            EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(ansi)), ansi) << byte;
        }
    }
}

RollpathSegment& Join(CRollpathDoc& doc, int a, int b) {
    RollpathSegment& s = doc.AppendSegment();
    s.vertex0 = a;
    s.vertex1 = b;
    return s;
}

TEST(CompactNetwork, NumbersVerticesInFirstUseOrder) {
    CRollpathDoc doc;
    for (int i = 0; i < 6; ++i) {
        doc.AddVertex(100.0 * i, 0.0, true);
    }
    doc.Vertex(4).flags = VertexFlag::NoLighting;
    Join(doc, 4, 2);
    Join(doc, 2, 0);
    RollpathSegment& dead = Join(doc, 1, 5);
    dead.state = -1;
    doc.m_nSource = 4;
    doc.m_nSink = 0;

    CompactNetwork(doc);

    ASSERT_EQ(doc.m_nVertices, 3);
    EXPECT_EQ(std::tuple(doc.Vertex(0).x, doc.Vertex(0).flags, doc.Vertex(1).x, doc.Vertex(2).x),
              std::tuple(400.0, VertexFlag::NoLighting, 200.0, 0.0));
    std::vector<int> ends;
    for (const auto& s : doc.m_pSegments) {
        ends.insert(ends.end(), {s->vertex0, s->vertex1});
    }
    EXPECT_EQ(ends, (std::vector<int>{0, 1, 1, 2, 1, 5}));  // a deleted segment keeps its old numbers
    EXPECT_EQ(std::tuple(doc.m_nSource, doc.m_nSink, doc.m_nTouched), std::tuple(0, 2, 0));
}

// Segments that cannot stay (joined to themselves or to vertices that do not
// exist) are dropped; a Source or Sink on no live segment becomes none; with
// no live segment the pool empties, with no segment at all it stays.
TEST(CompactNetwork, WhatCannotStayIsDropped) {
    CRollpathDoc doc;
    for (const double x : {0.0, 50.0, 90.0}) {
        doc.AddVertex(x, 0.0, true);
    }
    Join(doc, 0, 1);
    Join(doc, 2, 2);
    Join(doc, 1, 77);
    Join(doc, -3, 0);
    doc.m_nSource = 2;
    doc.m_nSink = 2;
    CompactNetwork(doc);
    EXPECT_EQ(doc.m_nVertices, 2);
    for (const int dropped : {1, 2, 3}) {
        EXPECT_EQ(doc.m_pSegments[dropped]->state, -1) << dropped;
    }
    EXPECT_EQ(doc.m_nSource, -1);
    EXPECT_EQ(doc.m_nSink, -1);

    doc.m_pSegments[0]->state = -1;
    CompactNetwork(doc);
    EXPECT_EQ(doc.m_nVertices, 0);

    CRollpathDoc bare;
    bare.AddVertex(0, 0, true);
    bare.AddVertex(5, 5, true);
    bare.Vertex(1).state = -1;
    CompactNetwork(bare);
    EXPECT_EQ(bare.m_nVertices, 2);
    EXPECT_EQ(bare.Vertex(1).state, -1);
}

}  // namespace
}  // namespace rollpath
