#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace rollpath {

namespace {

// Far beyond any desktop; keeps the rectangle arithmetic within int.
constexpr int kFarAway = 1000000;

bool Within(int v) {
    return v > -kFarAway && v < kFarAway;
}

}  // namespace

WindowRect UsableWindowRect(const WindowRect& stored, const std::vector<QRect>& screens) {
    if (!Within(stored.left) || !Within(stored.top) || !Within(stored.right) || !Within(stored.bottom) ||
        stored.right <= stored.left || stored.bottom <= stored.top) {
        return WindowRect{};
    }
    const QRect window(QPoint(stored.left, stored.top), QPoint(stored.right - 1, stored.bottom - 1));
    const bool seen =
        screens.empty() || std::any_of(screens.begin(), screens.end(),
                                       [&window](const QRect& s) { return s.intersects(window); });
    return seen ? stored : WindowRect{};
}

std::vector<QRect> ScreenAreas() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(screen->availableGeometry());
    }
    return areas;
}

}  // namespace rollpath
