#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/AnsiText.h"
#include "document/RollpathDoc.h"

namespace rollpath {
namespace {

class DocTest : public ::testing::Test {
protected:
    DocTest() { doc.SetMessageSink(&messages); }
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

TEST_F(DocTest, AddVertexMergesOnlyStrictlyWithinOneFoot) {
    const int a = doc.AddVertex(100.0, 200.0, false);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(doc.AddVertex(100.99, 199.01, false), a);
    EXPECT_EQ(doc.AddVertex(101.0, 200.0, false), 1);  // exactly 1 ft in x: new
    EXPECT_EQ(doc.AddVertex(100.0, 199.0, false), 2);  // exactly 1 ft in y: new
    EXPECT_EQ(doc.m_nVertices, 3);
    // Every call, merged or not, lists the index as touched.
    ASSERT_EQ(doc.m_nTouched, 4);
    EXPECT_EQ(doc.m_TouchedVertices[1], a);
}

TEST_F(DocTest, AddVertexPrefersTheLowestLiveIndex) {
    doc.AddVertex(0.0, 0.0, true);
    doc.AddVertex(0.5, 0.5, true);
    EXPECT_EQ(doc.AddVertex(0.4, 0.4, false), 0);
    doc.Vertex(0).state = -1;
    EXPECT_EQ(doc.AddVertex(0.4, 0.4, false), 1);
}

TEST_F(DocTest, DeletedVerticesAreNotReusedAndForceNewNeverMerges) {
    const int a = doc.AddVertex(5.0, 5.0, false);
    doc.Vertex(a).state = -1;
    const int b = doc.AddVertex(5.0, 5.0, false);
    EXPECT_NE(a, b);
    const int c = doc.AddVertex(5.0, 5.0, true);
    EXPECT_NE(b, c);
    const NetworkVertex& v = doc.Vertex(c);
    EXPECT_EQ(v.state, 0);
    EXPECT_EQ(v.flags, 0);
    EXPECT_EQ(v.visited, 0);
    EXPECT_TRUE(v.junctionPolys.empty());
}

TEST_F(DocTest, FullPoolRefusesWithAMessage) {
    for (int i = 0; i < kMaxVertices; ++i) {
        ASSERT_EQ(doc.AddVertex(i * 10.0, 0.0, true), i);
        doc.ClearTouched();
    }
    EXPECT_EQ(doc.AddVertex(-50.0, -50.0, true), -1);
    EXPECT_EQ(doc.m_nVertices, kMaxVertices);
    EXPECT_TRUE(messages.Saw("Vertex limit of 8192 reached"));
    // Merging onto an existing vertex still works at the limit.
    EXPECT_EQ(doc.AddVertex(30.2, 0.1, false), 3);
}

TEST_F(DocTest, FullTouchedListRefusesAndReportsOnce) {
    for (int i = 0; i < kMaxTouchedVertices + 5; ++i) {
        doc.AddVertex(i * 10.0, 0.0, true);
    }
    EXPECT_EQ(doc.m_nTouched, kMaxTouchedVertices);
    EXPECT_EQ(doc.m_nVertices, kMaxTouchedVertices + 5);
    EXPECT_EQ(messages.shown.size(), 1u);
    doc.ClearTouched();
    EXPECT_EQ(doc.m_nTouched, 0);
    doc.AddVertex(1.0e6, 0.0, true);
    EXPECT_EQ(doc.m_nTouched, 1);
}

TEST_F(DocTest, PerVertexListsRefuseBeyondTheirCapacity) {
    NetworkVertex& v = doc.Vertex(doc.AddVertex(0, 0, false));
    for (int i = 0; i < kMaxVertexProducts; ++i) {
        ASSERT_TRUE(v.lightPts0.push_back(DPoint{1.0 * i, 0.0}));
    }
    EXPECT_TRUE(v.lightPts0.full());
    EXPECT_FALSE(v.lightPts0.push_back(DPoint{}));
    EXPECT_EQ(v.lightPts0.size(), kMaxVertexProducts);
}

TEST_F(DocTest, CleanUpResetsTheModel) {
    doc.m_szCode = "KSFO";
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

    doc.CleanUp();

    EXPECT_TRUE(doc.m_szCode.empty());
    EXPECT_TRUE(doc.m_szBmpPath.empty());
    EXPECT_EQ(doc.m_nBmpScale, 100);
    EXPECT_EQ(doc.m_dRotation, 0.0);
    EXPECT_EQ(doc.m_bAirportLoaded, 0);
    EXPECT_EQ(doc.m_bSafeMode, 0);
    EXPECT_EQ(doc.m_bLoadedFromTms, 0);
    EXPECT_EQ(doc.m_nSource, -1);
    EXPECT_EQ(doc.m_nSink, -1);
    EXPECT_EQ(doc.m_nVertices, 0);
    EXPECT_EQ(doc.m_nTouched, 0);
    EXPECT_TRUE(doc.m_pRunways.empty());
    EXPECT_TRUE(doc.m_pPolygons.empty());
    EXPECT_TRUE(doc.m_pSegments.empty());
    EXPECT_TRUE(doc.m_TriErrors.empty());
    EXPECT_TRUE(doc.Vertex(v).centreQuads.empty());
    // The airport record is left for the next load to overwrite.
    EXPECT_EQ(doc.m_Airport.name, "San Francisco");
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

// Surface bit sets by name, so the test reads like the data.
constexpr int kAsphaltBit = 1 << kAsphalt;
constexpr int kConcreteBit = 1 << kConcrete;
constexpr int kTurfBit = 1 << kTurf;
constexpr int kDirtBit = 1 << kDirt;
constexpr int kWaterBit = 1 << kWater;

std::vector<int> OrderedSurfaces(const std::vector<int>& surfaces) {
    CRollpathDoc doc;
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        RunwayRecord& r = doc.AppendRunway();
        r.surface = surfaces[i];
        r.length = static_cast<int>(i);  // identifies the runway
    }
    doc.OrderRunwaysSoftFirst();
    std::vector<int> order;
    for (const auto& r : doc.m_pRunways) {
        order.push_back(r->length);
    }
    return order;
}

TEST(RunwayOrder, SoftRunwaysMoveBeforeHardOnes) {
    EXPECT_EQ(OrderedSurfaces({kAsphaltBit, kTurfBit}), (std::vector<int>{1, 0}));
    EXPECT_EQ(OrderedSurfaces({kAsphaltBit, kConcreteBit}), (std::vector<int>{0, 1}));
    // Hard runways keep their order among themselves, soft ones too.
    EXPECT_EQ(OrderedSurfaces({kAsphaltBit, kConcreteBit, kTurfBit, kDirtBit}),
              (std::vector<int>{2, 3, 0, 1}));
    // A runway of another surface holds its neighbours apart.
    EXPECT_EQ(OrderedSurfaces({kAsphaltBit, kWaterBit, kTurfBit}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(OrderedSurfaces({kWaterBit, kAsphaltBit, kTurfBit}), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(OrderedSurfaces({}), (std::vector<int>{}));
}

TEST(Surfaces, LowestBitNamesTheSurface) {
    EXPECT_STREQ(SurfaceName(SurfaceIndex(0)), "Unknown");
    EXPECT_STREQ(SurfaceName(SurfaceIndex(kAsphaltBit | kTurfBit)), "Asphalt");
    EXPECT_STREQ(SurfaceName(SurfaceIndex(1 << 13)), "Unknown");
    EXPECT_STREQ(SurfaceName(SurfaceIndex(1 << 12)), "Brick");
    EXPECT_STREQ(SurfaceName(99), "Unknown");
    EXPECT_TRUE(IsSoftSurface(kGravel));
    EXPECT_FALSE(IsSoftSurface(kWater));
    EXPECT_TRUE(IsHardSurface(kMetal));
}

TEST(Records, EndClassNamesAndNewSegmentDefaults) {
    EXPECT_STREQ(EndClassName(EndClass::RunwayEnd), "runway end");
    EXPECT_STREQ(EndClassName(EndClass::DeadEnd), "dead end");
    EXPECT_STREQ(EndClassName(7), "");
    const RollpathSegment s;
    EXPECT_EQ(s.extent0, 75.0);
    EXPECT_EQ(s.extent1, 75.0);
    EXPECT_EQ(s.state, 0);
}

TEST(AnsiText, DegreeSignAndHighControlsBecomeUtf8) {
    EXPECT_EQ(AnsiToUtf8("45\xB0 N"), "45\xC2\xB0 N");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(AnsiToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(AnsiToUtf8("Z\xFCrich"), "Z\xC3\xBCrich");
    EXPECT_EQ(AnsiToUtf8(""), "");
}

}  // namespace
}  // namespace rollpath
