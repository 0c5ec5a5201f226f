// Every small file cut at every byte (random damage is the fuzz targets'
// work): the readers show only their own messages and keep exactly a prefix
// of what the whole file gives.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "SceneryTestSupport.h"
#include "scenery/BinaryIO.h"
#include "scenery/NetworkFile.h"
#include "scenery/PavementFile.h"
#include "scenery/PavementSections.h"
#include "scenery/PolygonFile.h"
#include "scenery/SideFile.h"

namespace rollpath::testing {
namespace {

constexpr double kLatArcsec = 171000.0;
constexpr double kLonArcsec = 855000.0;

// A small airport with a bit of everything the files carry.
void FillAirport(CRollpathDoc& d) {
    d.m_Airport.lat = 47.5;
    d.m_Airport.lon = -122.5;
    d.AddVertex(0.5, 0.25, true);
    d.AddVertex(100.0, -20.0, true);
    d.AddVertex(100.0, 300.0, true);
    d.AddVertex(-40.0, 80.0, true);
    d.m_nSource = 0;
    d.m_nSink = 2;
    const int ends[][2] = {{0, 1}, {1, 2}, {2, 3}};
    for (const auto& e : ends) {
        RollpathSegment& s = d.AppendSegment();
        s.vertex0 = e[0];
        s.vertex1 = e[1];
        s.width = 50.0f + static_cast<float>(e[0]);
        s.type = e[0] % 2;
        s.flags = e[0] == 1 ? (SegmentFlag::NoPolygon | SegmentFlag::RunwayHold) : SegmentFlag::BlastPad;
        s.extent0 = 10.0 * e[0];
        s.extent1 = 20.0 + e[1];
    }
    d.Vertex(1).flags = VertexFlag::NoLighting;
    d.Vertex(3).flags = VertexFlag::NoMarkings;
    GroundPolygon& a = d.AppendPolygon();
    a.kind = PolygonKind::Ordinary;
    a.points = {{0, 0}, {50, 0}, {50, 50}, {0, 50}};
    GroundPolygon& b = d.AppendPolygon();
    b.kind = PolygonKind::Ordinary;
    b.points = {{-10, -10}, {-5, -20}, {0, -10}};
}

Bytes PavementSample() {
    ByteWriter w;
    const TileGrid grid{8, 8, 60.0f, {-41.0, 0.0, -21.0}};
    WritePavementHeader(w, 47.5, -122.5, grid);
    WriteTileStart(w, 0, 1);
    const std::vector<DPoint> v{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {20, 5}};
    WriteMeshSection(w, MeshSection::Pavement, v, std::vector<std::uint32_t>{4, 0, 1, 2, 3, 3, 1, 4, 2});
    WriteMeshSection(w, MeshSection::EdgeMarkings, v, std::vector<std::uint32_t>{3, 0, 1, 2});
    WriteMeshSection(w, MeshSection::CentreMarkings, {}, {});
    const std::vector<TileLightPoint> points{{1, 1.5, 2.5}, {0, -3.0, 4.0}};
    const std::vector<TileLightRun> runs{{1, 0, 0, 30, 0, 10}};
    WriteLightSection(w, points, runs);
    WriteTileEnd(w);
    WritePavementEnd(w);
    return w.bytes();
}

template <typename List>
void ExpectPrefix(const List& part, const List& whole) {
    ASSERT_LE(part.size(), whole.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        EXPECT_EQ(*part[i], *whole[i]) << "record " << i;
    }
}

class TruncatedFiles : public SceneryTest {
protected:
    TruncatedFiles() {
        FillAirport(doc);
        reader.SetMessageSink(&readerMessages);
    }

    // Reads the first length bytes of a file with read into the reusable
    // reader document (cleaned first).
    void Reset() {
        reader.CleanUp();
        readerMessages.Clear();
    }

