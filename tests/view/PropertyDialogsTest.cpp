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

// --- Airport and runway ------------------------------------------------------

struct SurfaceCase {
    int bits;
    const char* name;
};

TEST_F(PropertyDialogs, RunwayLinesNameTheLowestSurfaceBit) {
    const SurfaceCase cases[] = {
        {0, "Unknown"},   {1 << 20 | 1 << 14, "Unknown"}, {1, "Concrete"},
        {0x6, "Asphalt"}, {1 << 12 | 1 << 13, "Brick"},
    };
    for (const SurfaceCase& c : cases) {
        RunwayRecord r;
        r.id0 = "10L";
        r.id1 = "28R";
        r.surface = c.bits;
        r.length = 11870;
        r.width = 200;
        EXPECT_EQ(RunwayListLine(r), std::string("10L/28R\t") + c.name + "\t11870'   x   200'") << c.bits;
        RunwayPropertiesModel dialog(r);
        EXPECT_EQ(dialog.TextOf(RunwayPropertiesModel::kSurface), c.name);
    }
}

TEST_F(PropertyDialogs, AirportPropertiesListsEveryRunwayInOrder) {
    testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150, "09", "27");
    testing::AddRunway(doc, DPoint{0.0, -2000.0}, DPoint{0.0, 2000.0}, 75, "18", "36").surface = 1 << 2;
    AirportPropertiesModel dialog(doc);
    EXPECT_EQ(dialog.Title(), "Airport Properties");
    EXPECT_EQ(dialog.TextOf(AirportPropertiesModel::kName), "SAN FRANCISCO INTL");
    EXPECT_EQ(dialog.TextOf(AirportPropertiesModel::kLon), "122\xB0 22' 31.7208\" W");
    EXPECT_EQ(dialog.TextOf(AirportPropertiesModel::kElevation), "13 ft");
    const DialogControl* list = dialog.Find(AirportPropertiesModel::kRunways);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->items,
              (std::vector<std::string>{"09/27\tAsphalt\t7000'   x   150'", "18/36\tTurf\t4000'   x   75'"}));
    EXPECT_EQ(dialog.Buttons(), DialogButtons::Ok);
    EXPECT_EQ(Refusal(dialog, "Name", "X"), "Name is read-only");
    EXPECT_TRUE(dialog.Ok());
}

TEST_F(PropertyDialogs, OnlyClosedIsEditableInRunwayProperties) {
    RunwayRecord& r = testing::AddRunway(doc, DPoint{-3500.0, 0.0}, DPoint{3500.0, 0.0}, 150);
    r.lat0 = 37.5;
    r.lon0 = -122.5;
    r.displaced0 = 490;
    r.displaced1 = 0;
    r.closed = 3;
    RunwayPropertiesModel dialog(r);
    EXPECT_EQ(dialog.Title(), "Runway Properties");
    EXPECT_EQ(dialog.TextOf(RunwayPropertiesModel::kLat0), " 37\xB0 30' 00.0000\" N");
    EXPECT_EQ(dialog.TextOf(RunwayPropertiesModel::kDisplaced0), "490 ft");
    EXPECT_EQ(dialog.TextOf(RunwayPropertiesModel::kId), "09/27");
    for (const DialogControl& c : dialog.Controls()) {
        EXPECT_EQ(c.kind == ControlKind::Edit && !c.readOnly, false) << c.name;
    }
    EXPECT_TRUE(dialog.Closed());
    EXPECT_FALSE(dialog.ChangesRunway(r));
    Set(dialog, "Closed", "0");
    ASSERT_TRUE(dialog.Ok());
    EXPECT_FALSE(dialog.Closed());
    EXPECT_TRUE(dialog.ChangesRunway(r));
}

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

TEST_F(PropertyDialogs, OkHandsBackWidthTypeAndTheEightFlags) {
    const int kept = SegmentFlag::ExtensionAt0 | SegmentFlag::Stub1 | SegmentFlag::ThroughLine;
    RollpathSegment& s = Segment(EndClass::Runway, EndClass::Rollpath, 12.25, kept | SegmentFlag::NoFill);
    Model dialog(doc, s);
    ASSERT_TRUE(dialog.Ok());
    // Left as shown ("12.2"), the width keeps its second decimal: nothing changed.
    EXPECT_EQ(dialog.GetResult().width, 12.25);
    EXPECT_FALSE(dialog.ChangesSegment(s));

    Set(dialog, "Width", "35");
    Set(dialog, "Runway Hold", "1");
    Set(dialog, "No Fill", "0");
    Set(dialog, "Type", "Runway Centerline");
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.GetResult().width, 35.0);
    EXPECT_EQ(dialog.GetResult().type, SegmentType::RunwayCentreLine);
    EXPECT_EQ(dialog.GetResult().flags, SegmentFlag::RunwayHold);
    EXPECT_TRUE(dialog.ChangesSegment(s));
    EXPECT_EQ(dialog.MergedFlags(s.flags), kept | SegmentFlag::RunwayHold);
}

