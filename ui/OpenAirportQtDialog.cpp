#include "ui/OpenAirportQtDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace rollpath {

OpenAirportQtDialog::OpenAirportQtDialog(QWidget* parent)
    : QDialog(parent),
      code_(new QLineEdit(this)),
      tms_(new QCheckBox(QStringLiteral("&Load *.tms file"), this)) {
    setWindowTitle(QStringLiteral("Open Airport"));
    auto* form = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("FAA or ICAO code"), this);
    label->setBuddy(code_);
    form->addRow(label, code_);
    form->addRow(tms_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenAirportQtDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

// A mistyped code is refused here, where it can be corrected; the airport
// that is open stays open.
void OpenAirportQtDialog::accept() {
    const QString code = code_->text().trimmed();
    if (!IsAirportCode(code.toStdString())) {
        QMessageBox::warning(this, QStringLiteral("Rollpath"), QString::fromLatin1(kBadCodeMessage));
        code_->setFocus();
        code_->selectAll();
        return;
    }
    code_->setText(code);
    QDialog::accept();
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
