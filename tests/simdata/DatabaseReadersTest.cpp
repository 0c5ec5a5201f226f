#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

// An archive that does not exist holds nothing, which is no error; one that
// is there but cannot be opened is reported by name.
TEST_F(InstallTest, MissingArchivesHoldNothingUnreadableOnesAreReported) {
    const struct {
        SampleLayout layout;
        int (*read)(CRollpathDoc&, const std::string&, double&, double&);
        std::vector<std::pair<const char*, const char*>> files;  // relative to the Fly! folder, and label
    } kinds[] = {
        {SampleLayout::Epd,
         &ReadEpdArchives,
         {{"System/Runway.epd", "RUNWAY.EPD"}, {"System/Airport.epd", "AIRPORT.EPD"}}},
        {SampleLayout::Pod,
         &ReadPodArchives,
         {{"System/Runway.pod", "RUNWAY.POD"}, {"System/Airport.pod", "AIRPORT.POD"}}},
    };
    for (const auto& kind : kinds) {
        Install({TestField()}, kind.layout);
        for (const auto& [file, label] : kind.files) {
            SCOPED_TRACE(file);
            messages.Clear();
            std::filesystem::remove(FlyPath(file));
            EXPECT_EQ(Read(kind.read, "TST"), 0);
            EXPECT_TRUE(messages.shown.empty());
            std::filesystem::create_directory(FlyPath(file));
            EXPECT_EQ(Read(kind.read, "TST"), -1);
            EXPECT_EQ(messages.shown, std::vector<std::string>{std::string("Cannot open ") + label});
            // What was read before the failure stays.
            EXPECT_EQ(doc.m_Airport.name, "Test Field");
            std::filesystem::remove(FlyPath(file));
        }
    }
}

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
    EXPECT_EQ(Read(&ReadPodArchives, "TST"), 1);
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
}

// The FAA index answers first; the ICAO index is then not even opened.
TEST_F(InstallTest, FirstIndexWinsAndTheSecondIsNotRead) {
    Install({MakeAirport("FAAKEY", "ABCD", "", "From FAA", 10.0, 10.0),
             MakeAirport("ICAOKEY", "", "ABCD", "From ICAO", 20.0, 20.0)},
            SampleLayout::Loose);
    std::filesystem::remove(FlyPath("DATABASE/APRTICAO.DBI"));
    ASSERT_EQ(Read(&ReadLooseDatabase, "ABCD"), 1);
    EXPECT_EQ(doc.m_Airport.name, "From FAA");
    EXPECT_TRUE(messages.shown.empty());
}

// Offsets count from the start of the data file: a record at offset 0 (a
// file written without a header) is as good as any other.
TEST_F(InstallTest, RecordsAtTheStartOfTheirFilesAreRead) {
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
    ASSERT_EQ(Read(&ReadLooseDatabase, "TST"), 1);
    EXPECT_EQ(doc.m_Airport.name, "Test Field");
    ASSERT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(doc.m_pRunways[0]->DisplayName(), "09/27");
    EXPECT_TRUE(messages.shown.empty());
}

// Every layout finds an airport by either identifier in any case and fills
// it, each reading starting from an empty runway list: arcseconds exactly as
// stored, longitude counted east up to 360 degrees. An airport record placed
// beyond a pole is damage: no airport is opened at it.
TEST_F(InstallTest, EachLayoutFindsByEitherIdentifierAndFillsTheAirport) {
    const struct {
        SampleLayout layout;
        int (*read)(CRollpathDoc&, const std::string&, double&, double&);
        const char* damaged;
    } layouts[] = {{SampleLayout::Loose, &ReadLooseDatabase, "\\DATABASE\\AIRPORT.DBD is damaged"},
                   {SampleLayout::Epd, &ReadEpdArchives, "AIRPORT.EPD is damaged"},
                   {SampleLayout::Pod, &ReadPodArchives, "AIRPORT.POD is damaged"}};
    for (const auto& [layout, read, damaged] : layouts) {
        SampleAirport far = TestField("FAR", "FAR", "KFAR");
        far.lat = 95.0;
        Install({TestField("OTHER", "OTH", "KOTH"), TestField(), far}, layout);
        for (const std::string code : {"OTH", "TST", "tst", "KTST", "kTsT"}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(layout)) + " " + code);
            ASSERT_EQ(Read(read, code), 1);
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
        doc.CleanUp();
        EXPECT_EQ(Read(read, "FAR"), -1);
        EXPECT_EQ(messages.shown, std::vector<std::string>{damaged});
        EXPECT_TRUE(doc.m_pRunways.empty());
        messages.Clear();
    }
}

}  // namespace
}  // namespace rollpath
