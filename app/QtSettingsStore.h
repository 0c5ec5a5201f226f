#pragma once

// The per-user settings store of the editor: QSettings("Marrowvale",
// "Rollpath"), group "Settings" (on Windows the registry key the settings
// have always used; on Linux ~/.config/Marrowvale/Rollpath.conf).

#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

class QSettings;

namespace rollpath {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::optional<int> GetInt(const std::string& key) const override;
    std::optional<std::string> GetText(const std::string& key) const override;
    void SetInt(const std::string& key, int value) override;
    void SetText(const std::string& key, const std::string& value) override;

    // The recent-file list, kept where the framework keeps it: section
    // "Recent File List", keys "File1" to "File4".
    std::vector<std::string> RecentFiles() const;
    void SetRecentFiles(const std::vector<std::string>& files);

    // Writes what is pending to permanent storage.
    void Sync();

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace rollpath
