#pragma once

namespace rollpath::testing {

// A locale whose decimal separator is a comma, by the platform's name for it
// (scripts/setup generates the Linux one).
#ifdef _WIN32
inline constexpr const char* kDecimalCommaLocale = "German_Germany.1252";
#else
inline constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";
#endif

}  // namespace rollpath::testing
