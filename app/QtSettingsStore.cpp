#include "app/QtSettingsStore.h"

#include <QSettings>

namespace rollpath {

namespace {

QString KeyOf(const std::string& key) {
    return QStringLiteral("Settings/") + QString::fromStdString(key);
}

constexpr int kRecentFileKeys = 4;

QString RecentFileKey(int i) {
    return QStringLiteral("Recent File List/File") + QString::number(i + 1);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Marrowvale"), QStringLiteral("Rollpath"))) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<int> QtSettingsStore::GetInt(const std::string& key) const {
    const QVariant v = settings_->value(KeyOf(key));
    if (!v.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    // Colours are stored as DWORDs: take their 32 bits as they are.
    const qlonglong n = v.toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<int>(static_cast<quint32>(n));
}

std::optional<std::string> QtSettingsStore::GetText(const std::string& key) const {
    const QVariant v = settings_->value(KeyOf(key));
    if (!v.isValid()) {
        return std::nullopt;
    }
    return v.toString().toStdString();
}

void QtSettingsStore::SetInt(const std::string& key, int value) {
    settings_->setValue(KeyOf(key), value);
}

void QtSettingsStore::SetText(const std::string& key, const std::string& value) {
    settings_->setValue(KeyOf(key), QString::fromStdString(value));
}

std::vector<std::string> QtSettingsStore::RecentFiles() const {
    std::vector<std::string> files;
    for (int i = 0; i < kRecentFileKeys; ++i) {
        const QString file = settings_->value(RecentFileKey(i)).toString();
        if (!file.isEmpty()) {
            files.push_back(file.toStdString());
        }
    }
    return files;
}

void QtSettingsStore::SetRecentFiles(const std::vector<std::string>& files) {
    for (int i = 0; i < kRecentFileKeys; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (index < files.size()) {
            settings_->setValue(RecentFileKey(i), QString::fromStdString(files[index]));
        } else {
            settings_->remove(RecentFileKey(i));
        }
    }
}

void QtSettingsStore::Sync() {
    settings_->sync();
}

}  // namespace rollpath