// Both width fields take a number within 1 to 1000 ft (a decimal comma
// keeps its fraction) and refuse any other with the standard message, the
// field named for selecting again; text that is no number leaves the width.
TEST_F(PropertyDialogs, WidthsAreTakenWithinTheirRangeAndRefusedOutsideIt) {
    RollpathSegment& s = Segment(EndClass::Rollpath, EndClass::Rollpath, 40.0);
    struct Case {
        const char* text;
        std::optional<double> width;  // nothing: refused
    };
    const Case cases[] = {{"", 40.0},
                          {"wide", 40.0},
                          {"1", 1.0},
                          {"1000", 1000.0},
                          {"12,5", 12.5},
                          {"nan", std::nullopt},
                          {"1e39", std::nullopt},
                          {"0,5", std::nullopt},
                          {"1000.1", std::nullopt}};
    for (const Case& c : cases) {
        Model properties(doc, s);
        RollpathWidthModel width(40.0);
        for (DialogModel* dialog :
             {static_cast<DialogModel*>(&properties), static_cast<DialogModel*>(&width)}) {
            Set(*dialog, "Width", c.text);
            EXPECT_EQ(dialog->Ok(), c.width.has_value()) << c.text;
            if (!c.width) {
                ASSERT_TRUE(dialog->Refusal().has_value());
                EXPECT_EQ(dialog->Refusal()->message, "Please enter a number between 1 and 1000.");
                EXPECT_EQ(dialog->Refusal()->control,
                          dialog == &width ? RollpathWidthModel::kWidth : Model::kWidth);
            }
        }
        if (c.width) {
            EXPECT_EQ(properties.GetResult().width, *c.width) << c.text;
            EXPECT_EQ(width.Width(), *c.width) << c.text;
        }
    }
    Model spun(doc, s);
    spun.SpinUp(Model::kWidthSpin);
    Set(spun, "Width", "junk");
    ASSERT_TRUE(spun.Ok());
    EXPECT_EQ(spun.GetResult().width, 41.0);  // the spin's value
    // A width from a file outside the range does not lock the dialog.
    s.width = 0.0f;
    Model unchanged(doc, s);
    EXPECT_TRUE(unchanged.Ok());
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

TEST_F(PropertyDialogs, PolygonPropertiesDescribeTheOutline) {
    const PolygonCase cases[] = {
        {"none", {}, PolygonKind::Ordinary, "Clockwise", "Unknown", "0.0", "False"},
        {"clockwise square",
         {{0, 0}, {0, 100}, {100, 100}, {100, 0}},
         PolygonKind::Automatic,
         "Clockwise",
         "Convex",
         "10000.0",
         "True"},
        {"counter-clockwise square",
         {{0, 0}, {100, 0}, {100, 100}, {0, 100}},
         PolygonKind::Junction,
         "Counter clockwise",
         "Convex",
         "10000.0",
         "False"},
        {"L shape",
         {{0, 0}, {0, 20}, {10, 20}, {10, 10}, {20, 10}, {20, 0}},
         PolygonKind::Ordinary,
         "Clockwise",
         "Concave",
         "300.0",
         "False"},
    };
    for (const PolygonCase& c : cases) {
        GroundPolygon polygon;
        polygon.points = c.points;
        polygon.kind = c.kind;
        PolygonPropertiesModel dialog(polygon);
        EXPECT_EQ(dialog.TextOf(PolygonPropertiesModel::kDirection), c.direction) << c.name;
        EXPECT_EQ(dialog.TextOf(PolygonPropertiesModel::kComplexity), c.complexity) << c.name;
        EXPECT_EQ(dialog.TextOf(PolygonPropertiesModel::kArea), c.area) << c.name;
        EXPECT_EQ(dialog.TextOf(PolygonPropertiesModel::kAutomatic), c.automatic) << c.name;
        EXPECT_EQ(dialog.Find(PolygonPropertiesModel::kArea)->suffix, "sq ft");
    }
}

}  // namespace
}  // namespace rollpath
