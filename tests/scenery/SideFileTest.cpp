#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "SceneryTestSupport.h"
#include "scenery/NetworkFile.h"
#include "scenery/SideFile.h"
#include "scenery/SideFileDecoder.h"

namespace rollpath::testing {
namespace {

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
        RollpathSegment& a = d.AppendSegment();
        a.vertex0 = 0;
        a.vertex1 = 1;
        RollpathSegment& b = d.AppendSegment();
        b.vertex0 = 1;
        b.vertex1 = 2;
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
    ASSERT_EQ(back.doc.m_pSegments.size(), 2u);
    const RollpathSegment& a = *back.doc.m_pSegments[0];
    EXPECT_EQ(a.flags, doc.m_pSegments[0]->flags);
    EXPECT_EQ(a.extent0, 0.0);  // a zero extent0 stays
    EXPECT_EQ(a.extent1, 130.0);
    const RollpathSegment& b = *back.doc.m_pSegments[1];
    EXPECT_EQ(b.flags, doc.m_pSegments[1]->flags);
    EXPECT_EQ(b.extent0, 60.0);
    EXPECT_EQ(b.extent1, 75.0);  // a zero extent1 becomes 75
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.doc.Vertex(i).flags, doc.Vertex(i).flags);
    }
}

// Records come in the order of the network file's edges: two segments
// between the same vertices each get their own.
TEST_F(SideFileTest, EachRecordOfADoubledSegmentGoesToItsOwnSegment) {
    Network(doc);
    RollpathSegment& twin = doc.AppendSegment();
    twin.vertex0 = 0;
    twin.vertex1 = 1;
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
