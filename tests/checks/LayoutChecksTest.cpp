// Each check on a small hand-made network that has the fault, and on a near
// miss that does not; the object every finding selects; the catalog's lists.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "checks/LayoutChecks.h"
#include "checks/LayoutFingerprint.h"
#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddPolygon;
using testing::AddRollpath;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

// A runway from (-2000, 0) to (2000, 0), 150 ft wide, whose centre line is cut
// at (0, 0) so that a rollpath can join it there. Returns that vertex.
int RunwayWithJoint(CRollpathDoc& doc) {
    AddRunway(doc, {-2000.0, 0.0}, {2000.0, 0.0}, 150);
    const int west = AddVertexAt(doc, -2000.0, 0.0);
    const int joint = AddVertexAt(doc, 0.0, 0.0);
    const int east = AddVertexAt(doc, 2000.0, 0.0);
    AddSegment(doc, west, joint, 150.0, SegmentType::RunwayCentreLine);
    AddSegment(doc, joint, east, 150.0, SegmentType::RunwayCentreLine);
    return joint;
}

// A rollpath from the runway's joint north to (0, 600), ending in vertex 3.
void TaxiwayNorth(CRollpathDoc& doc, int joint, int flags = 0) {
    AddSegment(doc, joint, AddVertexAt(doc, 0.0, 600.0), 50.0, SegmentType::Rollpath, flags);
}

// Two rollpaths from the vertex at (1000, 1000), 500 ft long, `degrees` apart.
void Fork(CRollpathDoc& doc, double degrees) {
    const int v = AddVertexAt(doc, 1000.0, 1000.0);
    const double a = degrees * 3.141592653589793 / 180.0;
    AddSegment(doc, v, AddVertexAt(doc, 1500.0, 1000.0), 35.0);
    AddSegment(doc, v, AddVertexAt(doc, 1000.0 + 500.0 * std::cos(a), 1000.0 + 500.0 * std::sin(a)), 35.0);
}

// A connected rollpath network with the Source and Sink at its two ends.
void FlowNetwork(CRollpathDoc& doc, bool broken) {
    const int joint = RunwayWithJoint(doc);
    TaxiwayNorth(doc, joint);                          // vertices 0..3
    const int far = AddVertexAt(doc, 800.0, 600.0);    // 4
    const int west = AddVertexAt(doc, -800.0, 600.0);  // 5
    AddSegment(doc, 3, far, 50.0);
    if (!broken) {
        AddSegment(doc, 3, west, 50.0);
    } else {
        AddSegment(doc, west, AddVertexAt(doc, -800.0, 900.0), 50.0);
    }
    doc.m_nSource = far;
    doc.m_nSink = west;
}

struct Case {
    const char* name;
    CheckId check;
    // Builds a document with the fault; the findings must be these objects.
    std::function<void(CRollpathDoc&)> faulty;
    std::vector<ObjectRef> objects;
    // Builds the near miss, if any: no finding.
    std::function<void(CRollpathDoc&)> nearMiss;
};

