// The network file and the side file Save writes beside it: their bytes,
// what reads back, and the origin that places them.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "SceneryTestSupport.h"
#include "scenery/NetworkFile.h"
#include "scenery/NetworkFileDecoder.h"
#include "scenery/Origin.h"
#include "scenery/SideFile.h"
#include "scenery/SideFileDecoder.h"
#include "scenery/TaggedRecords.h"
#include "support/DocumentSnapshot.h"

namespace rollpath::testing {
namespace {

// Benchmark of the test airport: 47.5 N, 122.5 W.
constexpr double kLat = 47.5;
constexpr double kLon = -122.5;
constexpr double kLatArcsec = 171000.0;
constexpr double kLonArcsec = 855000.0;

class NetworkFileTest : public SceneryTest {
protected:
    NetworkFileTest() {
        doc.m_Airport.lat = kLat;
        doc.m_Airport.lon = kLon;
    }

    // Header of a file as the writer starts it.
    static Golden Header(double lat = kLatArcsec, double lon = kLonArcsec) {
        Golden g;
        g.tag("<bgno>").tag("<orgn>").f64(lat).f64(lon).f64(0.0).i32(1);
        return g;
    }
    static void Node(Golden& g, double x, double y) {
        g.tag("<node>").tag("<bgno>").tag("<vloc>").f64(x).f64(0.0).f64(y);
    }

    void Read(CRollpathDoc& d, const Bytes& bytes) {
        WriteBytes(File("in.bgr"), bytes);
        ReadNetworkFile(d, File("in.bgr"), kLatArcsec, kLonArcsec);
    }
};

TEST_F(NetworkFileTest, WritesNodesThenLiveEdgesThenTheEnd) {
    doc.AddVertex(10.5, -20.25, true);
    doc.AddVertex(300.0, 40.0, true);
    doc.AddVertex(-7.0, 8.0, true);
    doc.Vertex(2).state = -1;  // deleted slots are written too
    doc.m_nSource = 1;
    doc.m_nSink = 0;
    RollpathSegment& a = Join(doc, 0, 1);
    a.width = 75.5f;
    a.type = SegmentType::Rollpath;
    a.flags = SegmentFlag::NoPolygon | SegmentFlag::RunwayHold | SegmentFlag::NoLighting;
    Join(doc, 1, 2).state = -1;
    RollpathSegment& b = Join(doc, 1, 0);
    b.width = 150.0f;
    b.type = SegmentType::RunwayCentreLine;

    Golden g = Header();
    Node(g, 10.5, -20.25);
    g.tag("<flow>").i32(2).tag("<endo>");
    Node(g, 300.0, 40.0);
    g.tag("<flow>").i32(1).tag("<endo>");
    Node(g, -7.0, 8.0);
    g.tag("<endo>");
    // Only No Polygon travels in this file.
    g.tag("<edge>").i32(0).i32(1).tag("<bgno>").tag("<thck>").f32(75.5f).tag("<type>").i32(1).tag("<nply>");
    g.tag("<endo>");
    g.tag("<edge>").i32(1).i32(0).tag("<bgno>").tag("<thck>").f32(150.0f).tag("<type>").i32(0).tag("<endo>");
    g.tag("<endo>");

    EXPECT_EQ(EncodeNetworkFile(doc), g.bytes);
    ASSERT_TRUE(WriteNetworkFile(doc, dir.path()));
    EXPECT_EQ(ReadBytes(File("KTST.bgr")), g.bytes);

    // Read back: every slot, and the live edges with No Polygon alone.
    Fresh back;
    ReadNetworkFile(back.doc, File("KTST.bgr"), kLatArcsec, kLonArcsec);
    EXPECT_TRUE(back.messages.shown.empty());
    ASSERT_EQ(back.doc.m_nVertices, 3);
    EXPECT_TRUE(back.doc.Vertex(2).live());
    EXPECT_EQ(back.doc.Vertex(2).pos(), doc.Vertex(2).pos());
    a.flags &= SegmentFlag::NoPolygon;
    EXPECT_EQ(SnapshotDifference(SavedForm(back.doc), SavedForm(doc)), std::nullopt);
}

TEST_F(NetworkFileTest, SourceAndSinkOnOneVertexComeBackAsTheSource) {
    doc.AddVertex(1, 1, true);
    doc.m_nSource = 0;
    doc.m_nSink = 0;
    Golden g = Header();
    Node(g, 1, 1);
    g.tag("<flow>").i32(1).tag("<endo>").tag("<endo>");
    EXPECT_EQ(EncodeNetworkFile(doc), g.bytes);
    Fresh back;
    Read(back.doc, g.bytes);
    EXPECT_EQ(back.doc.m_nSource, 0);
    EXPECT_EQ(back.doc.m_nSink, -1);
}

TEST_F(NetworkFileTest, AnOriginIsAcceptedWithinOneArcsecond) {
    const std::string kFar = " position is not within 1' of Airport";
    const struct {
        double lat, lon;
        bool accepted;
    } rows[] = {{kLatArcsec, kLonArcsec, true},         {kLatArcsec + 1.0, kLonArcsec, true},
                {kLatArcsec, kLonArcsec - 0.5, true},   {kLatArcsec + 1.01, kLonArcsec, false},
                {kLatArcsec, kLonArcsec - 1.01, false}, {std::nan(""), kLonArcsec, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.lat) + " " + std::to_string(row.lon));
        Fresh f;
        f.doc.m_Airport.lat = kLat;
        f.doc.m_Airport.lon = kLon;
        Golden g = Header(row.lat, row.lon);
        Node(g, 3, 4);
        g.tag("<endo>");
        Read(f.doc, g.bytes);
        EXPECT_EQ(f.messages.shown, row.accepted ? std::vector<std::string>{}
                                                 : std::vector<std::string>{File("in.bgr").string() + kFar});
        EXPECT_EQ(f.doc.m_nVertices, row.accepted ? 1 : 0);
        EXPECT_DOUBLE_EQ(f.doc.m_Airport.lat, row.accepted ? row.lat / 3600.0 : kLat);
        EXPECT_DOUBLE_EQ(f.doc.m_Airport.lon, row.accepted ? row.lon / 3600.0 - 360.0 : kLon);
    }
}

TEST_F(NetworkFileTest, ALargeNetworkFillsThePoolWithoutTouchedListMessages) {
    Golden g = Header();
    for (int i = 0; i < kMaxVertices; ++i) {
        Node(g, i, 0);
    }
    Read(doc, g.bytes);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_nVertices, kMaxVertices);
    EXPECT_EQ(doc.m_nTouched, 0);

