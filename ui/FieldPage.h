#pragma once

// A Preferences page made of labelled edit fields with spin buttons: builds
// each field from its table row and hands the texts to the page's model when
// the page is left or the sheet ends with OK.

#include <QWidget>
#include <map>
#include <optional>
#include <string_view>

#include "view/preferences/PageFields.h"

class QGridLayout;

namespace rollpath {

class CSpinField;

class CFieldPage : public QWidget {
    Q_OBJECT
public:
    CFieldPage(FieldPageModel& model, QWidget* parent);

    // The field of a control number, or nullptr.
    CSpinField* Field(int control) const;

    // Takes the page's controls back into its model; the refusal, if any.
    virtual std::optional<FieldError> Validate();
    // Gives a field the focus with its text selected.
    void SelectField(int control);

protected:
    // One row of `grid`: the label, the field with its spin, and "ft" when
    // the value is in feet.
    CSpinField* AddField(QGridLayout* grid, int row, int control, std::string_view label, bool feet);

    FieldPageModel& model_;

private:
    std::map<int, CSpinField*> fields_;
};

}  // namespace rollpath
