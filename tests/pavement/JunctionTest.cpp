#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/NetworkBuilder.h"

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

}  // namespace
}  // namespace rollpath
