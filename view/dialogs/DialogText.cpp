#include "view/dialogs/DialogText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace rollpath {

namespace {

// The blanks of the C locale, which "%lf" and "%d" skip.
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

// A number too large or too small for a double: infinity when its exponent
// is positive (or absent), zero when it is negative.
double OutOfRange(std::string_view number) {
    const std::size_t e = number.find_first_of("eEpP");
    const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    return tiny ? 0.0 : std::numeric_limits<double>::infinity();
}

int Saturate(std::int64_t v) {
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kDecimalFieldLength));
    std::size_t at = SkipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::string_view rest = text.substr(at);
    if (rest.empty() || rest[0] == '+' || rest[0] == '-') {
        return std::nullopt;
    }
    double value = 0.0;
    const char* first = rest.data();
    const char* last = rest.data() + rest.size();
    std::chars_format format = std::chars_format::general;
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        // "0x" with no hexadecimal digits after it still reads as 0.
        first += 2;
        format = std::chars_format::hex;
        if (first == last || *first == '+' || *first == '-') {
            return negative ? -0.0 : 0.0;
        }
    }
    const std::from_chars_result r = std::from_chars(first, last, value, format);
    if (r.ec == std::errc::result_out_of_range) {
        value = OutOfRange(std::string_view(first, static_cast<std::size_t>(r.ptr - first)));
    } else if (r.ec != std::errc{}) {
        if (format == std::chars_format::hex) {
            return negative ? -0.0 : 0.0;
        }
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> ReadWidth(std::string_view text) {
    const std::optional<double> value = ReadDecimal(text);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ReadInteger(std::string_view text) {
    std::size_t at = SkipBlanks(text, 0);
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !IsDigit(text[at])) {
        return std::nullopt;
    }
    // Past 2^31 the value only saturates; stop growing it there.
    std::int64_t value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        if (value <= std::int64_t{1} << 32) {
            value = value * 10 + (text[at] - '0');
        }
    }
    return Saturate(negative ? -value : value);
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

std::string FormatFixed(double value, int decimals, int width) {
    std::array<char, 400> buffer{};
    const std::to_chars_result r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                                 std::chars_format::fixed, decimals);
    std::string text(buffer.data(), r.ec == std::errc{} ? r.ptr : buffer.data());
    if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
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
