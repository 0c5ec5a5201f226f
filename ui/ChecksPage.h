#pragma once

// The "Checks" page of the Preferences sheet: one check box per layout
// check. OK keeps the ones left unticked in the "DisabledChecks" setting.

#include <QWidget>
#include <array>

#include "checks/CheckCatalog.h"
#include "settings/Settings.h"

class QCheckBox;

namespace rollpath {

class CChecksPage : public QWidget {
    Q_OBJECT
public:
    CChecksPage(const Settings& settings, QWidget* parent = nullptr);

    QCheckBox* CheckBox(CheckId check) const { return boxes_[static_cast<std::size_t>(check)]; }
    void CopyTo(Settings& settings) const;

private:
    std::array<QCheckBox*, kCheckCount> boxes_{};
};

}  // namespace rollpath
