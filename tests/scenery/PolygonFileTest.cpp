#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "SceneryTestSupport.h"
#include "geometry/PolygonMeasures.h"
#include "scenery/PolygonFile.h"
#include "scenery/PolygonFileDecoder.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {
namespace {

constexpr double kPolygonLatArcsec = -120600.0;  // 33.5 S
constexpr double kPolygonLonArcsec = 1006200.0;  // 80.5 W

const std::string kBegin = "<bgno> ========== BEGIN OBJECT ==========";
const std::string kEnd = "<endo> ========== END OBJECT ==========";
const std::string kOrigin = "<orgn> ---- origin ----";
const std::string kPool = "<vert> ---- vertex pool ----";
const std::string kPoly = "<poly> ---- polygon ----";
const std::string kRefs = "<pvrt> ---- vertex reference list ----";

// Counter-clockwise (negative area) and clockwise triangles.
const std::vector<DPoint> kCcw{{0, 0}, {10, 0}, {0, 10}};
const std::vector<DPoint> kCw{{0, 0}, {0, 10}, {10, 0}};

Golden PolygonHeader(double lat = kPolygonLatArcsec, double lon = kPolygonLonArcsec) {
    Golden g;
    g.text(kBegin).text(kOrigin).f64(lat).f64(lon).f64(0.0).i32(1);
    return g;
}
void Pool(Golden& g, const std::vector<DPoint>& points) {
    g.text(kPool).i32(static_cast<std::int32_t>(points.size()));
    for (const DPoint& p : points) {
        g.f64(p.x).f64(0.0).f64(p.y);
    }
}
void Refs(Golden& g, const std::vector<std::int32_t>& indices, const std::string& start = kPoly) {
    g.text(start).text(kBegin).text(kRefs).i32(static_cast<std::int32_t>(indices.size()));
    for (const std::int32_t k : indices) {
        g.i32(k);
    }
    g.text(kEnd);
}

class PolygonFileTest : public SceneryTest {
protected:
    PolygonFileTest() {
        doc.m_Airport.lat = -33.5;
        doc.m_Airport.lon = -80.5;
    }
};

// Banners, one pool and running indices: a clockwise polygon is written, and
// left, counter-clockwise; a deleted one is neither counted nor written; an
// automatic one comes back ordinary, after what the document already had.
TEST_F(PolygonFileTest, RoundTripGivesOrdinaryCounterClockwisePolygons) {
    GroundPolygon& p = AddPolygon(doc, kCw, PolygonKind::Automatic);
    ASSERT_GT(PolygonArea(p.points.data(), p.count()), 0.0);
    AddPolygon(doc, {{0, 0}, {5, 5}}).state = -1;
    AddPolygon(doc, {{-100.5, 7.25}, {-50, 7.25}, {-50, 90}, {-100.5, 90}, {-120, 40}});
    Golden g = PolygonHeader();
    Pool(g, {{10, 0}, {0, 10}, {0, 0}, {-100.5, 7.25}, {-50, 7.25}, {-50, 90}, {-100.5, 90}, {-120, 40}});
    Refs(g, {0, 1, 2});
    Refs(g, {3, 4, 5, 6, 7});
    g.text(kEnd);
    EXPECT_EQ(EncodePolygonFile(doc), g.bytes);
    EXPECT_EQ(p.points, (std::vector<DPoint>{{10, 0}, {0, 10}, {0, 0}}));
    ASSERT_TRUE(WritePolygonFile(doc, dir.path()));

    Fresh back;
    back.doc.AppendPolygon().points = {{9, 9}};
    ReadPolygonFile(back.doc, File("KTST.txp"), kPolygonLatArcsec, kPolygonLonArcsec);
    EXPECT_TRUE(back.messages.shown.empty());
    ASSERT_EQ(back.doc.m_pPolygons.size(), 3u);
    EXPECT_EQ(back.doc.m_pPolygons[0]->points, (std::vector<DPoint>{{9, 9}}));
    for (std::size_t i = 0; i < 2; ++i) {
        const GroundPolygon& q = *back.doc.m_pPolygons[i + 1];
        EXPECT_EQ(std::tie(q.kind, q.state, q.points),
                  std::tuple(PolygonKind::Ordinary, 0, doc.m_pPolygons[2 * i]->points));
    }
}

TEST_F(PolygonFileTest, AutomaticPolygonsAreReadAsAutomaticUntilAPolyRecord) {
    Golden g = PolygonHeader();
    Pool(g, kCcw);
    g.tag("<auto>");
    Refs(g, {0, 1, 2}, "<bgno>");  // no "<poly>": the flag stays
    Refs(g, {2, 1, 0}, "<bgno>");
    Refs(g, {0, 1, 2});
    WriteBytes(File("in.txp"), g.bytes);
    ReadPolygonFile(doc, File("in.txp"), kPolygonLatArcsec, kPolygonLonArcsec);
    ASSERT_EQ(doc.m_pPolygons.size(), 3u);
    EXPECT_EQ(std::tuple(doc.m_pPolygons[0]->kind, doc.m_pPolygons[1]->kind, doc.m_pPolygons[2]->kind),
              std::tuple(PolygonKind::Automatic, PolygonKind::Automatic, PolygonKind::Ordinary));
    EXPECT_EQ(doc.m_pPolygons[1]->points, (std::vector<DPoint>{{0, 10}, {10, 0}, {0, 0}}));
}

// The simulator takes 8192 corners in one file; more are written with that
// message, and whatever was written is read back.
TEST_F(PolygonFileTest, MoreCornersThanTheSimulatorTakesAreWrittenWithAWarningAndReadBack) {
    std::vector<DPoint> big;
    for (int i = 0; i < 8193; ++i) {
        big.push_back({static_cast<double>(i), static_cast<double>(i % 7)});
    }
    AddPolygon(doc, big);
    AddPolygon(doc, kCcw);
    EXPECT_TRUE(WritePolygonFile(doc, dir.path()));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Maximum of 8192 polygon vertices exceeded"});
    Fresh f;
    ReadPolygonFile(f.doc, File("KTST.txp"), kPolygonLatArcsec, kPolygonLonArcsec);
    EXPECT_TRUE(f.messages.shown.empty());
    ASSERT_EQ(f.doc.m_pPolygons.size(), 2u);
    EXPECT_EQ(f.doc.m_pPolygons[0]->points, doc.m_pPolygons[0]->points);
    EXPECT_EQ(f.doc.m_pPolygons[1]->points, kCcw);
}

// After a tag it does not know the decoder only ends (the file dump lists
// what it gave up to there).
TEST(PolygonFileDecoder, EndsAfterAnUnknownTag) {
    Golden g = PolygonHeader();
    g.tag("<what>");
    Pool(g, kCcw);
    PolygonFileDecoder decoder(g.bytes);
    PolygonFileRecord r;
    std::vector<DecodeStatus> statuses;
    for (int i = 0; i < 4; ++i) {
        statuses.push_back(decoder.Next(r));
    }
    EXPECT_EQ(statuses, (std::vector{DecodeStatus::Record, DecodeStatus::Record, DecodeStatus::UnknownTag,
                                     DecodeStatus::End}));
}

}  // namespace
}  // namespace rollpath::testing
