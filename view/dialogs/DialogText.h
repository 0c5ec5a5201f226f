#pragma once

// How the dialogs read and write numbers in their fields. Numbers are read
// and written the same way whatever the user's locale: a point before the
// decimals.

#include <optional>
#include <string>
#include <string_view>

#include "document/Records.h"
#include "geometry/Geodesy.h"
#include "geometry/NumberText.h"

namespace rollpath {

// The values a number field accepts at OK, both ends included. A field of
// whole numbers reads its text as an integer field does (ReadSignedInteger:
// text that is no whole number is 0).
struct FieldRange {
    double min = 0.0;
    double max = 0.0;
    bool whole = false;
    bool Holds(double value) const { return value >= min && value <= max; }
};

// The widths in feet a rollpath can be given.
inline constexpr FieldRange kRollpathWidthRange{kMinRollpathWidth, kMaxRollpathWidth};

// The standard refusal of a number outside its field's range: "Please enter a
// number between 1 and 1000."
std::string NumberRangeMessage(const FieldRange& range);

// A decimal field holds at most this many characters when it is read.
inline constexpr std::size_t kDecimalFieldLength = 31;

// A decimal number at the start of the field's first 31 characters, read as
// "%lf" reads it (ParseDecimal: a decimal comma keeps its fraction too).
// Nothing when no number starts there.
std::optional<double> ReadDecimal(std::string_view text);

// A rollpath width as the width fields read it: ReadDecimal, but only a
// finite value a single-precision width can hold; nothing otherwise, so
// that such text leaves the width as it was.
std::optional<double> ReadWidth(std::string_view text);

// A signed whole number as an integer field gives it: blanks around an
// optional sign and digits. Anything else, or a value beyond the int range,
// reads as 0.
int ReadSignedInteger(std::string_view text);

// A latitude or longitude in degrees, minutes and seconds as the property
// dialogs show it: the whole text, with the blank that degrees below 100
// start with (two below 10).
std::string DialogLatLon(double degrees, LatLonKind kind);

// "%d ft".
std::string FeetText(int feet);

}  // namespace rollpath
