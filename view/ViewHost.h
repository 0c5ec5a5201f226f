#pragma once

// The window services the view needs, implemented by the Qt widget and by
// headless hosts (the CLI, tests). The view never talks to a toolkit.

#include <string>
#include <string_view>

#include "document/MessageSink.h"
#include "view/LogicalGeometry.h"
#include "view/dialogs/DialogHost.h"

namespace rollpath {

enum class ScrollBar { Horizontal, Vertical };

enum class ViewCursor {
    Arrow,
    Cross,
    Zoom,         // resource 130
    Positioning,  // resource 135
};

// The dialogs come through the DialogHost part (RunDialog, ShowModeless,
// GetOpenFileName ...).
class ViewHost : public DialogHost {
public:
    virtual ~ViewHost() = default;

    // Repaint the whole client area, or the part under a logical rectangle.
    virtual void Invalidate() = 0;
    virtual void InvalidateLogical(const LRect& area) = 0;
    // Paint what is invalid now rather than later.
    virtual void UpdateWindow() = 0;
    // Move the client area's pixels; the uncovered strip becomes invalid.
    virtual void ScrollWindow(int dx, int dy) = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual void SetCursor(ViewCursor cursor) = 0;
    // The status bar's message pane (ANSI text).
    virtual void SetStatusPrompt(const std::string& text) = 0;
    // The main frame's three value panes.
    virtual void SetStatusValues(double rollpathWidth, long scale, double rotation) = 0;
    virtual MessageSink& Messages() = 0;

    // Pixels per inch: the device-to-logical conversion of the client area.
    virtual int LogicalDpiX() const = 0;
    virtual int LogicalDpiY() const = 0;
    virtual DeviceSize ClientSize() const = 0;
    virtual bool ShiftKeyDown() const = 0;

    virtual void GetScrollRange(ScrollBar bar, int& min, int& max) const = 0;
    virtual void SetScrollRange(ScrollBar bar, int min, int max, bool redraw) = 0;
    virtual int GetScrollPos(ScrollBar bar) const = 0;
    // The position is kept within the bar's range.
    virtual void SetScrollPos(ScrollBar bar, int pos, bool redraw) = 0;

    // In the top-level menu "&View", gives the item whose text is exactly
    // `from` the text `to`, keeping its command. False, and nothing changed,
    // when there is no such item (a host without menus has none).
    virtual bool ReplaceViewMenuText(std::string_view /*from*/, std::string_view /*to*/) { return false; }

    // The view's right-button menu at a client-area point; the view has
    // recorded what was clicked. A host without menus shows nothing.
    virtual void ShowContextMenu(DevicePoint /*at*/) {}
};

}  // namespace rollpath
