#include "ui/ViewWidget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>

#include "qtcanvas/QtCanvas.h"
#include "ui/AnsiQt.h"
#include "ui/ContextMenu.h"
#include "view/ViewColors.h"

// The cursors live in a library: their resource must be initialised by name,
// outside any namespace.
static void InitCursorResources() {
    Q_INIT_RESOURCE(Rollpath);
}

namespace rollpath {

namespace {

// A wheel notch is 15 degrees, reported in eighths of a degree.
constexpr int kWheelNotch = 120;
// How far a sideways notch moves the drawing, in scroll units (pixels).
constexpr int kSidewaysNotchUnits = 60;

ViewKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return ViewKey::PageUp;
        case Qt::Key_PageDown:
            return ViewKey::PageDown;
        case Qt::Key_Left:
            return ViewKey::Left;
        case Qt::Key_Right:
            return ViewKey::Right;
        case Qt::Key_Up:
            return ViewKey::Up;
        case Qt::Key_Down:
            return ViewKey::Down;
        case Qt::Key_Home:
            return ViewKey::Home;
        case Qt::Key_End:
            return ViewKey::End;
        case Qt::Key_Delete:
            return ViewKey::Delete;
        case Qt::Key_Escape:
            return ViewKey::Escape;
        default:
            return ViewKey::Other;
    }
}

// Marks the input event whose modifiers the view may ask for.
class InputEventScope {
public:
    InputEventScope(bool& flag, Qt::KeyboardModifiers& store, Qt::KeyboardModifiers modifiers) : flag_(flag) {
        flag_ = true;
        store = modifiers;
    }
    ~InputEventScope() { flag_ = false; }
    InputEventScope(const InputEventScope&) = delete;
    InputEventScope& operator=(const InputEventScope&) = delete;

private:
    bool& flag_;
};

const QCursor& ZoomCursor() {
    static const QCursor cursor(QPixmap(QStringLiteral(":/cursors/zoom.xpm")), 11, 11);
    return cursor;
}

const QCursor& PositioningCursor() {
    static const QCursor cursor(QPixmap(QStringLiteral(":/cursors/position.xpm")), 16, 16);
    return cursor;
}

}  // namespace

CViewWidget::CViewWidget(CRollpathDoc& doc, MessageSink& messages, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), messages_(messages) {
    InitCursorResources();
    view_ = std::make_unique<CRollpathView>(doc_, *this);
    dialogs_ = std::make_unique<QtDialogHost>(this);
    contextMenu_ = new CContextMenu(*view_, this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const ScrollBar bar : {ScrollBar::Horizontal, ScrollBar::Vertical}) {
        QScrollBar* b = Bar(bar);
        b->setRange(0, kScrollBarMax);
        b->setSingleStep(1);
        b->setPageStep(10);
        connect(b, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { OnScrollAction(bar, action); });
    }
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

CViewWidget::~CViewWidget() = default;

QScrollBar* CViewWidget::Bar(ScrollBar bar) const {
    return bar == ScrollBar::Horizontal ? horizontalScrollBar() : verticalScrollBar();
}

void CViewWidget::OnScrollAction(ScrollBar bar, int action) {
    ScrollCode code = ScrollCode::EndScroll;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            code = ScrollCode::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            code = ScrollCode::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = ScrollCode::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = ScrollCode::PageDown;
            break;
        case QAbstractSlider::SliderMove:
            code = ScrollCode::ThumbTrack;
            break;
        case QAbstractSlider::SliderToMinimum:
            code = ScrollCode::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            code = ScrollCode::Bottom;
            break;
        default:
            break;
    }
    QScrollBar* b = Bar(bar);
    const int thumb = b->sliderPosition();
    // The view decides where the thumb goes; until it does, it stays.
    b->setSliderPosition(b->value());
    if (bar == ScrollBar::Horizontal) {
        view_->OnHScroll(code, thumb);
    } else {
        view_->OnVScroll(code, thumb);
    }
}

void CViewWidget::scrollContentsBy(int /*dx*/, int /*dy*/) {
    // The view moves the drawing itself when it scrolls.
}

void CViewWidget::RedrawBuffer() {
    const QSize size = viewport()->size();
    if (buffer_.size() != size) {
        buffer_ = QImage(size, QImage::Format_RGB32);
        dirtyAll_ = true;
    }
    if (buffer_.isNull() || (!dirtyAll_ && dirty_.isEmpty())) {
        return;
    }
    // One rectangle round everything invalid: what it takes in besides comes
    // out as it was, and one clip rectangle paints fastest.
    const QRect area = dirtyAll_ ? buffer_.rect() : dirty_.intersected(buffer_.rect());
    dirtyAll_ = false;
    dirty_ = QRect();
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(&buffer_);
    painter.setClipRect(area);
    painter.fillRect(area, QtCanvas::ToQColor(kWindowWhite));
    QtCanvas canvas(painter, LogicalDpiX(), LogicalDpiY(), size);
    canvas.SetPaintArea(area);
    view_->OnDraw(canvas);
}

void CViewWidget::paintEvent(QPaintEvent* event) {
    RedrawBuffer();
    QPainter painter(viewport());
    const QRect shown = event->rect();
    painter.drawImage(shown, buffer_, shown);
}

void CViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    view_->OnSize(viewport()->width(), viewport()->height());
    dirtyAll_ = true;
}

