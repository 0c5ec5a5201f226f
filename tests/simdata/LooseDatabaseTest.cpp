#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SimdataTestSupport.h"
#include "simdata/DatabaseLayout.h"
#include "simdata/LittleEndian.h"
#include "simdata/LooseDatabase.h"

namespace rollpath {
namespace {

using testing::InstallTest;
using testing::MakeAirport;
using testing::MakeRunway;
using testing::TestField;

class LooseDatabase : public InstallTest {
protected:
    int Read(const std::string& code) { return ReadLooseDatabase(doc, code, latArcsec, lonArcsec); }

    double latArcsec = -1.0;
    double lonArcsec = -1.0;
};

TEST_F(LooseDatabase, FindsByFirstIdentifierAndFillsTheAirport) {
    Install({TestField()}, SampleLayout::Loose);
    ASSERT_EQ(Read("TST"), 1);
    EXPECT_EQ(doc.m_Airport.key, "TESTKEY001");
    EXPECT_EQ(doc.m_Airport.faaId, "TST");
    EXPECT_EQ(doc.m_Airport.icaoId, "KTST");
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
    EXPECT_NEAR(doc.m_Airport.lat, 37.5, 1e-12);
    EXPECT_NEAR(doc.m_Airport.lon, -122.25, 1e-12);
    EXPECT_EQ(doc.m_Airport.elevation, 100);
    // Arcseconds exactly as stored, longitude counted east up to 360 degrees.
    EXPECT_EQ(latArcsec, 37.5 * 3600.0);
    EXPECT_EQ(lonArcsec, (-122.25 + 360.0) * 3600.0);
    ASSERT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(doc.m_pRunways[0]->DisplayName(), "09/27");
    EXPECT_EQ(doc.m_pRunways[1]->DisplayName(), "18/36");
    EXPECT_TRUE(messages.shown.empty());
}

// The FAA index answers first; the ICAO index is then not even opened.
TEST_F(LooseDatabase, FirstIndexWinsAndTheSecondIsNotRead) {
    Install({MakeAirport("FAAKEY", "ABCD", "", "From FAA", 10.0, 10.0),
             MakeAirport("ICAOKEY", "", "ABCD", "From ICAO", 20.0, 20.0)},
            SampleLayout::Loose);
    std::filesystem::remove(FlyPath("DATABASE/APRTICAO.DBI"));
    ASSERT_EQ(Read("ABCD"), 1);
    EXPECT_EQ(doc.m_Airport.name, "From FAA");
    EXPECT_TRUE(messages.shown.empty());
}

// Offsets count from the start of the data file: a record at offset 0 (a
// file written without a header) is as good as any other.
TEST_F(LooseDatabase, RecordsAtTheStartOfTheirFilesAreRead) {
    const SampleAirport field = TestField();
    Install({field}, SampleLayout::Loose);
    testing::WriteFileBytes(FlyPath("DATABASE/AIRPORT.DBD"), EncodeAirportRecord(field, 260));
    Bytes faaIndex = testing::ReadFileBytes(FlyPath("DATABASE/APRTFAA.DBI"));
    PutInt32(faaIndex, 68 + 4, 0);  // the first entry's offset
    testing::WriteFileBytes(FlyPath("DATABASE/APRTFAA.DBI"), faaIndex);
    Bytes runways;
    Bytes runwayIndex = testing::ReadFileBytes(FlyPath("DATABASE/RUNWAY.DBI"));
    for (std::size_t i = 0; i < field.runways.size(); ++i) {
        const Bytes record = EncodeRunwayRecord(field.runways[i], field.key, 271);
        PutInt32(runwayIndex, 68 + 14 * i + 10, static_cast<std::int32_t>(runways.size()));
        runways.insert(runways.end(), record.begin(), record.end());
    }
    testing::WriteFileBytes(FlyPath("DATABASE/RUNWAY.DBD"), runways);
    testing::WriteFileBytes(FlyPath("DATABASE/RUNWAY.DBI"), runwayIndex);
    ASSERT_EQ(Read("TST"), 1);
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
    ASSERT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(doc.m_pRunways[0]->DisplayName(), "09/27");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LooseDatabase, RunwaysOfADifferentAirportBeyondFiftyMilesAreDropped) {
    SampleAirport airport = TestField();
    airport.runways.push_back(MakeRunway("FA", "R", 40.0, -122.26, 40.0, -122.24));
    airport.runways.push_back(MakeRunway("NO", "POS", 0.0, 0.0, 0.0, 0.0));
    Install({airport}, SampleLayout::Loose);
    ASSERT_EQ(Read("TST"), 1);
    EXPECT_EQ(doc.m_pRunways.size(), 2u);
    // One message names every runway dropped.
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway FA/R: more than 50 nm from airport benchmark\n"
                                                       "Runway NO/POS: no position data"});
}

TEST_F(LooseDatabase, ReadingAgainRebuildsTheRunwayListFromEmpty) {
    Install({TestField(), TestField("OTHER", "OTH", "")}, SampleLayout::Loose);
    ASSERT_EQ(Read("TST"), 1);
    ASSERT_EQ(Read("OTH"), 1);
    EXPECT_EQ(doc.m_pRunways.size(), 2u);
}

}  // namespace
}  // namespace rollpath
