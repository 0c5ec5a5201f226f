#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "simdata/RunwayCheck.h"

namespace rollpath {
namespace {

class CheckRunwayTest : public ::testing::Test {
protected:
    CheckRunwayTest() {
        doc.SetMessageSink(&messages);
        doc.m_Airport.lat = 0.0;
        doc.m_Airport.lon = 0.0;
    }
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

// The midpoint sits due north of the benchmark at 0/0, where the distance is
// exactly 60 times the latitude difference.
TEST_F(CheckRunwayTest, FiftyMilesIsKeptAndFiftyPointZeroOneDropped) {
    const double kept = 50.0 / 60.0;
    EXPECT_EQ(CheckRunway(doc, "01/19", kept, -0.01, kept, 0.01), 1);
    EXPECT_TRUE(messages.shown.empty());

    const double dropped = 50.01 / 60.0;
    EXPECT_EQ(CheckRunway(doc, "01/19", dropped, -0.01, dropped, 0.01), 0);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Runway 01/19: more than 50 nm from airport benchmark"});
}

struct NoPositionCase {
    const char* name;
    double lat1, lon1, lat2, lon2;
};

void PrintTo(const NoPositionCase& c, std::ostream* os) {
    *os << c.name;
}

class CheckRunwayNoPosition : public CheckRunwayTest, public ::testing::WithParamInterface<NoPositionCase> {};

TEST_P(CheckRunwayNoPosition, IsDroppedWithItsMessage) {
    const NoPositionCase& c = GetParam();
    EXPECT_EQ(CheckRunway(doc, "09/27", c.lat1, c.lon1, c.lat2, c.lon2), 0);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway 09/27: no position data"});
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckRunwayNoPosition,
                         ::testing::Values(NoPositionCase{"all_zero", 0.0, 0.0, 0.0, 0.0},
                                           NoPositionCase{"same_ends", 0.1, 0.2, 0.1, 0.2},
                                           // 360.5 reduces to the other end's 0.5
                                           NoPositionCase{"same_after_reduction", 0.1, 360.5, 0.1, 0.5},
                                           // checked before the distance
                                           NoPositionCase{"same_ends_far_away", 10.0, 10.0, 10.0, 10.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckRunwayTest, OneEndAtZeroIsNotMissingData) {
    EXPECT_EQ(CheckRunway(doc, "a/b", 0.0, 0.0, 0.01, 0.0), 1);
}

TEST_F(CheckRunwayTest, LongitudesAboveOneEightyAreReducedBeforeTheMidpoint) {
    // Without the reduction the midpoint would lie at 180 degrees east.
    EXPECT_EQ(CheckRunway(doc, "a/b", 0.0, 359.99, 0.0, 0.01), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CheckRunwayTest, PositionThatIsNotANumberIsDropped) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(CheckRunway(doc, "a/b", nan, 0.0, 0.01, 0.0), 0);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway a/b: more than 50 nm from airport benchmark"});
}

TEST_F(CheckRunwayTest, DistanceIsMeasuredFromTheBenchmarkToTheMidpoint) {
    doc.m_Airport.lat = 40.0;
    doc.m_Airport.lon = -100.0;
    // Ends 80 nm apart on either side of the benchmark: midpoint at it.
    EXPECT_EQ(CheckRunway(doc, "a/b", 40.0 - 40.0 / 60.0, -100.0, 40.0 + 40.0 / 60.0, -100.0), 1);
    // Both ends 60 nm south of it.
    EXPECT_EQ(CheckRunway(doc, "c/d", 39.0, -100.01, 39.0, -99.99), 0);
}

TEST_F(CheckRunwayTest, CollectorAppendsInOrderAndRefusesBeyondFifty) {
    doc.m_Airport.lat = 10.0;
    doc.m_Airport.lon = 10.0;
    doc.AppendRunway().id0 = "old";
    RunwayCollector collector(doc);
    EXPECT_TRUE(doc.m_pRunways.empty());  // rebuilt from empty
    for (int i = 0; i < 52; ++i) {
        RunwayRecord runway;
        runway.id0 = std::to_string(i);
        runway.lat0 = runway.lat1 = 10.0;
        runway.lon0 = 9.99;
        runway.lon1 = 10.01;
        collector.Add(runway);
    }
    ASSERT_EQ(doc.m_pRunways.size(), 50u);
    EXPECT_EQ(doc.m_pRunways[49]->id0, "49");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway limit of 50 reached"});
}

}  // namespace
}  // namespace rollpath