    // One more node than the pool holds: the pool's own message, then stop.
    Fresh full;
    Node(g, -1, -1);
    g.tag("<edge>").i32(0).i32(1);
    Read(full.doc, g.bytes);
    EXPECT_EQ(full.messages.shown, std::vector<std::string>{"Vertex limit of 8192 reached"});
    EXPECT_EQ(full.doc.m_nVertices, kMaxVertices);
    EXPECT_TRUE(full.doc.m_pSegments.empty());
}

struct LongitudeCase {
    double degrees;
    double stored;
};

TEST(Origin, NegativeLongitudesGetAFullCircle) {
    const LongitudeCase cases[] = {
        {-122.5, 855000.0}, {-80.5, 1006200.0}, {0.0, 0.0},
        {10.25, 36900.0},   {180.0, 648000.0},  {-179.5, 649800.0},
    };
    for (const LongitudeCase& c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(OriginToArcseconds(0.0, c.degrees).lon, c.stored);
        EXPECT_DOUBLE_EQ(LongitudeFromArcseconds(c.stored), c.degrees);
    }
    EXPECT_EQ(OriginToArcseconds(-33.5, 0.0).lat, -120600.0);
    EXPECT_EQ(LatitudeFromArcseconds(-120600.0), -33.5);
}

// --- The side file beside it ------------------------------------------------

const std::vector<std::string> kMismatch{"TXD file does not match BGR file"};

Golden& Segment(Golden& g, int v0, int v1, int flags, double extent1, double extent0) {
    return g.i32(v0).i32(v1).i32(flags).i32(0).f64(extent1).f64(extent0);
}
Golden& Vertex(Golden& g, double x, double y, int flags) {
    return g.f64(x).f64(y).i32(flags).i32(0).i32(0).i32(0);
}

class SideFileTest : public SceneryTest {
protected:
    // Two vertices and two segments, as the network file would give them.
    static void Network(CRollpathDoc& d) {
        d.AddVertex(10.5, 20.25, true);
        d.AddVertex(-30.0, 40.0, true);
        d.AddVertex(-30.0, 400.0, true);
        Join(d, 0, 1);
        Join(d, 1, 2);
    }

    void Read(CRollpathDoc& d, const Bytes& bytes) {
        WriteBytes(File("in.txd"), bytes);
        ReadSideFile(d, File("in.txd"));
    }
};

// Exactly the edges of the network file: a deleted segment holds vertex
// numbers from before the pool was compacted.
TEST_F(SideFileTest, WritesTheLiveSegmentsAndEverySlotWithTheVertex1ExtentFirst) {
    Network(doc);
    doc.m_pSegments[0]->state = -1;
    doc.m_pSegments[1]->flags = SegmentFlag::RunwayHold | SegmentFlag::NoLighting;
    doc.m_pSegments[1]->extent0 = 120.0;
    doc.m_pSegments[1]->extent1 = 30.5;
    doc.Vertex(1).flags = VertexFlag::NoMarkings;
    doc.Vertex(2).state = -1;

    Golden g;
    g.i32(1);
    Segment(g, 1, 2, 0x84, 30.5, 120.0);
    g.i32(3);
    Vertex(g, 10.5, 20.25, 0);
    Vertex(g, -30.0, 40.0, 2);
    Vertex(g, -30.0, 400.0, 0);

    EXPECT_EQ(EncodeSideFile(doc), g.bytes);
    ASSERT_TRUE(WriteSideFile(doc));  // into the program folder
    EXPECT_EQ(ReadBytes(dir / "KTST.txd"), g.bytes);
}

