#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "cli/Json.h"

namespace rollpath::cli {
namespace {

struct QuoteCase {
    const char* name;
    std::string input;
    std::string quoted;
};

void PrintTo(const QuoteCase& c, std::ostream* os) {
    *os << c.name;
}

class Quote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quote, EscapesAndKeepsValidUtf8) {
    EXPECT_EQ(JsonQuote(GetParam().input), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Quote,
    ::testing::Values(QuoteCase{"plain", "KSFO", "\"KSFO\""}, QuoteCase{"empty", "", "\"\""},
                      QuoteCase{"quote_and_backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
                      QuoteCase{"windows_path", "\\DATABASE\\AIRPORT.DBD", "\"\\\\DATABASE\\\\AIRPORT.DBD\""},
                      QuoteCase{"short_escapes", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
                      QuoteCase{"other_controls", std::string("\x01\x1f\x00", 3),
                                "\"\\u0001\\u001f\\u0000\""},
                      QuoteCase{"delete_is_allowed", "\x7f", "\"\x7f\""},
                      QuoteCase{"two_byte", "\xC2\xB0", "\"\xC2\xB0\""},
                      QuoteCase{"three_byte", "\xE2\x82\xAC", "\"\xE2\x82\xAC\""},
                      QuoteCase{"four_byte", "\xF0\x9F\x9B\xAB", "\"\xF0\x9F\x9B\xAB\""},
                      QuoteCase{"lone_ansi_byte", "45\xB0", "\"45\xEF\xBF\xBD\""},
                      QuoteCase{"cut_sequence", "\xE2\x82", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                      QuoteCase{"overlong_slash", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                      QuoteCase{"surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
                      QuoteCase{"beyond_unicode", "\xF4\x90\x80\x80",
                                "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonNumber, IsShortestAndReadsBackExactly) {
    EXPECT_EQ(JsonNumber(75.0), "75");
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(-122.375478), "-122.375478");
    EXPECT_EQ(JsonNumber(-0.0), "0");
    EXPECT_EQ(JsonNumber(1e300), "1e+300");
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        double value = 0.0;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        const std::string text = JsonNumber(value);
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), value == 0.0 ? 0.0 : value) << text;
    }
}

TEST(JsonNumber, ValuesJsonCannotHoldAreNull) {
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
}

}  // namespace
}  // namespace rollpath::cli
