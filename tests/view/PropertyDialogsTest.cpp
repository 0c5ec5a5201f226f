// The property dialogs' models: what they show, how they enable their
// controls and what OK hands back.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "view/dialogs/AirportPropertiesModel.h"
#include "view/dialogs/PolygonPropertiesModel.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/RollpathWidthModel.h"
#include "view/dialogs/RunwayPropertiesModel.h"
#include "view/dialogs/ScriptedDialogs.h"
#include "view/dialogs/VertexPropertiesModel.h"

namespace rollpath {
namespace {

using Model = RollpathPropertiesModel;

bool Set(DialogModel& dialog, const std::string& name, const std::string& value) {
    std::string problem;
    const bool ok = dialog.SetField(name, value, problem);
    EXPECT_TRUE(ok) << dialog.Title() << ": " << problem;
    return ok;
}

std::string Refusal(DialogModel& dialog, const std::string& name, const std::string& value) {
    std::string problem;
    EXPECT_FALSE(dialog.SetField(name, value, problem)) << name;
    return problem;
}

class PropertyDialogs : public ::testing::Test {
protected:
    PropertyDialogs() {
        doc.m_Airport.name = "SAN FRANCISCO INTL";
        doc.m_Airport.lat = 37.618544;
        doc.m_Airport.lon = -122.375478;
        doc.m_Airport.elevation = 13;
    }

    // A rollpath from (0, 0) to (300, 400) with the given end classes.
    RollpathSegment& Segment(int endClass0, int endClass1, double width = 12.0, int flags = 0) {
        const int a = testing::AddVertexAt(doc, 0.0, 0.0);
        const int b = testing::AddVertexAt(doc, 300.0, 400.0);
        RollpathSegment& s = testing::AddSegment(doc, a, b, width);
        s.flags = flags;
        s.endClass0 = endClass0;
        s.endClass1 = endClass1;
        return s;
    }

    CRollpathDoc doc;
};

// --- Rollpath ---------------------------------------------------------------

struct HoldCase {
    int end0;
    int end1;
    bool enabled;
};

TEST_F(PropertyDialogs, RunwayHoldNeedsAnEndOnARunway) {
    const HoldCase cases[] = {
        {EndClass::Rollpath, EndClass::DeadEnd, false},   {EndClass::DeadEnd, EndClass::DeadEnd, false},
        {EndClass::Rollpath, EndClass::RunwayEnd, true},  {EndClass::Runway, EndClass::Rollpath, true},
        {EndClass::Extension, EndClass::Rollpath, false}, {7, -1, false},
    };
    for (const HoldCase& c : cases) {
        Model dialog(doc, Segment(c.end0, c.end1));
        EXPECT_EQ(dialog.IsEnabled(Model::kRunwayHold), c.enabled) << c.end0 << ", " << c.end1;
        EXPECT_TRUE(dialog.IsEnabled(Model::kCriticalHold));
        EXPECT_FALSE(dialog.IsEnabled(Model::kBlastPad));
    }
}

TEST_F(PropertyDialogs, NoPolygonAndTheCentrelineDisableTheFlags) {
    Model dialog(doc, Segment(EndClass::RunwayEnd, EndClass::Rollpath));
    const int seven[] = {Model::kNoMarkings, Model::kNoLighting,   Model::kNoExit,  Model::kNoFill,
                         Model::kRunwayHold, Model::kCriticalHold, Model::kBlastPad};
    dialog.Click(Model::kNoPolygon);
    EXPECT_TRUE(dialog.IsEnabled(Model::kNoPolygon));
    for (const int id : seven) {
        EXPECT_FALSE(dialog.IsEnabled(id)) << id;
    }
    dialog.Click(Model::kNoPolygon);
    for (const int id : seven) {
        EXPECT_EQ(dialog.IsEnabled(id), id != Model::kBlastPad) << id;
    }
    Set(dialog, "Type", "Runway Centerline");
    EXPECT_FALSE(dialog.IsEnabled(Model::kNoPolygon));
    for (const int id : seven) {
        EXPECT_FALSE(dialog.IsEnabled(id)) << id;
    }
    Set(dialog, "Rollpath", "1");
    EXPECT_TRUE(dialog.IsEnabled(Model::kNoPolygon));
    EXPECT_TRUE(dialog.IsEnabled(Model::kRunwayHold));
    EXPECT_EQ(Refusal(dialog, "Blast Pad", "1"), "Blast Pad is disabled");
}

TEST_F(PropertyDialogs, ASegmentWithVerticesOutsideThePoolHasNoLength) {
    RollpathSegment& s = Segment(EndClass::Rollpath, EndClass::Rollpath);
    s.vertex1 = 9000;
    EXPECT_EQ(Model(doc, s).TextOf(Model::kLength), "0.0");
    s.vertex1 = -1;
    EXPECT_EQ(Model(doc, s).TextOf(Model::kLength), "0.0");
}

// --- Vertex and polygon --------------------------------------------------------

TEST_F(PropertyDialogs, VertexPropertiesCountsLiveSegmentsAndShowsSinkFirst) {
    const int v = testing::AddVertexAt(doc, -12.9, 3.7);
    const int a = testing::AddVertexAt(doc, 100.0, 0.0);
    const int b = testing::AddVertexAt(doc, 0.0, 100.0);
    testing::AddSegment(doc, v, a, 30.0);
    testing::AddSegment(doc, b, v, 30.0);
    testing::AddSegment(doc, a, b, 30.0);
    testing::AddSegment(doc, v, b, 30.0).state = -1;
    doc.Vertex(v).flags = VertexFlag::NoLighting | 0x40;
    doc.m_nSource = v;
    doc.m_nSink = v;
    VertexPropertiesModel dialog(doc, v);
    EXPECT_EQ(dialog.Title(), "Vertex Properties");
    EXPECT_EQ(dialog.TextOf(VertexPropertiesModel::kNumber), std::to_string(v));
    EXPECT_EQ(dialog.TextOf(VertexPropertiesModel::kOffset), "x=-12, y=3");
    EXPECT_EQ(dialog.TextOf(VertexPropertiesModel::kRollpaths), "2");
    EXPECT_EQ(dialog.TextOf(VertexPropertiesModel::kFlow), "Sink");
    doc.m_nSink = -1;
    EXPECT_EQ(VertexPropertiesModel(doc, v).TextOf(VertexPropertiesModel::kFlow), "Source");
    doc.m_nSource = a;
    EXPECT_EQ(VertexPropertiesModel(doc, v).TextOf(VertexPropertiesModel::kFlow), "");

    EXPECT_TRUE(dialog.IsChecked(VertexPropertiesModel::kNoLighting));
    Set(dialog, "No Polygon", "yes");
    Set(dialog, "No Lighting", "off");
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Flags(), VertexFlag::NoPolygon);
    EXPECT_EQ(dialog.MergedFlags(doc.Vertex(v).flags), VertexFlag::NoPolygon | 0x40);
    EXPECT_EQ(Refusal(dialog, "Flow", "Sink"), "Flow is read-only");
}

struct PolygonCase {
    const char* name;
    std::vector<DPoint> points;
    int kind;
    const char* direction;
    const char* complexity;
    const char* area;
    const char* automatic;
};

}  // namespace
}  // namespace rollpath
