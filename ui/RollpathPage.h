#pragma once

// CRollpathPage, the "Rollpaths" page of the Preferences sheet (resource
// 148): the marking, runway exit and lighting measures.

#include "ui/FieldPage.h"
#include "view/preferences/PreferencePages.h"

namespace rollpath {

class CRollpathPage : public CFieldPage {
    Q_OBJECT
public:
    CRollpathPage(const Settings& settings, QWidget* parent = nullptr);

    RollpathPageModel& Model() { return model_; }

private:
    RollpathPageModel model_;
};

}  // namespace rollpath
