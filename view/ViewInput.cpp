// Scrolling, keys, characters, zoom and rotation.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/Geodesy.h"
#include "view/RollpathView.h"

namespace rollpath {

namespace {

constexpr int kLineStep = 1;
constexpr int kPageStep = 10;

// The thumb's move for a scroll code, in scroll units.
int StepFor(ScrollCode code, int thumbPos, int current) {
    switch (code) {
        case ScrollCode::LineUp:
            return -kLineStep;
        case ScrollCode::LineDown:
            return kLineStep;
        case ScrollCode::PageUp:
            return -kPageStep;
        case ScrollCode::PageDown:
            return kPageStep;
        case ScrollCode::ThumbTrack:
            return thumbPos - current;
        case ScrollCode::ThumbPosition:
        case ScrollCode::Top:
        case ScrollCode::Bottom:
        case ScrollCode::EndScroll:
            break;
    }
    return 0;
}

// Whole feet for a move of `feet`, rounded alike both ways so that a step
// and its reverse cancel; a move of less than half a foot (a line step when
// zoomed in far) still moves by one foot, so the keys never stall.
int WholeFeet(double feet, int direction) {
    const int rounded = static_cast<int>(std::lround(feet));
    if (rounded == 0 && direction != 0) {
        return direction > 0 ? 1 : -1;
    }
    return rounded;
}

}  // namespace

void CRollpathView::OnHScroll(ScrollCode code, int thumbPos) {
    Scroll(ScrollBar::Horizontal, code, thumbPos);
}

void CRollpathView::OnVScroll(ScrollCode code, int thumbPos) {
    Scroll(ScrollBar::Vertical, code, thumbPos);
}

void CRollpathView::Scroll(ScrollBar bar, ScrollCode code, int thumbPos) {
    int min = 0;
    int max = 0;
    m_Host.GetScrollRange(bar, min, max);
    const int p = m_Host.GetScrollPos(bar);
    int d = StepFor(code, thumbPos, p);
    d = std::max(d, -p);
    d = std::min(d, max - p);
    if (d == 0) {
        return;
    }
    const double scale = d * 0.001 * m_nZoom * 0.0001;
    if (bar == ScrollBar::Horizontal) {
        m_Host.ScrollWindow(-d, 0);
        const int u = DeviceToLogical(DevicePoint{1000, 0}).x;
        m_nScrollX = SaturateToInt(static_cast<std::int64_t>(m_nScrollX) + WholeFeet(u * scale, d));
    } else {
        m_Host.ScrollWindow(0, -d);
        const int v = DeviceToLogical(DevicePoint{0, 1000}).y;
        m_nScrollY = SaturateToInt(static_cast<std::int64_t>(m_nScrollY) - WholeFeet(v * scale, -d));
    }
    UpdateScrollThumbs();
    UpdateVisibleArea();
    m_Host.UpdateWindow();
}

void CRollpathView::OnWheelScroll(ScrollBar bar, int units) {
    SyncWithDocument();
    if (!IsLoaded() || units == 0) {
        return;
    }
    const int p = m_Host.GetScrollPos(bar);
    Scroll(bar, ScrollCode::ThumbTrack, SaturateToInt(static_cast<std::int64_t>(p) + units));
}

bool CRollpathView::OnKeyDown(ViewKey key) {
    switch (key) {
        case ViewKey::PageUp:
            OnVScroll(ScrollCode::PageUp);
            return true;
        case ViewKey::PageDown:
            OnVScroll(ScrollCode::PageDown);
            return true;
        case ViewKey::Left:
            OnHScroll(ScrollCode::LineUp);
            return true;
        case ViewKey::Right:
            OnHScroll(ScrollCode::LineDown);
            return true;
        case ViewKey::Up:
            OnVScroll(ScrollCode::LineUp);
            return true;
        case ViewKey::Down:
            OnVScroll(ScrollCode::LineDown);
            return true;
        case ViewKey::Home:
            OnVScroll(ScrollCode::Top);
            OnHScroll(ScrollCode::Top);
            return true;
        case ViewKey::End:
            OnVScroll(ScrollCode::Bottom);
            return true;
        case ViewKey::Delete:
            OnCommand(CommandId::EditDelete);
            return true;
        case ViewKey::Escape:
            return EndActiveTool();
        case ViewKey::Other:
            break;
    }
    return false;
}

bool CRollpathView::OnChar(char c) {
    switch (c) {
        case '=':
        case '+':
            ZoomIn();
            return true;
        case '-':
        case '_':
            ZoomOut();
            return true;
        case ',':
        case '<':
            OnRotateCW();
            return true;
        case '.':
        case '>':
            OnRotateCCW();
            return true;
        case 'C':
        case 'c':
            FlipToggle(m_bShowCentreLines);
            return true;
        case 'L':
        case 'l':
            FlipToggle(m_bOutlineOnly);
            return true;
        case 'T':
        case 't':
            FlipToggle(m_bShowTriErrors);
            return true;
        case 'R':
        case 'r':
            RebuildAll();
            return true;
        case 'O':
        case 'o':
            StraightenNetwork();
            return true;
        default:
            break;
    }
    return false;
}

void CRollpathView::ZoomIn() {
    SetZoom(m_nZoom - (m_Host.ShiftKeyDown() ? kShiftZoomStep : kZoomStep));
}

void CRollpathView::ZoomOut() {
    SetZoom(m_nZoom + (m_Host.ShiftKeyDown() ? kShiftZoomStep : kZoomStep));
}

void CRollpathView::OnRotateCW() {
    const double step = m_Host.ShiftKeyDown() ? 1.0 : m_Doc.GetSettings().RotationIncrement();
    m_Doc.m_dRotation = NormalizeAngle(m_Doc.m_dRotation + step, 360.0);
    CacheRotation();
    UpdateStatusValues();
    m_Host.Invalidate();
    // The rotation is saved with the airport: an edit like any other, or
    // part of the drag under way.
    if (m_nDragState == DragState::Idle) {
        CommitEdit(UndoKind::Rotated);
    }
}

void CRollpathView::OnRotateCCW() {
    const double step = m_Host.ShiftKeyDown() ? 1.0 : m_Doc.GetSettings().RotationIncrement();
    m_Doc.m_dRotation = NormalizeAngle(m_Doc.m_dRotation - step, 360.0);
    CacheRotation();
    UpdateStatusValues();
    m_Host.Invalidate();
    if (m_nDragState == DragState::Idle) {
        CommitEdit(UndoKind::Rotated);
    }
}

void CRollpathView::OnZoomCommand() {
    m_bZoomMode = m_bZoomMode != 0 ? 0 : 1;
    m_Host.SetCursor(m_bZoomMode != 0 ? ViewCursor::Zoom : ViewCursor::Arrow);
    if (m_bZoomMode == 0) {
        m_Host.SetStatusPrompt({});
    }
}

}  // namespace rollpath
