#pragma once

// The "Set Fly! Directory" dialog of the first start (resource 133): what
// folder is wanted, a "Path" field, empty at first, with a "..." button that
// browses for the folder. OK takes only a folder that holds the simulator's
// database or archives and returns it; Cancel returns nothing.

#include <QDialog>
#include <optional>
#include <string>

#include "ui/BrowseForFolder.h"

class QLineEdit;
class QPushButton;

namespace rollpath {

inline constexpr int kFlyDirPathField = 1016;
inline constexpr int kFlyDirBrowseButton = 1017;
inline constexpr const char* kFlyDirExplanation =
    "Choose the folder in which Fly! is installed: the one whose System folder holds the archives "
    "Airport.epd or Airport.pod. Rollpath reads the airports from there and writes the scenery "
    "into its Data folder.";

class SetFlyDirQtDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetFlyDirQtDialog(QWidget* parent = nullptr);

    void SetFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }
    QLineEdit* PathField() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }

    // Shows the dialog modally; the path on OK.
    std::optional<std::string> Run();
    // OK: refused with a message naming what is missing unless the folder
    // is a Fly! installation; the dialog then stays open.
    void accept() override;

private:
    void Browse();

    QLineEdit* path_;
    QPushButton* browse_;
    FolderBrowser browser_ = BrowseForFolder;
};

}  // namespace rollpath
