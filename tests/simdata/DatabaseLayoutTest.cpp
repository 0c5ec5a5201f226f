// Byte layouts of the database records, index files and archives, checked
// against bytes put together here field by field.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>

#include "SimdataTestSupport.h"
#include "simdata/DatabaseRecords.h"
#include "simdata/SampleInstall.h"

namespace rollpath {
namespace {

using testing::MakeAirport;
using testing::MakeRunway;

// Little-endian field writers of the test's own.
void Le32(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    b[at + 2] = static_cast<std::uint8_t>(v >> 16);
    b[at + 3] = static_cast<std::uint8_t>(v >> 24);
}

void Le64Double(Bytes& b, std::size_t at, double d) {
    std::uint64_t v = 0;
    static_assert(sizeof v == sizeof d);
    std::memcpy(&v, &d, sizeof v);
    for (int i = 0; i < 8; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void Text(Bytes& b, std::size_t at, const std::string& s) {
    std::memcpy(b.data() + at, s.data(), s.size());
}

TEST(DatabaseLayout, AirportRecordDecodesWithFullFieldWidthsAndLongitudeReduction) {
    Bytes record(260, 0);
    Text(record, 4, "ABCDEFGHIJ");  // a key using all 10 characters, no NUL
    Text(record, 14, "WXYZ");       // a first identifier using all 4
    Text(record, 18, "VWXYZ");
    Text(record, 23, std::string(40, 'n'));
    record[63] = 'X';  // byte after the name field: not part of the name
    Le64Double(record, 93, -45.5 * 3600.0);
    Le64Double(record, 101, 190.0 * 3600.0);
    Le32(record, 109, static_cast<std::uint32_t>(-20));

    AirportRecord airport;
    const StoredPosition stored = DecodeAirportRecord(record, airport);
    EXPECT_EQ(airport.key, "ABCDEFGHIJ");
    EXPECT_EQ(airport.faaId, "WXYZ");
    EXPECT_EQ(airport.icaoId, "VWXYZ");
    EXPECT_EQ(airport.name, std::string(40, 'n'));
    EXPECT_DOUBLE_EQ(airport.lat, -45.5);
    EXPECT_DOUBLE_EQ(airport.lon, -170.0);
    EXPECT_EQ(airport.elevation, -20);
    // The stored values come back untouched.
    EXPECT_EQ(stored.latArcsec, -45.5 * 3600.0);
    EXPECT_EQ(stored.lonArcsec, 190.0 * 3600.0);
    // Exactly 180 degrees is not reduced.
    EXPECT_EQ(ReduceLongitude(180.0), 180.0);
    EXPECT_EQ(ReduceLongitude(180.5), -179.5);
}

TEST(DatabaseLayout, RunwayRecordDecodes) {
    Bytes record(251, 0);
    Text(record, 14, "key0000001");
    Le32(record, 24, 6000);
    Le32(record, 28, 150);
    Le32(record, 32, 0x6);
    record[57] = 0xFF;  // a signed byte: -1 widened
    Text(record, 59, "13LC");
    Le64Double(record, 63, 41.5 * 3600.0);
    Le64Double(record, 71, 272.0 * 3600.0);
    Le32(record, 99, 463);
    Le32(record, 114, 4);
    Text(record, 155, "31RC");
    Le64Double(record, 159, 41.4 * 3600.0);
    Le64Double(record, 167, 90.0 * 3600.0);
    Le32(record, 195, 696);
    Le32(record, 210, 1);

    EXPECT_EQ(RunwayAirportKey(record), "key0000001");
    const RunwayRecord runway = DecodeRunwayRecord(record);
    EXPECT_EQ(runway.length, 6000);
    EXPECT_EQ(runway.width, 150);
    EXPECT_EQ(runway.surface, 0x6);
    EXPECT_EQ(runway.closed, -1);
    EXPECT_EQ(runway.id0, "13LC");
    EXPECT_EQ(runway.id1, "31RC");
    EXPECT_DOUBLE_EQ(runway.lat0, 41.5);
    EXPECT_DOUBLE_EQ(runway.lon0, -88.0);
    EXPECT_DOUBLE_EQ(runway.lat1, 41.4);
    EXPECT_DOUBLE_EQ(runway.lon1, 90.0);
    EXPECT_EQ(runway.displaced0, 463);
    EXPECT_EQ(runway.displaced1, 696);
    EXPECT_EQ(runway.endAttr0, 4);
    EXPECT_EQ(runway.endAttr1, 1);
    EXPECT_EQ(runway.DisplayName(), "13LC/31RC");
}

TEST(DatabaseLayout, LooseIndexesListRecordOffsetsByKey) {
    const std::vector<SampleAirport> airports = {
        MakeAirport("K2", "ZZZ", "", "Second", 1.0, 1.0, {MakeRunway("a", "b", 1, 1, 1.01, 1)}),
        MakeAirport("K1", "AAA", "KAAA", "First", 2.0, 2.0,
                    {MakeRunway("c", "d", 2, 2, 2.01, 2), MakeRunway("e", "f", 2, 2, 2, 2.01)}),
    };
    const LooseDatabaseFiles files = EncodeLooseDatabase(airports);

    // Airport records follow a 56-byte header.
    ASSERT_EQ(files.airports.size(), 56u + 2 * 260);
    ASSERT_EQ(files.runways.size(), 56u + 3 * 271);

    Bytes faa(68 + 2 * 8, 0);
    Text(faa, 0, "Rollpath sample database");
    Le32(faa, 16, 2);
    Text(faa, 68, "AAA");  // sorted by key
    Le32(faa, 72, 56 + 260);
    Text(faa, 76, "ZZZ");
    Le32(faa, 80, 56);
    EXPECT_EQ(files.faaIndex, faa);

    Bytes icao(68 + 9, 0);
    Text(icao, 0, "Rollpath sample database");
    Le32(icao, 16, 1);
    Text(icao, 68, "KAAA");
    Le32(icao, 73, 56 + 260);
    EXPECT_EQ(files.icaoIndex, icao);

    Bytes runway(68 + 3 * 14, 0);
    Text(runway, 0, "Rollpath sample database");
    Le32(runway, 16, 3);
    Text(runway, 68, "K1");
    Le32(runway, 78, 56 + 271);
    Text(runway, 82, "K1");
    Le32(runway, 92, 56 + 2 * 271);
    Text(runway, 96, "K2");
    Le32(runway, 106, 56);
    EXPECT_EQ(files.runwayIndex, runway);
}

TEST(DatabaseLayout, EpdArchiveHasTenAsItsSmallestCount) {
    const Bytes data = {1, 2, 3, 4, 5};
    const Bytes archive = EncodeEpdArchive({{"DATABASE\\AIRPORT.DBD", data}});
    const std::size_t directory = 272 + 9 * 80;
    ASSERT_EQ(archive.size(), directory + data.size());

    Bytes expected(directory, 0);
    Text(expected, 0, "Rollpath sample database");
    Le32(expected, 260, 10);
    Text(expected, 272, "DATABASE\\AIRPORT.DBD");
    Le32(expected, 272 + 64, 5);
    Le32(expected, 272 + 68, static_cast<std::uint32_t>(directory));
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(archive, expected);
}

TEST(DatabaseLayout, PodArchiveKeepsItsDirectoryAfterTheMembers) {
    const Bytes a = {9, 9, 9};
    const Bytes b = {7, 7};
    const Bytes archive = EncodePodArchive({{"DATABASE\\AIRPORT.DBD", a}, {"x", b}});

    Bytes expected(288, 0);
    Text(expected, 0, "Rollpath sample database");
    Le32(expected, 88, 2);
    Le32(expected, 264, 288 + 5);
    expected.insert(expected.end(), a.begin(), a.end());
    expected.insert(expected.end(), b.begin(), b.end());
    Bytes entries(40, 0);
    Le32(entries, 4, 3);
    Le32(entries, 8, 288);
    Le32(entries, 24, 2);
    Le32(entries, 28, 291);
    expected.insert(expected.end(), entries.begin(), entries.end());
    const std::string names("DATABASE\\AIRPORT.DBD\0x\0", 23);
    expected.insert(expected.end(), names.begin(), names.end());
    EXPECT_EQ(archive, expected);
}

}  // namespace
}  // namespace rollpath
