#pragma once

// The texts of the main frame's three value panes. They are ANSI texts (the
// degree sign is the byte 0xB0); the UI converts them for display.

#include <string>

namespace rollpath {

// "%3.2f ft" of the current rollpath width.
std::string WidthPaneText(double rollpathWidth);
// "1:%ld" of the scale value (the zoom value divided by 10).
std::string ScalePaneText(long scale);
// "%03.2f" of the heading and the degree sign; the heading is 0 when the
// rotation is 0, else 360 minus the rotation.
std::string RotationPaneText(double rotation);

// The texts that give each pane its width.
inline constexpr const char* kWidthPaneIndicator = "999.99 ft";
inline constexpr const char* kScalePaneIndicator = "1:10000";
inline constexpr const char* kRotationPaneIndicator = "000.00\xB0";

}  // namespace rollpath
