#include "scenery/OutputPaths.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "app/Settings.h"

namespace rollpath {
namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::filesystem::path OutputDirectory(const Settings& settings) {
    if (!settings.OutputDir.empty()) {
        return std::filesystem::path(settings.OutputDir);
    }
    const std::filesystem::path flyDir(settings.FlyDir);
    const std::filesystem::path exact = flyDir / "Data";
    std::error_code ec;
    if (std::filesystem::is_directory(exact, ec) || flyDir.empty()) {
        return exact;
    }
    for (const auto& entry : std::filesystem::directory_iterator(flyDir, ec)) {
        if (entry.is_directory(ec) && EqualsIgnoringCase(entry.path().filename().string(), "Data")) {
            return entry.path();
        }
    }
    return exact;
}

}  // namespace rollpath
