#pragma once

// Numbers as text, the same in every locale: a point before the decimals,
// whatever the user's settings make printf and strtod do. Every file and
// every field of the editor reads and writes its numbers through these.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rollpath {

// The value with `decimals` digits after the point, rounded as printf rounds,
// padded on the left to `width` characters: FormatFixed(v, 1, 4) is "%4.1f",
// FormatFixed(v, 4, 7, '0') is "%07.4f" (zeros go after a sign).
std::string FormatFixed(double value, int decimals, int width = 0, char pad = ' ');

// A decimal number at the start of the text, as "%lf" reads it in the C
// locale: blanks skipped, a sign, digits with a point and an exponent, hex
// floats, "inf" / "nan"; what follows the number is ignored. A comma stands
// for the point when the digits before it have none, so that a number typed
// or stored with a decimal comma keeps its fraction. `used` receives the
// characters read. Nothing when no number starts there.
std::optional<double> ParseDecimal(std::string_view text, std::size_t* used = nullptr);

// A whole number at the start of the text, read as "%d" reads it (blanks, a
// sign, digits; the rest ignored); beyond the int range it saturates.
// Nothing when no number starts there.
std::optional<int> ParseInteger(std::string_view text, std::size_t* used = nullptr);

}  // namespace rollpath
