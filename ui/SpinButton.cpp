#include "ui/SpinButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace rollpath {

namespace {

QToolButton* Arrow(Qt::ArrowType type, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(Arrow(Qt::UpArrow, this)), down_(Arrow(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
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
    }
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
