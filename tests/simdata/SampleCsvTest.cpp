#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "SimdataTestSupport.h"
#include "document/Records.h"
#include "simdata/SampleCsv.h"

namespace rollpath {
namespace {

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
