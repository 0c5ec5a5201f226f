#include "view/HeadlessViewHost.h"

#include <algorithm>

#include "view/CommandIds.h"

namespace rollpath {

HeadlessViewHost::HeadlessViewHost(MessageSink& messages, DeviceSize clientSize, int dpiValue)
    : client(clientSize), dpi(dpiValue), messages_(messages) {
    // The View menu's items as the menu resource has them, looked up once:
    // scripts and tests make a host per session.
    static const std::vector<std::string> kInitialViewMenu = [] {
        std::vector<std::string> texts;
        for (const CommandId id : kViewMenuCommands) {
            if (const CommandInfo* info = FindCommand(id)) {
                texts.emplace_back(info->menuText);
            }
        }
        return texts;
    }();
    viewMenu = kInitialViewMenu;
}

void HeadlessViewHost::SetStatusValues(double rollpathWidth, long scale, double rotation) {
    statusWidth = rollpathWidth;
    statusScale = scale;
    statusRotation = rotation;
    ++statusUpdates;
}

void HeadlessViewHost::GetScrollRange(ScrollBar bar, int& min, int& max) const {
    min = BarOf(bar).min;
    max = BarOf(bar).max;
}

void HeadlessViewHost::SetScrollRange(ScrollBar bar, int min, int max, bool /*redraw*/) {
    Bar& b = BarOf(bar);
    b.min = min;
    b.max = std::max(min, max);
    b.pos = std::clamp(b.pos, b.min, b.max);
}

int HeadlessViewHost::GetScrollPos(ScrollBar bar) const {
    return BarOf(bar).pos;
}

void HeadlessViewHost::SetScrollPos(ScrollBar bar, int pos, bool /*redraw*/) {
    Bar& b = BarOf(bar);
    b.pos = std::clamp(pos, b.min, b.max);
}

bool HeadlessViewHost::ReplaceViewMenuText(std::string_view from, std::string_view to) {
    const auto it = std::find(viewMenu.begin(), viewMenu.end(), from);
    if (it == viewMenu.end()) {
        return false;
    }
    *it = std::string(to);
    return true;
}

}  // namespace rollpath
