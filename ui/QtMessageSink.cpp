#include "ui/QtMessageSink.h"

#include <QMessageBox>

#include "ui/AnsiQt.h"

namespace rollpath {

namespace {

const QString kTitle = QStringLiteral("Rollpath");

}  // namespace

void QtMessageSink::Show(const std::string& text) {
    QMessageBox::warning(parent_.data(), kTitle, FromAnsi(text));
}

Answer QtMessageSink::Ask(const std::string& text) {
    const auto button =
        QMessageBox::question(parent_.data(), kTitle, FromAnsi(text),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes) {
        return Answer::Yes;
    }
    if (button == QMessageBox::No) {
        return Answer::No;
    }
    return Answer::Cancel;
}

}  // namespace rollpath
