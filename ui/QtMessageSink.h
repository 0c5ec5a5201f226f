#pragma once

#include <QPointer>
#include <QWidget>

#include "document/MessageSink.h"

namespace rollpath {

// Message boxes of the editor: a modal box over the main window, titled
// "Rollpath".
class QtMessageSink : public MessageSink {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const std::string& text) override;
    Answer Ask(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace rollpath
