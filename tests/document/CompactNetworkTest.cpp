#include <gtest/gtest.h>

#include "document/CompactNetwork.h"

namespace rollpath {
namespace {

RollpathSegment& Join(CRollpathDoc& doc, int a, int b) {
    RollpathSegment& s = doc.AppendSegment();
    s.vertex0 = a;
    s.vertex1 = b;
    return s;
}

TEST(CompactNetwork, NumbersVerticesInFirstUseOrder) {
    CRollpathDoc doc;
    for (int i = 0; i < 6; ++i) {
        doc.AddVertex(100.0 * i, 0.0, true);
    }
    doc.Vertex(4).flags = VertexFlag::NoLighting;
    Join(doc, 4, 2);
    Join(doc, 2, 0);
    RollpathSegment& dead = Join(doc, 1, 5);
    dead.state = -1;
    doc.m_nSource = 4;
    doc.m_nSink = 0;

    CompactNetwork(doc);

    ASSERT_EQ(doc.m_nVertices, 3);
    EXPECT_EQ(doc.Vertex(0).x, 400.0);
    EXPECT_EQ(doc.Vertex(0).flags, VertexFlag::NoLighting);
    EXPECT_EQ(doc.Vertex(1).x, 200.0);
    EXPECT_EQ(doc.Vertex(2).x, 0.0);
    EXPECT_EQ(doc.m_pSegments[0]->vertex0, 0);
    EXPECT_EQ(doc.m_pSegments[0]->vertex1, 1);
    EXPECT_EQ(doc.m_pSegments[1]->vertex0, 1);
    EXPECT_EQ(doc.m_pSegments[1]->vertex1, 2);
    // A deleted segment keeps its old numbers.
    EXPECT_EQ(doc.m_pSegments[2]->vertex0, 1);
    EXPECT_EQ(doc.m_pSegments[2]->vertex1, 5);
    EXPECT_EQ(doc.m_nSource, 0);
    EXPECT_EQ(doc.m_nSink, 2);
    EXPECT_EQ(doc.m_nTouched, 0);
}

// Segments that cannot stay (joined to themselves or to vertices that do not
// exist) are dropped; a Source or Sink on no live segment becomes none; with
// no live segment the pool empties, with no segment at all it stays.
TEST(CompactNetwork, WhatCannotStayIsDropped) {
    CRollpathDoc doc;
    for (const double x : {0.0, 50.0, 90.0}) {
        doc.AddVertex(x, 0.0, true);
    }
    Join(doc, 0, 1);
    Join(doc, 2, 2);
    Join(doc, 1, 77);
    Join(doc, -3, 0);
    doc.m_nSource = 2;
    doc.m_nSink = 2;
    CompactNetwork(doc);
    EXPECT_EQ(doc.m_nVertices, 2);
    for (const int dropped : {1, 2, 3}) {
        EXPECT_EQ(doc.m_pSegments[dropped]->state, -1) << dropped;
    }
    EXPECT_EQ(doc.m_nSource, -1);
    EXPECT_EQ(doc.m_nSink, -1);

    doc.m_pSegments[0]->state = -1;
    CompactNetwork(doc);
    EXPECT_EQ(doc.m_nVertices, 0);

    CRollpathDoc bare;
    bare.AddVertex(0, 0, true);
    bare.AddVertex(5, 5, true);
    bare.Vertex(1).state = -1;
    CompactNetwork(bare);
    EXPECT_EQ(bare.m_nVertices, 2);
    EXPECT_EQ(bare.Vertex(1).state, -1);
}

}  // namespace
}  // namespace rollpath
