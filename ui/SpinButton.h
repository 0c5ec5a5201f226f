#pragma once

// A spin button beside a field: an up and a down arrow. It only reports the
// steps; the dialog decides what a step does to its field.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace rollpath {

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }
    // The up and down keys in the field step too.
    void AttachTo(QLineEdit* field);

signals:
    // The change the framework's spin notification carries: -1 for the up
    // arrow, +1 for the down arrow.
    void Stepped(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetArrowSize(QSize size);

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* field_ = nullptr;
};

}  // namespace rollpath
