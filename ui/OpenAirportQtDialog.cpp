#include "ui/OpenAirportQtDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace rollpath {

OpenAirportQtDialog::OpenAirportQtDialog(QWidget* parent)
    : QDialog(parent),
      code_(new QLineEdit(this)),
      tms_(new QCheckBox(QStringLiteral("&Load *.tms file"), this)) {
    setWindowTitle(QStringLiteral("Open Airport"));
    auto* form = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("FAA or IACO code"), this);
    label->setBuddy(code_);
    form->addRow(label, code_);
    form->addRow(tms_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::optional<OpenAirportChoice> OpenAirportQtDialog::Run() {
    code_->setFocus();
    accepted_ = exec() == QDialog::Accepted;
    if (!accepted_) {
        return std::nullopt;
    }
    return OpenAirportChoice{code_->text().toStdString(), tms_->isChecked()};
}

}  // namespace rollpath
