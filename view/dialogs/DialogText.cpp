#include "view/dialogs/DialogText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace rollpath {

namespace {

// The blanks of the C locale, which "%d" skips.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
    return ParseDecimal(text.substr(0, std::min(text.size(), kDecimalFieldLength)));
}

std::optional<double> ReadWidth(std::string_view text) {
    const std::optional<double> value = ReadDecimal(text);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return value;
}

int ReadSignedInteger(std::string_view text) {
    std::size_t at = SkipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t digits = at;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    if (at == digits || SkipBlanks(text, at) != text.size()) {
        return 0;
    }
    std::int64_t value = 0;
    const auto r = std::from_chars(text.data() + digits, text.data() + at, value);
    if (r.ec != std::errc{}) {
        return 0;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        return 0;
    }
    return static_cast<int>(value);
}

std::string DialogLatLon(double degrees, LatLonKind kind) {
    std::string text = FormatLatLon(degrees, kind, 4);
    if (text.empty()) {
        return text;
    }
    int whole = 0;
    int minutes = 0;
    double seconds = 0.0;
    SplitDegrees(degrees, whole, minutes, seconds);
    // The formatter drops the first of the blanks "%3d" puts before degrees
    // below 100; the dialogs show them all.
    if (whole < 100) {
        text.insert(0, 1, ' ');
    }
    return text;
}

std::string FeetText(int feet) {
    return std::to_string(feet) + " ft";
}

}  // namespace rollpath
