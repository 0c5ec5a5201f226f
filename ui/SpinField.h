#pragma once

// An edit field with a spin button beside it, as the Preferences pages use
// them: the field takes any text (the page checks it when it hands its
// values back), and each step of the arrows, the Up and Down keys or the
// wheel goes through a step function that reads the field's text and
// returns the new one. The step knows whether Shift was held.

#include <QAbstractSpinBox>
#include <QStringList>
#include <functional>

namespace rollpath {

class CSpinField : public QAbstractSpinBox {
    Q_OBJECT
public:
    // (current text, up, shift) -> new text
    using StepFunction = std::function<QString(const QString&, bool, bool)>;

    explicit CSpinField(QWidget* parent = nullptr);

    void SetStepFunction(StepFunction step) { step_ = std::move(step); }
    QString Text() const;
    void SetText(const QString& text);
    // Gives the field the focus with its whole text selected.
    void SelectField();
    QString SelectedText() const;
    void SetMaxLength(int length);
    // The texts the field must show whole (its widest allowed values); it is
    // never laid out narrower than the widest of them.
    void SetWidestTexts(QStringList texts);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool ShiftHeld() const;

    StepFunction step_;
    QStringList widest_;
    // The modifiers of the input event that makes the step, if any.
    Qt::KeyboardModifiers eventModifiers_;
    bool inInputEvent_ = false;
};

}  // namespace rollpath
