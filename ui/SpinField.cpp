#include "ui/SpinField.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

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
