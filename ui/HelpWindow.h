#pragma once

// The help window of Help Topics: the user guide (docs/user-guide.md, kept
// in the program's resources) shown as formatted text.

#include <QDialog>

class QTextBrowser;

namespace rollpath {

class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }

    // The guide's Markdown text; empty if the resource is missing.
    static QString UserGuide();

private:
    QTextBrowser* browser_;
};

}  // namespace rollpath