    template <typename Read>
    void ReadCut(const Bytes& whole, std::size_t length, const std::string& name, Read read) {
        Reset();
        WriteBytes(File(name), Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        read(File(name));
    }

    CRollpathDoc reader;
    RecordingMessageSink readerMessages;
};

TEST_F(TruncatedFiles, NetworkFile) {
    const Bytes whole = EncodeNetworkFile(doc);
    auto read = [&](const std::filesystem::path& p) { ReadNetworkFile(reader, p, kLatArcsec, kLonArcsec); };
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        ReadCut(whole, length, "cut.bgr", read);
        EXPECT_TRUE(readerMessages.shown.empty());
        ASSERT_LE(reader.m_nVertices, doc.m_nVertices);
        for (int i = 0; i < reader.m_nVertices; ++i) {
            EXPECT_EQ(reader.Vertex(i).pos(), doc.Vertex(i).pos());
        }
        EXPECT_TRUE(reader.m_nSource == -1 || reader.m_nSource == doc.m_nSource);
        EXPECT_TRUE(reader.m_nSink == -1 || reader.m_nSink == doc.m_nSink);
        ASSERT_LE(reader.m_pSegments.size(), doc.m_pSegments.size());
        for (std::size_t i = 0; i < reader.m_pSegments.size(); ++i) {
            const RollpathSegment& got = *reader.m_pSegments[i];
            const RollpathSegment& want = *doc.m_pSegments[i];
            EXPECT_EQ(got.vertex0, want.vertex0);
            EXPECT_EQ(got.vertex1, want.vertex1);
            // The attributes of the last edge may not have been reached.
            if (i + 1 < reader.m_pSegments.size()) {
                EXPECT_EQ(got.width, want.width);
                EXPECT_EQ(got.type, want.type);
                EXPECT_EQ(got.flags, want.flags & SegmentFlag::NoPolygon);
            }
        }
    }
    EXPECT_EQ(reader.m_pSegments.size(), doc.m_pSegments.size());
}

TEST_F(TruncatedFiles, PolygonFile) {
    const Bytes whole = EncodePolygonFile(doc);
    Fresh full;
    WriteBytes(File("whole.txp"), whole);
    ReadPolygonFile(full.doc, File("whole.txp"), kLatArcsec, kLonArcsec);
    ASSERT_EQ(full.doc.m_pPolygons.size(), 2u);

    const std::string path = File("cut.txp").string();
    const std::set<std::string> allowed{path + ": vertex pool runs past the end of the file",
                                        path + ": polygon runs past the end of the file"};
    auto read = [&](const std::filesystem::path& p) { ReadPolygonFile(reader, p, kLatArcsec, kLonArcsec); };
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        ReadCut(whole, length, "cut.txp", read);
        ASSERT_LE(readerMessages.shown.size(), 1u);
        for (const std::string& m : readerMessages.shown) {
            EXPECT_TRUE(allowed.contains(m)) << m;
        }
        ExpectPrefix(reader.m_pPolygons, full.doc.m_pPolygons);
    }
}

TEST_F(TruncatedFiles, SideFile) {
    const Bytes whole = EncodeSideFile(doc);
    WriteBytes(File("net.bgr"), EncodeNetworkFile(doc));
    auto read = [&](const std::filesystem::path& p) {
        ReadNetworkFile(reader, File("net.bgr"), kLatArcsec, kLonArcsec);
        ReadSideFile(reader, p);
    };
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        ReadCut(whole, length, "cut.txd", read);
        if (length < whole.size()) {
            EXPECT_EQ(readerMessages.shown, std::vector<std::string>{"TXD file does not match BGR file"});
        } else {
            EXPECT_TRUE(readerMessages.shown.empty());
        }
        ASSERT_EQ(reader.m_pSegments.size(), doc.m_pSegments.size());
        for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
            const RollpathSegment& got = *reader.m_pSegments[i];
            const RollpathSegment& want = *doc.m_pSegments[i];
            const bool applied =
                got.flags == want.flags && got.extent0 == want.extent0 && got.extent1 == want.extent1;
            const bool untouched = got.flags == (want.flags & SegmentFlag::NoPolygon) &&
                                   got.extent0 == 75.0 && got.extent1 == 75.0;
            EXPECT_TRUE(applied || untouched) << "segment " << i;
        }
        for (int i = 0; i < doc.m_nVertices; ++i) {
            EXPECT_TRUE(reader.Vertex(i).flags == 0 || reader.Vertex(i).flags == doc.Vertex(i).flags);
        }
    }
}

TEST_F(TruncatedFiles, PavementFile) {
    const Bytes whole = PavementSample();
    Fresh full;
    WriteBytes(File("whole.tms"), whole);
    ReadPavementFile(full.doc, File("whole.tms"));
    ASSERT_TRUE(full.messages.shown.empty());
    ASSERT_EQ(full.doc.m_pPolygons.size(), 2u);
    ASSERT_EQ(full.doc.m_pMarkings.size(), 1u);
    ASSERT_EQ(full.doc.m_pLights.size(), 3u);

    const std::string path = File("cut.tms").string();
    const std::set<std::string> allowed{path + ": mesh section runs past the end of the file",
                                        path + ": polygon runs past the end of the file"};
    auto read = [&](const std::filesystem::path& p) { ReadPavementFile(reader, p); };
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        reader.m_TileGrid = TileGrid{};
        ReadCut(whole, length, "cut.tms", read);
        ASSERT_LE(readerMessages.shown.size(), 1u);
        for (const std::string& m : readerMessages.shown) {
            EXPECT_TRUE(allowed.contains(m)) << m;
        }
        ExpectPrefix(reader.m_pPolygons, full.doc.m_pPolygons);
        ExpectPrefix(reader.m_pMarkings, full.doc.m_pMarkings);
        ExpectPrefix(reader.m_pLights, full.doc.m_pLights);
        const TileGrid& g = reader.m_TileGrid;
        const TileGrid& want = full.doc.m_TileGrid;
        EXPECT_TRUE(g.columns == 0 || g.columns == want.columns);
        EXPECT_TRUE(g.rows == 0 || g.rows == want.rows);
        EXPECT_TRUE(g.side == 0.0f || g.side == want.side);
    }
}

}  // namespace
}  // namespace rollpath::testing
