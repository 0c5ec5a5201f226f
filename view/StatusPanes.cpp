#include "view/StatusPanes.h"

#include <cstdio>

#include "geometry/Geodesy.h"

namespace rollpath {

// Room for any double in fixed notation (309 digits before the point).
constexpr std::size_t kFixedTextSize = 400;

std::string WidthPaneText(double rollpathWidth) {
    char text[kFixedTextSize];
    std::snprintf(text, sizeof text, "%3.2f ft", rollpathWidth);
    return text;
}

std::string ScalePaneText(long scale) {
    char text[32];
    std::snprintf(text, sizeof text, "1:%ld", scale);
    return text;
}

std::string RotationPaneText(double rotation) {
    const double heading = rotation == 0.0 ? 0.0 : 360.0 - rotation;
    char text[kFixedTextSize];
    std::snprintf(text, sizeof text, "%03.2f%c", heading, kDegreeSign);
    return text;
}

}  // namespace rollpath
