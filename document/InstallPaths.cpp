#include "document/InstallPaths.h"

#include <optional>
#include <system_error>

#include "document/Utf8Path.h"

namespace rollpath {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The entry of folder whose name equals component ignoring case; the least
// such name when several do, so that the choice does not depend on the order
// in which the file system lists them.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view component) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        std::string name = Utf8FromPath(it->path().filename());
        if (EqualsIgnoreCase(name, component) && (!best || name < *best)) {
            best = std::move(name);
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return folder / PathFromUtf8(*best);
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::filesystem::path ResolveInstallPath(const std::filesystem::path& base, std::string_view relative) {
    std::filesystem::path path = base.empty() ? std::filesystem::path("/") : base;
    bool exists = true;  // while every component so far exists, the next is looked up
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('\\', start);
        if (end == std::string_view::npos) {
            end = relative.size();
        }
        const std::string_view component = relative.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            continue;
        }
        std::filesystem::path exact = path / PathFromUtf8(component);
        std::error_code ec;
        if (!exists || std::filesystem::exists(exact, ec)) {
            path = std::move(exact);
            continue;
        }
        if (auto found = FindIgnoringCase(path, component)) {
            path = std::move(*found);
        } else {
            path = std::move(exact);
            exists = false;
        }
    }
    return path;
}

bool InstallPathExists(const std::filesystem::path& base, std::string_view relative) {
    std::error_code ec;
    return std::filesystem::exists(ResolveInstallPath(base, relative), ec);
}

std::filesystem::path OutputDirectory(const Settings& settings) {
    if (!settings.OutputDir.empty()) {
        return PathFromUtf8(settings.OutputDir);
    }
    return ResolveInstallPath(PathFromUtf8(settings.FlyDir), "\\Data");
}

std::filesystem::path OutputFilePath(const Settings& settings, std::string_view fileName) {
    if (!settings.OutputDir.empty()) {
        return ResolveInstallPath(PathFromUtf8(settings.OutputDir), fileName);
    }
    std::string relative = "\\Data\\";
    relative += fileName;
    return ResolveInstallPath(PathFromUtf8(settings.FlyDir), relative);
}

}  // namespace rollpath
