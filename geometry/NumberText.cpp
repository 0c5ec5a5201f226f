#include "geometry/NumberText.h"

#include <array>
#include <charconv>
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

// The digits with a decimal comma in place of the point: "12,5" as "12.5".
std::string WithDecimalPoint(std::string_view rest) {
    std::string copy(rest);
    std::size_t digits = 0;
    while (digits < copy.size() && IsDigit(copy[digits])) {
        ++digits;
    }
    if (digits > 0 && digits + 1 < copy.size() && copy[digits] == ',' && IsDigit(copy[digits + 1])) {
        copy[digits] = '.';
    }
    return copy;
}

}  // namespace

std::string FormatFixed(double value, int decimals, int width, char pad) {
    std::array<char, 400> buffer{};
    const std::to_chars_result r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                                 std::chars_format::fixed, decimals);
    std::string text(buffer.data(), r.ec == std::errc{} ? r.ptr : buffer.data());
    if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
        const std::size_t at = pad == '0' && !text.empty() && text[0] == '-' ? 1 : 0;
        text.insert(at, static_cast<std::size_t>(width) - text.size(), pad);
    }
    return text;
}

std::optional<double> ParseDecimal(std::string_view text, std::size_t* used) {
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
    const auto done = [&](double value, std::size_t length) {
        if (used != nullptr) {
            *used = at + length;
        }
        return negative ? -value : value;
    };
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        // "0x" with no hexadecimal digits after it still reads as 0.
        const std::string_view digits = rest.substr(2);
        double value = 0.0;
        if (digits.empty() || digits[0] == '+' || digits[0] == '-') {
            return done(0.0, 1);
        }
        const auto r =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument) {
            return done(0.0, 1);
        }
        const std::size_t length = 2 + static_cast<std::size_t>(r.ptr - digits.data());
        return done(r.ec == std::errc{} ? value : OutOfRange(rest.substr(0, length)), length);
    }
    const std::string number = WithDecimalPoint(rest);
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::invalid_argument) {
        return std::nullopt;
    }
    const std::size_t length = static_cast<std::size_t>(r.ptr - number.data());
    return done(r.ec == std::errc{} ? value : OutOfRange(std::string_view(number).substr(0, length)), length);
}

std::optional<int> ParseInteger(std::string_view text, std::size_t* used) {
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
    if (used != nullptr) {
        *used = at;
    }
    return Saturate(negative ? -value : value);
}

}  // namespace rollpath
