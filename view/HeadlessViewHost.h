#pragma once

// A view host without a window, for the CLI and the tests: a fixed client
// size and DPI, scroll bars kept as numbers, and a record of what the view
// asked for.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "document/MessageSink.h"
#include "view/ViewHost.h"
#include "view/dialogs/ScriptedDialogs.h"

namespace rollpath {

class HeadlessViewHost : public ViewHost {
public:
    explicit HeadlessViewHost(MessageSink& messages, DeviceSize client = {1200, 900}, int dpi = 96);

    void Invalidate() override { ++invalidations; }
    void InvalidateLogical(const LRect& area) override { invalidatedAreas.push_back(area); }
    void UpdateWindow() override { ++updates; }
    void ScrollWindow(int dx, int dy) override { scrolls.push_back(DevicePoint{dx, dy}); }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    void SetCursor(ViewCursor c) override { cursor = c; }
    void SetStatusPrompt(const std::string& text) override { prompt = text; }
    void SetStatusValues(double rollpathWidth, long scale, double rotation) override;
    MessageSink& Messages() override { return messages_; }

    int LogicalDpiX() const override { return dpi; }
    int LogicalDpiY() const override { return dpi; }
    DeviceSize ClientSize() const override { return client; }
    bool ShiftKeyDown() const override { return shift; }

    void GetScrollRange(ScrollBar bar, int& min, int& max) const override;
    void SetScrollRange(ScrollBar bar, int min, int max, bool redraw) override;
    int GetScrollPos(ScrollBar bar) const override;
    void SetScrollPos(ScrollBar bar, int pos, bool redraw) override;

    // A "&View" menu holding these texts; ReplaceViewMenuText edits it.
    bool ReplaceViewMenuText(std::string_view from, std::string_view to) override;

    void ShowContextMenu(DevicePoint at) override { contextMenus.push_back(at); }

    // Dialogs take their answers from `dialogs`.
    bool RunDialog(DialogModel& dialog) override { return dialogs.RunDialog(dialog); }
    void ShowModeless(DialogModel& dialog) override { dialogs.ShowModeless(dialog); }
    void CloseModeless(DialogModel& dialog) override { dialogs.CloseModeless(dialog); }
    std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override {
        return dialogs.GetOpenFileName(request);
    }

    struct Bar {
        int min = 0;
        int max = 100;  // until the view sets its range
        int pos = 0;
    };

    DeviceSize client;
    int dpi;
    bool shift = false;
    int invalidations = 0;
    int updates = 0;
    std::vector<LRect> invalidatedAreas;
    std::vector<DevicePoint> scrolls;
    bool captured = false;
    ViewCursor cursor = ViewCursor::Arrow;
    std::string prompt;
    double statusWidth = 0.0;
    long statusScale = 0;
    double statusRotation = 0.0;
    int statusUpdates = 0;
    Bar horizontal;
    Bar vertical;
    std::vector<std::string> viewMenu;
    std::vector<DevicePoint> contextMenus;
    ScriptedDialogs dialogs;

private:
    Bar& BarOf(ScrollBar bar) { return bar == ScrollBar::Horizontal ? horizontal : vertical; }
    const Bar& BarOf(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? horizontal : vertical; }

    MessageSink& messages_;
};

}  // namespace rollpath
