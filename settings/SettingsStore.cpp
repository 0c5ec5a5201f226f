#include "settings/SettingsStore.h"

namespace rollpath {

std::optional<int> MemorySettingsStore::GetInt(const std::string& key) const {
    const auto it = ints.find(key);
    if (it == ints.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<std::string> MemorySettingsStore::GetText(const std::string& key) const {
    const auto it = texts.find(key);
    if (it == texts.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace rollpath
