#pragma once

// How the dialogs read and write numbers in their fields. Numbers are read
// and written the same way whatever the user's locale: a point before the
// decimals.

#include <optional>
#include <string>
#include <string_view>

#include "geometry/Geodesy.h"

namespace rollpath {

// A decimal field holds at most this many characters when it is read.
inline constexpr std::size_t kDecimalFieldLength = 31;

// A decimal number at the start of the field's first 31 characters, read as
// "%lf" reads it: blanks skipped, a sign, digits with a point and an
// exponent, or "inf" / "nan"; what follows the number is ignored. Nothing
// when no number starts there.
std::optional<double> ReadDecimal(std::string_view text);

// A rollpath width as the width fields read it: ReadDecimal, but only a
// finite value a single-precision width can hold; nothing otherwise, so
// that such text leaves the width as it was.
std::optional<double> ReadWidth(std::string_view text);

// A signed whole number as an integer field gives it: blanks around an
// optional sign and digits. Anything else, or a value beyond the int range,
// reads as 0.
int ReadSignedInteger(std::string_view text);

// A whole number at the start of the text, read as "%d" reads it (blanks, a
// sign, digits; the rest ignored); beyond the int range it saturates.
// Nothing when no number starts there.
std::optional<int> ReadInteger(std::string_view text);

// The value with `decimals` digits after the point, rounded as printf rounds,
// padded with blanks on the left to `width` characters ("%4.1f" is
// FormatFixed(v, 1, 4)).
std::string FormatFixed(double value, int decimals, int width = 0);

// A latitude or longitude in degrees, minutes and seconds as the property
// dialogs show it: the whole text, with the blank that degrees below 100
// start with (two below 10).
std::string DialogLatLon(double degrees, LatLonKind kind);

// "%d ft".
std::string FeetText(int feet);

}  // namespace rollpath