const Case kCases[] = {
    {"RollpathIslandIsUnreachable",
     CheckId::Unreachable,
     [](CRollpathDoc& doc) {
         RunwayWithJoint(doc);
         AddRollpath(doc, {0.0, 600.0}, {500.0, 600.0}, 50.0);
         AddRollpath(doc, {0.0, 900.0}, {500.0, 900.0}, 50.0);
     },
     {ObjectRef::Segment(2), ObjectRef::Segment(3)},
     nullptr},
    {"DeadEndJustInsideTheReachOfAnEdge",
     CheckId::DanglingEnd,
     [](CRollpathDoc& doc) {
         // 74 ft from the centre line of a 50 ft rollpath: 49 ft from its
         // edge, under twice the Segment sensitivity of 25 ft.
         AddRollpath(doc, {0.0, 0.0}, {1000.0, 0.0}, 50.0);
         AddRollpath(doc, {500.0, 74.0}, {500.0, 600.0}, 50.0);
     },
     {ObjectRef::Vertex(2)},
     [](CRollpathDoc& doc) {
         AddRollpath(doc, {0.0, 0.0}, {1000.0, 0.0}, 50.0);
         AddRollpath(doc, {500.0, 76.0}, {500.0, 600.0}, 50.0);
     }},
    {"RunwayEntryWithoutHold",
     CheckId::MissingHold,
     [](CRollpathDoc& doc) { TaxiwayNorth(doc, RunwayWithJoint(doc)); },
     {ObjectRef::Segment(2)},
     [](CRollpathDoc& doc) { TaxiwayNorth(doc, RunwayWithJoint(doc), SegmentFlag::CriticalHold); }},
    {"RollpathShorterThanItsWidth",
     CheckId::ShortSegment,
     [](CRollpathDoc& doc) {
         AddRollpath(doc, {0.0, 0.0}, {30.0, 40.0}, 50.5);
     },
     {ObjectRef::Segment(0)},
     [](CRollpathDoc& doc) {
         AddRollpath(doc, {0.0, 0.0}, {30.0, 40.0}, 49.5);
         AddSegment(doc, AddVertexAt(doc, 0.0, 100.0), AddVertexAt(doc, 30.0, 140.0), 75.0,
                    SegmentType::RunwayCentreLine);
     }},
    {"SegmentDrawnTwiceEitherWay",
     CheckId::DuplicateSegment,
     [](CRollpathDoc& doc) {
         const int a = AddVertexAt(doc, 0.0, 0.0);
         const int b = AddVertexAt(doc, 400.0, 0.0);
         AddSegment(doc, a, b, 50.0);
         AddSegment(doc, a, AddVertexAt(doc, 0.0, 400.0), 50.0);
         AddSegment(doc, b, a, 35.0);
     },
     {ObjectRef::Segment(2)},
     [](CRollpathDoc& doc) {
         // The same line again, but to a vertex of its own.
         const int a = AddVertexAt(doc, 0.0, 0.0);
         AddSegment(doc, a, AddVertexAt(doc, 400.0, 0.0), 50.0);
         AddSegment(doc, a, AddVertexAt(doc, 400.0, 0.0), 50.0);
     }},
    {"RollpathsMeetingAt25Degrees",
     CheckId::SharpTurn,
     [](CRollpathDoc& doc) { Fork(doc, 25.0); },
     {ObjectRef::Vertex(0)},
     [](CRollpathDoc& doc) {
         Fork(doc, 35.0);
         // A rollpath leaving a runway centre line at a shallow angle is an exit.
         AddSegment(doc, RunwayWithJoint(doc), AddVertexAt(doc, 800.0, 200.0), 50.0);
     }},
    {"PolygonCrossingItself",
     CheckId::Polygon,
     [](CRollpathDoc& doc) {
         AddPolygon(doc, {{0, 0}, {100, 100}, {100, 0}, {0, 100}});
     },
     {ObjectRef::Polygon(0)},
     nullptr},
    {"SourceAndSinkApart",
     CheckId::SourceSink,
     [](CRollpathDoc& doc) { FlowNetwork(doc, true); },
     {ObjectRef::Vertex(4)},
     [](CRollpathDoc& doc) { FlowNetwork(doc, false); }},
    {"PolygonBeyondFiftyMiles",
     CheckId::OutsideTiles,
     [](CRollpathDoc& doc) {
         AddPolygon(doc, {{310000, 0}, {310000, 100}, {310100, 100}});
         AddRollpath(doc, {0.0, 0.0}, {0.0, 310000.0}, 50.0);
     },
     {ObjectRef::Vertex(1), ObjectRef::Polygon(0)},
     [](CRollpathDoc& doc) {
         AddPolygon(doc, {{300000, 0}, {300000, 100}, {300100, 100}});
     }},
};

class LayoutCheckCase : public ::testing::TestWithParam<Case> {};

std::vector<Finding> FindingsOf(const std::function<void(CRollpathDoc&)>& build, CheckId check) {
    CRollpathDoc doc;
    build(doc);
    ComputeTileGrid(doc);
    CheckSet only;
    only.Set(check, true);
    return RunLayoutChecks(doc, only);
}

