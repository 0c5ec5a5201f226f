// Byte layouts of the database records, index files and archives, checked
// against images put together here field by field; the sample database made
// from its CSV sources.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "SimdataTestSupport.h"
#include "document/Records.h"
#include "simdata/DatabaseRecords.h"
#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"

namespace rollpath {
namespace {

using testing::MakeAirport;
using testing::MakeRunway;

// Bytes at an offset of an image; numbers little-endian, written here
// independently of the code's own writers.
struct Field {
    std::size_t at;
    Bytes bytes;
};

Field U32(std::size_t at, std::uint64_t v, int size = 4) {
    Field f{at, Bytes(static_cast<std::size_t>(size))};
    for (int i = 0; i < size; ++i) {
        f.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    return f;
}

Field F64(std::size_t at, double d) {
    return U32(at, std::bit_cast<std::uint64_t>(d), 8);
}

Field Str(std::size_t at, const std::string& s) {
    return {at, Bytes(s.begin(), s.end())};
}

Bytes Image(std::size_t size, const std::vector<Field>& fields) {
    Bytes image(size, 0);
    for (const Field& f : fields) {
        std::copy(f.bytes.begin(), f.bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(f.at));
    }
    return image;
}

TEST(DatabaseLayout, RecordsDecodeWithFullFieldWidthsAndLongitudeReduction) {
    // A key using all 10 characters and a first identifier using all 4, no
    // NUL; the byte after the name field is not part of the name.
    const Bytes airportRecord =
        Image(260, {Str(4, "ABCDEFGHIJ"), Str(14, "WXYZ"), Str(18, "VWXYZ"), Str(23, std::string(40, 'n')),
                    Str(63, "X"), F64(93, -45.5 * 3600.0), F64(101, 190.0 * 3600.0),
                    U32(109, static_cast<std::uint32_t>(-20))});
    AirportRecord airport;
    const StoredPosition stored = DecodeAirportRecord(airportRecord, airport);
    EXPECT_EQ(std::tie(airport.key, airport.faaId, airport.icaoId, airport.name, airport.lat, airport.lon,
                       airport.elevation),
              std::tuple("ABCDEFGHIJ", "WXYZ", "VWXYZ", std::string(40, 'n'), -45.5, -170.0, -20));
    // The stored values come back untouched; exactly 180 degrees is not reduced.
    EXPECT_EQ(std::tuple(stored.latArcsec, stored.lonArcsec), std::tuple(-45.5 * 3600.0, 190.0 * 3600.0));
    EXPECT_EQ(std::tuple(ReduceLongitude(180.0), ReduceLongitude(180.5)), std::tuple(180.0, -179.5));
    // A position an airport can be placed at: finite, within the poles and the
    // stored circle (or the signed half circles).
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double lat, lon;
        bool plausible;
    } positions[] = {{90.0, 360.0, true},  {-90.0, -180.0, true}, {90.01, 0.0, false}, {-90.5, 10.0, false},
                     {0.0, 360.01, false}, {0.0, -180.01, false}, {nan, 0.0, false},   {0.0, nan, false}};
    for (const auto& p : positions) {
        EXPECT_EQ(PlausibleStoredPosition({p.lat * 3600.0, p.lon * 3600.0}), p.plausible)
            << p.lat << " " << p.lon;
    }

    // The closed field is a signed byte: -1 widened.
    const Bytes runwayRecord =
        Image(251, {Str(14, "key0000001"), U32(24, 6000), U32(28, 150), U32(32, 0x6), Str(57, "\xFF"),
                    Str(59, "13LC"), F64(63, 41.5 * 3600.0), F64(71, 272.0 * 3600.0), U32(99, 463),
                    U32(114, 4), Str(155, "31RC"), F64(159, 41.25 * 3600.0), F64(167, 90.0 * 3600.0),
                    U32(195, 696), U32(210, 1)});
    EXPECT_EQ(RunwayAirportKey(runwayRecord), "key0000001");
    const RunwayRecord r = DecodeRunwayRecord(runwayRecord);
    EXPECT_EQ(std::tie(r.length, r.width, r.surface, r.closed, r.lat0, r.lon0, r.lat1, r.lon1, r.displaced0,
                       r.displaced1, r.endAttr0, r.endAttr1),
              std::tuple(6000, 150, 0x6, -1, 41.5, -88.0, 41.25, 90.0, 463, 696, 4, 1));
    EXPECT_EQ(r.DisplayName(), "13LC/31RC");
}

// Index entries are sorted by key and give record offsets behind a 56-byte
// header; an epd archive counts ten entries at the least; a pod archive keeps
// its directory after the members.
TEST(DatabaseLayout, IndexesAndArchivesAreWrittenFieldByField) {
    const LooseDatabaseFiles files = EncodeLooseDatabase({
        MakeAirport("K2", "ZZZ", "", "Second", 1.0, 1.0, {MakeRunway("a", "b", 1, 1, 1.01, 1)}),
        MakeAirport("K1", "AAA", "KAAA", "First", 2.0, 2.0,
                    {MakeRunway("c", "d", 2, 2, 2.01, 2), MakeRunway("e", "f", 2, 2, 2, 2.01)}),
    });
    ASSERT_EQ(files.airports.size(), 56u + 2 * 260);
    ASSERT_EQ(files.runways.size(), 56u + 3 * 271);
    const Field header = Str(0, "Rollpath sample database");
    const std::size_t epdDirectory = 272 + 9 * 80;
    const struct {
        const char* name;
        Bytes written;
        Bytes expected;
    } rows[] = {
        {"FAA index", files.faaIndex,
         Image(68 + 2 * 8,
               {header, U32(16, 2), Str(68, "AAA"), U32(72, 56 + 260), Str(76, "ZZZ"), U32(80, 56)})},
        {"ICAO index", files.icaoIndex,
         Image(68 + 9, {header, U32(16, 1), Str(68, "KAAA"), U32(73, 56 + 260)})},
        {"runway index", files.runwayIndex,
         Image(68 + 3 * 14, {header, U32(16, 3), Str(68, "K1"), U32(78, 56 + 271), Str(82, "K1"),
                             U32(92, 56 + 2 * 271), Str(96, "K2"), U32(106, 56)})},
        {"epd archive", EncodeEpdArchive({{"DATABASE\\AIRPORT.DBD", {1, 2, 3, 4, 5}}}),
         Image(epdDirectory + 5, {header,
                                  U32(260, 10),
                                  Str(272, "DATABASE\\AIRPORT.DBD"),
                                  U32(272 + 64, 5),
                                  U32(272 + 68, epdDirectory),
                                  {epdDirectory, {1, 2, 3, 4, 5}}})},
        {"pod archive", EncodePodArchive({{"DATABASE\\AIRPORT.DBD", {9, 9, 9}}, {"x", {7, 7}}}),
         Image(288 + 5 + 40 + 23, {header,
                                   U32(88, 2),
                                   U32(264, 288 + 5),
                                   {288, {9, 9, 9, 7, 7}},
                                   U32(293 + 4, 3),
                                   U32(293 + 8, 288),
                                   U32(293 + 24, 2),
                                   U32(293 + 28, 291),
                                   Str(333, std::string("DATABASE\\AIRPORT.DBD\0x\0", 23))})},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.written, row.expected) << row.name;
    }
}

// --- The sample database, from its CSV sources -----------------------------

using Rows = std::vector<std::vector<std::string>>;

TEST(SampleCsv, ParsesQuotedFieldsAndLineEnds) {
    EXPECT_EQ(ParseCsv("a,b\r\n\"c,d\",\"say \"\"hi\"\"\"\n,\n\nlast"),
              (Rows{{"a", "b"}, {"c,d", "say \"hi\""}, {"", ""}, {"last"}}));
    EXPECT_EQ(ParseCsv("\"two\nlines\",x\n"), (Rows{{"two\nlines", "x"}}));
    EXPECT_EQ(ParseCsv("\"\"\n"), (Rows{{""}}));
    EXPECT_TRUE(ParseCsv("").empty());
}

constexpr int kTurfBit = 1 << kTurf;

const char* const kRunwayHeader =
    "\"id\",\"airport_ref\",\"airport_ident\",\"length_ft\",\"width_ft\",\"surface\",\"lighted\",\"closed\","
    "\"le_ident\",\"le_latitude_deg\",\"le_longitude_deg\",\"le_elevation_ft\",\"le_heading_degT\","
    "\"le_displaced_threshold_ft\",\"he_ident\",\"he_latitude_deg\",\"he_longitude_deg\",\"he_elevation_ft\","
    "\"he_heading_degT\",\"he_displaced_threshold_ft\"\n";

TEST(SampleCsv, AllAirportsKeepsAirportsWithPositionsAndDerivesTheirRecord) {
    std::string csv = kRunwayHeader;
    csv +=
        // Two positioned runways; elevations 7 and 8 (mean 7.5, rounded to 8).
        "1,1,\"AB12\",5000,100,\"ASP\",1,0,\"09\",10.0,-20.0,7,90,300,\"27\",10.0,-19.0,8,270,\n"
        "2,1,\"AB12\",3000,60,\"TURF\",0,1,\"18\",11.0,-20.0,,0,,\"36\",9.0,-20.0,,180,\n"
        // One end missing: written without any position.
        "3,1,\"AB12\",3000,60,\"TURF\",0,0,\"05\",10.5,,,,,\"23\",10.6,-19.5,,,\n"
        // No positions at all: left out.
        "4,2,\"NOPOS\",3000,60,\"ASP\",0,0,\"01\",,,,,,\"19\",,,,,\n"
        // Identifiers by length (an ICAO code has at most five characters);
        // 1164.5 rounds to the even 1164.
        "5,3,\"ABCDE\",2000,50,\"X\",0,0,\"a\",1.0,1.0,1164,,,\"b\",1.0,1.1,1165,,\n"
        "6,4,\"US-001\",2000,50,\"X\",0,0,\"a\",2.0,2.0,33,,,\"b\",2.0,2.1,,,\n";
    std::string error;
    const auto airports = AllAirportsFromRunwaysCsv(csv, error);
    ASSERT_TRUE(airports) << error;
    ASSERT_EQ(airports->size(), 3u);

    const SampleAirport& a = (*airports)[0];
    // The benchmark is the mean of the runway ends: (10 + 10 + 11 + 9) / 4.
    EXPECT_EQ(std::tie(a.key, a.name, a.faaId, a.icaoId, a.lat, a.lon, a.elevation),
              std::tuple("AB12", "AB12", "AB12", "AB12", 10.0, -19.75, 8));
    ASSERT_EQ(a.runways.size(), 3u);
    const std::vector<SampleRunway>& r = a.runways;
    EXPECT_EQ(
        std::tie(r[0].displaced0, r[0].endAttr0, r[0].endAttr1, r[1].closed, r[1].surface, r[1].endAttr0),
        std::tuple(300, 4, 4, 1, kTurfBit, 0));
    EXPECT_EQ(std::tie(r[2].lat0, r[2].lat1, r[2].lon1), std::tuple(0.0, 0.0, 0.0));

    const SampleAirport& b = (*airports)[1];
    const SampleAirport& c = (*airports)[2];  // with the one elevation given
    EXPECT_EQ(std::tie(b.faaId, b.icaoId, b.elevation, b.runways[0].surface),
              std::tuple("", "ABCDE", 1164, 0));
    EXPECT_EQ(std::tie(c.faaId, c.icaoId, c.key, c.elevation), std::tuple("", "", "US-001", 33));
}

}  // namespace
}  // namespace rollpath
