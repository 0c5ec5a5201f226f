#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "SimdataTestSupport.h"
#include "simdata/ArchiveDatabase.h"
#include "simdata/DatabaseLayout.h"
#include "simdata/LittleEndian.h"
#include "simdata/LooseDatabase.h"

namespace rollpath {
namespace {

using testing::InstallTest;
using testing::MakeAirport;
using testing::MakeRunway;
using testing::ReadBytes;
using testing::TestField;
using testing::WriteBytes;

struct ArchiveKindCase {
    const char* name;
    SampleLayout layout;
    const char* airportFile;  // relative to the Fly! folder
    const char* runwayFile;
    const char* airportLabel;
    const char* runwayLabel;
    int (*read)(CRollpathDoc&, const std::string&, double&, double&);
};

const ArchiveKindCase kEpdCase{"epd",         SampleLayout::Epd, "System/Airport.epd", "System/Runway.epd",
                               "AIRPORT.EPD", "RUNWAY.EPD",      &ReadEpdArchives};
const ArchiveKindCase kPodCase{"pod",         SampleLayout::Pod, "System/Airport.pod", "System/Runway.pod",
                               "AIRPORT.POD", "RUNWAY.POD",      &ReadPodArchives};

void PrintTo(const ArchiveKindCase& c, std::ostream* os) {
    *os << c.name;
}

class ArchiveDatabase : public InstallTest, public ::testing::WithParamInterface<ArchiveKindCase> {
protected:
    const ArchiveKindCase& Kind() const { return GetParam(); }
    int Read(const std::string& code) { return Kind().read(doc, code, latArcsec, lonArcsec); }

