// Numbers in files and fields read and write as the C locale's "%lf", "%d"
// and "%f" do, whatever the user's locale, with a decimal comma accepted.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "geometry/NumberText.h"

namespace rollpath {
namespace {

TEST(NumberText, ParsesAsTheCLocaleDoesAndTakesADecimalComma) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        std::optional<double> value;
        std::size_t used;
    } rows[] = {
        {" \t-2.5 ft", -2.5, 6}, {"12,5", 12.5, 4},    {"12,x", 12.0, 2},     {",5", std::nullopt, 0},
        {"1.5e3x", 1500.0, 5},   {"+0x10", 16.0, 5},   {"0x", 0.0, 1},        {"+-1", std::nullopt, 0},
        {"1e999", kInf, 5},      {"-1e-999", -0.0, 7}, {"", std::nullopt, 0}, {"inf", kInf, 3},
    };
    for (const auto& row : rows) {
        std::size_t used = 0;
        EXPECT_EQ(ParseDecimal(row.text, &used), row.value) << '"' << row.text << '"';
        EXPECT_EQ(used, row.used) << '"' << row.text << '"';
    }
    EXPECT_EQ(ParseInteger(" -12abc"), -12);
    EXPECT_EQ(ParseInteger("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseInteger("x1"), std::nullopt);
    EXPECT_EQ(FormatFixed(-1.26, 1, 6, '0'), "-001.3");
    EXPECT_EQ(FormatFixed(3.14159, 4, 8), "  3.1416");
    EXPECT_EQ(FormatFixed(2.0, 0), "2");
}

}  // namespace
}  // namespace rollpath
