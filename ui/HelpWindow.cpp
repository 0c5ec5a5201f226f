#include "ui/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rollpath {

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Rollpath Help"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    browser_->setOpenExternalLinks(true);
    // The guide's pictures are beside it in the resources.
    browser_->setSearchPaths({QStringLiteral(":/help")});
    browser_->setMarkdown(UserGuide());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

QString CHelpWindow::UserGuide() {
    QFile file(QStringLiteral(":/help/user-guide.md"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace rollpath
