#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace rollpath {

namespace {

// Far beyond any desktop; keeps the rectangle arithmetic within int.
constexpr int kFarAway = 1000000;
// The share of the screen a first window takes, across and down.
constexpr double kFirstWindowShare = 0.8;

bool Within(int v) {
    return v > -kFarAway && v < kFarAway;
}

bool CanShow(const WindowRect& r, const std::vector<QRect>& screens) {
    if (!Within(r.left) || !Within(r.top) || !Within(r.right) || !Within(r.bottom) || r.right <= r.left ||
        r.bottom <= r.top) {
        return false;
    }
    const QRect window(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    return screens.empty() || std::any_of(screens.begin(), screens.end(),
                                          [&window](const QRect& s) { return s.intersects(window); });
}

}  // namespace

WindowRect StartWindowRect(const std::optional<WindowRect>& stored, const std::vector<QRect>& screens) {
    if (stored && CanShow(*stored, screens)) {
        return *stored;
    }
    if (screens.empty() || screens.front().isEmpty()) {
        return WindowRect{};
    }
    const QRect& screen = screens.front();
    const int width = static_cast<int>(std::lround(screen.width() * kFirstWindowShare));
    const int height = static_cast<int>(std::lround(screen.height() * kFirstWindowShare));
    const int left = screen.left() + (screen.width() - width) / 2;
    const int top = screen.top() + (screen.height() - height) / 2;
    return WindowRect{left, top, left + width, top + height};
}

std::vector<QRect> ScreenAreas() {
    std::vector<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        areas.push_back(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            areas.push_back(screen->availableGeometry());
        }
    }
    return areas;
}

}  // namespace rollpath
