#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "SimdataTestSupport.h"
#include "geometry/Geodesy.h"
#include "simdata/AirportLoader.h"
#include "simdata/OpenAirport.h"
#include "simdata/RunwayCheck.h"

namespace rollpath {
namespace {

using testing::InstallTest;
using testing::MakeAirport;
using testing::MakeRunway;
using testing::TestField;
using testing::WriteBytes;

double Distance(const DPoint& a, const DPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

class LoadAirportTest : public InstallTest {
protected:
    int Load(const std::string& code, const SceneryReadBack& readBack = {}) {
        return LoadAirport(doc, code, code + ".txd", code + ".txp", code + ".bgr", code + ".tms", readBack);
    }
    static SampleAirport Named(SampleAirport airport, std::string name) {
        airport.name = std::move(name);
        return airport;
    }
    DPoint VertexOf(const RollpathSegment& segment, int end) const {
        return doc.Vertex(segment.VertexAt(end)).pos();
    }
};

// Which source an opening reads: the archives locate the installation (the
// ".epd" ones before the ".pod" ones); "PodFilesFirst" picks the first
// reader, and the other is tried only when the first did not find the code.
// A file that does not exist is no error.
TEST_F(LoadAirportTest, SourcesAreLocatedAndTriedInTheConfiguredOrder) {
    using L = SampleLayout;
    enum Change { kNone, kNoArchives, kBadPod, kDamagedEpd };
    // Each source holds one airport, named after the source and found by
    // "TST" unless its code is "OTH".
    struct Source {
        L layout;
        const char* name;
        const char* code;
    };
    struct Case {
        const char* name;
        int podFilesFirst;
        std::vector<Source> sources;
        Change change;
        const char* code;
        std::string airport;  // the airport read; empty when nothing loads
        std::vector<std::string> shown;
    };
    const std::string locate = "Cannot locate Fly! directory";
    const std::string noMember =
        "DATABASE\\AIRPORT.DBD not found in " + FlyPath("System/Airport.pod").string();
    const Case cases[] = {
        {"no installation", 1, {}, kNone, "TST", "", {locate}},
        {"loose database only", 1, {{L::Loose, "L", "TST"}}, kNoArchives, "TST", "", {locate}},
        {"epd before pod", 1, {{L::Epd, "E", "TST"}, {L::Pod, "P", "TST"}}, kNone, "TST", "E", {}},
        {"pod, then loose", 1, {{L::Loose, "L", "TST"}, {L::Pod, "P", "OTH"}}, kNone, "TST", "L", {}},
        {"failing pod", 1, {{L::Loose, "L", "TST"}}, kBadPod, "TST", "", {noMember, "Cannot find TST"}},
        {"loose first", 0, {{L::Loose, "L", "TST"}}, kDamagedEpd, "TST", "L", {}},
        {"loose, then epd", 0, {{L::Loose, "L", "OTH"}, {L::Epd, "E", "TST"}}, kNone, "TST", "E", {}},
        {"loose first, epd only", 0, {{L::Epd, "E", "TST"}}, kNone, "TST", "E", {}},
        {"found nowhere", 1, {{L::All, "A", "TST"}}, kNone, "NOPE", "", {"Cannot find NOPE"}},
    };
    for (const Case& c : cases) {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            std::filesystem::remove_all(entry.path());
        }
        doc.CleanUp();
        messages.Clear();
        settings.PodFilesFirst = c.podFilesFirst;
        for (const Source& source : c.sources) {
            const bool tst = std::string(source.code) == "TST";
            Install({Named(tst ? TestField() : TestField("X", source.code, ""), source.name)}, source.layout);
        }
        if (c.change == kNoArchives) {
            std::filesystem::remove_all(FlyPath("System"));
        } else if (c.change == kBadPod) {
            WriteBytes(FlyPath("System/Airport.pod"), EncodePodArchive({}));  // no member at all
        } else if (c.change == kDamagedEpd) {
            WriteBytes(FlyPath("System/Airport.epd"), Bytes(10, 0xEE));
        }
        EXPECT_EQ(Load(c.code), c.airport.empty() ? 0 : 1) << c.name;
        if (!c.airport.empty()) {
            EXPECT_EQ(doc.m_Airport.name, c.airport) << c.name;
        }
        EXPECT_EQ(messages.shown, c.shown) << c.name;
    }
}

// A runway's centre line is seeded 25 ft short of each end; runways meeting
// at one end (a V), or lying on one another, get vertices of their own.
TEST_F(LoadAirportTest, RunwaysAreSeededShortOfTheirEndsWithVerticesOfTheirOwn) {
    const double halfLat = 3000.0 / kFeetPerNauticalMile / 60.0;
    Install({MakeAirport("K1", "NS", "", "n", 45.0, 7.0,
                         {MakeRunway("36", "18", 45.0 - halfLat, 7.0, 45.0 + halfLat, 7.0, 6000, 100)}),
             MakeAirport("K2", "VEE", "", "n", 10.0, 10.0,
                         {MakeRunway("a", "b", 10.0, 10.0, 10.01, 10.0),
                          MakeRunway("c", "d", 10.0, 10.0, 10.0, 10.01),
                          MakeRunway("e", "f", 10.0, 10.0, 10.01, 10.0)})},
            SampleLayout::Epd);
    ASSERT_EQ(Load("NS"), 1);
    ASSERT_EQ(doc.m_pSegments.size(), 1u);
    const RollpathSegment& s = *doc.m_pSegments[0];
    const RunwayRecord& r = *doc.m_pRunways[0];
    EXPECT_NEAR(Distance(r.end0, r.end1), 6000.0, 0.01);
    EXPECT_NEAR(Distance(VertexOf(s, 0), VertexOf(s, 1)), 5950.0, 0.05);
    EXPECT_NEAR(Distance(VertexOf(s, 0), r.end0), 25.0, 0.01);
    EXPECT_NEAR(Distance(VertexOf(s, 1), r.end1), 25.0, 0.01);
    EXPECT_EQ(std::tuple(s.type, s.width, s.extent0, s.extent1, doc.m_nVertices),
              std::tuple(SegmentType::RunwayCentreLine, 100.0f, 75.0, 75.0, 2));

    doc.CleanUp();
    ASSERT_EQ(Load("VEE"), 1);
    ASSERT_EQ(doc.m_pSegments.size(), 3u);
    std::set<int> vertices;
    for (const auto& segment : doc.m_pSegments) {
        vertices.insert({segment->vertex0, segment->vertex1});
    }
    EXPECT_EQ(std::tuple(vertices.size(), doc.m_nVertices), std::tuple(6u, 6));
    EXPECT_EQ(VertexOf(*doc.m_pSegments[0], 0), VertexOf(*doc.m_pSegments[2], 0));
}

// --- Reading back the editor's files ----------------------------------

// An empty network file is a layout whose rollpaths were all cut: only an
// airport without one gets the runway centre lines to start from. The
// runways are placed around the benchmark as the network file left it.
TEST_F(LoadAirportTest, OnlyAnAirportWithoutNetworkFileIsSeeded) {
    Install({TestField()}, SampleLayout::Pod);
    WriteBytes(FlyPath("Data/TST.bgr"), {});
    const double movedLat = 37.5 + 0.5 / 3600.0;
    SceneryReadBack readBack;
    readBack.readNetworkFile = [movedLat](CRollpathDoc& d, const std::filesystem::path&, double, double) {
        RollpathSegment& s = d.AppendSegment();
        s.vertex0 = d.AddVertex(0.0, 0.0, false);
        s.vertex1 = d.AddVertex(100.0, 0.0, false);
        d.m_Airport.lat = movedLat;
    };
    ASSERT_EQ(Load("TST", readBack), 1);
    EXPECT_EQ(doc.m_pSegments.size(), 1u);
    const RunwayRecord& r = *doc.m_pRunways[1];
    EXPECT_EQ(r.end0, LatLonToLocalFeet(movedLat, -122.25, r.lat0, r.lon0));

    doc.CleanUp();
    readBack.readNetworkFile = [](CRollpathDoc&, const std::filesystem::path&, double, double) {};
    ASSERT_EQ(Load("TST", readBack), 1);
    EXPECT_TRUE(doc.m_pSegments.empty());

    doc.CleanUp();
    std::filesystem::remove(FlyPath("Data/TST.bgr"));
    ASSERT_EQ(Load("TST", readBack), 1);
    EXPECT_EQ(doc.m_pSegments.size(), 2u);
}

// Opening an airport again reads its records from memory while the archives
// stay as they were; an archive rewritten since, even to the same size, is
// read anew.
TEST_F(LoadAirportTest, AnArchiveRewrittenSinceTheLastOpenIsReadAgain) {
    int rewrite = 0;
    for (const char* name : {"Before", "After1", "After1"}) {
        if (std::string(name) != doc.m_Airport.name) {
            Install({Named(TestField(), name)}, SampleLayout::Pod);
            const std::filesystem::path pod = FlyPath("System/Airport.pod");
            std::filesystem::last_write_time(
                pod, std::filesystem::last_write_time(pod) + std::chrono::seconds(2 * ++rewrite));
        }
        doc.CleanUp();
        ASSERT_EQ(Load("TST"), 1);
        EXPECT_EQ(doc.m_Airport.name, name);
    }
}

// Whatever does not open an airport leaves the open one as it was, modified
// flag and all: a cancel, an empty code, a code that is none (refused before
// anything is read) and a code the database does not hold.
TEST_F(InstallTest, AnythingButAnOpenedAirportLeavesTheOpenOneAsItWas) {
    Install({TestField()}, SampleLayout::Pod);
    const auto open = [this](std::optional<OpenAirportChoice> choice) {
        FixedOpenAirportDialog dialog(std::move(choice));
        return OnNewDocument(doc, dialog, false);
    };
    const struct {
        std::optional<OpenAirportChoice> choice;
        std::string message;  // the last one shown
    } rows[] = {
        {std::nullopt, ""},
        {OpenAirportChoice{"", false}, ""},
        {OpenAirportChoice{"KTSTXX", false}, kBadCodeMessage},
        {OpenAirportChoice{"../x", false}, kBadCodeMessage},
        {OpenAirportChoice{"TS", false}, kBadCodeMessage},
        {OpenAirportChoice{"zzz", false}, "Cannot find ZZZ"},
        {OpenAirportChoice{"ABCDE", true}, "Cannot find ABCDE"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.choice ? row.choice->code : "cancel");
        ASSERT_TRUE(open(OpenAirportChoice{"TST", false}));
        doc.SetModifiedFlag(true);
        messages.Clear();
        EXPECT_FALSE(open(row.choice));
        EXPECT_EQ(messages.shown.empty() ? "" : messages.shown.back(), row.message);
        EXPECT_EQ(std::tuple(doc.m_szCode, doc.m_bLoadedFromTms, doc.m_pRunways.size(),
                             doc.m_pSegments.size(), doc.IsModified()),
                  std::tuple("TST", 0, 2u, 2u, true));
    }
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
const std::string kNoPosition = "Runway 09/27: no position data";
const std::string kTooFar = "Runway 09/27: more than 50 nm from airport benchmark";

// At the equator one degree of latitude or longitude is 60 nm.
TEST(CheckRunway, KeepsARunwayOrSaysWhyItIsDropped) {
    struct Case {
        const char* name;
        double benchLat, benchLon;
        double lat1, lon1, lat2, lon2;
        std::string dropped;  // empty: kept
    };
    const Case cases[] = {
        {"50 nm north", 0.0, 0.0, 50.0 / 60.0, -0.01, 50.0 / 60.0, 0.01, ""},
        {"50.01 nm north", 0.0, 0.0, 50.01 / 60.0, -0.01, 50.01 / 60.0, 0.01, kTooFar},
        {"either end is reduced", 0.0, 0.0, 0.1, 0.5, 0.1, 360.5, kNoPosition},
        {"359.99 reduced before the midpoint", 0.0, 0.0, 0.0, 359.99, 0.0, 0.01, ""},
        {"a position that is not a number", 0.0, 0.0, kNan, 0.0, 0.01, 0.0, kTooFar},
        {"across the 180th meridian", 0.0, 179.995, 0.0, 179.99, 0.0, 180.005, ""},
        {"an end beyond a pole", 89.9, 0.0, 89.95, 0.0, 90.01, 0.0, kNoPosition},
        {"one end at latitude and longitude zero", 0.0, 0.0, 0.01, 0.0, 0.0, 0.0, ""},
    };
    for (const Case& c : cases) {
        CRollpathDoc doc;
        doc.m_Airport.lat = c.benchLat;
        doc.m_Airport.lon = c.benchLon;
        EXPECT_EQ(CheckRunway(doc, "09/27", c.lat1, c.lon1, c.lat2, c.lon2), c.dropped) << c.name;
    }
}

// At most 50 runways, in reading order; the dropped ones
// are named in one message, the first 20 of them.
TEST(CheckRunway, TheCollectorKeepsFiftyAndNamesTheDroppedOnce) {
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetMessageSink(&messages);
    doc.m_Airport.lat = 10.0;
    doc.m_Airport.lon = 10.0;
    RunwayCollector collector(doc);
    std::string dropped;
    for (int i = 0; i < 60; ++i) {
        RunwayRecord good;
        good.id0 = std::to_string(i);
        good.lat0 = good.lat1 = 10.0;
        good.lon0 = 9.99;
        good.lon1 = 10.01;
        collector.Add(i < 52 ? good : RunwayRecord{});
        RunwayRecord bad;  // no position
        bad.id0 = "B" + std::to_string(i);
        bad.id1 = "X";
        collector.Add(bad);
        dropped += i < 20 ? "Runway B" + std::to_string(i) + "/X: no position data\n" : "";
    }
    ASSERT_EQ(doc.m_pRunways.size(), 50u);
    EXPECT_EQ(doc.m_pRunways[49]->id0, "49");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway limit of 50 reached"});
    collector.ReportDropped();
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Runway limit of 50 reached", dropped + "and 48 more"}));
}

}  // namespace
}  // namespace rollpath
