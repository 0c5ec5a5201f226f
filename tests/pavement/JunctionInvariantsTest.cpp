// Properties of the whole pavement rebuild over random untidy networks: the
// junction polygons are simple, curved strips hang together, the per-vertex
// lists stay within their capacity, and the result depends only on the
// network and the settings.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/SelfIntersection.h"
#include "pavement/BuildJunction.h"
#include "pavement/Junctions.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/DeterministicRandom.h"
#include "support/RandomNetwork.h"

namespace rollpath {
namespace {

constexpr int kSeeds = 150;

// No corner repeats and the outline nowhere meets itself.
bool Simple(const std::vector<DPoint>& p) {
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == p[(i + 1) % p.size()]) {
            return false;
        }
    }
    return p.size() >= 3 && !FindSelfIntersection(p).has_value();
}

void BuildAndRebuild(CRollpathDoc& doc, std::uint64_t seed) {
    testing::BuildRandomNetwork(doc, seed);
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
}

// Strips are appended whole, `depth` quads each, so the quads of one strip sit
// together in the list.
void ExpectStripsShareEdges(const CappedList<Quad, kMaxVertexProducts>& quads, int depth,
                            const std::string& where) {
    ASSERT_EQ(quads.size() % depth, 0) << where;
    for (int i = 0; i + 1 < quads.size(); ++i) {
        if (i % depth != depth - 1) {
            EXPECT_TRUE(quads[i][1] == quads[i + 1][0] && quads[i][2] == quads[i + 1][3])
                << where << " quad " << i;
        }
    }
}

void ExpectSameNetwork(const CRollpathDoc& a, const CRollpathDoc& b, const std::string& where) {
    ASSERT_EQ(a.m_nVertices, b.m_nVertices) << where;
    ASSERT_EQ(a.m_pSegments.size(), b.m_pSegments.size()) << where;
    for (int k = 0; k < a.m_nVertices; ++k) {
        EXPECT_TRUE(a.Vertex(k) == b.Vertex(k)) << where << " vertex " << k;
    }
    for (std::size_t i = 0; i < a.m_pSegments.size(); ++i) {
        EXPECT_TRUE(*a.m_pSegments[i] == *b.m_pSegments[i]) << where << " segment " << i;
    }
}

// Each junction polygon is simple, each curved strip hangs together, each
// vertex list stops within its capacity, and rebuilding the same network
// after other settings and scrambled partial rebuilds gives the same result.
TEST(JunctionInvariants, RandomNetworksGiveSoundRepeatableJunctions) {
    int polygons = 0;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        const std::string at = "seed " + std::to_string(seed);
        CRollpathDoc doc;
        BuildAndRebuild(doc, seed);
        const int depth = JunctionDepth(doc.GetSettings());
        for (int k = 0; k < doc.m_nVertices; ++k) {
            const std::string where = at + " vertex " + std::to_string(k);
            const NetworkVertex& v = doc.Vertex(k);
            for (int i = 0; i < v.junctionPolys.size(); ++i) {
                EXPECT_TRUE(Simple(v.junctionPolys[i].points)) << where << " polygon " << i;
                ++polygons;
            }
            ExpectStripsShareEdges(v.centreQuads, depth, where + " centre");
            ExpectStripsShareEdges(v.edgeQuads, depth, where + " edge");
            // A vertex stops after the corner that brings a list to 40.
            EXPECT_LE(v.junctionPolys.size(), kJunctionProductLimit);
            EXPECT_LE(v.centreQuads.size(), kJunctionProductLimit - 1 + depth);
            EXPECT_LE(v.edgeQuads.size(), kJunctionProductLimit - 1 + depth);
            EXPECT_LE(v.lightPts0.size(), kJunctionProductLimit - 1 + 5);
            EXPECT_LE(v.lightPts1.size(), kJunctionProductLimit - 1 + 5);
        }

        CRollpathDoc worked;
        testing::BuildRandomNetwork(worked, seed);
        RebuildNetwork(worked);
        Settings& st = worked.GetSettings();
        const Settings kept = st;
        testing::DeterministicRandom rng(seed * 7919);
        st.BezierDepth = rng.Int(3, 10);
        st.CenterOffset = rng.Uniform(0.0, 20.0);
        st.RunwayExit = rng.Int(1, 1000);
        st.LiteSpacing = rng.Int(1, 400);
        st.EdgeWidth = rng.Uniform(0.5, 3.0);
        RebuildAllPavement(worked);
        for (int i = 0; i < 3 * worked.m_nVertices; ++i) {
            ConstructVertexPolygons(worked, rng.Int(0, worked.m_nVertices - 1));
        }
        st = kept;
        RebuildAllPavement(worked);
        ExpectSameNetwork(doc, worked, at);
    }
    EXPECT_GT(polygons, kSeeds);  // the networks do have junctions
}

// Every rollpath's light rows follow its markings, whatever meets its
// vertices: at a dead end the centre row starts MarkShort in, where the
// markings start, and a stub's row does not run on to the vertex where it
// meets others.
TEST(JunctionInvariants, LightRowsFollowTheMarkings) {
    int deadEnds = 0;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc doc;
        BuildAndRebuild(doc, seed);
        const double markShort = doc.GetSettings().MarkShort;
        for (const auto& s : doc.m_pSegments) {
            const bool row = !(s->centreLightLine[0] == s->centreLightLine[1]);
            if (!row || !s->live() || s->type != SegmentType::Rollpath ||
                (s->flags & SegmentFlag::NoPolygon) != 0 || !doc.IsLiveVertex(s->vertex0) ||
                !doc.IsLiveVertex(s->vertex1)) {
                continue;
            }
            const DPoint ends[] = {doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos()};
            for (int e = 0; e < 2; ++e) {
                const DPoint& light = s->centreLightLine[static_cast<std::size_t>(e)];
                const double in = std::hypot(light.x - ends[e].x, light.y - ends[e].y);
                const std::string where =
                    "seed " + std::to_string(seed) + " v" + std::to_string(s->VertexAt(e));
                if (s->EndClassAt(e) != EndClass::DeadEnd) {
                    EXPECT_TRUE(in > 1e-6 || s->EndClassAt(1 - e) != EndClass::DeadEnd) << where;
                } else if (std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y) > 2.0 * markShort) {
                    EXPECT_NEAR(in, markShort, 1e-6) << where;
                    ++deadEnds;
                }
            }
        }
    }
    EXPECT_GT(deadEnds, kSeeds);
}

}  // namespace
}  // namespace rollpath
