#include "ui/SpinField.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>
#include <algorithm>

namespace rollpath {

namespace {

// Marks the input event whose modifiers a step may ask for.
class ModifierScope {
public:
    ModifierScope(bool& flag, Qt::KeyboardModifiers& store, Qt::KeyboardModifiers modifiers) : flag_(flag) {
        flag_ = true;
        store = modifiers;
    }
    ~ModifierScope() { flag_ = false; }
    ModifierScope(const ModifierScope&) = delete;
    ModifierScope& operator=(const ModifierScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

CSpinField::CSpinField(QWidget* parent) : QAbstractSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    setAccelerated(false);
}

QString CSpinField::Text() const {
    return lineEdit()->text();
}

void CSpinField::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void CSpinField::SelectField() {
    setFocus(Qt::OtherFocusReason);
    lineEdit()->selectAll();
}

QString CSpinField::SelectedText() const {
    return lineEdit()->selectedText();
}

void CSpinField::SetMaxLength(int length) {
    lineEdit()->setMaxLength(length);
}

void CSpinField::SetWidestTexts(QStringList texts) {
    widest_ = std::move(texts);
    updateGeometry();
}

// As the spin boxes of the toolkit measure their range: the widest text, a
// blank and room for the cursor, then the frame and arrows the style adds.
QSize CSpinField::sizeHint() const {
    const QSize base = QAbstractSpinBox::sizeHint();
    if (widest_.isEmpty()) {
        return base;
    }
    ensurePolished();
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (const QString& text : widest_) {
        width = std::max(width, metrics.horizontalAdvance(text + QLatin1Char(' ')));
    }
    width += 2;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize full = style()->sizeFromContents(QStyle::CT_SpinBox, &option,
                                                 QSize(width, lineEdit()->sizeHint().height()), this);
    return QSize(std::max(base.width(), full.width()), base.height());
}

QSize CSpinField::minimumSizeHint() const {
    return QSize(sizeHint().width(), QAbstractSpinBox::minimumSizeHint().height());
}

// One notification is one step, however far the wheel or the page keys go.
void CSpinField::stepBy(int steps) {
    if (steps == 0 || !step_) {
        return;
    }
    SetText(step_(Text(), steps > 0, ShiftHeld()));
}

QValidator::State CSpinField::validate(QString& /*input*/, int& /*pos*/) const {
    return QValidator::Acceptable;
}

void CSpinField::fixup(QString& /*input*/) const {}

bool CSpinField::ShiftHeld() const {
    const Qt::KeyboardModifiers modifiers =
        inInputEvent_ ? eventModifiers_ : QGuiApplication::queryKeyboardModifiers();
    return modifiers.testFlag(Qt::ShiftModifier);
}

void CSpinField::keyPressEvent(QKeyEvent* event) {
    ModifierScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    QAbstractSpinBox::keyPressEvent(event);
}

void CSpinField::mousePressEvent(QMouseEvent* event) {
    ModifierScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    QAbstractSpinBox::mousePressEvent(event);
}

void CSpinField::wheelEvent(QWheelEvent* event) {
    ModifierScope scope(inInputEvent_, eventModifiers_, event->modifiers());
    QAbstractSpinBox::wheelEvent(event);
}

}  // namespace rollpath
