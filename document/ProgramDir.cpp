#include "document/ProgramDir.h"

#include <cstdlib>
#include <system_error>

namespace rollpath {

std::filesystem::path ChooseProgramDir(const std::optional<std::string>& runDir,
                                       const std::string& settingDir,
                                       const std::filesystem::path& executableDir,
                                       const std::filesystem::path& userDataDir) {
    if (runDir && !runDir->empty()) {
        return std::filesystem::path(*runDir);
    }
    if (!settingDir.empty()) {
        return std::filesystem::path(settingDir);
    }
    std::error_code ec;
    if (!executableDir.empty() && std::filesystem::is_regular_file(executableDir / kPortableMarker, ec)) {
        return executableDir;
    }
    return userDataDir;
}

std::filesystem::path ExecutableDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path UserDataDir() {
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        data = std::filesystem::path(home) / ".local" / "share";
    } else {
        std::error_code ec;
        data = std::filesystem::temp_directory_path(ec);
    }
    return data / "Marrowvale" / "Rollpath";
}

}  // namespace rollpath
