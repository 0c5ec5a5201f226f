#include "ui/FieldPage.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/SpinField.h"

namespace rollpath {

CFieldPage::CFieldPage(FieldPageModel& model, QWidget* parent) : QWidget(parent), model_(model) {}

CSpinField* CFieldPage::Field(int control) const {
    const auto it = fields_.find(control);
    return it == fields_.end() ? nullptr : it->second;
}

CSpinField* CFieldPage::AddField(QGridLayout* grid, int row, int control, std::string_view label, bool feet) {
    auto* field = new CSpinField(this);
    field->setObjectName(QString::number(control));
    field->SetText(QString::fromStdString(model_.Text(control)));
    QStringList widest;
    for (const std::string& text : model_.ExtremeTexts(control)) {
        widest << QString::fromStdString(text);
    }
    field->SetWidestTexts(widest);
    field->SetStepFunction([this, control](const QString& text, bool up, bool shift) {
        return QString::fromStdString(model_.StepSpin(control, text.toStdString(), up, shift));
    });
    auto* caption = new QLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), this);
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    if (feet) {
        grid->addWidget(new QLabel(QStringLiteral("ft"), this), row, 2);
    }
    fields_[control] = field;
    return field;
}

std::optional<FieldError> CFieldPage::Validate() {
    FieldTexts texts;
    for (const auto& [control, field] : fields_) {
        texts[control] = field->Text().toStdString();
    }
    return model_.Exchange(texts);
}

void CFieldPage::SelectField(int control) {
    if (CSpinField* field = Field(control)) {
        field->SelectField();
    }
}

}  // namespace rollpath
