#include "ui/BrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

namespace rollpath {

std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title, const QString& initial) {
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, title, initial, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(chosen).toStdString();
}

}  // namespace rollpath
