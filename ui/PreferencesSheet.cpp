#include "ui/PreferencesSheet.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/ChecksPage.h"
#include "ui/ColorPage.h"
#include "ui/GeneralPage.h"
#include "ui/RollpathPage.h"

namespace rollpath {

CPreferencesSheet::CPreferencesSheet(Settings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      tabs_(new QTabWidget(this)),
      m_GeneralPage(new CGeneralPage(settings, tabs_)),
      m_RollpathPage(new CRollpathPage(settings, tabs_)),
      m_ColorPage(new CColorPage(settings, tabs_)),
      m_ChecksPage(new CChecksPage(settings, tabs_)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(QStringLiteral("Preferences"));
    tabs_->addTab(m_GeneralPage, QStringLiteral("General"));
    tabs_->addTab(m_RollpathPage, QStringLiteral("Rollpaths"));
    tabs_->addTab(m_ColorPage, QStringLiteral("Colors"));
    tabs_->addTab(m_ChecksPage, QStringLiteral("Checks"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &CPreferencesSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CPreferencesSheet::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, &CPreferencesSheet::OnTabChanged);
}

bool CPreferencesSheet::ValidatePage(int index) {
    auto* page = qobject_cast<CFieldPage*>(tabs_->widget(index));
    if (page == nullptr) {
        return true;
    }
    const std::optional<FieldError> error = page->Validate();
    if (!error) {
        return true;
    }
    if (tabs_->currentIndex() != index) {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(index);
        currentPage_ = index;
    }
    QMessageBox::warning(this, QStringLiteral("Rollpath"), QString::fromStdString(error->message));
    page->SelectField(error->control);
    return false;
}

// Leaving a page checks it, as the framework does; a refusal stays on it.
void CPreferencesSheet::OnTabChanged(int index) {
    const int left = currentPage_;
    currentPage_ = index;
    if (left != index && !ValidatePage(left)) {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(left);
        currentPage_ = left;
    }
}

void CPreferencesSheet::accept() {
    for (int i = 0; i < tabs_->count(); ++i) {
        if (!ValidatePage(i)) {
            return;
        }
    }
    QDialog::accept();
}

void CPreferencesSheet::CopyTo(Settings& settings) const {
    m_GeneralPage->Model().CopyTo(settings);
    m_RollpathPage->Model().CopyTo(settings);
    m_ColorPage->Model().CopyTo(settings);
    m_ChecksPage->CopyTo(settings);
}

bool CPreferencesSheet::Run() {
    if (exec() != QDialog::Accepted) {
        return false;
    }
    CopyTo(settings_);
    return true;
}

}  // namespace rollpath
