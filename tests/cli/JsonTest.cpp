#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "cli/Json.h"

namespace rollpath::cli {
namespace {

// Names read from hostile files reach the output: it stays valid JSON.
TEST(JsonQuote, EscapesControlsAndReplacesWhatIsNoUtf8) {
    const struct {
        std::string input;
        std::string quoted;
    } rows[] = {
        {"\\DATABASE\\\"A\"", "\"\\\\DATABASE\\\\\\\"A\\\"\""},
        {std::string("\b\n\x01\x1f\x00", 5), "\"\\b\\n\\u0001\\u001f\\u0000\""},
        {"\xE2\x82\xAC\xF0\x9F\x9B\xAB", "\"\xE2\x82\xAC\xF0\x9F\x9B\xAB\""},
        {"45\xB0", "\"45\xEF\xBF\xBD\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JsonQuote(row.input), row.quoted);
    }
}

TEST(JsonNumber, IsShortestAndReadsBackExactly) {
    EXPECT_EQ(JsonNumber(75.0), "75");
    EXPECT_EQ(JsonNumber(-122.375478), "-122.375478");
    EXPECT_EQ(JsonNumber(-0.0), "0");
    EXPECT_EQ(JsonNumber(1e300), "1e+300");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
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

}  // namespace
}  // namespace rollpath::cli
