// Numbers in files and fields read as the C locale reads them, whatever the
// user's locale; beyond a double's range they become infinity or zero by the
// sign of their exponent.

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>
#include <string>

#include "geometry/NumberText.h"

namespace rollpath {
namespace {

TEST(NumberText, ReadsAndWritesAsTheCLocale) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        std::optional<double> value;
    } rows[] = {
        {" 12.5 ft", 12.5}, {"-0.25", -0.25}, {"12,5", 12.5},   {"0x1p3", 8.0}, {"1e999", kInf},
        {"-1e999", -kInf},  {"1e-999", 0.0},  {"1E+999", kInf}, {"ft", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ParseDecimal(row.text), row.value) << row.text;
    }
    EXPECT_EQ(ParseInteger(" -42x"), -42);
    EXPECT_EQ(ParseInteger("99999999999"), INT_MAX);
    EXPECT_EQ(FormatFixed(-2.5, 2, 7, '0'), "-002.50");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // as printf rounds: to even
}

}  // namespace
}  // namespace rollpath
