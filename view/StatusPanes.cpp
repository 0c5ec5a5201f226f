#include "view/StatusPanes.h"

#include "geometry/Geodesy.h"
#include "geometry/NumberText.h"

namespace rollpath {

std::string WidthPaneText(double rollpathWidth) {
    return FormatFixed(rollpathWidth, 2, 3) + " ft";
}

std::string ScalePaneText(long scale) {
    return "1:" + std::to_string(scale);
}

std::string RotationPaneText(double rotation) {
    const double heading = rotation == 0.0 ? 0.0 : 360.0 - rotation;
    return FormatFixed(heading, 2, 3, '0') + kDegreeSign;
}

}  // namespace rollpath
