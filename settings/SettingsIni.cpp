#include "settings/SettingsIni.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <fstream>
#include <sstream>

#include "settings/Settings.h"

namespace rollpath {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())) != 0) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())) != 0) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameSectionName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

IniSettingsStore IniSettingsStore::Parse(std::string_view text) {
    IniSettingsStore store;
    bool inSettings = true;  // keys before any section count as settings
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inSettings =
                close != std::string_view::npos && SameSectionName(line.substr(1, close - 1), "Settings");
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inSettings || eq == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (!key.empty()) {
            store.texts[std::string(key)] = std::string(value);
        }
    }
    return store;
}

std::optional<IniSettingsStore> IniSettingsStore::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return Parse(text.str());
}

std::optional<int> IniSettingsStore::GetInt(const std::string& key) const {
    const std::optional<std::string> text = GetText(key);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    // Decimal (a leading zero is no octal mark), or 0x... for colours.
    std::string_view digits = *text;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    } else if (digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    long long v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || v < INT_MIN ||
        v > static_cast<long long>(UINT_MAX)) {
        return std::nullopt;
    }
    // Colours above 0x7FFFFFFF keep their bits.
    return static_cast<int>(static_cast<unsigned int>(v));
}

Settings SettingsFromIni(const IniSettingsStore& store) {
    Settings settings = LoadSettings(store);
    if (const auto flyDir = store.GetText("FlyDir")) {
        settings.FlyDir = *flyDir;
        settings.FlyDirSet = 1;
    }
    if (const auto outputDir = store.GetText("OutputDir")) {
        settings.OutputDir = *outputDir;
    }
    return settings;
}

}  // namespace rollpath
