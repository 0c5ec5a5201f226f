#pragma once

// The window of the view: a scroll area whose viewport shows what
// CRollpathView draws. It turns Qt's events into the view's calls and
// serves the view as its ViewHost. Painting goes to a back buffer that
// keeps what was drawn: an invalidated rectangle is redrawn from the model
// there, everything after a whole-window invalidation.

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <memory>

#include "document/RollpathDoc.h"
#include "ui/QtDialogHost.h"
#include "view/RollpathView.h"
#include "view/ViewHost.h"

namespace rollpath {

class CContextMenu;

class CViewWidget : public QAbstractScrollArea, public ViewHost {
    Q_OBJECT
public:
    CViewWidget(CRollpathDoc& doc, MessageSink& messages, QWidget* parent = nullptr);
    ~CViewWidget() override;

    CRollpathView& View() { return *view_; }
    // The back buffer as last painted.
    const QImage& BackBuffer() const { return buffer_; }
    // Draws the view into the back buffer now if anything is invalid.
    void RedrawBuffer();

    // How ReplaceViewMenuText reaches the frame's menu.
    using MenuTextReplacer = std::function<bool(std::string_view, std::string_view)>;
    void SetMenuTextReplacer(MenuTextReplacer replacer) { menuTextReplacer_ = std::move(replacer); }
    // The right-button menu the widget pops up.
    CContextMenu& ContextMenu() const { return *contextMenu_; }

    // --- ViewHost ---
    void Invalidate() override;
    void InvalidateLogical(const LRect& area) override;
    void UpdateWindow() override;
    void ScrollWindow(int dx, int dy) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void SetCursor(ViewCursor cursor) override;
    void SetStatusPrompt(const std::string& text) override;
    void SetStatusValues(double rollpathWidth, long scale, double rotation) override;
    MessageSink& Messages() override { return messages_; }
    int LogicalDpiX() const override;
    int LogicalDpiY() const override;
    DeviceSize ClientSize() const override;
    bool ShiftKeyDown() const override;
    void GetScrollRange(ScrollBar bar, int& min, int& max) const override;
    void SetScrollRange(ScrollBar bar, int min, int max, bool redraw) override;
    int GetScrollPos(ScrollBar bar) const override;
    void SetScrollPos(ScrollBar bar, int pos, bool redraw) override;
    bool ReplaceViewMenuText(std::string_view from, std::string_view to) override;
    void ShowContextMenu(DevicePoint at) override;
    bool RunDialog(DialogModel& dialog) override { return dialogs_->RunDialog(dialog); }
    void ShowModeless(DialogModel& dialog) override { dialogs_->ShowModeless(dialog); }
    void CloseModeless(DialogModel& dialog) override { dialogs_->CloseModeless(dialog); }
    std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override {
        return dialogs_->GetOpenFileName(request);
    }
    QtDialogHost& Dialogs() { return *dialogs_; }

signals:
    void StatusValuesChanged(double rollpathWidth, long scale, double rotation);
    void StatusPromptChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel zooms about the pointer; with Shift held, or tilted
    // sideways, it scrolls sideways.
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnScrollAction(ScrollBar bar, int action);
    QScrollBar* Bar(ScrollBar bar) const;
    QRect DeviceRect(const LRect& area) const;

    CRollpathDoc& doc_;
    MessageSink& messages_;
    std::unique_ptr<CRollpathView> view_;
    // Declared after the view: its windows go before the models they show.
    std::unique_ptr<QtDialogHost> dialogs_;
    QImage buffer_;
    bool dirtyAll_ = true;
    // The pixels to redraw when not all of them are.
    QRect dirty_;
    // The modifiers of the input event being handled, if any.
    Qt::KeyboardModifiers eventModifiers_;
    bool inInputEvent_ = false;
    // Sideways wheel travel not yet a whole notch (eighths of a degree).
    int sidewaysRest_ = 0;
    MenuTextReplacer menuTextReplacer_;
    CContextMenu* contextMenu_ = nullptr;  // owned as a child
};

}  // namespace rollpath
