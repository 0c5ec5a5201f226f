#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "document/AnsiText.h"
#include "support/DecimalCommaLocale.h"
#include "view/dialogs/DialogModel.h"
#include "view/dialogs/DialogText.h"

namespace rollpath {
namespace {

struct DecimalCase {
    const char* text;
    std::optional<double> value;
};

// As "%lf" reads in the C locale, whatever the user's locale; a decimal
// comma keeps its fraction.
TEST(DialogText, DecimalsAreReadLikePercentLfInEveryLocale) {
    const std::string thirtyBlanks(30, ' ');
    const DecimalCase cases[] = {
        {"12.5", 12.5},        {"  -3", -3.0},        {"+4.5e1", 45.0},
        {"12abc", 12.0},       {"12,5", 12.5},        {".5", 0.5},
        {"1e", 1.0},           {"0x10", 16.0},        {"1e400", std::numeric_limits<double>::infinity()},
        {"-1e-400", -0.0},     {"abc", std::nullopt}, {"", std::nullopt},
        {"+-5", std::nullopt}, {".", std::nullopt},
    };
    for (const char* locale : {"C", testing::kDecimalCommaLocale}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
        for (const DecimalCase& c : cases) {
            EXPECT_EQ(ReadDecimal(c.text), c.value) << '"' << c.text << "\" in " << locale;
        }
        EXPECT_EQ(FormatFixed(1234.56, 1, 4), "1234.6") << locale;
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(std::isinf(*ReadDecimal("inf")));
    EXPECT_TRUE(std::isnan(*ReadDecimal("nan")));
    // Only the first 31 characters are read.
    EXPECT_EQ(ReadDecimal(thirtyBlanks + "7"), 7.0);
    EXPECT_EQ(ReadDecimal(thirtyBlanks + " 7"), std::nullopt);
    EXPECT_EQ(ReadDecimal("1234567890123456789012345678901234"), 1234567890123456789012345678901.0);
}

struct IntegerCase {
    const char* text;
    int signedField;             // as an integer field reads it
    std::optional<int> scanned;  // as "%d" reads it
};

TEST(DialogText, LatitudesKeepTheirLeadingBlanks) {
    EXPECT_EQ(DialogLatLon(45.5, LatLonKind::Latitude), " 45\xB0 30' 00.0000\" N");
    EXPECT_EQ(DialogLatLon(-5.25, LatLonKind::Latitude), "  5\xB0 15' 00.0000\" S");
    EXPECT_EQ(DialogLatLon(-122.25, LatLonKind::Longitude), "122\xB0 15' 00.0000\" W");
    EXPECT_EQ(DialogLatLon(std::nan(""), LatLonKind::Longitude), "");
    EXPECT_EQ(FeetText(-13), "-13 ft");
}

TEST(AnsiText, TypedTextComesBackToTheCodePage) {
    EXPECT_EQ(Utf8ToAnsi("45\xC2\xB0 N"), "45\xB0 N");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToAnsi("\xE6\x97\xA5"), "?");  // not in the code page
    EXPECT_EQ(Utf8ToAnsi("a\xFF"
                         "b"),
              "a?b");                                // not UTF-8
    EXPECT_EQ(Utf8ToAnsi("\xC2"), "?");              // cut short
    EXPECT_EQ(Utf8ToAnsi("\xC0\x80"), "?");          // overlong
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
    // Every byte the code page assigns survives the round trip.
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        if (AnsiToUtf8(ansi) != "\xEF\xBF\xBD") {
            EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(ansi)), ansi) << byte;
        }
    }
}

}  // namespace
}  // namespace rollpath
