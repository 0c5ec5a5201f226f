#pragma once

// Where the main window opens: the "Size" rectangle as stored, unless there
// is none or it could not show the window (no width or height, or off every
// screen, as after a screen was removed); then about 80 % of the primary
// screen, centred.

#include <QRect>
#include <optional>
#include <vector>

#include "settings/Settings.h"

namespace rollpath {

// `screens` are the available areas, the primary screen first.
WindowRect StartWindowRect(const std::optional<WindowRect>& stored, const std::vector<QRect>& screens);

// The available areas of the screens now attached, the primary one first.
std::vector<QRect> ScreenAreas();

}  // namespace rollpath
