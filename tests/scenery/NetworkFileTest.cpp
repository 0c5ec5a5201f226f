#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "SceneryTestSupport.h"
#include "scenery/NetworkFile.h"
#include "scenery/NetworkFileDecoder.h"
#include "scenery/Origin.h"
#include "scenery/TaggedRecords.h"

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
    std::string Path() const { return File("in.bgr").string(); }
};

TEST_F(NetworkFileTest, WritesNodesThenLiveEdgesThenTheEnd) {
    doc.AddVertex(10.5, -20.25, true);
    doc.AddVertex(300.0, 40.0, true);
    doc.AddVertex(-7.0, 8.0, true);
    doc.Vertex(2).state = -1;  // deleted slots are written too
    doc.m_nSource = 1;
    doc.m_nSink = 0;
    RollpathSegment& a = doc.AppendSegment();
    a.vertex0 = 0;
    a.vertex1 = 1;
    a.width = 75.5f;
    a.type = SegmentType::Rollpath;
    a.flags = SegmentFlag::NoPolygon | SegmentFlag::RunwayHold | SegmentFlag::NoLighting;
    RollpathSegment& gone = doc.AppendSegment();
    gone.vertex0 = 1;
    gone.vertex1 = 2;
    gone.state = -1;
    RollpathSegment& b = doc.AppendSegment();
    b.vertex0 = 1;
    b.vertex1 = 0;
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

    // Read back: every slot, the live edges with No Polygon alone, and the
    // benchmark moved to the file's origin.
    Fresh back;
    back.doc.m_Airport.lat = 0.0;
    ReadNetworkFile(back.doc, File("KTST.bgr"), kLatArcsec, kLonArcsec);
    EXPECT_TRUE(back.messages.shown.empty());
    ASSERT_EQ(back.doc.m_nVertices, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.doc.Vertex(i).pos(), doc.Vertex(i).pos());
        EXPECT_TRUE(back.doc.Vertex(i).live());
    }
    EXPECT_EQ(std::tuple(back.doc.m_nSource, back.doc.m_nSink), std::tuple(1, 0));
    ASSERT_EQ(back.doc.m_pSegments.size(), 2u);
    for (const std::size_t i : {0u, 1u}) {
        const RollpathSegment& s = *back.doc.m_pSegments[i];
        const RollpathSegment& was = i == 0 ? a : b;
        EXPECT_EQ(std::tuple(s.vertex0, s.vertex1, s.type, s.width, s.flags, s.extent0 + s.extent1, s.state),
                  std::tuple(was.vertex0, was.vertex1, was.type, was.width,
                             was.flags & SegmentFlag::NoPolygon, 150.0, 0));
    }
    EXPECT_DOUBLE_EQ(back.doc.m_Airport.lat, kLat);
    EXPECT_DOUBLE_EQ(back.doc.m_Airport.lon, kLon);
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
        EXPECT_EQ(f.messages.shown,
                  row.accepted ? std::vector<std::string>{} : std::vector<std::string>{Path() + kFar});
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

}  // namespace
}  // namespace rollpath::testing
