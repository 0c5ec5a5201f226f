#pragma once

// Settings from a plain INI file, for the command-line tool: the keys of the
// "[Settings]" section (or of a file without sections), stored as the editor
// stores them (lengths in hundredths or tenths of a foot, colours as
// 0x00BBGGRR integers).
//
//   [Settings]
//   FlyDir=/opt/fly
//   EdgeWidth=125

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace rollpath {

class IniSettingsStore : public MemorySettingsStore {
public:
    // Any text is accepted: lines that are not "key=value" are skipped, keys
    // of other sections are ignored, an integer that does not parse is absent.
    static IniSettingsStore Parse(std::string_view text);
    // Nothing when the file cannot be read.
    static std::optional<IniSettingsStore> Load(const std::filesystem::path& path);

    std::optional<int> GetInt(const std::string& key) const override;
};

// The settings of an INI file. Unlike the editor's first start, a folder
// named in the file counts as chosen even without "FlyDirSet".
Settings SettingsFromIni(const IniSettingsStore& store);

}  // namespace rollpath
