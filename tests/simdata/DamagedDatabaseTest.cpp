// Damaged and hostile database fields: the user gets the message naming the
// file, and the document keeps what it had. (Random damage and cuts are the
// fuzz targets' work.)

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "SimdataTestSupport.h"
#include "simdata/ArchiveDatabase.h"
#include "simdata/DatabaseLayout.h"
#include "simdata/LooseDatabase.h"

namespace rollpath {
namespace {

using testing::InstallTest;
using testing::MakeRunway;
using testing::ReadFileBytes;
using testing::TestField;
using testing::WriteFileBytes;

using Reader = int (*)(CRollpathDoc&, const std::string&, double&, double&);

class HostileArchive : public InstallTest {
public:
    HostileArchive() { Install({TestField()}, SampleLayout::All); }

    int ReadEpd() { return ReadEpdArchives(doc, "TST", lat, lon); }
    int ReadPod() { return ReadPodArchives(doc, "TST", lat, lon); }
    int ReadLoose() { return ReadLooseDatabase(doc, "TST", lat, lon); }

protected:
    void Patch(const char* file, std::size_t offset, std::int32_t value) {
        Bytes bytes = ReadFileBytes(FlyPath(file));
        PutInt32(bytes, offset, value);
        WriteFileBytes(FlyPath(file), bytes);
    }

    double lat = 0.0;
    double lon = 0.0;
};

struct FieldCase {
    const char* name;
    const char* file;
    std::size_t offset;
    std::int32_t value;
    int (HostileArchive::*read)();
    int expected;
    const char* message;  // the only message; empty for none
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileField : public HostileArchive, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(HostileField, IsReported) {
    const FieldCase& c = GetParam();
    Patch(c.file, c.offset, c.value);
    EXPECT_EQ((this->*c.read)(), c.expected);
    if (*c.message == '\0') {
        EXPECT_TRUE(messages.shown.empty());
    } else {
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
    }
}

constexpr std::size_t kEpdFirstEntry = 272;
constexpr std::size_t kPodEntries = 288 + 56 + 260;  // the directory after the one member
constexpr std::size_t kFirstFaaEntry = 68;

INSTANTIATE_TEST_SUITE_P(
    Fields, HostileField,
    ::testing::Values(
        FieldCase{"EpdHugeCount", "System/Airport.epd", 260, 0x7FFFFFFF, &HostileArchive::ReadEpd, 1, ""},
        FieldCase{"EpdNegativeCount", "System/Airport.epd", 260, -5, &HostileArchive::ReadEpd, 1, ""},
        FieldCase{"EpdMemberBeyondArchive", "System/Airport.epd", kEpdFirstEntry + 64, 1 << 30,
                  &HostileArchive::ReadEpd, -1, "AIRPORT.EPD is damaged"},
        FieldCase{"EpdNegativeMemberSize", "System/Airport.epd", kEpdFirstEntry + 64, -1,
                  &HostileArchive::ReadEpd, -1, "AIRPORT.EPD is damaged"},
        FieldCase{"EpdNegativeMemberOffset", "System/Airport.epd", kEpdFirstEntry + 68, -100,
                  &HostileArchive::ReadEpd, -1, "AIRPORT.EPD is damaged"},
        FieldCase{"EpdMemberOffsetAtEnd", "System/Runway.epd", kEpdFirstEntry + 68, 0x7FFFFFF0,
                  &HostileArchive::ReadEpd, -1, "RUNWAY.EPD is damaged"},
        FieldCase{"PodHugeCount", "System/Airport.pod", 88, 0x7FFFFFFF, &HostileArchive::ReadPod, -1,
                  "AIRPORT.POD is damaged"},
        FieldCase{"PodNegativeCount", "System/Airport.pod", 88, -1, &HostileArchive::ReadPod, -1,
                  "AIRPORT.POD is damaged"},
        FieldCase{"PodDirectoryBeyond", "System/Airport.pod", 264, 1 << 30, &HostileArchive::ReadPod, -1,
                  "AIRPORT.POD is damaged"},
        FieldCase{"PodNegativeDirectory", "System/Airport.pod", 264, -4, &HostileArchive::ReadPod, -1,
                  "AIRPORT.POD is damaged"},
        FieldCase{"PodMemberBeyondArchive", "System/Airport.pod", kPodEntries + 4, 100000,
                  &HostileArchive::ReadPod, -1, "AIRPORT.POD is damaged"},
        FieldCase{"PodNegativeMemberOffset", "System/Airport.pod", kPodEntries + 8, -288,
                  &HostileArchive::ReadPod, -1, "AIRPORT.POD is damaged"},
        FieldCase{"IndexHugeCount", "DATABASE/APRTFAA.DBI", 16, 0x7FFFFFFF, &HostileArchive::ReadLoose, 1,
                  "\\DATABASE\\APRTFAA.DBI is damaged"},
        // Nothing usable in the first index; "TST" is not in the second.
        FieldCase{"IndexNegativeCount", "DATABASE/APRTFAA.DBI", 16, -3, &HostileArchive::ReadLoose, 0,
                  "\\DATABASE\\APRTFAA.DBI is damaged"},
        FieldCase{"AirportOffsetBeyond", "DATABASE/APRTFAA.DBI", kFirstFaaEntry + 4, 1 << 30,
                  &HostileArchive::ReadLoose, -1, "\\DATABASE\\AIRPORT.DBD is damaged"},
        FieldCase{"AirportOffsetNegative", "DATABASE/APRTFAA.DBI", kFirstFaaEntry + 4, -1,
                  &HostileArchive::ReadLoose, -1, "\\DATABASE\\AIRPORT.DBD is damaged"},
        FieldCase{"RunwayOffsetBeyond", "DATABASE/RUNWAY.DBI", 68 + 10, 0x7FFFFFFF,
                  &HostileArchive::ReadLoose, 1, "\\DATABASE\\RUNWAY.DBD is damaged"},
        FieldCase{"RunwayOffsetNegative", "DATABASE/RUNWAY.DBI", 68 + 10, -271, &HostileArchive::ReadLoose, 1,
                  "\\DATABASE\\RUNWAY.DBD is damaged"}),
    [](const auto& info) { return std::string(info.param.name); });

// Empty and tiny members hold no records, an empty one at the very end of
// its archive too; an archive file of no bytes at all is damage.
TEST_F(HostileArchive, EmptyAndTinyMembersHoldNoRecords) {
    for (const std::size_t size : {0u, 10u, 56u}) {
        WriteFileBytes(FlyPath("System/Airport.epd"),
                       EncodeEpdArchive({{"DATABASE\\AIRPORT.DBD", Bytes(size, 0)}}));
        EXPECT_EQ(ReadEpd(), 0) << size;
    }
    EXPECT_TRUE(messages.shown.empty());
    WriteFileBytes(FlyPath("System/Airport.epd"), Bytes{});
    EXPECT_EQ(ReadEpd(), -1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"AIRPORT.EPD is damaged"});
}

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
