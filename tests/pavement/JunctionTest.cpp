#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "geometry/SelfIntersection.h"
#include "pavement/BuildJunction.h"
#include "pavement/Junctions.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/DeterministicRandom.h"
#include "support/DocumentSnapshot.h"
#include "support/NetworkBuilder.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kDeg = 3.141592653589793 / 180.0;

// Classifies the ends, then builds every segment and junction afresh.
void Rebuild(CRollpathDoc& doc) {
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
}

// Spokes of 50 ft rollpaths at even angles around the origin; returns the hub.
int Spokes(CRollpathDoc& doc, int count, double length = 400.0) {
    const int hub = AddVertexAt(doc, 0.0, 0.0);
    for (int i = 0; i < count; ++i) {
        const double a = 2.0 * 3.141592653589793 * i / count;
        AddSegment(doc, hub, AddVertexAt(doc, length * std::cos(a), length * std::sin(a)), 50.0);
    }
    return hub;
}

TEST(Junction, StopsWithAMessageWhenAListReachesForty) {
    CRollpathDoc doc;
    const int hub = Spokes(doc, 12);
    Rebuild(doc);
    auto& sink = static_cast<RecordingMessageSink&>(doc.Messages());
    EXPECT_EQ(sink.shown, std::vector<std::string>{"ConstructVertexPolygons: polygon limit reached"});
    // The corners after the one that fills a list get nothing.
    EXPECT_EQ(std::tuple(doc.Vertex(hub).centreQuads.size(), doc.Vertex(hub).junctionPolys.size()),
              std::tuple(40, 8));
}

TEST(Junction, AVertexOfMoreThanFiftySegmentsIsRefused) {
    CRollpathDoc doc;
    const int hub = Spokes(doc, 51);
    RebuildAllPavement(doc);
    auto& sink = static_cast<RecordingMessageSink&>(doc.Messages());
    EXPECT_TRUE(sink.Saw("ConstructVertexPolygons: more than 50 segments meet at one vertex"));
    const NetworkVertex& v = doc.Vertex(hub);
    EXPECT_EQ(v.junctionPolys.size() + v.centreQuads.size() + v.lightPts1.size(), 0);
}

TEST(Junction, WhatAnEarlierJunctionMadeGoesWhenItsReasonGoes) {
    // A straight pair with a third rollpath, which is then deleted.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& a = AddSegment(doc, AddVertexAt(doc, -300.0, 0.0), p, 50.0);
    RollpathSegment& b = AddSegment(doc, p, AddVertexAt(doc, 300.0, 0.0), 50.0);
    RollpathSegment& c = AddSegment(doc, p, AddVertexAt(doc, 0.0, 300.0), 50.0);
    Rebuild(doc);
    ASSERT_NE((a.flags | b.flags) & (SegmentFlag::Stub0 | SegmentFlag::Stub1), 0);
    c.state = -1;
    doc.ClearTouched();
    doc.TouchVertex(p);
    RebuildTouchedVertices(doc);
    EXPECT_EQ((a.flags | b.flags) & (SegmentFlag::Stub0 | SegmentFlag::Stub1 | SegmentFlag::ThroughLine), 0);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 0);
    EXPECT_EQ(doc.Vertex(p).visited, 0);
}

TEST(Junction, ANearlyStraightWidthChangeIsMitredWhenItsEdgesMeetOutOfReach) {
    // 35 ft into 75 ft with a 3 degree bend: the facing edges would meet
    // about 400 ft away, beyond both 300 ft segments.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& narrow = AddSegment(doc, AddVertexAt(doc, -300.0, 0.0), p, 35.0);
    RollpathSegment& wide = AddSegment(
        doc, p, AddVertexAt(doc, 300.0 * std::cos(3.0 * kDeg), 300.0 * std::sin(3.0 * kDeg)), 75.0);
    Rebuild(doc);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 0);
    EXPECT_EQ(narrow.outline[2], wide.outline[1]);
    EXPECT_EQ(narrow.outline[4], wide.outline[5]);
    EXPECT_NEAR(std::hypot(narrow.outline[2].x, narrow.outline[2].y), 27.5, 1e-9);
    // The same bend between equal widths is a junction.
    wide.width = 35.0f;
    Rebuild(doc);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 2);
}

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

// A small untidy airport: crossing runways, exits stopping short of them,
// near-duplicate vertices, some rollpath corners under a runway.
void BuildSmallAirport(CRollpathDoc& doc, std::uint64_t seed) {
    const int n = 5 + static_cast<int>(seed % 4);
    testing::BuildSyntheticAirport(doc, {seed, n, n, 150.0 + 25.0 * static_cast<double>(seed % 5), 0});
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

// Each junction polygon is simple, each curved strip hangs together, each
// vertex list stops within its capacity, and rebuilding the same network
// after other settings and scrambled partial rebuilds gives the same result.
// Every rollpath's light rows follow its markings, whatever meets its
// vertices: at a dead end the centre row starts MarkShort in, where the
// markings start, and a stub's row does not run on to the vertex where it
// meets others.
TEST(JunctionInvariants, SmallAirportsGiveSoundRepeatableJunctionsAndLightRows) {
    int polygons = 0;
    int deadEnds = 0;
    for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
        const std::string at = "seed " + std::to_string(seed);
        CRollpathDoc doc;
        BuildSmallAirport(doc, seed);
        Rebuild(doc);
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
                const std::string where = at + " v" + std::to_string(s->VertexAt(e));
                if (s->EndClassAt(e) != EndClass::DeadEnd) {
                    EXPECT_TRUE(in > 1e-6 || s->EndClassAt(1 - e) != EndClass::DeadEnd) << where;
                } else if (std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y) > 2.0 * markShort) {
                    EXPECT_NEAR(in, markShort, 1e-6) << where;
                    ++deadEnds;
                }
            }
        }

        CRollpathDoc worked;
        BuildSmallAirport(worked, seed);
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
        EXPECT_EQ(testing::SnapshotDifference(testing::Snapshot(doc), testing::Snapshot(worked)),
                  std::nullopt)
            << at;
    }
    EXPECT_GT(polygons, kSeeds);  // the networks do have junctions
    EXPECT_GT(deadEnds, kSeeds / 2);
}

}  // namespace
}  // namespace rollpath
