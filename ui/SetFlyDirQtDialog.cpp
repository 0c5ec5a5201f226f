#include "ui/SetFlyDirQtDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "simdata/AirportLoader.h"

namespace rollpath {

SetFlyDirQtDialog::SetFlyDirQtDialog(QWidget* parent)
    : QDialog(parent), path_(new QLineEdit(this)), browse_(new QPushButton(QStringLiteral("..."), this)) {
    setWindowTitle(QStringLiteral("Set Fly! Directory"));
    path_->setObjectName(QString::number(kFlyDirPathField));
    path_->setMinimumWidth(320);
    browse_->setObjectName(QString::number(kFlyDirBrowseButton));
    browse_->setAutoDefault(false);
    auto* wanted = new QLabel(QString::fromLatin1(kFlyDirExplanation), this);
    wanted->setObjectName(QStringLiteral("explanation"));
    wanted->setWordWrap(true);
    auto* label = new QLabel(QStringLiteral("Path"), this);
    label->setBuddy(path_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(path_, 1);
    row->addWidget(browse_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wanted);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetFlyDirQtDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, &SetFlyDirQtDialog::Browse);
}

void SetFlyDirQtDialog::Browse() {
    if (const auto chosen = browser_(this, QStringLiteral("Choose Fly! Path"), path_->text())) {
        path_->setText(QString::fromStdString(*chosen));
    }
}

// A folder that is no Fly! installation would only fail later, at the first
// airport: it is refused here, where another can be chosen.
void SetFlyDirQtDialog::accept() {
    if (const std::optional<std::string> problem = InstallationProblem(path_->text().toStdString())) {
        QMessageBox::warning(this, QStringLiteral("Rollpath"), QString::fromStdString(*problem));
        path_->setFocus();
        path_->selectAll();
        return;
    }
    QDialog::accept();
}

std::optional<std::string> SetFlyDirQtDialog::Run() {
    path_->setFocus();
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return path_->text().toStdString();
}

}  // namespace rollpath
