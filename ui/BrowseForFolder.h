#pragma once

// The system's folder browser: the given title, only file-system folders,
// the initial folder selected when it opens.

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace rollpath {

// The chosen folder's path, or nothing when the user cancels.
std::optional<std::string> BrowseForFolder(QWidget* owner, const QString& title, const QString& initial);

// How the dialogs that offer a "..." button ask for a folder; tests answer
// in place of the system dialog.
using FolderBrowser =
    std::function<std::optional<std::string>(QWidget* owner, const QString& title, const QString& initial)>;

}  // namespace rollpath