    double latArcsec = -1.0;
    double lonArcsec = -1.0;
};

// An archive that does not exist holds nothing, which is no error; one that
// is there but cannot be opened is reported by name.
TEST_P(ArchiveDatabase, MissingArchivesHoldNothingUnreadableOnesAreReported) {
    Install({TestField()}, Kind().layout);
    for (const auto& [file, label] : {std::pair{Kind().runwayFile, Kind().runwayLabel},
                                      std::pair{Kind().airportFile, Kind().airportLabel}}) {
        messages.Clear();
        std::filesystem::remove(FlyPath(file));
        EXPECT_EQ(Read("TST"), 0) << file;
        EXPECT_TRUE(messages.shown.empty()) << file;
        std::filesystem::create_directory(FlyPath(file));
        EXPECT_EQ(Read("TST"), -1) << file;
        EXPECT_EQ(messages.shown, std::vector<std::string>{std::string("Cannot open ") + label});
        // What was read before the failure stays.
        EXPECT_EQ(doc.m_Airport.name, "Test Field");
        std::filesystem::remove(FlyPath(file));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ArchiveDatabase, ::testing::Values(kEpdCase, kPodCase),
                         [](const auto& info) { return std::string(info.param.name); });

// The reader is not limited to 100 directory entries.
TEST_F(InstallTest, PodWithManyEntriesFindsTheLastOne) {
    Install({TestField()}, SampleLayout::Pod);
    std::vector<ArchiveMemberData> members;
    for (int i = 0; i < 250; ++i) {
        members.push_back(
            {"DATA\\FILE" + std::to_string(i) + ".BIN", Bytes(3, static_cast<std::uint8_t>(i))});
    }
    members.push_back({"DATABASE\\AIRPORT.DBD", EncodeAirportDatabase({TestField()}, 260)});
    WriteBytes(FlyPath("System/Airport.pod"), EncodePodArchive(members));
    double lat = 0.0;
    double lon = 0.0;
    EXPECT_EQ(ReadPodArchives(doc, "TST", lat, lon), 1);
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
}

class LooseDatabase : public InstallTest {
protected:
    int Read(const std::string& code) { return ReadLooseDatabase(doc, code, latArcsec, lonArcsec); }

    double latArcsec = -1.0;
    double lonArcsec = -1.0;
};

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
    testing::WriteBytes(FlyPath("DATABASE/AIRPORT.DBD"), EncodeAirportRecord(field, 260));
    Bytes faaIndex = testing::ReadBytes(FlyPath("DATABASE/APRTFAA.DBI"));
    PutInt32(faaIndex, 68 + 4, 0);  // the first entry's offset
    testing::WriteBytes(FlyPath("DATABASE/APRTFAA.DBI"), faaIndex);
    Bytes runways;
    Bytes runwayIndex = testing::ReadBytes(FlyPath("DATABASE/RUNWAY.DBI"));
    for (std::size_t i = 0; i < field.runways.size(); ++i) {
        const Bytes record = EncodeRunwayRecord(field.runways[i], field.key, 271);
        PutInt32(runwayIndex, 68 + 14 * i + 10, static_cast<std::int32_t>(runways.size()));
        runways.insert(runways.end(), record.begin(), record.end());
    }
    testing::WriteBytes(FlyPath("DATABASE/RUNWAY.DBD"), runways);
    testing::WriteBytes(FlyPath("DATABASE/RUNWAY.DBI"), runwayIndex);
    ASSERT_EQ(Read("TST"), 1);
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
    ASSERT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(doc.m_pRunways[0]->DisplayName(), "09/27");
    EXPECT_TRUE(messages.shown.empty());
}

// Every layout finds an airport by either identifier in any case and fills
// it, each reading starting from an empty runway list: arcseconds exactly as
// stored, longitude counted east up to 360 degrees.
TEST_F(InstallTest, EachLayoutFindsByEitherIdentifierAndFillsTheAirport) {
    for (const auto& [layout, read] :
         {std::pair{SampleLayout::Loose, &ReadLooseDatabase}, std::pair{SampleLayout::Epd, &ReadEpdArchives},
          std::pair{SampleLayout::Pod, &ReadPodArchives}}) {
        Install({TestField("OTHER", "OTH", "KOTH"), TestField()}, layout);
        for (const std::string code : {"OTH", "TST", "tst", "KTST", "kTsT"}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(layout)) + " " + code);
            double latArcsec = -1.0;
            double lonArcsec = -1.0;
            ASSERT_EQ(read(doc, code, latArcsec, lonArcsec), 1);
            ASSERT_EQ(doc.m_pRunways.size(), 2u);
            if (code == "OTH") {
                continue;
            }
            const AirportRecord& a = doc.m_Airport;
            EXPECT_EQ(
                std::tie(a.key, a.faaId, a.icaoId, a.name, a.lat, a.lon, a.elevation, latArcsec, lonArcsec),
                std::tuple("TESTKEY001", "TST", "KTST", "Test Field", 37.5, -122.25, 100, 37.5 * 3600.0,
                           (-122.25 + 360.0) * 3600.0));
            EXPECT_EQ(doc.m_pRunways[0]->DisplayName() + doc.m_pRunways[1]->DisplayName(), "09/2718/36");
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

using Reader = int (*)(CRollpathDoc&, const std::string&, double&, double&);

// An airport record placed beyond a pole, or at a position that is not a
// number, is damage: no airport is opened at it, whichever layout holds it.
TEST_F(InstallTest, AirportPositionsOffTheGlobeAreDamage) {
    struct Layout {
        SampleLayout layout;
        Reader read;
        const char* message;
    };
    const Layout layouts[] = {{SampleLayout::Loose, &ReadLooseDatabase, "\\DATABASE\\AIRPORT.DBD is damaged"},
                              {SampleLayout::Epd, &ReadEpdArchives, "AIRPORT.EPD is damaged"},
                              {SampleLayout::Pod, &ReadPodArchives, "AIRPORT.POD is damaged"}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Layout& l : layouts) {
        for (const auto& [lat, lon] :
             {std::pair{95.0, -122.25}, std::pair{-90.5, 10.0}, std::pair{nan, 10.0}, std::pair{37.5, 1e9}}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(l.layout)) + " " + std::to_string(lat) + " " +
                         std::to_string(lon));
            SampleAirport airport = TestField();
            airport.lat = lat;
            airport.lon = lon;
            Install({airport}, l.layout);
            doc.CleanUp();
            messages.Clear();
            double latArcsec = 0.0;
            double lonArcsec = 0.0;
            EXPECT_EQ(l.read(doc, "TST", latArcsec, lonArcsec), -1);
            EXPECT_EQ(messages.shown, std::vector<std::string>{l.message});
            EXPECT_TRUE(doc.m_pRunways.empty());
        }
        // At the pole itself an airport still opens.
        SampleAirport pole = TestField();
        pole.lat = 90.0;
        pole.runways = {MakeRunway("09", "27", 89.999, 0.0, 89.999, 10.0)};
        Install({pole}, l.layout);
        doc.CleanUp();
        messages.Clear();
        double latArcsec = 0.0;
        double lonArcsec = 0.0;
        EXPECT_EQ(l.read(doc, "TST", latArcsec, lonArcsec), 1);
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    }
}

// A runway end beyond a pole has no place either and is dropped like one
// without position data; the others stay.
TEST_F(InstallTest, RunwayEndsBeyondAPoleAreDropped) {
    SampleAirport airport = TestField();
    airport.runways.push_back(MakeRunway("04", "22", 95.0, -122.25, 37.5, -122.24));
    Install({airport}, SampleLayout::Pod);
    double lat = 0.0;
    double lon = 0.0;
    EXPECT_EQ(ReadPodArchives(doc, "TST", lat, lon), 1);
    EXPECT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Runway 04/22: no position data"});
}

}  // namespace
}  // namespace rollpath
