#pragma once

// The elementary functions that the core's geometry uses, computed the same
// to the last bit on every platform and compiler. The C libraries differ in
// the last bits of sin, cos, atan2 and the like (Linux's and Windows' do),
// and those bits reach the saved files: with these, the same airport saves
// to the same bytes wherever the editor runs. Built from additions,
// multiplications, divisions and square roots only, which IEEE 754 rounds
// exactly. Each is within one unit in the last place of the true value,
// except Atan2, within two (it rounds y / x before the arctangent).

namespace rollpath::math {

double Sin(double x);
double Cos(double x);
double Tan(double x);
double Atan(double x);
double Atan2(double y, double x);
double Acos(double x);
// sqrt(x * x + y * y) without undue overflow or underflow.
double Hypot(double x, double y);
double Log(double x);
// Exact for powers of two.
double Log2(double x);

}  // namespace rollpath::math
