#pragma once

#include <map>
#include <optional>
#include <string>

namespace rollpath {

// A per-user key-value store of integers and texts (the "Settings" section).
// The editor uses QSettings; the CLI an INI file; tests the memory store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<int> GetInt(const std::string& key) const = 0;
    virtual std::optional<std::string> GetText(const std::string& key) const = 0;
    virtual void SetInt(const std::string& key, int value) = 0;
    virtual void SetText(const std::string& key, const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<int> GetInt(const std::string& key) const override;
    std::optional<std::string> GetText(const std::string& key) const override;
    void SetInt(const std::string& key, int value) override { ints[key] = value; }
    void SetText(const std::string& key, const std::string& value) override { texts[key] = value; }

    std::map<std::string, int> ints;
    std::map<std::string, std::string> texts;
};

}  // namespace rollpath
