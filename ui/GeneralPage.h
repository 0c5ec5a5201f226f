#pragma once

// CGeneralPage, the "General" page of the Preferences sheet (resource 147):
// the sensitivities, the rotation increment, the Bezier depth, the Fly! and
// output folders and the two flags.

#include <QButtonGroup>
#include <array>

#include "ui/BrowseForFolder.h"
#include "ui/FieldPage.h"
#include "view/preferences/PreferencePages.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rollpath {

class CGeneralPage : public CFieldPage {
    Q_OBJECT
public:
    CGeneralPage(const Settings& settings, QWidget* parent = nullptr);

    GeneralPageModel& Model() { return model_; }
    void SetFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }

    QRadioButton* RotationRadio(int index) const { return rotation_.at(static_cast<std::size_t>(index)); }
    QLineEdit* FlyPathField() const { return flyPath_; }
    QLineEdit* OutputField() const { return output_; }
    QPushButton* FlyPathBrowseButton() const { return flyBrowse_; }
    QPushButton* OutputBrowseButton() const { return outputBrowse_; }

    std::optional<FieldError> Validate() override;

private:
    QWidget* BuildSensitivities();
    QWidget* BuildRotation();
    void Browse(QLineEdit* field, const char* title);

    GeneralPageModel model_;
    FolderBrowser browser_ = BrowseForFolder;
    std::array<QRadioButton*, kRotationChoices> rotation_{};
    QButtonGroup rotationGroup_;
    QLineEdit* flyPath_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* flyBrowse_ = nullptr;
    QPushButton* outputBrowse_ = nullptr;
    QCheckBox* preciseClipping_ = nullptr;
    QCheckBox* podFilesFirst_ = nullptr;
};

}  // namespace rollpath
