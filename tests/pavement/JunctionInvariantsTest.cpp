// Properties of the whole pavement rebuild over random untidy networks: the
// junction polygons are simple, curved strips hang together, the per-vertex
// lists stay within their capacity, and the result depends only on the
// network and the settings.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "pavement/BuildJunction.h"
#include "pavement/Junctions.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/DeterministicRandom.h"
#include "support/RandomNetwork.h"

namespace rollpath {
namespace {

constexpr int kSeeds = 150;

double Orientation(const DPoint& a, const DPoint& b, const DPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool OnSegment(const DPoint& a, const DPoint& b, const DPoint& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Closed segments ab and cd share a point.
bool SegmentsMeet(const DPoint& a, const DPoint& b, const DPoint& c, const DPoint& d) {
    const double o1 = Orientation(a, b, c);
    const double o2 = Orientation(a, b, d);
    const double o3 = Orientation(c, d, a);
    const double o4 = Orientation(c, d, b);
    if (((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0))) {
        return true;
    }
    return (o1 == 0 && OnSegment(a, b, c)) || (o2 == 0 && OnSegment(a, b, d)) ||
           (o3 == 0 && OnSegment(c, d, a)) || (o4 == 0 && OnSegment(c, d, b));
}

// No edge meets another except where neighbours share their corner, and no
// corner repeats.
std::string SimplePolygonFault(const std::vector<DPoint>& p) {
    const std::size_t n = p.size();
    if (n < 3) {
        return "fewer than 3 points";
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (p[i] == p[j]) {
                return "corner " + std::to_string(i) + " repeats as " + std::to_string(j);
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        const DPoint& a = p[i];
        const DPoint& b = p[(i + 1) % n];
        // A neighbour folding back over this edge.
        const DPoint& next = p[(i + 2) % n];
        if (Orientation(a, b, next) == 0.0 && OnSegment(a, b, next)) {
            return "edge " + std::to_string(i + 1) + " folds back";
        }
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) {
                continue;
            }
            if (SegmentsMeet(a, b, p[j], p[(j + 1) % n])) {
                return "edges " + std::to_string(i) + " and " + std::to_string(j) + " meet";
            }
        }
    }
    return "";
}

void BuildAndRebuild(CRollpathDoc& doc, std::uint64_t seed) {
    testing::BuildRandomNetwork(doc, seed);
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
}

TEST(JunctionInvariants, EveryJunctionPolygonIsSimple) {
    int polygons = 0;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc doc;
        BuildAndRebuild(doc, seed);
        for (int k = 0; k < doc.m_nVertices; ++k) {
            const NetworkVertex& v = doc.Vertex(k);
            for (int i = 0; i < v.junctionPolys.size(); ++i) {
                const std::string fault = SimplePolygonFault(v.junctionPolys[i].points);
                EXPECT_EQ(fault, "") << "seed " << seed << " vertex " << k << " polygon " << i;
                ++polygons;
            }
        }
    }
    EXPECT_GT(polygons, kSeeds);  // the networks do have junctions
}

// Strips are appended whole, `depth` quads each, so the quads of one strip sit
// together in the list.
void ExpectStripsShareEdges(const CappedList<Quad, kMaxVertexProducts>& quads, int depth,
                            const std::string& where) {
    ASSERT_EQ(quads.size() % depth, 0) << where;
    for (int i = 0; i < quads.size(); ++i) {
        if (i % depth == depth - 1) {
            continue;
        }
        const Quad& q = quads[i];
        const Quad& next = quads[i + 1];
        EXPECT_TRUE(q[1] == next[0] && q[2] == next[3]) << where << " quad " << i;
    }
}

TEST(JunctionInvariants, ConsecutiveStripQuadsShareTheirEdgeExactly) {
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc doc;
        BuildAndRebuild(doc, seed);
        const int depth = JunctionDepth(doc.GetSettings());
        for (int k = 0; k < doc.m_nVertices; ++k) {
            const std::string where = "seed " + std::to_string(seed) + " vertex " + std::to_string(k);
            ExpectStripsShareEdges(doc.Vertex(k).centreQuads, depth, where + " centre");
            ExpectStripsShareEdges(doc.Vertex(k).edgeQuads, depth, where + " edge");
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

TEST(JunctionInvariants, RebuildingAgainGivesTheSameResult) {
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc once;
        BuildAndRebuild(once, seed);
        CRollpathDoc twice;
        BuildAndRebuild(twice, seed);
        RebuildAllPavement(twice);
        ExpectSameNetwork(once, twice, "seed " + std::to_string(seed));
    }
}

TEST(JunctionInvariants, ResultDoesNotDependOnEarlierRuns) {
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc fresh;
        BuildAndRebuild(fresh, seed);

        // The same network, first built with other settings and vertices
        // rebuilt one by one in a scrambled order, then rebuilt as it is.
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
        ExpectSameNetwork(fresh, worked, "seed " + std::to_string(seed));
    }
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

TEST(JunctionInvariants, VertexListsStayWithinTheirCapacity) {
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        CRollpathDoc doc;
        BuildAndRebuild(doc, seed);
        const int depth = JunctionDepth(doc.GetSettings());
        for (int k = 0; k < doc.m_nVertices; ++k) {
            const NetworkVertex& v = doc.Vertex(k);
            // A vertex stops after the corner that brings a list to 40.
            EXPECT_LE(v.junctionPolys.size(), kJunctionProductLimit);
            EXPECT_LE(v.centreQuads.size(), kJunctionProductLimit - 1 + depth);
            EXPECT_LE(v.edgeQuads.size(), kJunctionProductLimit - 1 + depth);
            EXPECT_LE(v.lightPts0.size(), kJunctionProductLimit - 1 + 5);
            EXPECT_LE(v.lightPts1.size(), kJunctionProductLimit - 1 + 5);
        }
    }
}

}  // namespace
}  // namespace rollpath
