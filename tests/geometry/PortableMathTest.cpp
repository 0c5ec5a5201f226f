// Numbers that come out the same on every platform: the elementary
// functions, and numbers read and written as text.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "geometry/NumberText.h"
#include "geometry/PortableMath.h"
#include "support/DeterministicRandom.h"

namespace rollpath::math {
namespace {

// |got - exact| in units in the last place of the double nearest exact,
// measured against the C library's long double functions.
double Ulps(double got, long double exact) {
    const double nearest = static_cast<double>(exact);
    const double ulp =
        std::nextafter(std::fabs(nearest), std::numeric_limits<double>::infinity()) - std::fabs(nearest);
    return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / ulp);
}

struct Accuracy {
    std::string name;
    std::function<double(double, double)> ours;
    std::function<long double(long double, long double)> exact;
    double lo, hi;  // both arguments drawn from [lo, hi)
    double limit = 1.0;
};

TEST(PortableMath, WithinTheirErrorBoundsOverTheRangesTheGeometryUses) {
#ifdef _WIN32
    // The values are the same bits on every platform; measured where the
    // reference is exact.
    GTEST_SKIP() << "MinGW's long double functions (x87) are no exact reference";
#endif
    const Accuracy cases[] = {
        {"Sin", [](double x, double) { return Sin(x); },
         [](long double x, long double) { return std::sin(x); }, -800.0, 800.0},
        {"Cos", [](double x, double) { return Cos(x); },
         [](long double x, long double) { return std::cos(x); }, -800.0, 800.0},
        {"Tan", [](double x, double) { return Tan(x); },
         [](long double x, long double) { return std::tan(x); }, -1.5, 1.5},
        {"Atan", [](double x, double) { return Atan(x); },
         [](long double x, long double) { return std::atan(x); }, -100.0, 100.0},
        {"Atan2", [](double y, double x) { return Atan2(y, x); },
         [](long double y, long double x) { return std::atan2(y, x); }, -5000.0, 5000.0,
         2.0},  // the quotient y / x is rounded before its arctangent
        {"Acos", [](double x, double) { return Acos(x); },
         [](long double x, long double) { return std::acos(x); }, -1.0, 1.0},
        {"Hypot", [](double x, double y) { return Hypot(x, y); },
         [](long double x, long double y) { return std::sqrt(x * x + y * y); }, -1e6, 1e6},
        {"Log", [](double x, double) { return Log(x); },
         [](long double x, long double) { return std::log(x); }, 1e-6, 1e6},
    };
    for (const Accuracy& c : cases) {
        testing::DeterministicRandom random(7);
        double worst = 0.0;
        for (int i = 0; i < 20000; ++i) {
            const double a = random.Uniform(c.lo, c.hi);
            const double b = random.Uniform(c.lo, c.hi);
            worst = std::max(worst, Ulps(c.ours(a, b), c.exact(a, b)));
        }
        EXPECT_LE(worst, c.limit) << c.name;
    }
}

TEST(PortableMath, ExactValuesAndEdges) {
    EXPECT_EQ(Sin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(Sin(-0.0)));
    EXPECT_EQ(Cos(0.0), 1.0);
    EXPECT_EQ(Acos(1.0), 0.0);
    for (int k = -1074; k <= 1023; ++k) {
        ASSERT_EQ(Log2(std::ldexp(1.0, k)), k) << k;  // the triangulator's phase counts rely on it
    }
    EXPECT_EQ(Atan2(0.0, -1.0), Acos(-1.0));
    EXPECT_EQ(Atan2(-0.0, -1.0), -Acos(-1.0));
    EXPECT_EQ(Hypot(3.0, 4.0), 5.0);
    EXPECT_LE(Ulps(Hypot(1e300, 1e300), std::sqrt(2.0L) * 1e300L), 1.0);  // no overflow
    EXPECT_LE(Ulps(Hypot(1e-310, 1e-310), std::sqrt(2.0L) * 1e-310L), 1.0);
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Hypot(kInf, std::nan("")), kInf);
    EXPECT_EQ(Atan2(kInf, -kInf), 3.0 * Atan2(1.0, 1.0));  // the corners of the plane at infinity
    EXPECT_EQ(Atan2(-kInf, -kInf), -3.0 * Atan2(1.0, 1.0));
    EXPECT_TRUE(std::isnan(Sin(kInf)) && std::isnan(Cos(-kInf)) && std::isnan(Log(-1.0)));
    EXPECT_EQ(Log(0.0), -kInf);
    // Far beyond any angle: still a value in [-1, 1], the same everywhere.
    EXPECT_LE(std::fabs(Sin(1e300)), 1.0);
}

// Numbers in files and fields read as the C locale reads them, whatever the
// user's locale; beyond a double's range they become infinity or zero by the
// sign of their exponent.
TEST(NumberText, ReadsAndWritesAsTheCLocale) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        std::optional<double> value;
    } rows[] = {
        {" 12.5 ft", 12.5}, {"-0.25", -0.25}, {"12,5", 12.5},   {"0x1p3", 8.0},       {"1e999", kInf},
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
}  // namespace rollpath::math
