#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "simdata/RunwayCheck.h"

namespace rollpath {
namespace {

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
        {"all zero", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, kNoPosition},
        {"both ends at one place", 0.0, 0.0, 0.1, 0.2, 0.1, 0.2, kNoPosition},
        {"one place after 360.5 is reduced", 0.0, 0.0, 0.1, 360.5, 0.1, 0.5, kNoPosition},
        {"no position before the distance", 0.0, 0.0, 10.0, 10.0, 10.0, 10.0, kNoPosition},
        {"one end at zero", 0.0, 0.0, 0.0, 0.0, 0.01, 0.0, ""},
        {"359.99 reduced before the midpoint", 0.0, 0.0, 0.0, 359.99, 0.0, 0.01, ""},
        {"a position that is not a number", 0.0, 0.0, kNan, 0.0, 0.01, 0.0, kTooFar},
        {"ends 80 nm apart around the benchmark", 40.0, -100.0, 40.0 - 40.0 / 60.0, -100.0,
         40.0 + 40.0 / 60.0, -100.0, ""},
        {"both ends 60 nm south", 40.0, -100.0, 39.0, -100.01, 39.0, -99.99, kTooFar},
        {"across the 180th meridian", 0.0, 179.995, 0.0, 179.99, 0.0, 180.005, ""},
        {"across it the other way", 0.0, -179.995, 0.0, 180.005, 0.0, 179.99, ""},
    };
    for (const Case& c : cases) {
        CRollpathDoc doc;
        doc.m_Airport.lat = c.benchLat;
        doc.m_Airport.lon = c.benchLon;
        EXPECT_EQ(CheckRunway(doc, "09/27", c.lat1, c.lon1, c.lat2, c.lon2), c.dropped) << c.name;
    }
}

// Rebuilt from empty in reading order; at most 50 runways; the dropped ones
// are named in one message, the first 20 of them.
TEST(CheckRunway, TheCollectorKeepsFiftyAndNamesTheDroppedOnce) {
    RecordingMessageSink messages;
    CRollpathDoc doc;
    doc.SetMessageSink(&messages);
    doc.m_Airport.lat = 10.0;
    doc.m_Airport.lon = 10.0;
    doc.AppendRunway().id0 = "old";
    RunwayCollector collector(doc);
    EXPECT_TRUE(doc.m_pRunways.empty());
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
    collector.ReportDropped();
    EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace
}  // namespace rollpath
