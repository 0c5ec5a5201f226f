#include "document/InstallPaths.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "document/FolderListing.h"
#include "document/Utf8Path.h"

namespace rollpath {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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

#ifndef _WIN32
namespace {

// The path with every component spelled as given.
std::filesystem::path ExactInstallPath(const std::filesystem::path& base, std::string_view relative) {
    std::filesystem::path path = base.empty() ? std::filesystem::path("/") : base;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('\\', start), relative.size());
        if (end > start) {
            path /= PathFromUtf8(relative.substr(start, end - start));
        }
        start = end + 1;
    }
    return path;
}

}  // namespace
#endif

std::filesystem::path ResolveInstallPath(const std::filesystem::path& base, std::string_view relative) {
#ifndef _WIN32
    // Most names are spelled as on the disk: one look then finds them, where
    // the walk below looks at every component.
    {
        std::filesystem::path exact = ExactInstallPath(base, relative);
        std::error_code ec;
        if (std::filesystem::exists(exact, ec)) {
            return exact;
        }
    }
#endif
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
        if (!exists) {
            path = std::move(exact);
            continue;
        }
        std::error_code ec;
#ifdef _WIN32
        // Windows finds a name in any case by itself; the spelling on the
        // disk is taken all the same, so that paths and messages read as
        // they do on Linux.
        if (auto found = FindInFolderIgnoringCase(path, component)) {
            path /= PathFromUtf8(*found);
        } else {
            exists = std::filesystem::exists(exact, ec);
            path = std::move(exact);
        }
#else
        if (std::filesystem::exists(exact, ec)) {
            path = std::move(exact);
        } else if (auto found = FindInFolderIgnoringCase(path, component)) {
            path /= PathFromUtf8(*found);
        } else {
            path = std::move(exact);
            exists = false;
        }
#endif
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
