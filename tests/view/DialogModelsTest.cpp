// The dialogs' models: how their fields read and show text in every locale,
// what the property dialogs show, how they enable their controls and what OK
// hands back, and the Open command on a project list whose entry is no
// airport code (the dialogs on screen: tests/ui).

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "document/ProjectList.h"
#include "project/DocumentPipeline.h"
#include "support/DecimalCommaLocale.h"
#include "support/TempDir.h"
#include "view/dialogs/DialogModel.h"
#include "view/dialogs/DialogText.h"
#include "view/dialogs/OpenProjectModel.h"
#include "view/dialogs/RollpathPropertiesModel.h"
#include "view/dialogs/ScriptedDialogs.h"
#include "view/dialogs/VertexPropertiesModel.h"

namespace rollpath {
namespace {

struct DecimalCase {
    const char* text;
    std::optional<double> value;
};

// As "%lf" reads in the C locale, whatever the user's locale; a decimal
// comma keeps its fraction.
TEST(DialogText, DecimalsAreReadLikePercentLfInEveryLocale) {
    const std::string thirtyBlanks(30, ' ');
    const DecimalCase cases[] = {
        {"12.5", 12.5},        {"  -3", -3.0},        {"+4.5e1", 45.0},
        {"12abc", 12.0},       {"12,5", 12.5},        {".5", 0.5},
        {"1e", 1.0},           {"0x10", 16.0},        {"1e400", std::numeric_limits<double>::infinity()},
        {"-1e-400", -0.0},     {"abc", std::nullopt}, {"", std::nullopt},
        {"+-5", std::nullopt}, {".", std::nullopt},
    };
    for (const char* locale : {"C", testing::kDecimalCommaLocale}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
        for (const DecimalCase& c : cases) {
            EXPECT_EQ(ReadDecimal(c.text), c.value) << '"' << c.text << "\" in " << locale;
        }
        EXPECT_EQ(FormatFixed(1234.56, 1, 4), "1234.6") << locale;
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(std::isinf(*ReadDecimal("inf")));
    EXPECT_TRUE(std::isnan(*ReadDecimal("nan")));
    // Only the first 31 characters are read.
    EXPECT_EQ(ReadDecimal(thirtyBlanks + "7"), 7.0);
    EXPECT_EQ(ReadDecimal(thirtyBlanks + " 7"), std::nullopt);
    EXPECT_EQ(ReadDecimal("1234567890123456789012345678901234"), 1234567890123456789012345678901.0);
    // Latitudes keep their leading blanks.
    EXPECT_EQ(DialogLatLon(45.5, LatLonKind::Latitude), " 45\xB0 30' 00.0000\" N");
    EXPECT_EQ(DialogLatLon(-5.25, LatLonKind::Latitude), "  5\xB0 15' 00.0000\" S");
    EXPECT_EQ(DialogLatLon(-122.25, LatLonKind::Longitude), "122\xB0 15' 00.0000\" W");
    EXPECT_EQ(DialogLatLon(std::nan(""), LatLonKind::Longitude), "");
    EXPECT_EQ(FeetText(-13), "-13 ft");
}

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
    // A rollpath from (0, 0) to (300, 400) with the given end classes.
    RollpathSegment& Segment(int endClass0, int endClass1) {
        RollpathSegment& s = testing::AddRollpath(doc, DPoint{0.0, 0.0}, DPoint{300.0, 400.0}, 12.0);
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
    for (const int outside : {9000, -1}) {
        s.vertex1 = outside;
        EXPECT_EQ(Model(doc, s).TextOf(Model::kLength), "0.0") << outside;
    }
}

// --- Vertex --------------------------------------------------------------------

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

TEST(OpenProject, TheOpenCommandRefusesAnEntryLongerThanACode) {
    testing::TempDir dir("rollpath-open-long");
    std::ofstream(dir / kProjectListName, std::ios::binary)
        << "[TOOLONGCODE]\ntxp=a\nbgr=b\nbmp=\"\" 0 0 100 0\n";
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetMessageSink(&messages);
    doc.SetProgramDir(dir.path());
    ScriptedDialogs dialogs;
    dialogs.Queue(DialogAnswer{});
    HostedOpenProjectDialog dialog(dialogs);
    PendingProject pending;
    EXPECT_FALSE(OnFileOpen(doc, dialog, pending));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"Open Project"}));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kBadCodeMessage}));
    // Cancel opens nothing and says nothing.
    messages.Clear();
    EXPECT_FALSE(OnFileOpen(doc, dialog, pending));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace rollpath
