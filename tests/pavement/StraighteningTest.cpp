#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pavement/Straightening.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kDegree = 3.141592653589793 / 180.0;

struct BendCase {
    const char* name;
    double bend;        // degrees off straight at the middle vertex
    bool towardMiddle;  // the second segment is drawn toward the middle vertex
    bool moves;
};

class Bend : public ::testing::TestWithParam<BendCase> {};

// Two 500 ft rollpaths meeting at (0, 0): the first from the west, the
// second leaving `bend` degrees off due east.
TEST_P(Bend, MovesOnlyBendsBetweenHalfADegreeAndTwoDegrees) {
    const BendCase& c = GetParam();
    CRollpathDoc doc;
    const int w = AddVertexAt(doc, -500.0, 0.0);
    const int m = AddVertexAt(doc, 0.0, 0.0);
    const int e = AddVertexAt(doc, 500.0 * std::cos(c.bend * kDegree), 500.0 * std::sin(c.bend * kDegree));
    AddSegment(doc, w, m, 50.0);
    if (c.towardMiddle) {
        AddSegment(doc, e, m, 50.0);
    } else {
        AddSegment(doc, m, e, 50.0);
    }
    const NetworkVertex before = doc.Vertex(m);
    const StraighteningResult r = StraightenVertices(doc);
    EXPECT_EQ(r.moved, c.moves);
    if (!c.moves) {
        EXPECT_TRUE(r.vertices.empty());
        EXPECT_EQ(doc.Vertex(m), before);
        return;
    }
    ASSERT_EQ(r.vertices, std::vector<int>{m});
    ASSERT_EQ(r.saved.size(), 1u);
    EXPECT_EQ(r.saved[0], before);
    // The vertex now lies on the line through the outer two, at its foot.
    const DPoint a = doc.Vertex(w).pos();
    const DPoint b = doc.Vertex(e).pos();
    const DPoint p = doc.Vertex(m).pos();
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    EXPECT_NEAR(cross / std::hypot(b.x - a.x, b.y - a.y), 0.0, 1e-9);
    EXPECT_NEAR((p.x - before.x) * (b.x - a.x) + (p.y - before.y) * (b.y - a.y), 0.0, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Angles, Bend,
                         ::testing::Values(BendCase{"straight", 0.0, false, false},
                                           BendCase{"quarter_degree", 0.25, false, false},
                                           BendCase{"one_degree", 1.0, false, true},
                                           BendCase{"minus_one_and_a_half", -1.5, false, true},
                                           BendCase{"three_degrees", 3.0, false, false},
                                           BendCase{"one_degree_drawn_inward", 1.0, true, true},
                                           BendCase{"quarter_degree_drawn_inward", 0.25, true, false},
                                           BendCase{"three_degrees_drawn_inward", -3.0, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Straightening, VerticesMoveInPoolOrderEachSeeingTheEarlierMoves) {
    // A gently bent chain of three segments.
    CRollpathDoc doc;
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 400.0, 5.0);
    const int c = AddVertexAt(doc, 800.0, 5.0);
    const int d = AddVertexAt(doc, 1200.0, 0.0);
    AddSegment(doc, a, b, 40.0);
    AddSegment(doc, b, c, 40.0);
    AddSegment(doc, c, d, 40.0);
    const StraighteningResult r = StraightenVertices(doc);
    ASSERT_EQ(r.vertices, (std::vector<int>{b, c}));
    EXPECT_EQ((std::vector{r.saved[0].pos(), r.saved[1].pos()}), (std::vector<DPoint>{{400, 5}, {800, 5}}));
    // c was straightened against b's new place.
    EXPECT_LT(std::fabs(doc.Vertex(c).y), 5.0);
}

}  // namespace
}  // namespace rollpath
