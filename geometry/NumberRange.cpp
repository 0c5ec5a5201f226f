#include "geometry/NumberRange.h"

#include <array>
#include <charconv>
#include <system_error>

namespace rollpath {

namespace {

// The shortest text that reads back as the value, without an exponent.
std::string Shortest(double value) {
    std::array<char, 400> buffer{};
    const auto r =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), r.ec == std::errc{} ? r.ptr : buffer.data());
}

}  // namespace

std::string NumberRangeMessage(const NumberRange& range) {
    return "Please enter a number between " + Shortest(range.min) + " and " + Shortest(range.max) + ".";
}

}  // namespace rollpath
