// The largest values the readers let through (positions a million feet out,
// lanes 1000 ft wide, many segments at one vertex) still go through the
// rebuild and a whole Save: every loop is bounded by a count, never by a
// distance, so these calls return.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "project/PipelineFixture.h"
#include "scenery/NetworkFile.h"
#include "scenery/Origin.h"
#include "scenery/PavementFile.h"
#include "scenery/PlausibleValues.h"
#include "scenery/PolygonFile.h"

namespace rollpath {
namespace {

using testing::PipelineTest;

TEST_F(PipelineTest, TheLargestAcceptedValuesRebuildSaveAndReadBack) {
    ASSERT_TRUE(OpenNew(doc, "KPAO"));
    const double far = kMaxFilePosition;
    const std::vector<DPoint> corners = {{-far, -far}, {far, -far}, {far, far}, {-far, far}, {0.0, 0.0}};
    std::vector<int> vertices;
    for (const DPoint& p : corners) {
        vertices.push_back(doc.AddVertex(p.x, p.y, true));
    }
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i) {
        for (std::size_t j = i + 1; j < vertices.size(); ++j) {
            RollpathSegment& s = doc.AppendSegment();
            s.vertex0 = vertices[i];
            s.vertex1 = vertices[j];
            s.width = static_cast<float>(kMaxFileWidth);
            s.extent0 = far;
            s.extent1 = far;
            s.flags = SegmentFlag::RunwayHold;
        }
    }
    GroundPolygon& huge = doc.AppendPolygon();
    huge.kind = PolygonKind::Ordinary;
    huge.points = {{-far, -far}, {far, -far}, {far, far}};
    doc.ClearTouched();
    PrepareOpenedDocument(doc);
    doc.SetModifiedFlag(true);
    Save(doc);
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.bgr")));
    EXPECT_TRUE(std::filesystem::exists(Output("KPAO.tms")));

    // What was written reads back without a complaint about its numbers.
    CRollpathDoc back;
    Attach(back);
    messages.Clear();
    const ArcsecondOrigin origin = OriginToArcseconds(doc.m_Airport.lat, doc.m_Airport.lon);
    ReadNetworkFile(back, Output("KPAO.bgr"), origin.lat, origin.lon);
    ReadPavementFile(back, Output("KPAO.tms"));
    EXPECT_EQ(back.m_nVertices, doc.m_nVertices);
    for (const std::string& text : messages.shown) {
        EXPECT_EQ(text.find("ft from the origin"), std::string::npos) << text;
        EXPECT_EQ(text.find("between 0 and"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace rollpath
