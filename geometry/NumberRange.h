#pragma once

// The values a number field or setting accepts, and the standard refusal of
// a number outside them.

#include <algorithm>
#include <string>

namespace rollpath {

// Both ends included. A range of whole numbers reads its field as an integer
// field does.
struct NumberRange {
    double min = 0.0;
    double max = 0.0;
    bool whole = false;
    constexpr bool Holds(double value) const { return value >= min && value <= max; }
    constexpr double Clamp(double value) const { return std::clamp(value, min, max); }
};

// "Please enter a number between 1 and 1000.": the ends as short as they
// read back, without an exponent.
std::string NumberRangeMessage(const NumberRange& range);

}  // namespace rollpath
