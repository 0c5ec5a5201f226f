#pragma once

// The "Set Fly! Directory" dialog of the first start (resource 133): a
// "Path" field, empty at first, with a "..." button that browses for the
// folder. OK returns the field's text; Cancel returns nothing.

#include <QDialog>
#include <optional>
#include <string>

#include "ui/BrowseForFolder.h"

class QLineEdit;
class QPushButton;

namespace rollpath {

inline constexpr int kFlyDirPathField = 1016;
inline constexpr int kFlyDirBrowseButton = 1017;

class SetFlyDirQtDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetFlyDirQtDialog(QWidget* parent = nullptr);

    void SetFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }
    QLineEdit* PathField() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }

    // Shows the dialog modally; the path on OK.
    std::optional<std::string> Run();

private:
    void Browse();

    QLineEdit* path_;
    QPushButton* browse_;
    FolderBrowser browser_ = BrowseForFolder;
};

}  // namespace rollpath
