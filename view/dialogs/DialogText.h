#pragma once

// How the dialogs read and write numbers in their fields. Numbers are read
// and written the same way whatever the user's locale: a point before the
// decimals.

#include <optional>
#include <string>
#include <string_view>

#include "document/Records.h"
#include "geometry/Geodesy.h"
#include "geometry/NumberRange.h"
#include "geometry/NumberText.h"

namespace rollpath {

// The widths in feet a rollpath can be given; the network file's reader
// takes none wider.
inline constexpr NumberRange kRollpathWidthRange{kMinRollpathWidth, kMaxRollpathWidth};

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
