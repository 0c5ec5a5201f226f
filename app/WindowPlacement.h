#pragma once

// Where the main window opens: the "Size" rectangle as stored, unless it
// could not show the window (no width or height, or off every screen, as
// after a screen was removed), in which case the default rectangle.

#include <QRect>
#include <vector>

#include "settings/Settings.h"

namespace rollpath {

WindowRect UsableWindowRect(const WindowRect& stored, const std::vector<QRect>& screens);

// The available areas of the screens now attached.
std::vector<QRect> ScreenAreas();

}  // namespace rollpath
