#pragma once

// CPreferencesSheet, the modal "Preferences" sheet: the General, Rollpaths,
// Colors and Checks pages. Each page starts from the settings; only OK hands the
// values back (the colour chooser's custom colours excepted, which are the
// application's own). A page whose field is refused keeps the sheet open.

#include <QDialog>

#include "settings/Settings.h"

class QDialogButtonBox;
class QTabWidget;

namespace rollpath {

class CChecksPage;
class CColorPage;
class CFieldPage;
class CGeneralPage;
class CRollpathPage;
struct FieldError;

class CPreferencesSheet : public QDialog {
    Q_OBJECT
public:
    CPreferencesSheet(Settings& settings, QWidget* parent = nullptr);

    CGeneralPage& GeneralPage() { return *m_GeneralPage; }
    CRollpathPage& RollpathPage() { return *m_RollpathPage; }
    CColorPage& ColorPage() { return *m_ColorPage; }
    CChecksPage& ChecksPage() { return *m_ChecksPage; }
    QTabWidget* Tabs() const { return tabs_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

    // Runs the sheet; on OK every page's values go to the settings. True on OK.
    bool Run();

    // OK: every page is checked first; a refusal keeps the sheet open.
    void accept() override;

private:
    // Checks one page; shows the refusal and brings its page forward.
    bool ValidatePage(int index);
    void OnTabChanged(int index);
    void CopyTo(Settings& settings) const;

    Settings& settings_;
    QTabWidget* tabs_;
    CGeneralPage* m_GeneralPage;
    CRollpathPage* m_RollpathPage;
    CColorPage* m_ColorPage;
    CChecksPage* m_ChecksPage;
    QDialogButtonBox* buttons_;
    int currentPage_ = 0;
};

}  // namespace rollpath
