#include "ui/ChecksPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace rollpath {

CChecksPage::CChecksPage(const Settings& settings, QWidget* parent) : QWidget(parent) {
    const CheckSet enabled = EnabledChecks(settings.DisabledChecks);
    auto* group = new QGroupBox(QStringLiteral("Layout Checks"), this);
    auto* list = new QVBoxLayout(group);
    for (const CheckInfo& info : AllChecks()) {
        const QString id = QString::fromLatin1(info.id.data(), static_cast<qsizetype>(info.id.size()));
        const QString title =
            QString::fromLatin1(info.title.data(), static_cast<qsizetype>(info.title.size()));
        auto* box = new QCheckBox(title + QStringLiteral(" (") + id + QStringLiteral(")"), group);
        box->setObjectName(id);
        box->setChecked(enabled.Has(info.check));
        list->addWidget(box);
        boxes_[static_cast<std::size_t>(info.check)] = box;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
}

void CChecksPage::CopyTo(Settings& settings) const {
    CheckSet enabled;
    for (const CheckInfo& info : AllChecks()) {
        enabled.Set(info.check, boxes_[static_cast<std::size_t>(info.check)]->isChecked());
    }
    settings.DisabledChecks = DisabledChecksSetting(enabled);
}

}  // namespace rollpath