TEST_F(SideFileTest, RoundTripWithTheNetworkFileKeepsEveryAttribute) {
    Network(doc);
    doc.m_pSegments[0]->flags = SegmentFlag::RunwayHold | SegmentFlag::NoLighting | SegmentFlag::NoPolygon;
    doc.m_pSegments[0]->extent0 = 0.0;
    doc.m_pSegments[0]->extent1 = 130.0;
    doc.m_pSegments[1]->flags = SegmentFlag::CriticalHold | SegmentFlag::Stub1;
    doc.m_pSegments[1]->extent0 = 60.0;
    doc.m_pSegments[1]->extent1 = 0.0;
    doc.Vertex(0).flags = VertexFlag::NoPolygon | VertexFlag::NoLighting;
    doc.Vertex(2).flags = VertexFlag::NoMarkings;
    ASSERT_TRUE(WriteNetworkFile(doc, dir.path()));
    ASSERT_TRUE(WriteSideFile(doc, dir.path()));

    Fresh back;
    ReadNetworkFile(back.doc, File("KTST.bgr"), 0.0, 0.0);
    ReadSideFile(back.doc, File("KTST.txd"));
    EXPECT_TRUE(back.messages.shown.empty());
    // A zero extent0 stays; a zero extent1 becomes 75.
    doc.m_pSegments[1]->extent1 = 75.0;
    EXPECT_EQ(SnapshotDifference(SavedForm(back.doc), SavedForm(doc)), std::nullopt);
}

// Records come in the order of the network file's edges: two segments
// between the same vertices each get their own.
TEST_F(SideFileTest, EachRecordOfADoubledSegmentGoesToItsOwnSegment) {
    Network(doc);
    const RollpathSegment& twin = Join(doc, 0, 1);
    Golden g;
    g.i32(2);
    Segment(g, 0, 1, 0x2, 10.0, 11.0);
    Segment(g, 0, 1, 0x4, 20.0, 21.0);
    g.i32(0);
    Read(doc, g.bytes);
    EXPECT_TRUE(messages.shown.empty());
    const RollpathSegment& first = *doc.m_pSegments[0];
    EXPECT_EQ(std::tuple(first.flags, first.extent1, twin.flags, twin.extent1),
              std::tuple(0x2, 10.0, 0x4, 20.0));
}

struct MismatchCase {
    const char* name;
    std::function<void(Golden&)> file;
    int segment0Flags;  // what the first segment ends up with
    int vertex0Flags;
};

class SideMismatch : public SideFileTest, public ::testing::WithParamInterface<MismatchCase> {};

TEST_P(SideMismatch, StopsWithTheMessageKeepingEarlierAttributes) {
    Network(doc);
    Golden g;
    GetParam().file(g);
    Read(doc, g.bytes);
    EXPECT_EQ(messages.shown, kMismatch);
    EXPECT_EQ(std::tuple(doc.m_pSegments[0]->flags, doc.Vertex(0).flags, doc.Vertex(1).flags),
              std::tuple(GetParam().segment0Flags, GetParam().vertex0Flags, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, SideMismatch,
                         ::testing::Values(MismatchCase{"EmptyFile", [](Golden&) {}, 0, 0},
                                           MismatchCase{"UnknownSegment",
                                                        [](Golden& g) {
                                                            g.i32(2);
                                                            Segment(g, 0, 1, 0x80, 1, 1);
                                                            Segment(g, 2, 1, 0x80, 1, 1);
                                                        },
                                                        0x80, 0},
                                           // Both vertices must match, not one of them.
                                           MismatchCase{"SegmentSharingOneVertex",
                                                        [](Golden& g) {
                                                            g.i32(1);
                                                            Segment(g, 0, 2, 0x80, 1, 1);
                                                        },
                                                        0, 0},
                                           // A side file from an earlier Save: the second vertex
                                           // moved by a hair.
                                           MismatchCase{"MovedVertex",
                                                        [](Golden& g) {
                                                            g.i32(0).i32(2);
                                                            Vertex(g, 10.5, 20.25, 4);
                                                            Vertex(g, -30.0, 40.000001, 2);
                                                        },
                                                        0, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SideFileTest, DeletedSlotsAreMatchedTooAndExtraBytesIgnored) {
    Network(doc);
    doc.Vertex(0).state = -1;
    Golden g;
    g.i32(-5).i32(1);  // a negative segment count reads no segment
    Vertex(g, 10.5, 20.25, 1);
    g.raw({0xDE, 0xAD});
    Read(doc, g.bytes);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.Vertex(0).flags, 1);
}

// A record cut short is reported once; after it the decoder only ends (the
// file dump lists what it gave up to there).
TEST(SideFileDecoder, EndsAfterACutRecord) {
    Golden g;
    g.i32(1).raw({7, 0});
    SideFileDecoder decoder(g.bytes);
    SideFileRecord r;
    EXPECT_EQ(decoder.Next(r), DecodeStatus::Record);
    EXPECT_EQ(decoder.Next(r), DecodeStatus::Truncated);
    EXPECT_EQ(decoder.Next(r), DecodeStatus::End);
}

}  // namespace
}  // namespace rollpath::testing
