#include "ui/SpinButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rollpath {

namespace {

QToolButton* Arrow(Qt::ArrowType type, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The arrows of the style's own spin box beside a field of `height`: each
// half the field's height, as wide as the style draws them.
QSize ArrowSize(int height) {
    QSpinBox spin;
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.rect = QRect(QPoint(0, 0), spin.sizeHint());
    option.subControls = QStyle::SC_SpinBoxUp;
    const int width =
        spin.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &spin).width();
    return QSize(std::max(width + 2, 16), std::max(height / 2, 8));
}

}  // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(Arrow(Qt::UpArrow, this)), down_(Arrow(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    SetArrowSize(ArrowSize(QLineEdit().sizeHint().height()));
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(1); });
}

void SpinButton::AttachTo(QLineEdit* field) {
    if (field_ != nullptr) {
        field_->removeEventFilter(this);
    }
    field_ = field;
    if (field_ != nullptr) {
        field_->installEventFilter(this);
        SetArrowSize(ArrowSize(field_->sizeHint().height()));
    }
}

void SpinButton::SetArrowSize(QSize size) {
    up_->setFixedSize(size);
    down_->setFixedSize(size);
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit Stepped(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace rollpath