void CViewWidget::keyPressEvent(QKeyEvent* event) {
    InputEventScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    if (view_->OnKeyDown(KeyOf(event->key()))) {
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x80 && view_->OnChar(static_cast<char>(text[0].unicode()))) {
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CViewWidget::mousePressEvent(QMouseEvent* event) {
    InputEventScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        view_->OnLButtonDown(DevicePoint{p.x(), p.y()});
    } else if (event->button() == Qt::RightButton) {
        view_->OnRButtonDown(DevicePoint{p.x(), p.y()});
    }
}

void CViewWidget::mouseMoveEvent(QMouseEvent* event) {
    InputEventScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    const QPoint p = event->position().toPoint();
    view_->OnMouseMove(DevicePoint{p.x(), p.y()});
    if (!view_->OnSetCursor()) {
        viewport()->unsetCursor();
    }
}

void CViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    InputEventScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        view_->OnLButtonUp(DevicePoint{p.x(), p.y()});
    }
}

void CViewWidget::wheelEvent(QWheelEvent* event) {
    InputEventScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    const QPoint angle = event->angleDelta();
    const bool sideways =
        event->modifiers().testFlag(Qt::ShiftModifier) || (angle.y() == 0 && angle.x() != 0);
    if (sideways) {
        // Forward, or tilted left, moves towards the left.
        sidewaysRest_ += angle.y() != 0 ? angle.y() : angle.x();
        const int notches = sidewaysRest_ / kWheelNotch;
        sidewaysRest_ -= notches * kWheelNotch;
        view_->OnWheelScroll(ScrollBar::Horizontal, -notches * kSidewaysNotchUnits);
    } else {
        const QPoint p = event->position().toPoint();
        view_->OnMouseWheel(DevicePoint{p.x(), p.y()}, static_cast<double>(angle.y()) / kWheelNotch);
    }
    event->accept();
}

// --- ViewHost ---------------------------------------------------------------

void CViewWidget::Invalidate() {
    dirtyAll_ = true;
    viewport()->update();
}

QRect CViewWidget::DeviceRect(const LRect& area) const {
    const double sx = LogicalDpiX() / 1000.0;
    const double sy = LogicalDpiY() / 1000.0;
    const auto clampToInt = [](double v) { return static_cast<int>(std::clamp(v, -1e6, 1e6)); };
    const int left = clampToInt(std::floor(std::min(area.left, area.right) * sx)) - 1;
    const int right = clampToInt(std::ceil(std::max(area.left, area.right) * sx)) + 1;
    const int top = clampToInt(std::floor(-std::max(area.top, area.bottom) * sy)) - 1;
    const int bottom = clampToInt(std::ceil(-std::min(area.top, area.bottom) * sy)) + 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void CViewWidget::InvalidateLogical(const LRect& area) {
    const QRect pixels = DeviceRect(area).intersected(viewport()->rect());
    if (pixels.isEmpty()) {
        return;
    }
    dirty_ |= pixels;
    viewport()->update(pixels);
}

void CViewWidget::UpdateWindow() {
    viewport()->update();
}

void CViewWidget::ScrollWindow(int /*dx*/, int /*dy*/) {
    // Redrawn from the model rather than moved: the offsets are whole feet,
    // which is not always a whole number of pixels.
    Invalidate();
}

void CViewWidget::SetCapture() {
    viewport()->grabMouse();
}

void CViewWidget::ReleaseCapture() {
    viewport()->releaseMouse();
}

void CViewWidget::SetCursor(ViewCursor cursor) {
    switch (cursor) {
        case ViewCursor::Arrow:
            viewport()->setCursor(Qt::ArrowCursor);
            break;
        case ViewCursor::Cross:
            viewport()->setCursor(Qt::CrossCursor);
            break;
        case ViewCursor::Zoom:
            viewport()->setCursor(ZoomCursor());
            break;
        case ViewCursor::Positioning:
            viewport()->setCursor(PositioningCursor());
            break;
    }
}

void CViewWidget::SetStatusPrompt(const std::string& text) {
    emit StatusPromptChanged(FromAnsi(text));
}

void CViewWidget::SetStatusValues(double rollpathWidth, long scale, double rotation) {
    emit StatusValuesChanged(rollpathWidth, scale, rotation);
}

int CViewWidget::LogicalDpiX() const {
    return viewport()->logicalDpiX();
}

int CViewWidget::LogicalDpiY() const {
    return viewport()->logicalDpiY();
}

DeviceSize CViewWidget::ClientSize() const {
    return DeviceSize{viewport()->width(), viewport()->height()};
}

bool CViewWidget::ShiftKeyDown() const {
    const Qt::KeyboardModifiers modifiers =
        inInputEvent_ ? eventModifiers_ : QGuiApplication::queryKeyboardModifiers();
    return modifiers.testFlag(Qt::ShiftModifier);
}

void CViewWidget::GetScrollRange(ScrollBar bar, int& min, int& max) const {
    min = Bar(bar)->minimum();
    max = Bar(bar)->maximum();
}

void CViewWidget::SetScrollRange(ScrollBar bar, int min, int max, bool /*redraw*/) {
    Bar(bar)->setRange(min, max);
}

int CViewWidget::GetScrollPos(ScrollBar bar) const {
    return Bar(bar)->value();
}

void CViewWidget::SetScrollPos(ScrollBar bar, int pos, bool /*redraw*/) {
    Bar(bar)->setValue(pos);
}

bool CViewWidget::ReplaceViewMenuText(std::string_view from, std::string_view to) {
    return menuTextReplacer_ ? menuTextReplacer_(from, to) : false;
}

void CViewWidget::ShowContextMenu(DevicePoint at) {
    // Popped up rather than run: the view goes on while it is open.
    contextMenu_->Popup(viewport()->mapToGlobal(QPoint(at.x, at.y)));
}

}  // namespace rollpath