TEST_P(LayoutCheckCase, FiresOnTheFaultAndNotOnTheNearMiss) {
    const Case& c = GetParam();
    const std::vector<Finding> found = FindingsOf(c.faulty, c.check);
    ASSERT_EQ(found.size(), c.objects.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        SCOPED_TRACE(found[k].message);
        EXPECT_EQ(std::tuple(found[k].check, found[k].severity, found[k].object, found[k].message.empty()),
                  std::tuple(c.check, InfoOf(c.check).severity, c.objects[k], false));
    }
    for (const Finding& f : c.nearMiss ? FindingsOf(c.nearMiss, c.check) : std::vector<Finding>{}) {
        ADD_FAILURE() << "near miss: " << f.message;
    }
}

INSTANTIATE_TEST_SUITE_P(Checks, LayoutCheckCase, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// A grid that a later edit outgrew, as one read from a pavement file stays.
TEST(LayoutChecks, PavementOutsideAKeptGridIsFound) {
    CRollpathDoc doc;
    AddRollpath(doc, {0.0, 0.0}, {1000.0, 0.0}, 50.0);
    ComputeTileGrid(doc);
    AddPolygon(doc, {{0, 100}, {0, 200}, {2000, 200}});
    CheckSet only;
    only.Set(CheckId::OutsideTiles, true);
    const std::vector<Finding> found = RunLayoutChecks(doc, only);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].object, ObjectRef::Polygon(0));
    ComputeTileGrid(doc);
    EXPECT_TRUE(RunLayoutChecks(doc, only).empty());
}

// Each edit the checks could see changes the fingerprint; looking does not.
TEST(LayoutChecks, FingerprintFollowsWhatTheChecksRead) {
    const std::function<void(CRollpathDoc&)> edits[] = {
        [](CRollpathDoc& doc) { doc.Vertex(0).x += 0.001; },
        [](CRollpathDoc& doc) { doc.m_pSegments[0]->flags |= SegmentFlag::RunwayHold; },
        [](CRollpathDoc& doc) { doc.m_pSegments[0]->vertex1 = 2; },
        [](CRollpathDoc& doc) { doc.m_pSegments[0]->state = -1; },
        [](CRollpathDoc& doc) { doc.m_pPolygons[0]->points[1].y += 1.0; },
        [](CRollpathDoc& doc) { doc.m_nSource = 1; },
        [](CRollpathDoc& doc) { ComputeTileGrid(doc); },
        [](CRollpathDoc& doc) {
            AddRollpath(doc, {0.0, 0.0}, {0.0, 100.0}, 50.0);
        },
        [](CRollpathDoc& doc) { doc.GetSettings().DisabledChecks = "polygon"; },
    };
    for (std::size_t k = 0; k < std::size(edits); ++k) {
        Settings settings;
        CRollpathDoc doc;
        doc.SetSettings(&settings);
        AddRollpath(doc, {0.0, 0.0}, {500.0, 0.0}, 50.0);
        AddVertexAt(doc, 0.0, 300.0);
        AddPolygon(doc, {{0, 100}, {0, 200}, {100, 200}});
        const std::uint64_t before = LayoutFingerprint(doc);
        RunLayoutChecks(doc, CheckSet::All());
        EXPECT_EQ(LayoutFingerprint(doc), before) << k;
        edits[k](doc);
        EXPECT_NE(LayoutFingerprint(doc), before) << k;
    }
}

TEST(CheckCatalog, ListsOfIds) {
    CheckSet two;
    two.Set(CheckId::Polygon, true);
    two.Set(CheckId::SharpTurn, true);
    EXPECT_EQ(ParseCheckList(" polygon ,sharp-turn,"), two);
    std::string unknown;
    EXPECT_EQ(ParseCheckList("polygon,holes", &unknown), std::nullopt);
    EXPECT_EQ(unknown, "holes");
    // A setting written by a later version, naming a check this one lacks.
    CheckSet allButPolygon = CheckSet::All();
    allButPolygon.Set(CheckId::Polygon, false);
    EXPECT_EQ(EnabledChecks("polygon,some-future-check"), allButPolygon);
}

}  // namespace
}  // namespace rollpath
